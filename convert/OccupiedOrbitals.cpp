#include "convert/OccupiedOrbitals.h"

#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "utilities/CustExcept.h"

namespace {

const char* const sourceName = "UTurbo";

bool HasCoefficients(const UMatrix<double>& mos, long column)
{
    for (long row = 0; row < mos.GetColDim(); row++)
        if (mos(row, column) != 0.0) return true;  // NaN counts as a coefficient
    return false;
}

}  // namespace

// An orbital file may hold fewer orbitals than there are basis functions; the reader leaves
// zero columns for the others, and the Molden writer leaves those out. An occupied one among
// them would take its electrons out of the Molden file without a word.
void RequireOccupiedOrbitals(const UQGeometryData* geom)
{
    for (OrbitalType set : {otRestricted, otAlpha, otBeta}) {
        if (!geom->GetHasMos(set)) continue;
        UVector<double> occupations = geom->GetO(set);
        UMatrix<double> mos = geom->GetMos(set);
        for (long j = 0; j < occupations.GetDim(); j++)
            if (occupations[j] != 0.0 && (j >= mos.GetRowDim() || !HasCoefficients(mos, j)))
                RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    }
}

// The Molden writer writes the alpha and beta sets of an unrestricted molecule, else the
// restricted one.
void RequireOccupiedWrittenOrbitals(const UQGeometryData* geom)
{
    const bool unrestricted = geom->GetIsUnrestricted();
    for (OrbitalType set : {otRestricted, otAlpha, otBeta}) {
        if ((set == otRestricted) == unrestricted || !geom->GetHasMos(set)) continue;
        UVector<double> occupations = geom->GetO(set);
        long const written = Min(occupations.GetDim(), geom->GetMos(set).GetRowDim());
        for (long j = 0; j < written; j++)
            if (occupations[j] != 0.0) return;
    }
    RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
}
