#pragma once
// Slater basis sets: primitives, shells and the named atom basis that holds both.
#include "utilities/UMatVec.h"

// x^nx y^ny z^nz r^nr exp(-exponent r).
class USlaterPrimitive {
public:
    USlaterPrimitive() : nx(0), ny(0), nz(0), nr(0), exponent(0.0), core(false) {}
    USlaterPrimitive(long nx, long ny, long nz, long nr, double exponent, bool core)
        : nx(nx), ny(ny), nz(nz), nr(nr), exponent(exponent), core(core)
    {
    }

    long Getn() const { return nx + ny + nz + nr + 1; }  // principal quantum number
    long Getl() const { return nx + ny + nz; }
    // The integral of the squared primitive over all space.
    double GetNorm() const;

    long nx;
    long ny;
    long nz;
    long nr;
    double exponent;
    bool core;
};

class USlaterShell {
public:
    USlaterShell() : n(0), l(0), exponent(0.0), core(false) {}
    USlaterShell(long n, long l, double exponent, bool core)
        : n(n), l(l), exponent(exponent), core(core)
    {
    }

    long n;
    long l;
    double exponent;
    bool core;
};

// A triple of Cartesian powers, read as a number in base l + 1.
class UTripel {
public:
    explicit UTripel(long l) : nx(l), ny(0), nz(0), started(false) {}
    UTripel(long nx, long ny, long nz) : nx(nx), ny(ny), nz(nz), started(false) {}

    long Getl() const { return nx + ny + nz; }
    long GetVal() const;
    long GetMaxVal() const;
    // Steps through every triple of the same sum, starting with the one the
    // triple was built with and going on in descending x, then y; false
    // once they are used up.
    bool Next();

    long nx;
    long ny;
    long nz;

private:
    bool started;
};

class USlaterAtom {
public:
    explicit USlaterAtom(const char* name);
    ~USlaterAtom();
    USlaterAtom(USlaterAtom const&) = delete;
    USlaterAtom& operator=(USlaterAtom const&) = delete;

    const char* GetName() const { return name; }
    void Add(USlaterPrimitive const& p) { prims.Add(p); }
    void Add(USlaterShell const& s) { shells.Add(s); }
    UVector<USlaterPrimitive> const& GetPrims() const { return prims; }
    UVector<USlaterShell> const& GetShells() const { return shells; }
    void ClearPrims() { prims.Clear(); }
    void ClearShells() { shells.Clear(); }
    bool GetHasPrims() const { return prims.GetDim() > 0; }
    bool GetHasShells() const { return shells.GetDim() > 0; }

    // One shell per distinct n and l of the primitives, taken from the first.
    void MakeShellsFromPrims();
    // Every Cartesian primitive of every shell, then sorted (core first).
    void MakePrimsFromShells();
    // Orders the primitives of one core flag within equal n and l by their triple.
    void SortPrimitives(bool core);

    long GetCore() const;  // core electrons
    long GetMaxl() const;

private:
    char* name;
    UVector<USlaterPrimitive> prims;
    UVector<USlaterShell> shells;
};
