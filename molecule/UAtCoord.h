#pragma once
// Three-vectors and the periodic table of the elements.
#include "utilities/UMatVec.h"

// A point, gradient or direction in Cartesian space (bohr).
class V3 {
public:
    V3() : x(0.0), y(0.0), z(0.0) {}
    V3(double x, double y, double z) : x(x), y(y), z(z) {}
    // v must hold exactly three elements (21003 otherwise).
    V3(UVector<double> const& v);

    double Getx() const { return x; }
    double Gety() const { return y; }
    double Getz() const { return z; }
    // Component i (0 x, 1 y, 2 z); the index is not tested.
    double& operator[](long i) { return i == 0 ? x : (i == 1 ? y : z); }
    double const& operator[](long i) const { return i == 0 ? x : (i == 1 ? y : z); }

    V3& operator+=(V3 const& a);
    V3& operator-=(V3 const& a);
    V3& operator*=(double f);
    V3& operator/=(double f);

    double GetNorm() const;

    double x;
    double y;
    double z;
};

void VecFromV3(UVector<double>& v, V3 const& a);

V3 operator+(V3 const& a, V3 const& b);
V3 operator-(V3 const& a, V3 const& b);
V3 operator-(V3 const& a);
V3 operator*(V3 const& a, double f);
V3 operator*(double f, V3 const& a);
V3 operator/(V3 const& a, double f);

double Inner(V3 const& a, V3 const& b);
V3 Outer(V3 const& a, V3 const& b);
double Distance(V3 const& a);
double Determinant(V3 const& a, V3 const& b, V3 const& c);
// Unweighted mean of the points.
V3 CenterOfGravity(UVector<V3> const& p);
// Unit vector along the part of b perpendicular to a.
V3 Orthonormalize(V3 const& a, V3 const& b);

// Rounds to the nearest whole number (halves upwards); a NaN or a value beyond
// the range of long comes back unchanged.
double roundit(double x);

// A view of one row of the element table; owns nothing.
class UElement {
public:
    UElement();

    // Fills the view from row z (0 <= z <= 103, not tested).
    void Initialize(long z);

    const char* GetName() const { return name; }
    double GetRadius() const { return radius; }
    long GetCharge() const { return charge; }
    double GetMass() const { return mass; }
    bool IsValid() const { return charge > 0; }

    // The symbol in a static buffer that the next call overwrites; pad turns a
    // one-letter symbol into the letter and a blank.
    const char* GetAdjustedName(bool lower, bool pad) const;

    // The exact mass of the isotope with mass number m; m <= 0 asks for the
    // nominal one. A mass that is not whole is returned as it is; a missing
    // isotope prints a warning and returns m.
    double GetExactMass(double m) const;

private:
    const char* name;
    long charge;
    double radius;
    double mass;
    const double* exactMasses;
};

// The 104 elements by atomic number; entry 0 is an invalid placeholder.
class UPTable {
public:
    UPTable();

    // Element z, 1 <= z <= 103.
    UElement operator[](long z) const;
    // The element with that symbol in any case, or the invalid entry 0.
    UElement Find(const char* symbol) const;
    long GetNElements() const { return elements.GetDim(); }
    bool HasBond(long i, long j, double d) const;
    double StandardLength(long i, long j) const;

private:
    UVector<UElement> elements;
};

extern UPTable pTable;
