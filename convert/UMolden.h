#pragma once
// The Molden input file: its section table and the filter that writes a
// molecule as one such file, reads its geometry part back and writes the
// sections of an optimisation history.
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

// The convergence criteria of "[GEOCONV]", indexing its subsection names.
enum MoldenEnergySubsection { mesMaxForce = 0, mesRmsForce = 1, mesMaxStep = 2, mesRmsStep = 3 };

class UMoldenFilter {
public:
    // Records hold at most this many characters; a longer line is refused (25017).
    static constexpr long recordLength = 2047;
    // Section headers by MoldenFileSectionType; entry 0 is empty.
    static const char* const sectionHeader[21];

    // Borrows stream; never closes or deletes it.
    explicit UMoldenFilter(UStream* stream);

    // Reads the next non-empty line into buf (room for len + 1 characters),
    // tabs turned into blanks, and returns recordType: 1 for a section line
    // (trimmed; sectionType is its header, -2 for an unknown one), 0 for a
    // data line (as read). 25001 at the end of the stream; the end after
    // skipped empty lines is a section line of type mfsNone instead, which
    // ends a section as any section line does.
    long GetRecord(char* buf, long len);
    long GetRecordType() const { return recordType; }
    long GetSectionType() const { return sectionType; }
    // Exponent letters (eEdDfFgG) become 'e'; for numeric fields only.
    void AdjustExpChars(char* s) const;

    // Readers: each is entered with its section line current and returns with
    // the next section line current, or at the end of the stream.
    void ReadGeometry(UQGeometryData* geom);
    void ReadCoordinates(UQGeometryData* geom, const char* header);
    void ReadFrequencies(UQGeometryData* geom);
    void ReadFreqCoordinates(UQGeometryData* geom);
    void ReadVibrations(UQGeometryData* geom);

    // Optimisation history, sequenced by the caller.
    void StartEnergySection();
    void StartEnergySubsection(MoldenEnergySubsection s);
    void AddToEnergySection(UQGeometryData* geom);
    void AddToEnergySubsection(UQGeometryData* geom, MoldenEnergySubsection s);
    void StartGeometriesSection();
    void AddToGeometriesSection(UQGeometryData* geom);
    void StartForcesSection();
    void AddToForcesSection(UQGeometryData* geom, long point);

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
    // Reads the next record into line when it is a data line of the current
    // section; false at a section line or at the end of the stream.
    bool NextDataLine(char* line);
    // Reads up to the next section line or the end of the stream.
    void SkipSection();
    // The "[ATOMS]" and "[FR-COORD]" lines; see UMoldenRead.cpp.
    void ReadAtomLines(UQGeometryData* geom, bool atomsSection, bool angstrom);

    void WriteGaussianBasis(UQGeometryData* geom, long atomDim);
    void WriteSlaterBasis(UQGeometryData* geom, long atomDim);
    void WriteEcpCharges(UQGeometryData* geom, long atomDim);
    void WriteSlaterCoreCharges(UQGeometryData* geom, long atomDim);

    long recordType;
    long sectionType;
    UStream* stream;
    // The section line last read, for the readers that take it as their header.
    char sectionLine[recordLength + 1];
};
