#pragma once
// The molecule record that every reader fills and every writer reads.
#include <cstdint>

#include "molecule/MolShapeInfo.h"
#include "molecule/MolThermoInfo.h"
#include "molecule/UAtCoord.h"
#include "molecule/UQBasis.h"
#include "molecule/UQEcp.h"
#include "utilities/UMatVec.h"
#include "utilities/UString.h"

enum OrbitalType : int32_t { otRestricted = 0, otAlpha = 1, otBeta = 2 };

// One atom: atomic number, isotope mass, coordinates and gradient.
class UQAtomData {
public:
    UQAtomData() : atno(0), mass(0.0) {}
    // The default isotope mass of element atno (none for atno <= 0).
    explicit UQAtomData(long atno);
    // The element of that symbol; an unknown symbol raises 25005.
    explicit UQAtomData(const char* symbol);

    long GetAtno() const { return atno; }
    double GetMass() const { return mass; }
    V3 GetCoord() const { return coord; }
    V3 GetGrad() const { return grad; }
    void SetCoord(V3 const& r) { coord = r; }
    void SetGrad(V3 const& g) { grad = g; }
    // A new positive number also brings that element's default mass.
    void SetAtno(long z);
    // The exact mass of isotope m of the atom's element (see GetExactMass).
    void SetMass(double m);

private:
    long atno;
    double mass;
    V3 coord;
    V3 grad;
};

// Getters that return a UVector or UMatrix hand out views on the record's own
// storage; setters that take one store a copy.
class UQGeometryData {
public:
    UQGeometryData();
    ~UQGeometryData();
    UQGeometryData(UQGeometryData const&) = delete;
    UQGeometryData& operator=(UQGeometryData const&) = delete;

    bool GetHasCoordinates() const { return hasCoordinates; }
    void SetHasCoordinates(bool b) { hasCoordinates = b; }
    bool GetHasEnergy() const { return hasEnergy; }
    void SetHasEnergy(bool b) { hasEnergy = b; }
    bool GetHasGradients() const { return hasGradients; }
    void SetHasGradients(bool b) { hasGradients = b; }
    bool GetHasHessian() const { return hasHessian; }
    void SetHasHessian(bool b) { hasHessian = b; }
    bool GetHasFrequencies() const { return hasFrequencies; }
    void SetHasFrequencies(bool b) { hasFrequencies = b; }
    bool GetHasVibrations() const { return hasVibrations; }
    void SetHasVibrations(bool b) { hasVibrations = b; }
    bool GetHasConvInfo() const { return hasConvInfo; }
    void SetHasConvInfo(bool b) { hasConvInfo = b; }
    bool GetHasBasis() const { return basis->GetBasisType() != btNone; }
    bool GetHasEcp() const { return ecp->GetDim() != 0; }

    // Owned by the record; never delete them.
    UBasisSet* GetBasis() const { return basis; }
    UEcpSet* GetEcp() const { return ecp; }

    long GetDim() const { return dim; }
    double GetEnergy() const { return energy; }
    void SetEnergy(double e);
    UVector<UQAtomData> GetAtomData() const { return atoms; }

    // Appending an atom drops the Hessian, modes and frequencies.
    void AddAtom(long atno);
    void AddAtom(const char* symbol);
    void AddCoordinates(long atno, V3 const& r);
    void AddCoordinates(const char* symbol, V3 const& r);
    void AddGradients(long atno, V3 const& g);
    void AddGradients(const char* symbol, V3 const& g);
    // Per-atom setters; an index outside 0..N-1 raises 21055.
    void SetAtom(long i, long atno);
    void SetAtom(long i, const char* symbol);
    void SetCoordinates(long i, V3 const& r);
    void SetGradients(long i, V3 const& g);
    void SetMass(long i, double const& m);

    // Flat 3N vectors, element 3i + k is component k of atom i.
    void GetCoordinates(UVector<double>& v) const;
    void GetGradients(UVector<double>& v) const;
    void SetCoordinates(UVector<double> const& v);
    void SetGradients(UVector<double> const& v);

    // While the matching flag is false these hand out zeros of size 3N, to be
    // filled in place.
    UMatrix<double> GetHessian() const;
    UMatrix<double> GetVibrations() const;
    UVector<double> GetFrequencies() const;
    // On an empty record the size fixes the atom count.
    void SetHessian(UMatrix<double> const& h);
    void SetVibrations(UMatrix<double> const& m);
    void SetFrequencies(UVector<double> const& f);
    void MakeDefaultHessian();
    void ClearHessian();
    void ClearVibFreq();

    // Orbitals: coefficient matrices hold one row per basis function and one
    // column per orbital. A type outside 0..2 raises 25007.
    UVector<double> GetE(OrbitalType t) const;
    UVector<double> GetE() const { return GetE(otRestricted); }
    UVector<double> GetEAlpha() const { return GetE(otAlpha); }
    UVector<double> GetEBeta() const { return GetE(otBeta); }
    UVector<double> GetO(OrbitalType t) const;
    UVector<double> GetO() const { return GetO(otRestricted); }
    UVector<double> GetOAlpha() const { return GetO(otAlpha); }
    UVector<double> GetOBeta() const { return GetO(otBeta); }
    UMatrix<double> GetMos(OrbitalType t) const;
    UMatrix<double> GetMos() const { return GetMos(otRestricted); }
    UMatrix<double> GetAlpha() const { return GetMos(otAlpha); }
    UMatrix<double> GetBeta() const { return GetMos(otBeta); }
    // Occupations are padded with zeros to the number of energies.
    void SetE(UVector<double> const& e, OrbitalType t);
    void SetE(UVector<double> const& e) { SetE(e, otRestricted); }
    void SetEAlpha(UVector<double> const& e) { SetE(e, otAlpha); }
    void SetEBeta(UVector<double> const& e) { SetE(e, otBeta); }
    void SetO(UVector<double> const& o, OrbitalType t);
    void SetO(UVector<double> const& o) { SetO(o, otRestricted); }
    void SetOAlpha(UVector<double> const& o) { SetO(o, otAlpha); }
    void SetOBeta(UVector<double> const& o) { SetO(o, otBeta); }
    // A type outside 0..2 stores nothing.
    void SetMos(UMatrix<double> const& m, OrbitalType t);
    void SetMos(UMatrix<double> const& m) { SetMos(m, otRestricted); }
    // Takes over m's storage when m owns it, so a large matrix is held once.
    void SetMos(UMatrix<double>&& m, OrbitalType t);
    void SetAlpha(UMatrix<double> const& m) { SetMos(m, otAlpha); }
    void SetBeta(UMatrix<double> const& m) { SetMos(m, otBeta); }
    bool GetHasMos(OrbitalType t) const;
    bool GetHasMos() const { return GetHasMos(otRestricted); }
    bool GetHasAlpha() const { return GetHasMos(otAlpha); }
    bool GetHasBeta() const { return GetHasMos(otBeta); }
    bool GetIsUnrestricted() const;
    // Rotates orbitals i and j by c = cos of the angle; nothing is tested.
    void MixMos(long i, long j, double c, OrbitalType t);
    void ClearOrbitals();

    // Convergence figures of an optimisation step; the getters raise 25007
    // while the record holds none.
    void SetNegEigvals(long n);
    void SetAverageStep(const char* s);
    void SetMaximumStep(const char* s);
    void SetAverageGradient(const char* s);
    void SetMaximumGradient(const char* s);
    void SetEnergyChange(const char* s);
    void SetAverageConstraint(const char* s);
    void SetMaximumConstraint(const char* s);
    long GetNegEigvals() const;
    const char* GetAverageStep() const;
    const char* GetMaximumStep() const;
    const char* GetAverageGradient() const;
    const char* GetMaximumGradient() const;
    const char* GetEnergyChange() const;
    const char* GetAverageConstraint() const;
    const char* GetMaximumConstraint() const;
    void ClearConvInfo();

    // A new atom count drops the atoms and second-derivative data and leaves
    // n default atoms with zero Hessian, modes and frequencies.
    void SetDim(long n);
    void ClearAtoms();
    void ClearBasis();
    void ClearEcp();
    void ClearAll();
    // The atomic numbers in order of first appearance.
    void MakeElementList(UVector<long>& list) const;

    // Shape analysis: centre, principal moments and axes, and the projector
    // that removes translations and rotations in the principal-axes frame.
    void AnalyzeShape(MolShapeInfo& info, bool massWeighted, bool removeTranslations,
                      bool removeRotations) const;
    // Each triple of components (3 per atom) turned into the principal-axes
    // frame (toFrame) or back.
    void TransformVectorInertialFrame(MolShapeInfo& info, UVector<double>& v, bool toFrame) const;
    void TransformVectorsInertialFrame(MolShapeInfo& info, UMatrix<double>& m, bool toFrame) const;
    // Every 3 x 3 block of a 3N x 3N matrix turned into the frame or back.
    void TransformMatrixInertialFrame(MolShapeInfo& info, UMatrix<double>& h, bool toFrame) const;
    // Translations and rotations removed from Cartesian vectors and matrices.
    void ProjectVector(MolShapeInfo& info, UVector<double>& v) const;
    void ProjectVectors(MolShapeInfo& info, UMatrix<double>& m) const;
    void ProjectMatrix(MolShapeInfo& info, UMatrix<double>& h) const;

    // Frequencies (cm-1 when mass-weighted) and normal modes from the Hessian,
    // stored in the record; returns the number of genuine vibrations. Needs
    // the Hessian, finite where it is read, the coordinates for weighting or
    // projection and positive, finite masses for weighting (25007 before any
    // work otherwise).
    long MakeVibrations(bool massWeight, bool project, bool truncate);
    // Eigenvectors of the projected Hessian sorted into genuine vibrations
    // followed by the exact null modes; returns the number of vibrations.
    long ProjectVibrations(MolShapeInfo& info, UMatrix<double>& modes,
                           UVector<double>& values) const;
    // The normalised translations and rotations as the columns of z; returns
    // their number.
    long MakeNullVibrations(MolShapeInfo& info, UMatrix<double>& z) const;
    // nu, or a smooth replacement that tends to floor for nu up to floor + 1.
    double ModifyFrequency(long i, double nu, double floor, bool quiet) const;
    // Fills the outputs of info from the frequencies, masses and moments. Needs
    // atoms of positive, finite total mass (25007 before any work otherwise).
    void AnalyzeThermo(MolThermoInfo& info, bool quiet) const;

private:
    // Weight of atom a in the shape analysis.
    double ShapeWeight(long a, bool massWeighted) const;
    // The three translations and three rotations in the principal-axes frame
    // (3N x 6, weighted, not normalised); a rotation about an axis of
    // vanishing moment is zero.
    UMatrix<double> RigidMotions(MolShapeInfo& info) const;
    void CheckIndex(long i, int line) const;
    void AppendAtom(UQAtomData const& atom, bool coordinates, bool gradients);
    // Fixes the atom count from a size when the record has none yet.
    void AdoptDim(long n);
    UVector<double>& Energies(OrbitalType t, int line) const;
    UVector<double>& Occupations(OrbitalType t, int line) const;
    UMatrix<double>* Coefficients(OrbitalType t) const;
    const char* ConvText(UString const& s, int line) const;

    UVector<UQAtomData> atoms;
    mutable UMatrix<double> hessian;
    mutable UMatrix<double> vibrations;
    mutable UMatrix<double> alpha;
    mutable UMatrix<double> beta;
    mutable UMatrix<double> mos;
    mutable UVector<double> frequencies;
    mutable UVector<double> eAlpha;
    mutable UVector<double> eBeta;
    mutable UVector<double> e;
    mutable UVector<double> oAlpha;
    mutable UVector<double> oBeta;
    mutable UVector<double> o;
    double energy;
    long dim;
    bool hasCoordinates;
    bool hasEnergy;
    bool hasGradients;
    bool hasHessian;
    bool hasFrequencies;
    bool hasVibrations;
    bool hasConvInfo;
    UString averageStep;
    UString maximumStep;
    UString averageGradient;
    UString maximumGradient;
    UString energyChange;
    UString averageConstraint;
    UString maximumConstraint;
    long negEigvals;
    UBasisSet* basis;
    UEcpSet* ecp;
};
