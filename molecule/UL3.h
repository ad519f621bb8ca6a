#pragma once
// Straight lines in space and the distances, angles and projections between
// lines and points.
#include "molecule/UAtCoord.h"

class L3 {
public:
    L3() {}
    // The line through q along d; d must not be zero.
    L3(V3 const& d, V3 const& q);

    // Unit direction.
    V3 GetPar() const { return par; }
    // The point of the line nearest the origin, so base . par = 0.
    V3 GetBase() const { return base; }

    void Invert() { par = -par; }

    // u: a unit vector perpendicular to base; w = base x u. base must not be zero.
    void GetNormals(V3& u, V3& w) const;

private:
    V3 par;
    V3 base;
};

// The line from a through b.
L3 LineThrough(V3 const& a, V3 const& b);
// The least-squares line through the points, through their centroid; its
// direction runs with the order of the points. One point gives a line through
// it, no points raise 21003.
L3 LineThrough(UVector<V3> const& p);

// Distance of q from the line.
double Distance(L3 const& l, V3 const& q);
// Lines whose unit directions have a cross product no longer than 16 machine epsilons (3.6e-15,
// directions equal up to the rounding of their normalisation) count as parallel. Nearly parallel
// lines lose digits only as their directions allow: the relative error is about 1e-16 over their
// angle in radians.

// Shortest distance between two lines; for parallel lines the distance of A's base from B.
double Distance(L3 const& A, L3 const& B);

// The angle in [0, pi] between the two directions.
double OrientedAngle(L3 const& A, L3 const& B);
// The angle in [0, pi/2] between the two lines.
double SmallestAngle(L3 const& A, L3 const& B);

// The foot of the perpendicular from q on the line.
V3 Project(L3 const& l, V3 const& q);
// The point of B nearest to A; for parallel lines, whose points are all equally near, the foot
// of A's base on B.
V3 Project(L3 const& A, L3 const& B);
