#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "molecule/UAngles.h"
#include "tests/support/ChildProcess.h"

namespace {

const double pi = 3.141592653589793;

// The IUPAC dihedral of p1-p2-p3-p4: looking along p2 -> p3, positive when the
// near bond turns clockwise onto the far one.
double IupacDihedral(V3 const& p1, V3 const& p2, V3 const& p3, V3 const& p4)
{
    V3 b1 = p2 - p1, b2 = p3 - p2, b3 = p4 - p3;
    V3 n1 = Outer(b1, b2), n2 = Outer(b2, b3);
    return std::atan2(b2.GetNorm() * Inner(b1, n2), Inner(n1, n2));
}

double WrappedDifference(double a, double b) { return std::remainder(a - b, 2.0 * pi); }

TEST(Angle, RightStraightAndZero)
{
    EXPECT_DOUBLE_EQ(Angle(V3(1, 0, 0), V3(0, 1, 0)), pi / 2);
    EXPECT_DOUBLE_EQ(Angle(V3(1, 0, 0), V3(-2, 0, 0)), pi);
    EXPECT_DOUBLE_EQ(Angle(V3(3, 0, 0), V3(1, 1, 0)), pi / 4);
    ChildResult r = RunInChild([] {
        std::printf("[%g]", Angle(V3(0, 0, 0), V3(1, 0, 0)));
        std::printf("[%g]", Angle(V3(1, 0, 0), V3(0, 0, 0)));
    });
    EXPECT_EQ(
        r.out,
        "Warning: Zero-length vectors in Angle\n[0]Warning: Zero-length vectors in Angle\n[0]");
}

// Mostly p2 at the origin and p3 on the z axis, with p1 and p4 placed so that
// the dihedral about p2 -> p3 is the expected one (NaN: not known beforehand).
struct TorsionCase {
    const char* name;
    V3 p1, p2, p3, p4;
    double expected;
};

V3 FarPoint(double degrees, double length)
{
    double phi = degrees * pi / 180.0;
    return V3(std::cos(phi), std::sin(phi), length + 0.7);
}

TEST(Torsion, AgreesWithTheIupacDihedral)
{
    V3 p2(0, 0, 0), p3(0, 0, 1.5);
    TorsionCase cases[] = {
        {"cis", V3(1, 0, -0.4), p2, p3, FarPoint(0, 1.5), 0.0},
        {"+90", V3(1, 0, -0.4), p2, p3, FarPoint(90, 1.5), pi / 2},
        {"-90", V3(1, 0, -0.4), p2, p3, FarPoint(-90, 1.5), -pi / 2},
        {"trans", V3(1, 0, -0.4), p2, p3, FarPoint(180, 1.5), pi},
        {"+60", V3(1, 0, 0.3), p2, p3, FarPoint(60, 1.5), pi / 3},
        {"-150", V3(1, 0, 0.3), p2, p3, FarPoint(-150, 1.5), -5 * pi / 6},
        {"+179.999", V3(1, 0, 0), p2, p3, FarPoint(179.999, 1.5), 179.999 * pi / 180},
        {"-0.001", V3(1, 0, 0), p2, p3, FarPoint(-0.001, 1.5), -0.001 * pi / 180},
        // p1 a micro-bohr off the axis line: still a defined dihedral.
        {"near collinear p1", V3(1e-6, 0, -2), p2, p3, FarPoint(120, 1.5), 2 * pi / 3},
        {"near collinear p4", V3(1, 0, 0.2), p2, p3, V3(-1e-6, -1e-6 * std::sqrt(3.0), 4.0),
         -2 * pi / 3},
        // A tilted, shifted frame.
        {"general", V3(0.3, -1.2, 2.0), V3(1.1, 0.4, -0.3), V3(2.5, 1.0, 0.8), V3(3.0, 2.2, 0.1),
         std::nan("")},
    };
    for (TorsionCase const& c : cases) {
        double iupac = IupacDihedral(c.p1, c.p2, c.p3, c.p4);
        if (!std::isnan(c.expected)) {
            ASSERT_NEAR(WrappedDifference(iupac, c.expected), 0.0, 1e-9) << c.name << " table";
        }
        double t = Torsion(c.p1 - c.p2, c.p3 - c.p2, c.p4 - c.p3);
        EXPECT_NEAR(WrappedDifference(t, iupac), 0.0, 1e-7) << c.name;
        EXPECT_LE(std::fabs(t), pi) << c.name;
    }
}

TEST(Torsion, RightAngleFlipsSignWithTheOuterVector)
{
    double plus = Torsion(V3(1, 0, 0), V3(0, 0, 1), V3(0, 1, 0));
    double minus = Torsion(V3(1, 0, 0), V3(0, 0, 1), V3(0, -1, 0));
    EXPECT_DOUBLE_EQ(std::fabs(plus), pi / 2);
    EXPECT_DOUBLE_EQ(minus, -plus);
}

TEST(Torsion, ZeroLengthsWarnAndGiveZero)
{
    ChildResult r = RunInChild([] {
        std::printf("[%g]", Torsion(V3(1, 0, 0), V3(0, 0, 0), V3(0, 1, 0)));
        std::printf("[%g]", Torsion(V3(0, 0, 2), V3(0, 0, 1), V3(0, 1, 0)));   // a along the axis
        std::printf("[%g]", Torsion(V3(1, 0, 0), V3(0, 0, 1), V3(0, 0, -3)));  // c along the axis
    });
    std::string w = "Warning: Zero-length vectors in Torsion\n";
    EXPECT_EQ(r.out, w + "[0]" + w + "[0]" + w + "[0]");
}

TEST(CosineClamp, WarnsOnlyBeyondTheTolerance)
{
    struct Case {
        double cs;
        double clamped;
        const char* warning;
    } cases[] = {
        {0.25, 0.25, ""},
        {1.0, 1.0, ""},
        {1.0 + 1e-9, 1.0, ""},
        {-1.0 - 1e-9, -1.0, ""},
        {1.001, 1.0, "Warning: Rounding error (1) in Angle:   1.00100000\n"},
        {-1.5, -1.0, "Warning: Rounding error (2) in Angle:  -1.50000000\n"},
    };
    for (Case const& c : cases) {
        ChildResult r = RunInChild([&] { std::printf("[%.17g]", ClampCosine(c.cs, "Angle")); });
        char value[64];
        std::snprintf(value, sizeof value, "[%.17g]", c.clamped);
        EXPECT_EQ(r.out, std::string(c.warning) + value) << c.cs;
    }
}

TEST(CosineClamp, EachFunctionNamesItself)
{
    for (const char* name : {"Angle", "Torsion", "OrientedAngle", "SignedAngle", "TorsionAngle"}) {
        ChildResult r = RunInChild([&] {
            ClampCosine(1.25, name);
            ClampCosine(-1.25, name);
        });
        std::string n(name);
        EXPECT_EQ(r.out, "Warning: Rounding error (1) in " + n + ":   1.25000000\n" +
                             "Warning: Rounding error (2) in " + n + ":  -1.25000000\n");
    }
}

}  // namespace
