#include "molecule/UQGeom.h"

#include <cmath>

#include "molecule/UStrChem.h"
#include "molecule/ZeroFill.h"
#include "utilities/CustExcept.h"
#include "utilities/UStrUtilities.h"

namespace {

const char* const sourceName = "UQGeom";

UMatrix<double> EmptyMatrix() { return UMatrix<double>(0, 0, -1); }

}  // namespace

// ---- one atom ----

UQAtomData::UQAtomData(long atno) : atno(atno), mass(0.0)
{
    if (atno > 0) mass = pTable[atno].GetExactMass(-1.0);
}

UQAtomData::UQAtomData(const char* symbol) : atno(0), mass(0.0)
{
    UElement element = pTable.Find(symbol);
    if (!element.IsValid()) RaiseError(cmInvalidElement, sourceName, __LINE__);
    atno = element.GetCharge();
    mass = element.GetExactMass(-1.0);
}

void UQAtomData::SetAtno(long z)
{
    if (z == atno) return;
    // The mass is looked up first, so an invalid number leaves the atom as it was.
    if (z > 0) mass = pTable[z].GetExactMass(-1.0);
    atno = z;
}

void UQAtomData::SetMass(double m) { mass = pTable[atno].GetExactMass(m); }

// ---- the record ----

UQGeometryData::UQGeometryData()
    : atoms(0, 1), hessian(EmptyMatrix()), vibrations(EmptyMatrix()), alpha(EmptyMatrix()),
      beta(EmptyMatrix()), mos(EmptyMatrix()), frequencies(0, 1), eAlpha(0, 1), eBeta(0, 1),
      e(0, 1), oAlpha(0, 1), oBeta(0, 1), o(0, 1), energy(0.0), dim(0), hasCoordinates(false),
      hasEnergy(false), hasGradients(false), hasHessian(false), hasFrequencies(false),
      hasVibrations(false), hasConvInfo(false), negEigvals(-1), basis(new UBasisSet(btNone)),
      ecp(new UEcpSet())
{
}

UQGeometryData::~UQGeometryData()
{
    delete basis;
    basis = nullptr;
    delete ecp;
    ecp = nullptr;
}

void UQGeometryData::SetEnergy(double value)
{
    energy = value;
    hasEnergy = true;
}

void UQGeometryData::CheckIndex(long i, int line) const
{
    if (i < 0 || i >= dim) RaiseError(umIndexOutOfRange, sourceName, line);
}

void UQGeometryData::AppendAtom(UQAtomData const& atom, bool coordinates, bool gradients)
{
    atoms.Add(atom);
    dim = atoms.GetDim();
    hasCoordinates = coordinates;
    hasGradients = gradients;
    ClearHessian();
    ClearVibFreq();
}

void UQGeometryData::AddAtom(long atno) { AppendAtom(UQAtomData(atno), false, false); }

void UQGeometryData::AddAtom(const char* symbol) { AppendAtom(UQAtomData(symbol), false, false); }

void UQGeometryData::AddCoordinates(long atno, V3 const& r)
{
    UQAtomData atom(atno);
    atom.SetCoord(r);
    AppendAtom(atom, true, false);
}

void UQGeometryData::AddCoordinates(const char* symbol, V3 const& r)
{
    UQAtomData atom(symbol);
    atom.SetCoord(r);
    AppendAtom(atom, true, false);
}

void UQGeometryData::AddGradients(long atno, V3 const& g)
{
    UQAtomData atom(atno);
    atom.SetGrad(g);
    AppendAtom(atom, false, true);
}

void UQGeometryData::AddGradients(const char* symbol, V3 const& g)
{
    UQAtomData atom(symbol);
    atom.SetGrad(g);
    AppendAtom(atom, false, true);
}

void UQGeometryData::SetAtom(long i, long atno)
{
    CheckIndex(i, __LINE__);
    atoms[i].SetAtno(atno);
}

void UQGeometryData::SetAtom(long i, const char* symbol)
{
    CheckIndex(i, __LINE__);
    UQAtomData atom(symbol);
    atoms[i].SetAtno(atom.GetAtno());
}

void UQGeometryData::SetCoordinates(long i, V3 const& r)
{
    CheckIndex(i, __LINE__);
    atoms[i].SetCoord(r);
    hasCoordinates = true;
}

void UQGeometryData::SetGradients(long i, V3 const& g)
{
    CheckIndex(i, __LINE__);
    atoms[i].SetGrad(g);
    hasGradients = true;
}

void UQGeometryData::SetMass(long i, double const& m)
{
    CheckIndex(i, __LINE__);
    atoms[i].SetMass(m);
}

void UQGeometryData::GetCoordinates(UVector<double>& v) const
{
    v.SetDim(3 * dim);
    for (long i = 0; i < dim; i++)
        for (long k = 0; k < 3; k++) v[3 * i + k] = atoms[i].GetCoord()[k];
}

void UQGeometryData::GetGradients(UVector<double>& v) const
{
    v.SetDim(3 * dim);
    for (long i = 0; i < dim; i++)
        for (long k = 0; k < 3; k++) v[3 * i + k] = atoms[i].GetGrad()[k];
}

void UQGeometryData::SetCoordinates(UVector<double> const& v)
{
    // Reading past a short vector would take garbage for coordinates.
    if (v.GetDim() < 3 * dim) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    for (long i = 0; i < dim; i++) SetCoordinates(i, V3(v[3 * i], v[3 * i + 1], v[3 * i + 2]));
}

void UQGeometryData::SetGradients(UVector<double> const& v)
{
    if (v.GetDim() < 3 * dim) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    for (long i = 0; i < dim; i++) SetGradients(i, V3(v[3 * i], v[3 * i + 1], v[3 * i + 2]));
}

UMatrix<double> UQGeometryData::GetHessian() const
{
    if (!hasHessian && (hessian.GetColDim() != 3 * dim || hessian.GetRowDim() != 3 * dim))
        ZeroMatrix(hessian, 3 * dim, 3 * dim);
    return hessian;
}

UMatrix<double> UQGeometryData::GetVibrations() const
{
    if (!hasVibrations && (vibrations.GetColDim() != 3 * dim || vibrations.GetRowDim() != 3 * dim))
        ZeroMatrix(vibrations, 3 * dim, 3 * dim);
    return vibrations;
}

UVector<double> UQGeometryData::GetFrequencies() const
{
    if (!hasFrequencies && frequencies.GetDim() != 3 * dim) ZeroVector(frequencies, 3 * dim);
    return frequencies;
}

void UQGeometryData::AdoptDim(long n)
{
    dim = n;
    atoms.SetDim(n);
}

void UQGeometryData::SetHessian(UMatrix<double> const& h)
{
    long size = h.GetColDim();
    if (size != h.GetRowDim()) RaiseError(umNotSquare, sourceName, __LINE__);
    if (dim > 0 && size != 3 * dim) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    if (dim == 0) {
        if (size % 3 != 0) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
        AdoptDim(size / 3);
    }
    hessian.CloneContentsFrom(h);
    hasHessian = true;
}

void UQGeometryData::SetVibrations(UMatrix<double> const& m)
{
    long rows = m.GetColDim();
    if (dim > 0 && rows != 3 * dim) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    if (dim == 0) {
        if (rows % 3 != 0) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
        AdoptDim(rows / 3);
    }
    vibrations.CloneContentsFrom(m);
    hasVibrations = true;
}

void UQGeometryData::SetFrequencies(UVector<double> const& f)
{
    long n = f.GetDim();
    if (dim > 0 && (n < 3 * dim - 6 || n > 3 * dim))
        RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    if (dim == 0) AdoptDim((n + 2) / 3);
    frequencies.CloneContentsFrom(f);
    hasFrequencies = true;
}

void UQGeometryData::MakeDefaultHessian()
{
    UMatrix<double> identity(3 * dim, 3 * dim, -1);
    Mset(identity, 0.0, 1.0);
    SetHessian(identity);
}

void UQGeometryData::ClearHessian()
{
    hessian.Clear();
    hasHessian = false;
}

void UQGeometryData::ClearVibFreq()
{
    vibrations.Clear();
    frequencies.Clear();
    hasVibrations = false;
    hasFrequencies = false;
}

// ---- orbitals ----

UVector<double>& UQGeometryData::Energies(OrbitalType t, int line) const
{
    switch (t) {
    case otRestricted:
        return e;
    case otAlpha:
        return eAlpha;
    case otBeta:
        return eBeta;
    }
    RaiseError(cmMissingData, sourceName, line);
}

UVector<double>& UQGeometryData::Occupations(OrbitalType t, int line) const
{
    switch (t) {
    case otRestricted:
        return o;
    case otAlpha:
        return oAlpha;
    case otBeta:
        return oBeta;
    }
    RaiseError(cmMissingData, sourceName, line);
}

UMatrix<double>* UQGeometryData::Coefficients(OrbitalType t) const
{
    switch (t) {
    case otRestricted:
        return &mos;
    case otAlpha:
        return &alpha;
    case otBeta:
        return &beta;
    }
    return nullptr;
}

UVector<double> UQGeometryData::GetE(OrbitalType t) const { return Energies(t, __LINE__); }

UVector<double> UQGeometryData::GetO(OrbitalType t) const { return Occupations(t, __LINE__); }

UMatrix<double> UQGeometryData::GetMos(OrbitalType t) const
{
    UMatrix<double>* m = Coefficients(t);
    if (!m) RaiseError(cmMissingData, sourceName, __LINE__);
    return *m;
}

void UQGeometryData::SetE(UVector<double> const& values, OrbitalType t)
{
    UVector<double>& energies = Energies(t, __LINE__);
    UVector<double>& occupations = Occupations(t, __LINE__);
    energies.CloneContentsFrom(values);
    if (occupations.GetDim() < energies.GetDim()) {
        UVector<double> kept(0, 1);
        kept.CloneContentsFrom(occupations);
        SetO(kept, t);
    }
}

void UQGeometryData::SetO(UVector<double> const& values, OrbitalType t)
{
    UVector<double>& energies = Energies(t, __LINE__);
    UVector<double>& occupations = Occupations(t, __LINE__);
    UVector<double> padded(0, 1);
    padded.CloneContentsFrom(values);
    while (padded.GetDim() < energies.GetDim()) padded.Add(0.0);
    occupations.CloneContentsFrom(padded);
}

void UQGeometryData::SetMos(UMatrix<double> const& m, OrbitalType t)
{
    UMatrix<double>* target = Coefficients(t);
    if (target) target->CloneContentsFrom(m);
}

void UQGeometryData::SetMos(UMatrix<double>&& m, OrbitalType t)
{
    UMatrix<double>* target = Coefficients(t);
    if (target) target->TakeContentsFrom(std::move(m));
}

bool UQGeometryData::GetHasMos(OrbitalType t) const
{
    UMatrix<double>* m = Coefficients(t);
    return m && m->GetColDim() > 0;
}

bool UQGeometryData::GetIsUnrestricted() const
{
    return (eAlpha.GetDim() > 0 && e.GetDim() == 0) ||
           (alpha.GetColDim() > 0 && mos.GetColDim() == 0);
}

void UQGeometryData::MixMos(long i, long j, double c, OrbitalType t)
{
    UMatrix<double> m = GetMos(t);
    double s = std::sqrt(1.0 - c * c);
    for (long k = 0; k < m.GetColDim(); k++) {
        double a = s * m(k, i) + c * m(k, j);
        double b = c * m(k, i) - s * m(k, j);
        m(k, i) = a;
        m(k, j) = b;
    }
}

void UQGeometryData::ClearOrbitals()
{
    mos.Clear();
    alpha.Clear();
    beta.Clear();
    e.Clear();
    eAlpha.Clear();
    eBeta.Clear();
    o.Clear();
    oAlpha.Clear();
    oBeta.Clear();
}

// ---- convergence information ----

void UQGeometryData::SetNegEigvals(long n)
{
    negEigvals = n;
    hasConvInfo = true;
}

void UQGeometryData::SetAverageStep(const char* s)
{
    averageStep = s;
    hasConvInfo = true;
}

void UQGeometryData::SetMaximumStep(const char* s)
{
    maximumStep = s;
    hasConvInfo = true;
}

void UQGeometryData::SetAverageGradient(const char* s)
{
    averageGradient = s;
    hasConvInfo = true;
}

void UQGeometryData::SetMaximumGradient(const char* s)
{
    maximumGradient = s;
    hasConvInfo = true;
}

void UQGeometryData::SetEnergyChange(const char* s)
{
    energyChange = s;
    hasConvInfo = true;
}

void UQGeometryData::SetAverageConstraint(const char* s)
{
    averageConstraint = s;
    hasConvInfo = true;
}

void UQGeometryData::SetMaximumConstraint(const char* s)
{
    maximumConstraint = s;
    hasConvInfo = true;
}

long UQGeometryData::GetNegEigvals() const
{
    if (!hasConvInfo) RaiseError(cmMissingData, sourceName, __LINE__);
    return negEigvals;
}

const char* UQGeometryData::ConvText(UString const& s, int line) const
{
    if (!hasConvInfo) RaiseError(cmMissingData, sourceName, line);
    return s.c_str();
}

const char* UQGeometryData::GetAverageStep() const { return ConvText(averageStep, __LINE__); }

const char* UQGeometryData::GetMaximumStep() const { return ConvText(maximumStep, __LINE__); }

const char* UQGeometryData::GetAverageGradient() const
{
    return ConvText(averageGradient, __LINE__);
}

const char* UQGeometryData::GetMaximumGradient() const
{
    return ConvText(maximumGradient, __LINE__);
}

const char* UQGeometryData::GetEnergyChange() const { return ConvText(energyChange, __LINE__); }

const char* UQGeometryData::GetAverageConstraint() const
{
    return ConvText(averageConstraint, __LINE__);
}

const char* UQGeometryData::GetMaximumConstraint() const
{
    return ConvText(maximumConstraint, __LINE__);
}

void UQGeometryData::ClearConvInfo()
{
    hasConvInfo = false;
    averageStep = "";
    maximumStep = "";
    averageGradient = "";
    maximumGradient = "";
    energyChange = "";
    averageConstraint = "";
    maximumConstraint = "";
    negEigvals = -1;
}

// ---- whole record ----

void UQGeometryData::SetDim(long n)
{
    if (n < 0) RaiseError(cmInvalidDimension, sourceName, __LINE__);
    if (dim != 0 && dim != n) {
        ClearHessian();
        ClearVibFreq();
        ClearAtoms();
    }
    if (dim == n) return;
    dim = n;
    atoms.SetDim(n);
    hessian.SetColDim(3 * n);
    hessian.SetRowDim(3 * n);
    Mset(hessian, 0.0);
    ZeroVector(frequencies, 3 * n);
    ZeroMatrix(vibrations, 3 * n, 3 * n);
}

void UQGeometryData::ClearAtoms()
{
    atoms.Clear();
    hasCoordinates = false;
    hasGradients = false;
}

void UQGeometryData::ClearBasis() { basis->Clear(); }

void UQGeometryData::ClearEcp() { ecp->Clear(); }

void UQGeometryData::ClearAll()
{
    hasEnergy = false;
    hasCoordinates = false;
    hasGradients = false;
    hasHessian = false;
    hasFrequencies = false;
    hasVibrations = false;
    ClearConvInfo();
    ClearBasis();
    ClearEcp();
    ClearOrbitals();
    SetDim(0);
}

void UQGeometryData::MakeElementList(UVector<long>& list) const
{
    list.SetDim(0);
    for (long i = 0; i < dim; i++) {
        long z = atoms[i].GetAtno();
        bool known = false;
        for (long k = 0; k < list.GetDim() && !known; k++) known = list[k] == z;
        if (!known) list.Add(z);
    }
}
