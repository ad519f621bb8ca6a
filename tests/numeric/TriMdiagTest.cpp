// The implicit QL/QR tridiagonal eigensolver with and without eigenvectors: against the reference
// LAPACK, against known spectra and vectors, its checks, its monitor calls, the zero shift and the
// sweep budget.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "numeric/LAPackDouble.h"
#include "numeric/UStrNumer.h"
#include "tests/numeric/EigenTestSupport.h"
#include "tests/numeric/RefLapackEigen.h"

using namespace eigtest;

TEST(TriMdiag, EigenvectorsOfTheTridiagonalMatrixMatchTheReference)
{
    RegisterNumerMessages();
    for (long n : {2L, 3L, 6L, 25L, 90L}) {
        SCOPED_TRACE(testing::Message() << "n " << n);
        TriDiag t = RandomTriDiag(n), r = t;
        if (n == 25)
            for (long i = 0; i < n; ++i) t.d[i] = r.d[i] = std::pow(10.0, -0.25 * i);
        long const ldz = n + 2;
        std::vector<double> z(ldz * n, NaN), zr(ldz * n, NaN), work(2 * n - 2, NaN), rwork(2 * n);
        std::vector<double> const a = Full(t);
        LAPackDouble::TriMdiag(0x8, n, t.d.data(), t.e.data(), z.data(), ldz, work.data(),
                               Blas::defProgMon);
        char compz = 'I';
        int nn = I(n), ld = I(ldz), info = -1;
        dsteqr_(&compz, &nn, r.d.data(), r.e.data(), zr.data(), &ld, rwork.data(), &info, 1);
        ASSERT_EQ(info, 0);
        double const norm = MaxAbs(a, n, n);
        EXPECT_TRUE(std::is_sorted(t.d.begin(), t.d.end()));
        EXPECT_TRUE(SameValues(n, t.d.data(), r.d.data(), norm));
        EXPECT_TRUE(SameVectors(n, z.data(), ldz, zr.data(), ldz, r.d.data(), norm));
        EXPECT_LT(EigenResidual(a, n, n, z.data(), ldz, t.d.data()), 10.0);
        EXPECT_LT(OrthogonalityError(n, z.data(), ldz), 10.0);
        for (long j = 0; j < n; ++j)  // padding rows untouched
            for (long i = n; i < ldz; ++i) EXPECT_TRUE(std::isnan(z[i + j * ldz]));
    }
}

TEST(TriMdiag, AccumulatesIntoAGivenOrthogonalMatrix)
{
    RegisterNumerMessages();
    long const n = 12;
    TriDiag t = RandomTriDiag(n), r = t;
    std::vector<double> z = RandomOrthogonal(n, 2), zr = z, work(2 * n - 2), rwork(2 * n);
    LAPackDouble::TriMdiag(0x10, n, t.d.data(), t.e.data(), z.data(), n, work.data(),
                           Blas::defProgMon);
    char compz = 'V';
    int nn = I(n), info = -1;
    dsteqr_(&compz, &nn, r.d.data(), r.e.data(), zr.data(), &nn, rwork.data(), &info, 1);
    ASSERT_EQ(info, 0);
    EXPECT_TRUE(SameValues(n, t.d.data(), r.d.data(), 2.0));
    EXPECT_TRUE(SameVectors(n, z.data(), n, zr.data(), n, r.d.data(), 2.0));
}

TEST(TriMdiag, KnownSpectrumWithAndWithoutVectorsAndScaled)
{
    RegisterNumerMessages();
    for (double scale : {1.0, 1e-160, 1e160})
        for (long n : {2L, 5L, 40L}) {
            SCOPED_TRACE(testing::Message() << "n " << n << " scale " << scale);
            std::vector<double> w = SecondDifferenceSpectrum(n);
            for (double& x : w) x *= scale;
            TriDiag t = SecondDifference(n, scale), u = t;
            std::vector<double> z(n * n), work(2 * n - 2);
            LAPackDouble::TriMdiag(0x8, n, t.d.data(), t.e.data(), z.data(), n, work.data(),
                                   Blas::defProgMon);
            EXPECT_TRUE(SameValues(n, t.d.data(), w.data(), 4.0 * scale));
            // Column k is sin(i k pi / (n+1)) up to sign, normalised.
            std::vector<double> ref(n * n);
            for (long k = 1; k <= n; ++k)
                for (long i = 1; i <= n; ++i)
                    ref[(i - 1) + (k - 1) * n] =
                        std::sqrt(2.0 / (n + 1)) * std::sin(i * k * M_PI / (n + 1));
            EXPECT_TRUE(SameVectors(n, z.data(), n, ref.data(), n, w.data(), 4.0 * scale));

            LAPackDouble::TriMdiag(0x4, n, u.d.data(), u.e.data(), nullptr, 1, nullptr,
                                   Blas::defProgMon);
            EXPECT_TRUE(SameValues(n, u.d.data(), w.data(), 4.0 * scale));
        }
}

TEST(TriMdiag, ChecksAndSmallOrders)
{
    RegisterNumerMessages();
    double d[] = {2.0, 1.0}, e[] = {0.5, 0.0}, z[] = {NaN, NaN, NaN, NaN}, work[] = {0.0, 0.0};
    auto call = [&](short opt, long n, long ldz) {
        return RaisedCode(
            [&] { LAPackDouble::TriMdiag(opt, n, d, e, z, ldz, work, Blas::defProgMon); });
    };
    for (short opt :
         {short(0x0), short(0x18), short(0xc), short(0x1c), short(0x20), short(0x24), short(0x1)})
        EXPECT_EQ(call(opt, 2, 2), nmIllegalOptions) << opt;
    EXPECT_EQ(call(0x8, -1, 2), nmIllegalParameter);
    EXPECT_EQ(call(0x4, 2, 0), nmIllegalParameter);
    EXPECT_EQ(call(0x8, 2, 1), nmIllegalParameter);
    EXPECT_EQ(call(0x10, 2, 1), nmIllegalParameter);
    EXPECT_TRUE(std::isnan(z[0]));
    EXPECT_EQ(d[0], 2.0);

    RecordingMonitor pm;
    LAPackDouble::TriMdiag(0x10, 1, d, e, z, 1, work, pm);
    EXPECT_TRUE(std::isnan(z[0]));  // Z is the caller's orthogonal matrix, left alone
    LAPackDouble::TriMdiag(0x8, 1, d, e, z, 1, work, pm);
    EXPECT_EQ(z[0], 1.0);
    EXPECT_EQ(d[0], 2.0);
    LAPackDouble::TriMdiag(0x8, 0, d, e, z, 1, work, pm);
    EXPECT_TRUE(pm.events.empty());
}

TEST(TriMdiag, ReportsEveryEigenvalueFoundAndNothingWithoutVectors)
{
    RegisterNumerMessages();
    PrimeCostModel();
    struct Case {
        char const* what;
        std::vector<double> d, e;
        std::vector<long> steps;
    } const cases[] = {
        // Three 2 x 2 blocks: two steps each from one Test(counter, 2); the last one is the
        // counter's final step 5, which no report needs.
        {"2x2 blocks", {1, 2, 3, 4, 5, 6}, {1, 0, 1, 0, 1, 0}, {0, 1, 2, 3, 4}},
        // Blocks of one element that the splitting finds count for nothing.
        {"split singles", {1, 2, 3, 4, 5, 6}, {1, 0, 0, 0, 1, 0}, {0, 1, 2, 3}},
        {"diagonal", {3, 1, 2}, {0, 0, 0}, {}},
    };
    for (Case const& c : cases) {
        long const n = static_cast<long>(c.d.size());
        std::vector<double> d = c.d, e = c.e, z(n * n), work(2 * n);
        RecordingMonitor pm;
        LAPackDouble::TriMdiag(0x8, n, d.data(), e.data(), z.data(), n, work.data(), pm);
        EXPECT_EQ(pm.StepsAt(1), c.steps) << c.what;
        EXPECT_EQ(CountersOpened(pm), (std::vector<Opened>{{1, Blas::ptShrinking, n}})) << c.what;
        EXPECT_EQ(pm.GetCounter(), nullptr) << c.what;

        d = c.d, e = c.e;
        RecordingMonitor quiet;
        LAPackDouble::TriMdiag(0x4, n, d.data(), e.data(), nullptr, 1, nullptr, quiet);
        EXPECT_TRUE(quiet.events.empty()) << c.what;
    }

    // A general block reports its eigenvalues one or two at a time, in order.
    long const n = 30;
    TriDiag t = RandomTriDiag(n);
    std::vector<double> z(n * n), work(2 * n);
    RecordingMonitor pm;
    LAPackDouble::TriMdiag(0x8, n, t.d.data(), t.e.data(), z.data(), n, work.data(), pm);
    std::vector<long> const steps = pm.StepsAt(1);
    ASSERT_GE(steps.size(), size_t(n - 1));
    EXPECT_EQ(steps, StepsUpTo(static_cast<long>(steps.size())));
}

TEST(TriMdiag, SpentBudgetRaisesAndKeepsWhatConverged)
{
    RegisterNumerMessages();
    // The first block converges; the NaN in the second keeps it from ever splitting, so all
    // 30 * n sweeps go into it.
    std::vector<double> const d0 = {2.0, 1.0, 0.5, 1.0, NaN, 3.0},
                              e0 = {0.5, 0.25, 0.0, 1.0, 1.0, 0.0};
    long const n = 6;
    std::vector<double> block = {2.0, 1.0, 0.5}, blocke = {0.5, 0.25, 0.0};
    LAPackDouble::TriDiagGetEigVal(3, block.data(), blocke.data());

    for (short opt : {short(0x4), short(0x8)}) {
        std::vector<double> d = d0, e = e0, z(n * n), work(2 * n);
        RecordingMonitor pm;
        EXPECT_EQ(RaisedCode([&] {
                      LAPackDouble::TriMdiag(opt, n, d.data(), e.data(), z.data(), n, work.data(),
                                             pm);
                  }),
                  nmConvergenceFailure)
            << opt;
        std::vector<double> first(d.begin(), d.begin() + 3);
        std::sort(first.begin(), first.end());
        EXPECT_TRUE(SameValues(3, first.data(), block.data(), 2.0)) << opt;
        EXPECT_EQ(e[0], 0.0);
        EXPECT_EQ(e[1], 0.0);
    }
}

TEST(TriMdiag, EqualLeadingDiagonalTakesTheShiftWithMinusR)
{
    RegisterNumerMessages();
    // d(l) = d(l+1) makes the shift parameter exactly 0; the spectrum is a + 2b cos(k pi/(n+1)).
    for (long n : {3L, 4L, 7L}) {
        TriDiag t{std::vector<double>(n, 1.0), std::vector<double>(n, 0.5)};
        std::vector<double> const a = Full(t);
        std::vector<double> z(n * n), work(2 * n - 2);
        LAPackDouble::TriMdiag(0x8, n, t.d.data(), t.e.data(), z.data(), n, work.data(),
                               Blas::defProgMon);
        for (long k = 1; k <= n; ++k)
            EXPECT_NEAR(t.d[n - k], 1.0 + std::cos(k * M_PI / (n + 1)), 8 * n * eps)
                << "n " << n << " k " << k;
        EXPECT_LT(EigenResidual(a, n, n, z.data(), n, t.d.data()), 10.0);
        EXPECT_LT(OrthogonalityError(n, z.data(), n), 10.0);
    }
}
