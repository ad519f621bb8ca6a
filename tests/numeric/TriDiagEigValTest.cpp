// The 2 x 2 eigenproblem, the tridiagonal norm and the root-free tridiagonal eigensolver: against
// the reference LAPACK, against known spectra, and on the paths that only extreme or broken input
// takes (scaling, zero shift, split of huge neighbours, the sweep budget).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "numeric/LAPackDouble.h"
#include "numeric/UStrNumer.h"
#include "tests/numeric/EigenTestSupport.h"
#include "tests/numeric/RefLapackEigen.h"

using namespace eigtest;

TEST(M2diag, LargerRootFirstWithoutCancellationForEitherSignOfTheTrace)
{
    double const r2 = std::sqrt(2.0);
    struct Case {
        double a, b, c, rt1, rt2;
    } const cases[] = {
        {1.0, 1.0, 1.0, 2.0, 0.0},  // taking 0.5 (sm - rt) for sm > 0 would give rt1 = 0, rt2 = NaN
        {-1.0, 1.0, -1.0, -2.0, 0.0},  // and its mirror for sm < 0
        {1.0, 1.0, -1.0, r2, -r2},     // sm = 0
        {3.0, 0.0, 1.0, 3.0, 1.0},     // diagonal
        {1.0, 0.0, -4.0, -4.0, 1.0},   // diagonal, larger magnitude second
        {2.0, 1e-20, 2.0, 2.0, 2.0},   // nearly equal roots
    };
    for (Case const& k : cases) {
        SCOPED_TRACE(testing::Message() << k.a << " " << k.b << " " << k.c);
        double rt1, rt2, cs, sn;
        LAPackDouble::M2diag(k.a, k.b, k.c, rt1, rt2);
        EXPECT_NEAR(rt1, k.rt1, 4 * eps * std::fabs(k.rt1));
        EXPECT_NEAR(rt2, k.rt2, 4 * eps * std::fabs(k.rt1));
        double rt1v, rt2v;
        LAPackDouble::M2diag(k.a, k.b, k.c, rt1v, rt2v, cs, sn);
        EXPECT_EQ(rt1v, rt1);
        EXPECT_EQ(rt2v, rt2);
        // (cs, sn) is the unit eigenvector of rt1.
        EXPECT_NEAR(cs * cs + sn * sn, 1.0, 4 * eps);
        EXPECT_NEAR(k.a * cs + k.b * sn, rt1 * cs, 8 * eps * std::fabs(k.rt1));
        EXPECT_NEAR(k.b * cs + k.c * sn, rt1 * sn, 8 * eps * std::fabs(k.rt1));
    }
}

TEST(M2diag, EqualsReferenceBitForBit)
{
    for (int trial = 0; trial < 2000; ++trial) {
        double const scale = std::pow(10.0, 300.0 * oracle::Rand());
        double a = oracle::Rand() * scale, b = oracle::Rand() * scale, c = oracle::Rand() * scale;
        if (trial % 7 == 0) c = a;     // adf = 0
        if (trial % 11 == 0) b = 0.0;  // ab = 0
        if (trial % 13 == 0) c = -a;   // sm = 0
        double rt1, rt2, cs, sn, r1, r2, rc, rs;
        LAPackDouble::M2diag(a, b, c, rt1, rt2);
        dlae2_(&a, &b, &c, &r1, &r2);
        ASSERT_EQ(oracle::UlpDistance(rt1, r1), 0) << a << " " << b << " " << c;
        ASSERT_EQ(oracle::UlpDistance(rt2, r2), 0) << a << " " << b << " " << c;
        LAPackDouble::M2diag(a, b, c, rt1, rt2, cs, sn);
        dlaev2_(&a, &b, &c, &r1, &r2, &rc, &rs);
        ASSERT_EQ(oracle::UlpDistance(rt1, r1), 0);
        ASSERT_EQ(oracle::UlpDistance(rt2, r2), 0);
        ASSERT_EQ(oracle::UlpDistance(cs, rc), 0) << a << " " << b << " " << c;
        ASSERT_EQ(oracle::UlpDistance(sn, rs), 0) << a << " " << b << " " << c;
    }
}

TEST(TriDiagGetNorm, FourNormsOfASmallMatrixAndTheReference)
{
    RegisterNumerMessages();
    double const d[] = {1.0, -2.0, 3.0}, e[] = {-4.0, 5.0};
    EXPECT_EQ(LAPackDouble::TriDiagGetNorm(Blas::LaNormMaxAbs, 3, d, e), 5.0);
    EXPECT_EQ(LAPackDouble::TriDiagGetNorm(Blas::LaNormOne, 3, d, e), 11.0);  // row 2: 4 + 2 + 5
    EXPECT_EQ(LAPackDouble::TriDiagGetNorm(Blas::LaNormInf, 3, d, e), 11.0);
    EXPECT_NEAR(LAPackDouble::TriDiagGetNorm(Blas::LaNormFrobenius, 3, d, e), std::sqrt(96.0),
                4 * eps * 10);
    EXPECT_EQ(LAPackDouble::TriDiagGetNorm(Blas::LaNormInf, 1, d, e), 1.0);
    EXPECT_EQ(LAPackDouble::TriDiagGetNorm(Blas::LaNormMaxAbs, 0, d, e), 0.0);

    for (long n : {1L, 2L, 3L, 10L, 77L}) {
        TriDiag t = RandomTriDiag(n);
        int nn = I(n);
        for (auto [bit, letter] : {std::pair<short, char>{Blas::LaNormMaxAbs, 'M'},
                                   {Blas::LaNormOne, 'O'},
                                   {Blas::LaNormInf, 'I'}}) {
            EXPECT_EQ(LAPackDouble::TriDiagGetNorm(bit, n, t.d.data(), t.e.data()),
                      dlanst_(&letter, &nn, t.d.data(), t.e.data(), 1))
                << letter << " n " << n;
        }
        char f = 'F';
        double const ref = dlanst_(&f, &nn, t.d.data(), t.e.data(), 1);
        EXPECT_NEAR(LAPackDouble::TriDiagGetNorm(Blas::LaNormFrobenius, n, t.d.data(), t.e.data()),
                    ref, 4 * eps * ref);
    }
}

TEST(TriDiagGetNorm, ChecksTheOptionWordEvenForAnEmptyMatrix)
{
    RegisterNumerMessages();
    double const d[] = {1.0}, e[] = {0.0};
    for (short opt : {short(0x0), short(0x3), short(0x10), short(0x18), short(0x81)})
        EXPECT_EQ(RaisedCode([&] { LAPackDouble::TriDiagGetNorm(opt, 0, d, e); }), nmIllegalOptions)
            << opt;
}

TEST(TriDiagGetEigVal, EqualsTheReferenceBitForBit)
{
    RegisterNumerMessages();
    // The reference's iteration has not changed since; only a shift parameter of exactly 0, which
    // random data do not produce, would take the other sign.
    for (long n : {2L, 3L, 5L, 17L, 64L, 200L}) {
        SCOPED_TRACE(testing::Message() << "n " << n);
        TriDiag t = RandomTriDiag(n), r = t;
        // Decreasing and increasing grading make the iteration run from either end.
        if (n == 17)
            for (long i = 0; i < n; ++i) t.d[i] = r.d[i] = std::pow(10.0, -0.5 * i);
        if (n == 64)
            for (long i = 0; i < n; ++i) t.d[i] = r.d[i] = std::pow(2.0, 0.25 * i);
        LAPackDouble::TriDiagGetEigVal(n, t.d.data(), t.e.data());
        int nn = I(n), info = -1;
        dsterf_(&nn, r.d.data(), r.e.data(), &info);
        ASSERT_EQ(info, 0);
        EXPECT_TRUE(std::is_sorted(t.d.begin(), t.d.end()));
        EXPECT_TRUE(oracle::SameArrays(t.d, r.d, 0));
    }
}

TEST(TriDiagGetEigVal, KnownSpectraAlsoThroughTheScalingOfTheBlock)
{
    RegisterNumerMessages();
    // 1e160 lies above sqrt(safmax)/3, 1e-160 below sqrt(safmin)/eps^2: both are scaled.
    for (double scale : {1.0, 1e-160, 1e160})
        for (long n : {2L, 3L, 10L, 50L}) {
            SCOPED_TRACE(testing::Message() << "n " << n << " scale " << scale);
            TriDiag t = SecondDifference(n, scale);
            LAPackDouble::TriDiagGetEigVal(n, t.d.data(), t.e.data());
            std::vector<double> w = SecondDifferenceSpectrum(n);
            for (double& x : w) x *= scale;
            EXPECT_TRUE(SameValues(n, t.d.data(), w.data(), 4.0 * scale));
        }
}

TEST(TriDiagGetEigVal, HugeNeighboursDoNotSplitOffTheirCoupling)
{
    RegisterNumerMessages();
    // The product of the two diagonal elements overflows; their square roots do not.
    double d[] = {1e200, 1e200}, e[] = {1e199};
    LAPackDouble::TriDiagGetEigVal(2, d, e);
    EXPECT_NEAR(d[0], 0.9e200, 1e185);
    EXPECT_NEAR(d[1], 1.1e200, 1e185);

    double d3[] = {1e200, 1e200, 1e200}, e3[] = {1e199, 1e199};
    LAPackDouble::TriDiagGetEigVal(3, d3, e3);
    double const s = 1e199 * std::sqrt(2.0);
    EXPECT_NEAR(d3[0], 1e200 - s, 1e186);
    EXPECT_NEAR(d3[1], 1e200, 1e186);
    EXPECT_NEAR(d3[2], 1e200 + s, 1e186);
}

TEST(TriDiagGetEigVal, EqualLeadingDiagonalTakesTheShiftWithMinusR)
{
    RegisterNumerMessages();
    // d(l) = d(l+1) makes the shift parameter exactly 0; the spectrum is a + 2b cos(k pi/(n+1)).
    for (long n : {3L, 4L, 7L}) {
        TriDiag t{std::vector<double>(n, 1.0), std::vector<double>(n, 0.5)};
        LAPackDouble::TriDiagGetEigVal(n, t.d.data(), t.e.data());
        for (long k = 1; k <= n; ++k)
            EXPECT_NEAR(t.d[n - k], 1.0 + std::cos(k * M_PI / (n + 1)), 8 * n * eps)
                << "n " << n << " k " << k;
    }
}

TEST(TriDiagGetEigVal, SmallOrdersAndArgumentErrors)
{
    RegisterNumerMessages();
    double d[] = {3.5}, e[] = {NaN};
    LAPackDouble::TriDiagGetEigVal(1, d, e);
    EXPECT_EQ(d[0], 3.5);
    LAPackDouble::TriDiagGetEigVal(0, d, e);
    EXPECT_EQ(RaisedCode([&] { LAPackDouble::TriDiagGetEigVal(-1, d, e); }), nmIllegalParameter);
}

TEST(TriDiagGetEigVal, SpentBudgetRaisesAndKeepsWhatConverged)
{
    RegisterNumerMessages();
    // The first block converges; the NaN in the second keeps it from ever splitting, so all
    // 30 * n sweeps go into it.
    std::vector<double> d = {2.0, 1.0, 0.5, 1.0, NaN, 3.0}, e = {0.5, 0.25, 0.0, 1.0, 1.0, 0.0};
    std::vector<double> block = {2.0, 1.0, 0.5}, blocke = {0.5, 0.25, 0.0};
    LAPackDouble::TriDiagGetEigVal(3, block.data(), blocke.data());
    EXPECT_EQ(RaisedCode([&] { LAPackDouble::TriDiagGetEigVal(6, d.data(), e.data()); }),
              nmConvergenceFailure);
    std::vector<double> first(d.begin(), d.begin() + 3);
    std::sort(first.begin(), first.end());
    EXPECT_TRUE(oracle::SameArrays(first, block, 0));
    EXPECT_EQ(e[0], 0.0);
    EXPECT_EQ(e[1], 0.0);
}
