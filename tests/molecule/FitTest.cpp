// Least-squares lines and planes through point sets, checked against the
// eigenvectors of the points' scatter matrix from the reference LAPACK.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/molecule/GeometryTestSupport.h"
#include "tests/numeric/RefLapackEigen.h"
#include "tests/support/RaisedCode.h"
#include "utilities/UStrUtilities.h"

namespace {

UVector<V3> PointSet(std::vector<V3> const& points)
{
    UVector<V3> p(0, 1);
    for (V3 const& q : points) p.Add(q);
    return p;
}

std::vector<V3> Reversed(std::vector<V3> const& points)
{
    return std::vector<V3>(points.rbegin(), points.rend());
}

// Eigenvectors of sum (p - c)(p - c)^T, c the mean, by increasing eigenvalue;
// false when the eigenvalues are too close for the axes to be well defined.
bool ScatterAxes(std::vector<V3> const& points, std::vector<V3>& axes)
{
    V3 c;
    for (V3 const& q : points) c += q;
    c /= double(points.size());
    double scatter[9] = {};
    for (V3 const& q : points)
        for (int i = 0; i < 3; i++)
            for (int j = 0; j < 3; j++) scatter[i + 3 * j] += (q - c)[i] * (q - c)[j];
    int n = 3, lwork = 64, info = 0;
    double values[3], work[64];
    dsyev_("V", "U", &n, scatter, &n, values, work, &lwork, &info, 1, 1);
    EXPECT_EQ(info, 0);
    axes.clear();
    for (int j = 0; j < 3; j++)
        axes.push_back(V3(scatter[3 * j], scatter[3 * j + 1], scatter[3 * j + 2]));
    return values[1] > 1.5 * values[0] && values[2] > 1.5 * values[1];
}

double UpToSign(V3 const& a, V3 const& b)
{
    return std::fmin((a - b).GetNorm(), (a + b).GetNorm());
}

// A random right-handed orthonormal frame.
struct Frame {
    explicit Frame(RandomPoints& random)
    {
        first = random.Point();
        first /= first.GetNorm();
        second = Orthonormalize(first, random.Point());
        third = Outer(first, second);
    }
    V3 first, second, third;
};

// n points spread 4 : 1 : 0.1 along random orthonormal axes about a random centre.
std::vector<V3> Cloud(RandomPoints& random, long n)
{
    Frame axes(random);
    V3 centre = random.Point();
    std::vector<V3> points;
    for (long i = 0; i < n; i++) {
        V3 t = random.Point() / 3.0;
        points.push_back(centre + 4.0 * t.x * axes.first + t.y * axes.second +
                         0.1 * t.z * axes.third);
    }
    return points;
}

TEST(Fit, DirectionsAreTheScatterMatrixAxes)
{
    RandomPoints random(21);
    for (long n : {3L, 4L, 5L, 7L, 20L, 100L}) {
        int compared = 0;
        for (int trial = 0; trial < 10; trial++) {
            std::vector<V3> points = Cloud(random, n);
            std::vector<V3> axes;
            if (!ScatterAxes(points, axes)) continue;
            compared++;
            L3 line = LineThrough(PointSet(points));
            P3 plane = PlaneThrough(PointSet(points));
            EXPECT_LT(UpToSign(line.GetPar(), axes[2]), 1e-10) << n;
            EXPECT_LT(UpToSign(plane.GetNormal(), axes[0]), 1e-10) << n;

            EXPECT_NEAR(line.GetPar().GetNorm(), 1.0, 1e-14);
            EXPECT_NEAR(Inner(line.GetBase(), line.GetPar()), 0.0, 1e-13);
            EXPECT_NEAR(plane.GetNormal().GetNorm(), 1.0, 1e-14);
            V3 centroid = CenterOfGravity(PointSet(points));
            EXPECT_NEAR(Distance(line, centroid), 0.0, 1e-13);
            EXPECT_NEAR(SignedDistance(plane, centroid), 0.0, 1e-13);
        }
        EXPECT_GE(compared, 5) << n;
    }
}

TEST(Fit, PointsOnAPlaneOrALineLieOnTheFit)
{
    RandomPoints random(22);
    P3 known = random.Plane();
    L3 inside(Outer(known.GetNormal(), random.Point()), Project(known, random.Point()));
    std::vector<V3> onPlane, onLine;
    for (int i = 0; i < 12; i++) {
        onPlane.push_back(Project(known, random.Point()));
        onLine.push_back(inside.GetBase() + random.Point().x * inside.GetPar());
    }
    P3 plane = PlaneThrough(PointSet(onPlane));
    for (V3 const& q : onPlane) EXPECT_NEAR(SignedDistance(plane, q), 0.0, 1e-12);
    EXPECT_LT(UpToSign(plane.GetNormal(), known.GetNormal()), 1e-12);
    L3 line = LineThrough(PointSet(onLine));
    for (V3 const& q : onLine) EXPECT_NEAR(Distance(line, q), 0.0, 1e-12);
    EXPECT_LT(UpToSign(line.GetPar(), inside.GetPar()), 1e-12);
}

TEST(Fit, PlaneNormalFollowsThePointOrder)
{
    std::vector<V3> square{V3(0, 0, 0), V3(1, 0, 0), V3(1, 1, 0), V3(0, 1, 0)};
    ExpectNear(PlaneThrough(PointSet(square)).GetNormal(), V3(0, 0, 1), 1e-15);
    ExpectNear(PlaneThrough(PointSet(Reversed(square))).GetNormal(), V3(0, 0, -1), 1e-15);

    // A ring of points turning counterclockwise about a known normal.
    RandomPoints random(23);
    for (int trial = 0; trial < 20; trial++) {
        Frame axes(random);
        V3 normal = axes.first, u = axes.second, w = axes.third;
        V3 centre = random.Point();
        std::vector<V3> ring;
        for (int i = 0; i < 7; i++) {
            double phi = 2 * pi * i / 7;
            ring.push_back(centre +
                           (2 + 0.3 * random.Point().x) * (std::cos(phi) * u + std::sin(phi) * w) +
                           0.01 * random.Point().y * normal);
        }
        EXPECT_GT(Inner(PlaneThrough(PointSet(ring)).GetNormal(), normal), 0.999) << trial;
        EXPECT_LT(Inner(PlaneThrough(PointSet(Reversed(ring))).GetNormal(), normal), -0.999)
            << trial;
    }
}

TEST(Fit, LineRunsWithThePointOrder)
{
    RandomPoints random(24);
    for (int trial = 0; trial < 20; trial++) {
        V3 direction = random.Point();
        V3 start = random.Point();
        std::vector<V3> points;
        for (int i = 0; i < 9; i++)
            points.push_back(start + (0.5 * i) * direction + 0.05 * random.Point());
        EXPECT_GT(Inner(LineThrough(PointSet(points)).GetPar(), direction), 0.0) << trial;
        EXPECT_LT(Inner(LineThrough(PointSet(Reversed(points))).GetPar(), direction), 0.0) << trial;
    }
}

// Two points have only two singular values and one point one: the line
// through two is the line from the first to the second, the line through one
// passes through it.
TEST(Fit, LineThroughOneOrTwoPoints)
{
    RandomPoints random(25);
    for (int trial = 0; trial < 20; trial++) {
        V3 a = random.Point(), b = random.Point();
        L3 fitted;
        ASSERT_EQ(0, RaisedCode([&] { fitted = LineThrough(PointSet({a, b})); }));
        L3 exact = LineThrough(a, b);
        ExpectNear(fitted.GetPar(), exact.GetPar(), 1e-14, "par");
        ExpectNear(fitted.GetBase(), exact.GetBase(), 1e-13, "base");
    }
    for (std::vector<V3> const& same :
         {std::vector<V3>{V3(1, -2, 3)}, std::vector<V3>(4, V3(0.5, 0, 2))}) {
        L3 line;
        ASSERT_EQ(0, RaisedCode([&] { line = LineThrough(PointSet(same)); })) << same.size();
        EXPECT_NEAR(line.GetPar().GetNorm(), 1.0, 1e-15);
        EXPECT_NEAR(Inner(line.GetBase(), line.GetPar()), 0.0, 1e-15);
        EXPECT_NEAR(Distance(line, same[0]), 0.0, 1e-15);
    }
}

TEST(Fit, TooFewPointsAreRefused)
{
    EXPECT_EQ(RaisedCode([] { LineThrough(PointSet({})); }), umIncompatibleDimensions);
    for (std::vector<V3> const& few : {std::vector<V3>{}, std::vector<V3>{V3(1, 2, 3)},
                                       std::vector<V3>{V3(1, 2, 3), V3(0, 1, 0)}})
        EXPECT_EQ(RaisedCode([&] { PlaneThrough(PointSet(few)); }), umIncompatibleDimensions)
            << few.size();
}

}  // namespace
