#pragma once
// Gaussian atom bases: contracted shells of primitives.
#include <cstdint>

#include "utilities/UMatVec.h"

enum ShellType : int32_t {
    stS = 0,
    stP = 1,
    stSP = 2,
    stD5 = 3,   // spherical harmonic d
    stD6 = 4,   // Cartesian d
    stF7 = 5,   // spherical harmonic f
    stF10 = 6,  // Cartesian f
    stG = 7
};

// Number of basis functions of a shell of type t; 0 for a type outside stS..stG.
long ShellDim(ShellType t);

bool LessThan(ShellType a, ShellType b);

class UGaussianPrimitive {
public:
    UGaussianPrimitive() : exponent(0.0), coefficient(0.0), coefficient2(0.0) {}
    UGaussianPrimitive(double exponent, double coefficient, double coefficient2)
        : exponent(exponent), coefficient(coefficient), coefficient2(coefficient2)
    {
    }

    double exponent;
    double coefficient;   // the s coefficient of an sp shell
    double coefficient2;  // the p coefficient of an sp shell, else 0
};

class UGaussianShell {
public:
    explicit UGaussianShell(ShellType t) : type(t), prims(0, 1) {}
    UGaussianShell(UGaussianShell const&) = delete;
    UGaussianShell& operator=(UGaussianShell const&) = delete;

    ShellType GetType() const { return type; }
    void SetType(ShellType t) { type = t; }
    UVector<UGaussianPrimitive>& GetPrim() { return prims; }
    UVector<UGaussianPrimitive> const& GetPrim() const { return prims; }
    void Add(UGaussianPrimitive const& p) { prims.Add(p); }

private:
    ShellType type;
    UVector<UGaussianPrimitive> prims;
};

// One named Gaussian basis, e.g. the set a basis file gives for an element.
class UGaussianAtom {
public:
    explicit UGaussianAtom(const char* name);
    ~UGaussianAtom();
    UGaussianAtom(UGaussianAtom const&) = delete;
    UGaussianAtom& operator=(UGaussianAtom const&) = delete;

    const char* GetName() const { return name; }
    UPointerList<UGaussianShell>& GetShells() { return shells; }
    UPointerList<UGaussianShell> const& GetShells() const { return shells; }
    // Takes ownership of s.
    void Add(UGaussianShell* s) { shells.Add(s); }
    // Stable sort by ascending shell type.
    void SortShells();

private:
    char* name;
    UPointerList<UGaussianShell> shells;
};
