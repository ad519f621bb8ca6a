#include "molecule/UL3.h"

#include <cmath>
#include <limits>

#include "molecule/PointSpread.h"
#include "molecule/UAngles.h"
#include "utilities/CustExcept.h"
#include "utilities/UStrUtilities.h"

namespace {

// Unit directions that are parallel up to the rounding of their normalisation have a cross
// product of about one machine epsilon; up to 16 it is rounding, with no direction to measure
// along.
double const kParallelCross = 16.0 * std::numeric_limits<double>::epsilon();

bool AreParallel(V3 const& normal) { return normal.GetNorm() <= kParallelCross; }

}  // namespace

L3::L3(V3 const& d, V3 const& q) : par(d / d.GetNorm()) { base = q - Inner(q, par) * par; }

void L3::GetNormals(V3& u, V3& w) const
{
    // The largest and the smallest component of base, later indices winning ties.
    long iMax = 0;
    long iMin = 0;
    for (long k = 1; k < 3; k++) {
        if (std::fabs(base[k]) >= std::fabs(base[iMax])) iMax = k;
        if (std::fabs(base[k]) <= std::fabs(base[iMin])) iMin = k;
    }
    if (iMin == iMax) iMin = (iMax + 1) % 3;
    long k = 3 - iMin - iMax;

    // A trial vector that is never parallel to base.
    V3 trial;
    trial[k] = base[k];
    trial[iMax] = base[iMin];
    trial[iMin] = -base[iMax];
    u = Orthonormalize(base, trial);
    w = Outer(base, u);
}

L3 LineThrough(V3 const& a, V3 const& b) { return L3(b - a, a); }

L3 LineThrough(UVector<V3> const& p)
{
    long n = p.GetDim();
    // Refused before a column of an empty matrix could be read.
    if (n == 0) RaiseError(umIncompatibleDimensions, "UAtCoord", __LINE__);
    V3 centroid;
    // Fewer than three points have fewer singular values.
    UMatrix<double> spread = SpreadDirections(p, centroid, Min(n, 3L));
    L3 line(ColumnV3(spread, 0), centroid);
    // A singular vector has no preferred sign: the projections of the points
    // are made to grow with their order (their least-squares trend), so that
    // two points give the line from the first to the second.
    double trend = 0.0;
    for (long i = 1; i < n; i++) trend += double(i) * Inner(p[i] - centroid, line.GetPar());
    if (trend < 0.0) line.Invert();
    return line;
}

double Distance(L3 const& l, V3 const& q)
{
    V3 par = l.GetPar();
    return (q - Inner(q, par) * par - l.GetBase()).GetNorm();
}

double Distance(L3 const& A, L3 const& B)
{
    V3 normal = Outer(A.GetPar(), B.GetPar());
    // Parallel lines are equally far apart everywhere.
    if (AreParallel(normal)) return Distance(B, A.GetBase());
    // The component of d along the common normal. The textbook form from d.d, d.u, d.v and
    // u.v subtracts nearly equal squares: it loses the distance of lines far from the origin
    // and divides by 1 - (u.v)^2, which rounds to 0 for nearly parallel lines.
    V3 d = A.GetBase() - B.GetBase();
    return std::fabs(Inner(d, normal)) / normal.GetNorm();
}

double OrientedAngle(L3 const& A, L3 const& B)
{
    return std::acos(ClampCosine(Inner(A.GetPar(), B.GetPar()), "OrientedAngle"));
}

double SmallestAngle(L3 const& A, L3 const& B) { return SmallerOfSupplements(OrientedAngle(A, B)); }

V3 Project(L3 const& l, V3 const& q)
{
    V3 par = l.GetPar();
    return l.GetBase() + Inner(q, par) * par;
}

V3 Project(L3 const& A, L3 const& B)
{
    V3 u = A.GetPar();
    V3 normal = Outer(u, B.GetPar());
    // Every point of a parallel B is equally near to A; the foot of A's base is one of them.
    if (AreParallel(normal)) return Project(B, A.GetBase());
    // The parameter along B, (d.v - (u.v)(d.u))/(1 - (u.v)^2) with d = base A - base B, as
    // n.(u x d)/n.n with n = u x v (Lagrange's identity): 1 - (u.v)^2 rounds to 0 for lines
    // 1e-8 rad from parallel, n.n does not.
    V3 d = A.GetBase() - B.GetBase();
    double t = Inner(normal, Outer(u, d)) / Inner(normal, normal);
    return B.GetBase() + t * B.GetPar();
}
