#include "molecule/UP3.h"

#include <cmath>

#include "molecule/PointSpread.h"
#include "molecule/UAngles.h"
#include "numeric/LAPackDouble.h"

P3::P3(V3 const& n, double d) : normal(n / n.GetNorm()), dist(d) {}

P3::P3(V3 const& n, V3 const& q) : normal(n / n.GetNorm()) { dist = Inner(normal, q); }

void P3::Invert()
{
    normal = -normal;
    dist = -dist;
}

P3 PlaneThrough(V3 const& a, V3 const& b, V3 const& c) { return P3(Outer(b - a, c - b), b); }

P3 PlaneThrough(UVector<V3> const& p)
{
    V3 centroid;
    // Three values whatever the count: the SVD refuses fewer than three points.
    UMatrix<double> spread = SpreadDirections(p, centroid, 3);
    P3 plane(ColumnV3(spread, 2), centroid);
    long n = p.GetDim();
    double turn = 0.0;
    for (long i = 0; i < n; i++)
        turn += Inner(Outer(p[i] - centroid, p[(i + 1) % n] - centroid), plane.GetNormal());
    if (turn < 0.0) plane.Invert();
    return plane;
}

double SignedDistance(P3 const& s, V3 const& q) { return s.GetDist() - Inner(s.GetNormal(), q); }

double UnsignedDistance(P3 const& s, V3 const& q) { return std::fabs(SignedDistance(s, q)); }

double SignedAngle(P3 const& s, L3 const& l)
{
    double cs = ClampCosine(Inner(l.GetPar(), s.GetNormal()), "SignedAngle");
    return angleHalfPi - std::acos(cs);
}

double UnsignedAngle(P3 const& s, L3 const& l) { return std::fabs(SignedAngle(s, l)); }

double OrientedAngle(P3 const& A, P3 const& B)
{
    return std::acos(ClampCosine(Inner(A.GetNormal(), B.GetNormal()), "OrientedAngle"));
}

double SmallestAngle(P3 const& A, P3 const& B) { return SmallerOfSupplements(OrientedAngle(A, B)); }

double TorsionAngle(P3 const& A, P3 const& B, V3 const& axis)
{
    V3 w = Outer(A.GetNormal(), B.GetNormal());
    double cs = Inner(A.GetNormal(), B.GetNormal());
    double sn = w.GetNorm();
    if (Inner(axis, w) < 0.0) sn = -sn;
    cs = ClampCosine(cs, "TorsionAngle");
    sn = ClampCosine(sn, "TorsionAngle");
    return std::atan2(sn, cs);
}

V3 Project(P3 const& s, V3 const& q) { return q + SignedDistance(s, q) * s.GetNormal(); }

L3 Project(P3 const& s, L3 const& l)
{
    V3 base = l.GetBase();
    return LineThrough(Project(s, base), Project(s, base + l.GetPar()));
}

V3 Intersect(P3 const& s, L3 const& l)
{
    V3 normal = s.GetNormal();
    double t = (s.GetDist() - Inner(l.GetBase(), normal)) / Inner(l.GetPar(), normal);
    return l.GetBase() + t * l.GetPar();
}

L3 Intersect(P3 const& A, P3 const& B)
{
    // The point on both planes that lies in the plane through the origin
    // perpendicular to their line of intersection.
    V3 w = Outer(A.GetNormal(), B.GetNormal());
    V3 rows[3] = {A.GetNormal(), B.GetNormal(), w};
    UMatrix<double> system(3, 3, -1);
    for (long i = 0; i < 3; i++)
        for (long k = 0; k < 3; k++) system(i, k) = rows[i][k];
    UVector<double> point(3, 1);
    point[0] = A.GetDist();
    point[1] = B.GetDist();
    point[2] = 0.0;
    LAPackDouble::MVsolve(system, point, Blas::defProgMon);
    return L3(w, V3(point));
}
