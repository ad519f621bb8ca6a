#include <gtest/gtest.h>

#include <array>
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
// loses every digit (it gave 0, NaN and infinities) or some (0.7 % off).
TEST(Line, DistanceAndNearestPointKeepTheirDigits)
{
    double const tilt = 1e-8;
    V3 const tilted(std::cos(tilt), std::sin(tilt), 0);
    struct Case {
        const char* what;
        L3 a, b;
        double distance;
        V3 nearest;  // the point of b nearest to a
    } cases[] = {
        {"perpendicular, 1e8 from the origin", L3(V3(1, 0, 0), V3(1e8, 1e8, 0)),
         L3(V3(0, 1, 0), V3(1e8, 1e8, 1)), 1.0, V3(1e8, 1e8, 1)},
        {"1e-8 rad from parallel", L3(V3(1, 0, 0), V3(0, 0, 0)), L3(tilted, V3(0, 0, 1)), 1.0,
         V3(0, 0, 1)},
        // Their shadows on the xy plane cross at 4 along b.
        {"1e-8 rad from parallel, crossing away from the bases", L3(V3(1, 0, 0), 4.0 * tilted),
         L3(tilted, V3(0, 0, 1)), 1.0, 4.0 * tilted + V3(0, 0, 1)},
        {"1e-3 apart, 1e4 from the origin", L3(V3(1, 0, 0), V3(1e4, 1e4, 0)),
         L3(V3(0, 1, 0), V3(1e4, 1e4, 1e-3)), 1e-3, V3(1e4, 1e4, 1e-3)},
    };
    for (Case const& c : cases) {
        EXPECT_NEAR(c.distance, Distance(c.a, c.b), 1e-12 * c.distance) << c.what;
        EXPECT_NEAR(c.distance, Distance(c.b, c.a), 1e-12 * c.distance) << c.what;
        ExpectNear(Project(c.a, c.b), c.nearest, 1e-12 * c.nearest.GetNorm(), c.what);
    }
}

using LongV3 = std::array<long double, 3>;

LongV3 Widen(V3 const& a) { return {a.x, a.y, a.z}; }

long double Dot(LongV3 const& a, LongV3 const& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// a + f b
LongV3 AddScaled(LongV3 const& a, long double f, LongV3 const& b)
{
    return {a[0] + f * b[0], a[1] + f * b[1], a[2] + f * b[2]};
}

struct Nearest {
    V3 point;  // of B, nearest to A
    double distance;
};

// The nearest point and the distance in long double by another route than the library's: in the
// plane normal to A, A's shadow is its base, and the point of B's shadow nearest to it is the
// shadow of the point sought.
Nearest NearestInLongDouble(L3 const& A, L3 const& B)
{
    LongV3 u = Widen(A.GetPar()), v = Widen(B.GetPar());
    LongV3 baseA = Widen(A.GetBase()), baseB = Widen(B.GetBase());
    LongV3 shadowV = AddScaled(v, -Dot(u, v), u);
    LongV3 offset = AddScaled(AddScaled(baseB, -Dot(baseB, u), u), -1.0L, baseA);
    long double t = -Dot(offset, shadowV) / Dot(shadowV, shadowV);
    LongV3 point = AddScaled(baseB, t, v), gap = AddScaled(offset, t, shadowV);
    return {V3(static_cast<double>(point[0]), static_cast<double>(point[1]),
               static_cast<double>(point[2])),
            static_cast<double>(std::sqrt(Dot(gap, gap)))};
}

// Nearly parallel lines in general position against the long double reference. Both take the
// lines as stored, so they answer the same question; the directions themselves allow a relative
// error of about 1e-16 over the angle.
TEST(Line, NearlyParallelLinesAgreeWithLongDouble)
{
    struct Case {
        const char* what;
        V3 directionA, pointA, directionB, pointB;
    } cases[] = {
        {"(1,2,3) and (1,2,3.00000001)", V3(1, 2, 3), V3(1, 0, 0), V3(1, 2, 3.00000001),
         V3(0, 1, 0)},
        {"1e-5 rad apart, far from the origin", V3(-2, 1, 0.5), V3(30, -40, 7),
         V3(-2, 1 + 2.3e-5, 0.5), V3(28, -41, 9)},
        {"3e-12 rad apart, opposite directions", V3(0.3, -0.7, 0.2), V3(1, 1, 1),
         V3(-0.3, 0.7, -0.2 - 2e-12), V3(-1, 2, 0.5)},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.what);
        L3 A(c.directionA, c.pointA), B(c.directionB, c.pointB);
        Nearest reference = NearestInLongDouble(A, B);
        double angle = Outer(A.GetPar(), B.GetPar()).GetNorm();
        ASSERT_GT(angle, 1e-12);
        double relative = 8e-16 / angle;
        double span = (A.GetBase() - B.GetBase()).GetNorm();
        EXPECT_NEAR(reference.distance, Distance(A, B), relative * span);
        EXPECT_NEAR(reference.distance, Distance(B, A), relative * span);
        ExpectNear(Project(A, B), reference.point, relative * reference.point.GetNorm());
    }
}

// Parallel lines are equally far apart everywhere: the distance is that of A's base from B and the
// nearest point of B the foot of A's base, offset from it by the common perpendicular. That holds
// also for directions that agree only up to the rounding of their normalisation.
TEST(Line, ParallelLinesGiveTheirSeparation)
{
    V3 const q(0.5, -1, 2), across(3, 0, -1);  // across is perpendicular to (1, 2, 3)
    struct Case {
        const char* what;
        L3 a, b;
        V3 offset;  // from the base of a to its foot on b
    } cases[] = {
        {"same direction", L3(V3(0, 0, 1), V3(3, 0, 7)), L3(V3(0, 0, 2), V3(0, 4, -1)),
         V3(-3, 4, 0)},
        {"opposite directions", L3(V3(0, 0, 1), V3(3, 0, 7)), L3(V3(0, 0, -3), V3(0, 4, -1)),
         V3(-3, 4, 0)},
        {"coincident", L3(V3(0, 0, 1), V3(3, 0, 7)), L3(V3(0, 0, -1), V3(3, 0, -2)), V3()},
        {"same direction to the rounding", L3(V3(1, 2, 3), q), L3(V3(10, 20, 30), q + across),
         across},
        {"opposite directions to the rounding", L3(V3(1, 2, 3), q),
         L3(V3(-2.5, -5, -7.5), q + across), across},
        {"coincident to the rounding", L3(V3(1, 2, 3), q), L3(V3(10, 20, 30), q + V3(2, 4, 6)),
         V3()},
    };
    for (Case const& c : cases) {
        double expected = c.offset.GetNorm();
        EXPECT_NEAR(expected, Distance(c.a, c.b), 1e-14) << c.what;
        EXPECT_NEAR(expected, Distance(c.b, c.a), 1e-14) << c.what;
        ExpectNear(Project(c.a, c.b), c.a.GetBase() + c.offset, 1e-14, c.what);
        ExpectNear(Project(c.b, c.a), c.b.GetBase() - c.offset, 1e-14, c.what);
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
