#pragma once
// The molecule's basis set: named Gaussian or Slater atom bases and the pairs
// that assign them to atoms.
#include <cstdint>
#include <vector>

#include "molecule/UQGauss.h"
#include "molecule/UQSlater.h"
#include "utilities/UMatVec.h"

enum BasisType : int32_t { btNone = 0, btGaussian = 1, btSlater = 2 };

// Form of the d or f functions; bfNone only as a result of the Test operations.
enum BasFuncType : int32_t { bfNone = 0, bfCartesian = 1, bfHarmonic = 2 };

// An atom of the molecule and an entry of a basis or core-potential set.
class UPair {
public:
    UPair() : atom(0), entry(0) {}
    UPair(long atom, long entry) : atom(atom), entry(entry) {}

    long atom;
    long entry;
};

// Empty list, then the entries paired with atom, or the atoms paired with
// entry, in pair order.
void EntriesOfAtom(UVector<UPair> const& pairs, long atom, UVector<long>& list);
void AtomsOfEntry(UVector<UPair> const& pairs, long entry, UVector<long>& list);
// The entries of each atom 0 to atoms - 1 in pair order, gathered in one pass
// (a list per atom costs a pass over all pairs); other atoms are left out.
std::vector<std::vector<long>> EntriesByAtom(UVector<UPair> const& pairs, long atoms);

class UBasisSet {
public:
    // d and f start spherical, as in Turbomole unless told otherwise.
    explicit UBasisSet(BasisType t);
    ~UBasisSet();
    UBasisSet(UBasisSet const&) = delete;
    UBasisSet& operator=(UBasisSet const&) = delete;

    BasisType GetBasisType() const { return type; }
    void SetBasisType(BasisType t) { type = t; }
    // Back to no basis; the declared d and f forms stay.
    void Clear();

    BasFuncType GetdFuncType() const { return dFuncType; }
    void SetdFuncType(BasFuncType t) { dFuncType = t; }
    BasFuncType GetfFuncType() const { return fFuncType; }
    void SetfFuncType(BasFuncType t) { fFuncType = t; }
    // Declare the form and retag the shells of a Gaussian set to it.
    void ChangedFuncType(BasFuncType t);
    void ChangefFuncType(BasFuncType t);
    // The form the shells actually have; mixed forms raise 25018.
    BasFuncType TestdFuncType() const;
    BasFuncType TestfFuncType() const;

    long GetDim() const;         // atom bases of the set's kind
    long GetAtomDim() const;     // 1 + the largest atom of the pairs
    long GetOrbitalDim() const;  // basis functions of all assigned atoms

    // Take ownership of a unless the set holds the other kind (25018).
    void Add(UGaussianAtom* a);
    void Add(USlaterAtom* a);
    UGaussianAtom* GetGaussian(long i) { return gaussians[i]; }
    UGaussianAtom const* GetGaussian(long i) const { return gaussians[i]; }
    USlaterAtom* GetSlater(long i) { return slaters[i]; }
    USlaterAtom const* GetSlater(long i) const { return slaters[i]; }

    // Slater sets only (25018 otherwise).
    void ClearPrims();
    void ClearShells();
    void MakeShellsFromPrims();
    void MakePrimsFromShells();
    bool GetHasPrims() const;
    bool GetHasShells() const;

    void Add(long atom, long entry) { matches.Add(UPair(atom, entry)); }
    void MakeListForAtom(long atom, UVector<long>& list) const;
    void MakeListForShell(long entry, UVector<long>& list) const;
    // Index of the first atom basis of exactly that name, or -1.
    long Find(const char* name) const;
    // Views on the set's own pairs.
    UVector<UPair> GetMatches() { return matches; }
    UVector<UPair> GetMatches() const { return matches; }

private:
    void BecomeSlater();

    UPointerList<UGaussianAtom> gaussians;
    UPointerList<USlaterAtom> slaters;
    UVector<UPair> matches;
    BasisType type;
    BasFuncType dFuncType;
    BasFuncType fFuncType;
};
