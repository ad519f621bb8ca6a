// PlaneRot through the identities that hold whatever the release (the reference DLARTG was
// rewritten in 3.10 and chooses other signs), its fixed cases and its end for infinite and NaN
// arguments; RotateBlock against the reference DLASR, which did not change after 2.0, to the bit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

#include "numeric/LAPackDouble.h"
#include "numeric/UStrNumer.h"
#include "tests/numeric/Deadline.h"
#include "tests/numeric/NumerTestSupport.h"
#include "tests/numeric/OracleSupport.h"
#include "tests/numeric/RefLapackAux.h"

using namespace oracle;

namespace {

double const inf = std::numeric_limits<double>::infinity();
double const eps = std::numeric_limits<double>::epsilon();

struct Rotation {
    double cs, sn, r;
};

Rotation Rot(double f, double g)
{
    Rotation q;
    LAPackDouble::PlaneRot(f, g, q.cs, q.sn, q.r);
    return q;
}

// [cs sn; -sn cs]*[f; g] = [r; 0] and cs^2 + sn^2 = 1, to a few eps, computed on f and g scaled
// by |r| so that the check itself neither overflows nor underflows.
::testing::AssertionResult IsRotationOf(double f, double g, Rotation const& q)
{
    double const size = std::fabs(q.r);
    if (!(size > 0.0) || std::isinf(size)) return ::testing::AssertionFailure() << "r " << q.r;
    double const fs = f / size, gs = g / size, rs = q.r / size;
    double const first = q.cs * fs + q.sn * gs - rs;
    double const second = -q.sn * fs + q.cs * gs;
    double const unit = q.cs * q.cs + q.sn * q.sn - 1.0;
    // Written as "not within" so that a NaN residual fails.
    if (!(std::fabs(first) <= 4 * eps && std::fabs(second) <= 4 * eps &&
          std::fabs(unit) <= 4 * eps))
        return ::testing::AssertionFailure()
               << "f " << f << " g " << g << ": cs " << q.cs << " sn " << q.sn << " r " << q.r
               << " residuals " << first << " " << second << " " << unit;
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(PlaneRotation, FixedCases)
{
    struct Case {
        double f, g, cs, sn, r;
    } const cases[] = {
        {3, 4, 0.6, 0.8, 5},                      // |f| <= |g|: cs keeps the sign of f
        {-4, 3, 0.8, -0.6, -5},                   // |f| > |g| and cs < 0: all three change sign
        {-3, 4, -0.6, 0.8, 5},                    // |f| <= |g|: no change of sign
        {7, 0, 1, 0, 7},                          // g = 0
        {-7, 0, 1, 0, -7},      {0, 0, 1, 0, 0},  // g is tested first
        {0, -2, 0, 1, -2},                        // f = 0: r keeps the sign of g
        {inf, 0, 1, 0, inf},                      // the zero rules hold for infinite values too
        {0, -inf, 0, 1, -inf},
    };
    for (Case const& c : cases) {
        Rotation const q = Rot(c.f, c.g);
        EXPECT_DOUBLE_EQ(q.cs, c.cs) << c.f << " " << c.g;
        EXPECT_DOUBLE_EQ(q.sn, c.sn) << c.f << " " << c.g;
        EXPECT_DOUBLE_EQ(q.r, c.r) << c.f << " " << c.g;
    }
}

TEST(PlaneRotation, RescalesFarFromOne)
{
    double const h = std::sqrt(0.5);
    Rotation q = Rot(1e300, 1e300);
    EXPECT_DOUBLE_EQ(q.cs, h);
    EXPECT_DOUBLE_EQ(q.sn, h);
    EXPECT_DOUBLE_EQ(q.r, 1e300 * std::sqrt(2.0));
    q = Rot(1e-300, 1e-300);
    EXPECT_DOUBLE_EQ(q.cs, h);
    EXPECT_DOUBLE_EQ(q.r, 1e-300 * std::sqrt(2.0));
    // The smallest subnormals, and the largest values, whose squares are out of range.
    q = Rot(5e-324, -5e-324);
    EXPECT_DOUBLE_EQ(q.cs, h);
    EXPECT_DOUBLE_EQ(q.sn, -h);
    EXPECT_EQ(q.r, 5e-324) << "r = sqrt(2)*2^-1074 rounds back to 2^-1074";
    q = Rot(-1.7e308, 1.7e308);
    EXPECT_DOUBLE_EQ(q.cs, -h);
    EXPECT_EQ(q.r, inf) << "sqrt(2)*1.7e308 is out of range";
    // Steps of the base leave the ratio of f and g exact.
    q = Rot(3e-300, 4e-300);
    EXPECT_DOUBLE_EQ(q.cs, 0.6);
    EXPECT_DOUBLE_EQ(q.sn, 0.8);
    EXPECT_DOUBLE_EQ(q.r, 5e-300);
}

TEST(PlaneRotation, IdentitiesHoldAndMagnitudesAgreeWithReference)
{
    for (int k = 0; k < 2000; ++k) {
        double const f = Rand() * std::pow(10.0, double(k % 61) * 10.0 - 300.0);
        double const g = Rand() * std::pow(10.0, double((k / 61) % 61) * 10.0 - 300.0);
        Rotation const q = Rot(f, g);
        EXPECT_TRUE(IsRotationOf(f, g, q));
        if (std::fabs(f) > std::fabs(g)) {
            EXPECT_GT(q.cs, 0.0) << f << " " << g;
        }
        Rotation ref;
        dlartg_(&f, &g, &ref.cs, &ref.sn, &ref.r);
        EXPECT_TRUE(Close(std::fabs(q.r), std::fabs(ref.r), 2, 0.0)) << f << " " << g;
    }
}

TEST(PlaneRotation, InfiniteOrNaNArgumentsEndWithNaN)
{
    // With an infinite argument the reference's scaling never ends; here every case must end, and
    // with NaN in r.
    struct Args {
        double f, g;
    } const cases[] = {{inf, 1.0},    {1.0, inf},    {-inf, 2.0},  {3.0, -inf},   {inf, inf},
                       {-inf, inf},   {inf, NaN},    {NaN, inf},   {NaN, 1.0},    {1.0, NaN},
                       {NaN, NaN},    {1e300, NaN},  {NaN, 1e300}, {1e-300, NaN}, {NaN, 1e-300},
                       {inf, 1e-300}, {1e-300, -inf}};
    ChildResult const run = RunWithDeadline([&] {
        for (Args const& a : cases) {
            Rotation const q = Rot(a.f, a.g);
            std::printf("%d", std::isnan(q.r) ? 1 : 0);
        }
    });
    EXPECT_EQ(run.exitStatus, 0) << "did not end in time";
    EXPECT_EQ(run.out, std::string(sizeof cases / sizeof cases[0], '1'));
}

namespace {

struct Word {
    short opt;
    char side, pivot, direct;
};

std::vector<Word> AllWords()
{
    std::vector<Word> words;
    for (int side = 0; side < 2; ++side)
        for (int direct = 0; direct < 2; ++direct)
            for (int pivot = 0; pivot < 3; ++pivot)
                words.push_back({short((1 << side) | (4 << direct) | (16 << pivot)), "LR"[side],
                                 "VTB"[pivot], "FB"[direct]});
    return words;
}

// z-1 rotations, some of them the identity, which must be skipped.
void Rotations(long count, std::vector<double>& c, std::vector<double>& s)
{
    c.assign(count > 0 ? count : 1, NaN);
    s.assign(count > 0 ? count : 1, NaN);
    for (long k = 0; k < count; ++k) {
        double const angle = 3.0 * Rand();
        c[k] = k % 4 == 2 ? 1.0 : std::cos(angle);
        s[k] = k % 4 == 2 ? 0.0 : std::sin(angle);
    }
}

}  // namespace

TEST(RotateBlock, EqualsReferenceForEveryWord)
{
    struct Shape {
        long m, n;
    } const shapes[] = {{1, 1}, {1, 5}, {5, 1}, {2, 2}, {4, 7}, {7, 4}, {9, 9}};
    for (Word const& w : AllWords())
        for (Shape const& sh : shapes) {
            SCOPED_TRACE(testing::Message()
                         << w.side << w.pivot << w.direct << " m " << sh.m << " n " << sh.n);
            long const lda = sh.m + 2;
            long const z = w.side == 'L' ? sh.m : sh.n;
            std::vector<double> c, s;
            Rotations(z - 1, c, s);
            std::vector<double> ours = PaddedMatrix<double>(sh.m, sh.n, lda), ref = ours;
            LAPackDouble::RotateBlock(w.opt, sh.m, sh.n, c.data(), s.data(), ours.data(), lda);
            int m = int(sh.m), n = int(sh.n), ld = int(lda);
            dlasr_(&w.side, &w.pivot, &w.direct, &m, &n, c.data(), s.data(), ref.data(), &ld, 1, 1,
                   1);
            EXPECT_EQ(std::memcmp(ours.data(), ref.data(), ours.size() * sizeof(double)), 0);
        }
}

TEST(RotateBlock, OrderOfTheRotations)
{
    // Top pivot, forward, on the rows of the 3 x 1 matrix (1, 0, 0): rotation 1 acts in the plane
    // (1, 2) first, then rotation 2 in (1, 3).
    double const c[2] = {0.0, 0.0}, s[2] = {1.0, 1.0};
    double a[3] = {1.0, 0.0, 0.0};
    LAPackDouble::RotateBlock(0x25, 3, 1, c, s, a, 3);
    EXPECT_EQ(a[0], 0.0);
    EXPECT_EQ(a[1], -1.0);
    EXPECT_EQ(a[2], 0.0);
    // Backward: rotation 2 first takes the 1 to row 3; rotation 1 then finds row 1 empty.
    double b[3] = {1.0, 0.0, 0.0};
    LAPackDouble::RotateBlock(0x29, 3, 1, c, s, b, 3);
    EXPECT_EQ(b[0], 0.0);
    EXPECT_EQ(b[1], 0.0);
    EXPECT_EQ(b[2], -1.0);
}

TEST(RotateBlock, IdentityRotationsLeaveEveryBit)
{
    // Applied, c = 1 and s = 0 would turn -0 into +0 and 0*inf into NaN.
    double const c[3] = {1.0, 1.0, 1.0}, s[3] = {0.0, 0.0, 0.0};
    double const start[8] = {-0.0, inf, NaN, -inf, 1.0, -0.0, 2.0, inf};
    for (Word const& w : AllWords()) {
        double a[8];
        std::memcpy(a, start, sizeof a);
        LAPackDouble::RotateBlock(w.opt, 4, 2, c, s, a, 4);
        EXPECT_EQ(std::memcmp(a, start, sizeof a), 0) << w.side << w.pivot << w.direct;
    }
}

TEST(RotateBlock, Checks)
{
    RegisterNumerMessages();
    double c[4] = {0.6, 0.6, 0.6, 0.6}, s[4] = {0.8, 0.8, 0.8, 0.8};
    std::vector<double> a(20, 2.0);
    struct Bad {
        short opt;
        long m, n, lda;
        int code;
    } const cases[] = {
        {0x17, 2, 2, 2, nmIllegalOptions},    {0x1d, 2, 2, 2, nmIllegalOptions},
        {0x35, 2, 2, 2, nmIllegalOptions},    {0x95, 2, 2, 2, nmIllegalOptions},
        {0x14, 2, 2, 2, nmIllegalOptions},    {0x11, 2, 2, 2, nmIllegalOptions},
        {0x05, 2, 2, 2, nmIllegalOptions},    {0x75, 2, 2, 2, nmIllegalOptions},
        {0x17, -1, 2, 0, nmIllegalOptions},   {0x15, -1, 2, 2, nmIllegalParameter},
        {0x16, 2, -1, 2, nmIllegalParameter}, {0x15, 3, 2, 2, nmIllegalParameter},
        {0x15, 0, 2, 0, nmIllegalParameter},
    };
    for (Bad const& b : cases) {
        EXPECT_EQ(
            RaisedCode([&] { LAPackDouble::RotateBlock(b.opt, b.m, b.n, c, s, a.data(), b.lda); }),
            b.code)
            << std::hex << b.opt << " m " << b.m << " n " << b.n << " lda " << b.lda;
        EXPECT_EQ(a, std::vector<double>(20, 2.0));
    }
    // Nothing to rotate: c and s are not read.
    LAPackDouble::RotateBlock(0x15, 0, 3, nullptr, nullptr, a.data(), 1);
    LAPackDouble::RotateBlock(0x26, 3, 0, nullptr, nullptr, a.data(), 3);
    std::string text;
    RaisedCode([&] { LAPackDouble::RotateBlock(0, 1, 1, c, s, a.data(), 1); }, &text);
    EXPECT_NE(text.find("Error in file dlasr line "), std::string::npos) << text;
}
