// The optimisation-history sections of a Molden file, written step by step:
// "[GEOCONV]" (energies and convergence criteria), "[GEOMETRIES]" (XYZ frames
// in Angstrom) and "[FORCES]".
#include <cstdio>

#include "convert/UMolden.h"
#include "molecule/UAtCoord.h"
#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "utilities/CustExcept.h"
#include "utilities/UStrUtilities.h"
#include "utilities/UStream.h"

namespace {
const char* const sourceName = "UMolden";

const char* const moldensubsectionheaders[4] = {"max-force", "rms-force", "max-step", "rms-step"};

const double bohrInAngstrom = 0.529177249;

// Three "%20.14lf" numbers are at most 3 * 326 characters.
const size_t lineLength = 2048;

bool IsSubsection(MoldenEnergySubsection s) { return s >= mesMaxForce && s <= mesRmsStep; }

// The stored convergence text of criterion s; 25007 without convergence information.
const char* ConvergenceText(const UQGeometryData* geom, MoldenEnergySubsection s)
{
    switch (s) {
    case mesMaxForce:
        return geom->GetMaximumGradient();
    case mesRmsForce:
        return geom->GetAverageGradient();
    case mesMaxStep:
        return geom->GetMaximumStep();
    case mesRmsStep:
        return geom->GetAverageStep();
    }
    RaiseError(umIndexOutOfRange, sourceName, __LINE__);
    return nullptr;
}
}  // namespace

void UMoldenFilter::StartEnergySection()
{
    PutSection(mfsGeoConv, "");
    stream->printf("energy\n");
}

void UMoldenFilter::StartEnergySubsection(MoldenEnergySubsection s)
{
    if (!IsSubsection(s)) RaiseError(umIndexOutOfRange, sourceName, __LINE__);
    stream->printf("%s\n", moldensubsectionheaders[s]);
}

void UMoldenFilter::AddToEnergySection(UQGeometryData* geom)
{
    if (!geom->GetHasEnergy()) RaiseError(cmMissingData, sourceName, __LINE__);
    stream->printf("%20.14lf\n", geom->GetEnergy());
}

void UMoldenFilter::AddToEnergySubsection(UQGeometryData* geom, MoldenEnergySubsection s)
{
    double value;
    // A criterion stored without a number is as missing as one never stored.
    if (std::sscanf(ConvergenceText(geom, s), "%lf", &value) != 1)
        RaiseError(cmMissingData, sourceName, __LINE__);
    stream->printf("%20.14lf\n", value);
}

void UMoldenFilter::StartGeometriesSection() { PutSection(mfsGeometries, "XYZ"); }

void UMoldenFilter::AddToGeometriesSection(UQGeometryData* geom)
{
    if (!geom->GetHasCoordinates()) RaiseError(cmMissingData, sourceName, __LINE__);
    stream->printf("%1ld\n\n", geom->GetDim());
    UVector<UQAtomData> atoms = geom->GetAtomData();
    char line[lineLength];
    for (long i = 0; i < geom->GetDim(); i++) {
        V3 r = atoms[i].GetCoord();
        r *= bohrInAngstrom;
        std::snprintf(line, sizeof line, "%s %20.14lf %20.14lf %20.14lf",
                      pTable[atoms[i].GetAtno()].GetAdjustedName(true, true), r.Getx(), r.Gety(),
                      r.Getz());
        PutData(line);
    }
}

void UMoldenFilter::StartForcesSection() { PutSection(mfsForces, ""); }

void UMoldenFilter::AddToForcesSection(UQGeometryData* geom, long point)
{
    if (!geom->GetHasGradients()) RaiseError(cmMissingData, sourceName, __LINE__);
    stream->printf("  point %1ld\n", point + 1);
    stream->printf("%1ld\n", geom->GetDim());
    UVector<UQAtomData> atoms = geom->GetAtomData();
    char line[lineLength];
    for (long i = 0; i < geom->GetDim(); i++) {
        V3 g = atoms[i].GetGrad();
        g *= bohrInAngstrom;
        std::snprintf(line, sizeof line, "   %20.14lf %20.14lf %20.14lf", g.Getx(), g.Gety(),
                      g.Getz());
        PutData(line);
    }
}
