#include <gtest/gtest.h>

#include <cmath>

#include "numeric/UStrNumer.h"
#include "tests/molecule/GeometryTestSupport.h"
#include "tests/support/RaisedCode.h"

namespace {

TEST(Plane, BuildsWithUnitNormal)
{
    P3 given(V3(0, 0, 2), 3.0);
    ExpectNear(given.GetNormal(), V3(0, 0, 1), 0.0);
    EXPECT_EQ(given.GetDist(), 3.0);  // taken as given, not divided by |n|
    P3 through(V3(0, 0, 2), V3(1, 1, 3));
    ExpectNear(through.GetNormal(), V3(0, 0, 1), 0.0);
    EXPECT_EQ(through.GetDist(), 3.0);
    P3 none;
    EXPECT_EQ(none.GetDist(), 0.0);
    ExpectNear(none.GetNormal(), V3(), 0.0);

    RandomPoints points(2);
    for (int i = 0; i < 50; i++) {
        V3 n = points.Point(), q = points.Point();
        P3 s(n, q);
        EXPECT_NEAR(s.GetNormal().GetNorm(), 1.0, 1e-15);
        EXPECT_NEAR(SignedDistance(s, q), 0.0, 1e-14);
        EXPECT_GT(Inner(s.GetNormal(), n), 0.0);
    }
}

TEST(Plane, InvertKeepsThePlane)
{
    P3 s(V3(1, 2, 2), V3(1, 0, 0));
    V3 q(4, -1, 2);
    double before = SignedDistance(s, q);
    s.Invert();
    ExpectNear(s.GetNormal(), V3(-1, -2, -2) / 3.0, 1e-15);
    EXPECT_NEAR(s.GetDist(), -1.0 / 3.0, 1e-15);
    EXPECT_NEAR(SignedDistance(s, q), -before, 1e-15);
    EXPECT_NEAR(SignedDistance(s, V3(1, 0, 0)), 0.0, 1e-15);
}

TEST(Plane, DistancesAndFeet)
{
    P3 z1(V3(0, 0, 1), 1.0);
    EXPECT_EQ(SignedDistance(z1, V3(0, 0, 3)), -2.0);
    EXPECT_EQ(SignedDistance(z1, V3(5, 5, -1)), 2.0);
    EXPECT_EQ(UnsignedDistance(z1, V3(0, 0, 3)), 2.0);
    ExpectNear(Project(z1, V3(4, -2, 7)), V3(4, -2, 1), 0.0);

    RandomPoints points(9);
    for (int i = 0; i < 50; i++) {
        P3 s = points.Plane();
        V3 q = points.Point();
        V3 foot = Project(s, q);
        EXPECT_NEAR(SignedDistance(s, foot), 0.0, 1e-13);
        EXPECT_NEAR(Outer(q - foot, s.GetNormal()).GetNorm(), 0.0, 1e-13);
        EXPECT_NEAR((q - foot).GetNorm(), UnsignedDistance(s, q), 1e-13);
    }
}

TEST(Plane, ThroughThreePointsFollowsTheirTurn)
{
    P3 counter = PlaneThrough(V3(0, 0, 1), V3(1, 0, 1), V3(1, 1, 1));
    ExpectNear(counter.GetNormal(), V3(0, 0, 1), 0.0);
    EXPECT_EQ(counter.GetDist(), 1.0);
    P3 clockwise = PlaneThrough(V3(1, 1, 1), V3(1, 0, 1), V3(0, 0, 1));
    ExpectNear(clockwise.GetNormal(), V3(0, 0, -1), 0.0);
    EXPECT_EQ(clockwise.GetDist(), -1.0);

    RandomPoints points(4);
    for (int i = 0; i < 50; i++) {
        V3 a = points.Point(), b = points.Point(), c = points.Point();
        P3 s = PlaneThrough(a, b, c);
        for (V3 const& p : {a, b, c}) EXPECT_NEAR(SignedDistance(s, p), 0.0, 1e-12);
        EXPECT_GT(Determinant(b - a, c - a, s.GetNormal()), 0.0);
    }
}

TEST(Plane, AnglesWithLinesAndPlanes)
{
    P3 floor(V3(0, 0, 1), 0.0);
    struct LineCase {
        V3 direction;
        double signedAngle;
    } lines[] = {
        {V3(1, 0, 1), pi / 4},   {V3(1, 0, -1), -pi / 4}, {V3(0, 0, 3), pi / 2},
        {V3(0, 0, -1), -pi / 2}, {V3(0, 2, 0), 0.0},
    };
    for (LineCase const& c : lines) {
        L3 l(c.direction, V3(1, 2, 3));
        EXPECT_NEAR(SignedAngle(floor, l), c.signedAngle, 1e-15);
        EXPECT_NEAR(UnsignedAngle(floor, l), std::fabs(c.signedAngle), 1e-15);
    }

    struct PlaneCase {
        V3 normal;
        double oriented;
        double smallest;
    } planes[] = {
        {V3(0, 0, 5), 0.0, 0.0},       {V3(0, 0, -1), pi, 0.0},
        {V3(0, 1, 1), pi / 4, pi / 4}, {V3(0, 1, -1), 3 * pi / 4, pi / 4},
        {V3(1, 0, 0), pi / 2, pi / 2},
    };
    for (PlaneCase const& c : planes) {
        P3 s(c.normal, 2.0);
        EXPECT_NEAR(OrientedAngle(floor, s), c.oriented, 1e-15);
        EXPECT_NEAR(OrientedAngle(s, floor), c.oriented, 1e-15);
        EXPECT_NEAR(SmallestAngle(floor, s), c.smallest, 1e-15);
    }
}

// Normal B at angle theta from normal A about the x axis: looking from -x,
// the angle is theta; looking from +x it is -theta.
TEST(Plane, TorsionAngleTakesItsSignFromTheAxis)
{
    P3 A(V3(0, 0, 1), 0.0);
    for (double degrees : {0.0, 30.0, 90.0, 135.0, 180.0, -45.0, -90.0, -170.0}) {
        double theta = degrees * pi / 180.0;
        P3 B(V3(0, std::sin(theta), std::cos(theta)), 1.0);
        double fromMinusX = TorsionAngle(A, B, V3(-1, 0, 0));
        double fromPlusX = TorsionAngle(A, B, V3(2, 0, 0));
        EXPECT_NEAR(std::remainder(fromMinusX - theta, 2 * pi), 0.0, 1e-14) << degrees;
        if (degrees != 0.0 && degrees != 180.0) {
            EXPECT_NEAR(fromPlusX, -fromMinusX, 1e-14) << degrees;
        }
    }
}

TEST(Plane, ProjectedLineLiesInThePlane)
{
    RandomPoints points(6);
    for (int i = 0; i < 50; i++) {
        P3 s = points.Plane();
        L3 l(points.Point(), points.Point());
        L3 shadow = Project(s, l);
        EXPECT_NEAR(SignedDistance(s, shadow.GetBase()), 0.0, 1e-12);
        EXPECT_NEAR(Inner(shadow.GetPar(), s.GetNormal()), 0.0, 1e-12);
        V3 foot = Project(s, l.GetBase() + 2.5 * l.GetPar());
        EXPECT_NEAR(Distance(shadow, foot), 0.0, 1e-11);
        EXPECT_GE(Inner(shadow.GetPar(), l.GetPar()), 0.0);
    }
}

TEST(Plane, LineMeetsPlaneOnBoth)
{
    P3 z2(V3(0, 0, 1), 2.0);
    ExpectNear(Intersect(z2, L3(V3(1, 1, 1), V3(0, 0, 0))), V3(2, 2, 2), 1e-15);

    RandomPoints points(8);
    for (int i = 0; i < 50; i++) {
        P3 s = points.Plane();
        L3 l(points.Point(), points.Point());
        if (std::fabs(Inner(s.GetNormal(), l.GetPar())) < 0.1) continue;
        V3 meet = Intersect(s, l);
        EXPECT_NEAR(SignedDistance(s, meet), 0.0, 1e-11);
        EXPECT_NEAR(Distance(l, meet), 0.0, 1e-11);
    }
}

TEST(Plane, TwoPlanesMeetInALineOnBoth)
{
    L3 meet = Intersect(P3(V3(1, 0, 0), 1.0), P3(V3(0, 1, 0), 2.0));
    ExpectNear(meet.GetPar(), V3(0, 0, 1), 1e-15);
    ExpectNear(meet.GetBase(), V3(1, 2, 0), 1e-15);

    RandomPoints points(10);
    for (int i = 0; i < 100; i++) {
        P3 A = points.Plane(), B = points.Plane();
        V3 across = Outer(A.GetNormal(), B.GetNormal());
        if (across.GetNorm() < 0.05) continue;
        L3 line = Intersect(A, B);
        for (double t : {0.0, 1.0, -4.0}) {
            V3 p = line.GetBase() + t * line.GetPar();
            EXPECT_NEAR(SignedDistance(A, p), 0.0, 1e-11) << i;
            EXPECT_NEAR(SignedDistance(B, p), 0.0, 1e-11) << i;
        }
        ExpectNear(line.GetPar(), across / across.GetNorm(), 1e-13);
        EXPECT_NEAR(Inner(line.GetBase(), line.GetPar()), 0.0, 1e-12);
    }
}

TEST(Plane, ParallelPlanesAreASingularSystem)
{
    EXPECT_EQ(RaisedCode([] { Intersect(P3(V3(0, 0, 1), 1.0), P3(V3(0, 0, 2), 3.0)); }),
              nmSingularMatrix);
    EXPECT_EQ(RaisedCode([] { Intersect(P3(V3(0, 1, 0), 1.0), P3(V3(0, -1, 0), 1.0)); }),
              nmSingularMatrix);
}

}  // namespace
