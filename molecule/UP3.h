#pragma once
// Planes in space and their distances, angles, projections and intersections
// with points, lines and other planes.
#include "molecule/UL3.h"

// The plane of the points x with normal . x = dist.
class P3 {
public:
    P3() : dist(0.0) {}
    // normal = n/|n| and dist = d as given: the plane n.x = d when n is a unit vector.
    P3(V3 const& n, double d);
    // The plane through q with normal along n.
    P3(V3 const& n, V3 const& q);

    V3 GetNormal() const { return normal; }
    double GetDist() const { return dist; }

    // The same plane seen from its other side.
    void Invert();

private:
    V3 normal;
    double dist;
};

// The plane through a, b and c, its normal along (b - a) x (c - b).
P3 PlaneThrough(V3 const& a, V3 const& b, V3 const& c);
// The least-squares plane through at least three points, through their
// centroid; its normal follows the order of the points by the right-hand rule.
P3 PlaneThrough(UVector<V3> const& p);

// Positive on the side opposite to the normal.
double SignedDistance(P3 const& s, V3 const& q);
double UnsignedDistance(P3 const& s, V3 const& q);

// The angle in [-pi/2, pi/2] between line and plane, positive when the line
// points along the normal.
double SignedAngle(P3 const& s, L3 const& l);
double UnsignedAngle(P3 const& s, L3 const& l);

// The angle in [0, pi] between the two normals.
double OrientedAngle(P3 const& A, P3 const& B);
// The angle in [0, pi/2] between the two planes.
double SmallestAngle(P3 const& A, P3 const& B);
// The angle in [-pi, pi] from A to B, its sign taken from the side of axis
// on which normal A x normal B lies.
double TorsionAngle(P3 const& A, P3 const& B, V3 const& axis);

// The foot of the perpendicular from q on the plane.
V3 Project(P3 const& s, V3 const& q);
// The line's shadow on the plane; the line must not be perpendicular to it.
L3 Project(P3 const& s, L3 const& l);

// The point where a line that is not parallel to the plane meets it.
V3 Intersect(P3 const& s, L3 const& l);
// The line in which two planes meet, its base the point nearest the origin;
// parallel planes raise what the linear solve raises for a singular system.
L3 Intersect(P3 const& A, P3 const& B);
