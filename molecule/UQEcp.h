#pragma once
// Effective core potentials: terms, parts per angular momentum, named
// potentials and the molecule's set of them with its atom assignments.
#include "molecule/UQBasis.h"
#include "utilities/UMatVec.h"

// coefficient * r^n * exp(-exponent r^2)
class UEcpTerm {
public:
    UEcpTerm() : n(0), exponent(0.0), coefficient(0.0) {}
    UEcpTerm(long n, double exponent, double coefficient)
        : n(n), exponent(exponent), coefficient(coefficient)
    {
    }

    long n;
    double exponent;
    double coefficient;
};

class UEcpPart {
public:
    explicit UEcpPart(long l) : l(l), terms(0, 1) {}
    UEcpPart(UEcpPart const&) = delete;
    UEcpPart& operator=(UEcpPart const&) = delete;

    long Getl() const { return l; }
    void AddTerm(UEcpTerm const& t) { terms.Add(t); }
    UVector<UEcpTerm> const& GetTerms() const { return terms; }

private:
    long l;
    UVector<UEcpTerm> terms;
};

class UEcp {
public:
    UEcp(long coreElectrons, long lmax, const char* name);
    ~UEcp();
    UEcp(UEcp const&) = delete;
    UEcp& operator=(UEcp const&) = delete;

    long GetCoreElec() const { return coreElectrons; }
    long Getlmax() const { return lmax; }
    const char* GetName() const { return name; }
    // Takes ownership of p.
    void AddPart(UEcpPart* p) { parts.Add(p); }
    UPointerList<UEcpPart> const& GetParts() const { return parts; }

private:
    long lmax;
    long coreElectrons;
    UPointerList<UEcpPart> parts;
    char* name;
};

class UEcpSet {
public:
    UEcpSet() : matches(0, 1) {}
    ~UEcpSet();
    UEcpSet(UEcpSet const&) = delete;
    UEcpSet& operator=(UEcpSet const&) = delete;

    // Takes ownership of e.
    void AddEcp(UEcp* e) { ecps.Add(e); }
    UPointerList<UEcp> const& GetEcps() const { return ecps; }
    long GetDim() const { return ecps.GetDim(); }
    UEcp* GetEcp(long i) const { return ecps[i]; }

    void Add(long atom, long ecp) { matches.Add(UPair(atom, ecp)); }
    // Views on the set's own pairs.
    UVector<UPair> GetMatches() { return matches; }
    UVector<UPair> GetMatches() const { return matches; }
    void Clear();

    void MakeListForAtom(long atom, UVector<long>& list) const;
    void MakeListForEcp(long ecp, UVector<long>& list) const;
    // The potential of the atom's first pair, or -1.
    long FindAtom(long atom) const;
    // Index of the first potential of exactly that name, or -1.
    long Find(const char* name) const;

private:
    UPointerList<UEcp> ecps;
    UVector<UPair> matches;
};
