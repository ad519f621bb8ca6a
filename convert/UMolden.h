#pragma once
// The Molden input file: its section table and the filter that writes a
// molecule as one such file.
#include "utilities/UMatVec.h"

class UStream;
class UQGeometryData;

// The sections of a Molden file, in the order of the header table of UMolden.cpp.
enum MoldenFileSectionType {
    mfsNone = 0,
    mfsMoldenFormat = 1,
    mfsFreq = 2,
    mfsFrCoord = 3,
    mfsFrNormCoord = 4,
    mfsAtoms = 5,
    mfsGeometries = 6,
    mfsForces = 7,
    mfsGeoConv = 8,
    mfsGTO = 9,
    mfsSTO = 10,
    mfsPseudo = 11,
    mfsMO = 12,
    mfs5D7F = 13,
    mfs6D7F = 14,
    mfs5D10F = 15,
    mfs6D10F = 16,
    mfs5D = 17,
    mfs6D = 18,
    mfs7F = 19,
    mfs10F = 20
};

class UMoldenFilter {
public:
    // Borrows stream; never closes or deletes it.
    explicit UMoldenFilter(UStream* stream);

    void PutSection(MoldenFileSectionType t, const char* text);
    void PutData(const char* text);

    void WriteGeometry(UQGeometryData* geom);
    void WriteCoordinates(UQGeometryData* geom);
    void WriteFrequencies(UQGeometryData* geom);
    void WriteFreqCoordinates(UQGeometryData* geom);
    void WriteVibrations(UQGeometryData* geom);
    long GetReducedDim(UQGeometryData* geom);

    void WriteBasis(UQGeometryData* geom);
    void WriteOrbitals(UQGeometryData* geom);
    void WriteOrbitals1(UQGeometryData* geom, UVector<double>& occ, UVector<double>& energies,
                        UMatrix<double>& coefficients, bool beta);

private:
    void WriteGaussianBasis(UQGeometryData* geom, long atomDim);
    void WriteSlaterBasis(UQGeometryData* geom, long atomDim);
    void WriteEcpCharges(UQGeometryData* geom, long atomDim);
    void WriteSlaterCoreCharges(UQGeometryData* geom, long atomDim);

    long recordType;
    long sectionType;
    UStream* stream;
};
