#include <gtest/gtest.h>

#include <cmath>

#include "tests/molecule/GeometryTestSupport.h"

namespace {

TEST(Line, KeepsUnitDirectionAndNearestPoint)
{
    L3 l(V3(0, 0, 2), V3(1, 1, 5));
    ExpectNear(l.GetPar(), V3(0, 0, 1), 0.0);
    ExpectNear(l.GetBase(), V3(1, 1, 0), 0.0);
    L3 none;
    ExpectNear(none.GetPar(), V3(), 0.0);
    ExpectNear(none.GetBase(), V3(), 0.0);

    RandomPoints lines(7);
    for (int i = 0; i < 50; i++) {
        V3 d = lines.Point(), q = lines.Point();
        L3 r(d, q);
        EXPECT_NEAR(r.GetPar().GetNorm(), 1.0, 1e-15);
        EXPECT_NEAR(Inner(r.GetBase(), r.GetPar()), 0.0, 1e-14);
        EXPECT_NEAR(Distance(r, q), 0.0, 1e-14);  // q lies on it
        EXPECT_NEAR(Inner(Outer(r.GetPar(), d), Outer(r.GetPar(), d)), 0.0, 1e-24);
        EXPECT_GT(Inner(r.GetPar(), d), 0.0);
    }
}

TEST(Line, InvertTurnsOnlyTheDirection)
{
    L3 l(V3(1, 2, 0), V3(0, 0, 4));
    V3 par = l.GetPar(), base = l.GetBase();
    l.Invert();
    ExpectNear(l.GetPar(), -par, 0.0);
    ExpectNear(l.GetBase(), base, 0.0);
    L3 copy(l);
    L3 assigned;
    assigned = l;
    ExpectNear(copy.GetPar(), -par, 0.0);
    ExpectNear(assigned.GetBase(), base, 0.0);
}

TEST(Line, ThroughTwoPointsRunsFromTheFirst)
{
    V3 a(1, 2, 3), b(4, 6, 3);
    L3 l = LineThrough(a, b);
    ExpectNear(l.GetPar(), V3(0.6, 0.8, 0), 1e-15);
    EXPECT_NEAR(Distance(l, a), 0.0, 1e-14);
    EXPECT_NEAR(Distance(l, b), 0.0, 1e-14);
}

TEST(Line, NormalsArePerpendicularToTheBase)
{
    struct Case {
        V3 base;
        V3 u;  // expected unit normal; zero where only its properties are checked
    } cases[] = {
        {V3(1, 1, 1), V3(-2, 1, 1) / std::sqrt(6.0)},  // all equal: the smallest moves on
        {V3(0, 2, 0), V3(0, 0, -1)},                   // later index wins the tie of zeros
        {V3(1, 2, 3), V3()},
        {V3(-5, 0.5, 0.5), V3()},
        {V3(0, 0, -1e-3), V3()},
        {V3(3, -3, 1), V3()},
    };
    for (Case const& c : cases) {
        // A direction perpendicular to the base keeps the base exactly.
        V3 d = Outer(c.base, V3(0.3, -0.2, 0.9));
        L3 l(d, c.base);
        ExpectNear(l.GetBase(), c.base, 1e-15, "base");
        V3 u, w;
        l.GetNormals(u, w);
        double b = c.base.GetNorm();
        EXPECT_NEAR(u.GetNorm(), 1.0, 1e-15);
        EXPECT_NEAR(Inner(u, c.base), 0.0, 1e-15 * b);
        EXPECT_NEAR(Inner(w, c.base), 0.0, 1e-15 * b * b);
        EXPECT_NEAR(Inner(u, w), 0.0, 1e-15 * b);
        EXPECT_NEAR(w.GetNorm(), b, 1e-15 * b);
        if (c.u.GetNorm() > 0) ExpectNear(u, c.u, 1e-15, "u");
    }
}

TEST(Line, DistanceFromAPoint)
{
    L3 xAxis(V3(1, 0, 0), V3(0, 0, 0));
    EXPECT_DOUBLE_EQ(Distance(xAxis, V3(7, 3, 4)), 5.0);
    ExpectNear(Project(xAxis, V3(7, 3, 4)), V3(7, 0, 0), 0.0);

    RandomPoints lines(11);
    for (int i = 0; i < 50; i++) {
        L3 l = lines.Line();
        V3 q = lines.Point();
        V3 foot = Project(l, q);
        EXPECT_NEAR(Distance(l, foot), 0.0, 1e-13);
        EXPECT_NEAR(Inner(q - foot, l.GetPar()), 0.0, 1e-13);
        EXPECT_NEAR(Distance(l, q), (q - foot).GetNorm(), 1e-13);
    }
}

TEST(Line, DistanceBetweenLinesIsTheCommonPerpendicular)
{
    L3 xAxis(V3(1, 0, 0), V3(0, 0, 0));
    L3 acrossY(V3(0, 1, 0), V3(1, 0, 1));
    EXPECT_DOUBLE_EQ(Distance(xAxis, acrossY), 1.0);
    ExpectNear(Project(xAxis, acrossY), V3(1, 0, 1), 1e-15);

    RandomPoints lines(3);
    for (int i = 0; i < 200; i++) {
        L3 A = lines.Line(), B = lines.Line();
        V3 u = A.GetPar(), v = B.GetPar();
        V3 normal = Outer(u, v);
        V3 d = A.GetBase() - B.GetBase();
        double expected = std::fabs(Inner(d, normal)) / normal.GetNorm();
        double tolerance = 1e-9 * (1.0 + d.GetNorm()) / normal.GetNorm();
        EXPECT_NEAR(Distance(A, B), expected, tolerance) << i;
        EXPECT_NEAR(Distance(B, A), expected, tolerance) << i;

        V3 onB = Project(A, B);
        V3 onA = Project(B, A);
        EXPECT_NEAR(Distance(B, onB), 0.0, 1e-10) << i;
        EXPECT_NEAR(Distance(A, onA), 0.0, 1e-10) << i;
        V3 connecting = onA - onB;
        EXPECT_NEAR(Inner(connecting, u), 0.0, 1e-9) << i;
        EXPECT_NEAR(Inner(connecting, v), 0.0, 1e-9) << i;
        EXPECT_NEAR(connecting.GetNorm(), expected, tolerance) << i;
    }
}

// Lines far from the origin and nearly parallel lines, where a form built on d.d, d.u, d.v and u.v
// loses every digit (it gave 0 and NaN) or some (0.7 % off).
TEST(Line, DistanceBetweenLinesKeepsItsDigits)
{
    double const tilt = 1e-8;
    struct Case {
        const char* what;
        L3 a, b;
        double distance;
    } cases[] = {
        {"perpendicular, 1e8 from the origin", L3(V3(1, 0, 0), V3(1e8, 1e8, 0)),
         L3(V3(0, 1, 0), V3(1e8, 1e8, 1)), 1.0},
        {"1e-8 rad from parallel", L3(V3(1, 0, 0), V3(0, 0, 0)),
         L3(V3(std::cos(tilt), std::sin(tilt), 0), V3(0, 0, 1)), 1.0},
        {"1e-3 apart, 1e4 from the origin", L3(V3(1, 0, 0), V3(1e4, 1e4, 0)),
         L3(V3(0, 1, 0), V3(1e4, 1e4, 1e-3)), 1e-3},
    };
    for (Case const& c : cases) {
        EXPECT_NEAR(c.distance, Distance(c.a, c.b), 1e-12 * c.distance) << c.what;
        EXPECT_NEAR(c.distance, Distance(c.b, c.a), 1e-12 * c.distance) << c.what;
    }
}

// Lines through a common point: the square under the root is zero in exact
// arithmetic and often rounds below it.
TEST(Line, MeetingLinesHaveDistanceZeroNotNaN)
{
    RandomPoints lines(5);
    int roundedBelowZero = 0;
    for (int i = 0; i < 2000; i++) {
        V3 meet = lines.Point();
        L3 A(lines.Point(), meet), B(lines.Point(), meet);
        V3 d = A.GetBase() - B.GetBase();
        double z = Inner(A.GetPar(), B.GetPar());
        double du = Inner(d, A.GetPar()), dv = Inner(d, B.GetPar());
        if (Inner(d, d) - (du * du + dv * dv - 2.0 * du * dv * z) / (1.0 - z * z) < 0.0)
            roundedBelowZero++;
        double distance = Distance(A, B);
        ASSERT_FALSE(std::isnan(distance)) << i;
        EXPECT_GE(distance, 0.0);
        EXPECT_LT(distance, 1e-6) << i;
    }
    EXPECT_GT(roundedBelowZero, 0);
}

TEST(Line, AnglesBetweenDirections)
{
    L3 x(V3(1, 0, 0), V3(0, 0, 0));
    struct Case {
        V3 direction;
        double oriented;
        double smallest;
    } cases[] = {
        {V3(2, 0, 0), 0.0, 0.0},
        {V3(-1, 0, 0), pi, 0.0},
        {V3(0, 3, 0), pi / 2, pi / 2},
        {V3(1, 1, 0), pi / 4, pi / 4},
        {V3(-1, 0, 1), 3 * pi / 4, pi / 4},
    };
    for (Case const& c : cases) {
        L3 l(c.direction, V3(0, 0, 5));
        EXPECT_NEAR(OrientedAngle(x, l), c.oriented, 1e-15);
        EXPECT_NEAR(OrientedAngle(l, x), c.oriented, 1e-15);
        EXPECT_NEAR(SmallestAngle(x, l), c.smallest, 1e-15);
    }
}

}  // namespace
