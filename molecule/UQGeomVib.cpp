// Vibrational analysis: frequencies and normal modes from the Cartesian Hessian, optionally
// mass-weighted, with the translations and rotations projected out and replaced by exact null
// modes after the genuine vibrations.
#include <cmath>
#include <vector>

#include "molecule/MassCheck.h"
#include "molecule/PhysConst.h"
#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "molecule/ZeroFill.h"
#include "numeric/BlasDouble.h"
#include "numeric/BlasUtils.h"
#include "numeric/LAPackDouble.h"
#include "numeric/laostuff.h"
#include "utilities/CustExcept.h"

namespace {

const char* const sourceName = "UQGeom";

short const kEigenvectorsLower = Blas::LaEigVectors | Blas::LaUseLower;

// cm-1 per sqrt(hartree/(bohr^2 u)), the eigenvalue unit of the mass-weighted Hessian:
// sqrt(Eh/(a0^2 u))/(2 pi c), about 5140.487. (A factor built on 1837.12, the hydrogen atom's
// mass in electron masses, instead of u would put every frequency 0.39 % low.)
double const kFrequencyFactor =
    std::sqrt(kHartree / (kBohr * kBohr * kAtomicMassUnit)) / (2.0 * kPi * kLightSpeed);

// A projected eigenvector shorter than this (squared) was mostly a rigid motion.
double const kRigidLength = 0.9;

// Among the flagged columns the longest (the first of equal ones) is normalised and unflagged,
// and its component is removed from every column still flagged.
void FreeLongestFlagged(UMatrix<double>& modes, std::vector<bool>& flagged)
{
    long longest = -1;
    double longestLength = 0.0;
    for (long j = 0; j < modes.GetRowDim(); j++) {
        if (!flagged[j]) continue;
        UVector<double> column = modes.ColVector(j);
        double length = BlasDouble::VVmult(column, column);
        if (longest < 0 || length > longestLength) {
            longest = j;
            longestLength = length;
        }
    }
    UVector<double> freed = modes.ColVector(longest);
    QuarnNumer::Vnorm(freed, 1.0);
    flagged[longest] = false;
    for (long j = 0; j < modes.GetRowDim(); j++) {
        if (!flagged[j]) continue;
        UVector<double> column = modes.ColVector(j);
        BlasDouble::VVadd(-BlasDouble::VVmult(column, freed), freed, column);
    }
}

void CopyColumn(UMatrix<double> const& from, long j, UMatrix<double>& to, long k)
{
    UVector<double> target = to.ColVector(k);
    Vcopy(from.ColVector(j), target);
}

// Eigenvalues of the mass-weighted Hessian as frequencies, imaginary ones negative.
void ToWavenumbers(UVector<double>& values)
{
    for (long i = 0; i < values.GetDim(); i++) {
        double e = values[i];
        values[i] = e >= 0.0 ? kFrequencyFactor * std::sqrt(e) : -kFrequencyFactor * std::sqrt(-e);
    }
}

// H(i, j) / sqrt(m(i/3) m(j/3)), m(a) the mass of atom a.
void WeightByMasses(UVector<UQAtomData> const& atoms, UMatrix<double>& h)
{
    for (long j = 0; j < h.GetRowDim(); j++)
        for (long i = 0; i < h.GetColDim(); i++)
            h(i, j) = h(i, j) / std::sqrt(atoms[i / 3].GetMass() * atoms[j / 3].GetMass());
}

// Mass-weighted eigenvectors back to Cartesian displacements: row i divided by sqrt(m(i/3)).
void ToDisplacements(UVector<UQAtomData> const& atoms, UMatrix<double>& modes)
{
    for (long j = 0; j < modes.GetRowDim(); j++)
        for (long i = 0; i < modes.GetColDim(); i++)
            modes(i, j) = modes(i, j) / std::sqrt(atoms[i / 3].GetMass());
}

// Mass weighting divides by the square root of every atom's mass.
bool HasPositiveFiniteMasses(UVector<UQAtomData> const& atoms)
{
    for (long a = 0; a < atoms.GetDim(); a++)
        if (!IsUsableMass(atoms[a].GetMass())) return false;
    return true;
}

}  // namespace

void AddVec(UMatrix<double>& m, UVector<double>& v, long& count)
{
    if (!TryNorm(v)) return;
    if (m.GetRowDim() <= count) RaiseError(cmQGeomInternal, sourceName, __LINE__);
    UVector<double> column = m.ColVector(count);
    Vcopy(v, column);
    count++;
}

long UQGeometryData::MakeVibrations(bool massWeight, bool project, bool truncate)
{
    if (!hasHessian) RaiseError(cmMissingData, sourceName, __LINE__);
    if ((massWeight || project) && !hasCoordinates) RaiseError(cmMissingData, sourceName, __LINE__);
    if (massWeight && !HasPositiveFiniteMasses(atoms))
        RaiseError(cmMissingData, sourceName, __LINE__);
    // The elements the analysis reads must be finite: the lower triangle that the eigensolver
    // takes, or all of them when the projection multiplies the whole matrix.
    if (!Blas::AllFinite(project ? Blas::LaMatGeneral : Blas::LaMatLower, hessian.GetColDim(),
                         hessian.GetRowDim(), hessian.GetConstData(), hessian.GetColSpace()))
        RaiseError(cmMissingData, sourceName, __LINE__);

    UMatrix<double> h(0, 0, -1);
    h.CloneContentsFrom(hessian);
    long n = h.GetRowDim();
    if (massWeight) WeightByMasses(atoms, h);
    MolShapeInfo info;
    if (project) {
        AnalyzeShape(info, massWeight, true, true);
        ProjectMatrix(info, h);
    }

    UVector<double> values(n, 1);
    LAPackDouble::SymMdiag(kEigenvectorsLower, h, values, Blas::defProgMon);
    long kept = project ? ProjectVibrations(info, h, values) : n;
    if (truncate && kept < n) {
        h.SetRowDim(kept);
        values.SetDim(kept);
    }
    if (massWeight) {
        ToWavenumbers(values);
        ToDisplacements(atoms, h);
    }
    SetVibrations(h);
    SetFrequencies(values);
    return kept;
}

long UQGeometryData::ProjectVibrations(MolShapeInfo& info, UMatrix<double>& modes,
                                       UVector<double>& values) const
{
    long n = values.GetDim();
    long k = info.rotationalDim + 3;
    ProjectVectors(info, modes);

    std::vector<bool> flagged(static_cast<size_t>(n));
    long f = 0;
    for (long j = 0; j < n; j++) {
        UVector<double> column = modes.ColVector(j);
        flagged[j] = BlasDouble::VVmult(column, column) < kRigidLength;
        if (flagged[j]) f++;
    }
    if (f < k) RaiseError(cmQGeomInternal, sourceName, __LINE__);
    for (; f > k; f--) FreeLongestFlagged(modes, flagged);

    UMatrix<double> sorted(modes.GetColDim(), n, -1);
    UVector<double> sortedValues(n, 1);  // the null modes keep 0
    long genuine = 0;
    for (long j = 0; j < n; j++) {
        if (flagged[j]) continue;
        CopyColumn(modes, j, sorted, genuine);
        sortedValues[genuine] = values[j];
        genuine++;
    }
    UMatrix<double> nulls(0, 0, -1);
    long z = MakeNullVibrations(info, nulls);
    if (z + genuine != n) RaiseError(cmQGeomInternal, sourceName, __LINE__);
    for (long j = 0; j < z; j++) CopyColumn(nulls, j, sorted, genuine + j);
    sorted.CopyTo(modes);
    sortedValues.CopyTo(values);
    return n - k;
}

long UQGeometryData::MakeNullVibrations(MolShapeInfo& info, UMatrix<double>& z) const
{
    long k = info.rotationalDim + 3;
    ZeroMatrix(z, 3 * dim, k);
    UMatrix<double> motions = RigidMotions(info);
    long count = 0;
    for (long c = 0; c < 6; c++) {
        UVector<double> motion = motions.ColVector(c);
        AddVec(z, motion, count);
    }
    if (count != k) RaiseError(cmQGeomInternal, sourceName, __LINE__);
    TransformVectorsInertialFrame(info, z, false);
    return k;
}
