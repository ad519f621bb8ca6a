// The reduction to tridiagonal form and the generation of its orthogonal matrix: against the
// reference LAPACK, through the invariant Q' A Q = T with the unused triangle left alone, the panel
// path in the reduction's own loop against the unblocked result, and the edge cases and checks.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "numeric/LAPackDouble.h"
#include "numeric/TriDiagReduction.h"
#include "numeric/UStrNumer.h"
#include "tests/numeric/EigenTestSupport.h"
#include "tests/numeric/RefLapackEigen.h"

using namespace eigtest;

namespace {

// A reduction's results: d, e, tau and the matrix with its reflectors.
struct Reduced {
    std::vector<double> a, d, e, tau;
};

Reduced Unreduced(std::vector<double> const& a, long n)
{
    long const m = std::max(n, 1L);
    return Reduced{a, std::vector<double>(m, NaN), std::vector<double>(m, NaN),
                   std::vector<double>(m, NaN)};
}

short Uplo(bool lower) { return lower ? Blas::LaMatLower : Blas::LaMatUpper; }

// max |(Q' A Q - T)(i,j)| / (n eps max|A|) for the full matrix a, the orthogonal q and the
// tridiagonal T = (d, e).
double SimilarityResidual(std::vector<double> const& a, long lda, std::vector<double> const& q,
                          long ldq, long n, std::vector<double> const& d,
                          std::vector<double> const& e)
{
    std::vector<double> aq(n * n, 0.0);
    for (long j = 0; j < n; ++j)
        for (long k = 0; k < n; ++k)
            for (long i = 0; i < n; ++i) aq[i + j * n] += a[i + k * lda] * q[k + j * ldq];
    double worst = 0.0;
    for (long j = 0; j < n; ++j)
        for (long i = 0; i < n; ++i) {
            double s = 0.0;
            for (long k = 0; k < n; ++k) s += q[k + i * ldq] * aq[k + j * n];
            if (i == j) s -= d[i];
            if (i == j + 1 || j == i + 1) s -= e[std::min(i, j)];
            worst = std::max(worst, std::fabs(s));
        }
    return worst / (n * eps * MaxAbs(a, n, lda));
}

// The elements of the triangle a routine must not touch are still NaN.
::testing::AssertionResult OtherTriangleUntouched(std::vector<double> const& a, long n, long lda,
                                                  bool lower)
{
    for (long j = 0; j < n; ++j)
        for (long i = 0; i < lda; ++i) {
            bool const outside = i >= n || (lower ? i < j : i > j);
            if (outside && !std::isnan(a[i + j * lda]))
                return ::testing::AssertionFailure()
                       << "element (" << i << ", " << j << ") written";
        }
    return ::testing::AssertionSuccess();
}

// Reduced results agree to within tol * n * eps * scale over the stored triangle and d, e, tau.
::testing::AssertionResult SameReduction(Reduced const& x, Reduced const& y, long n, long lda,
                                         bool lower, double scale, double tol = 20.0)
{
    double const bound = tol * std::max(n, 1L) * eps * scale;
    auto close = [bound](double p, double q) {
        return (std::isnan(p) && std::isnan(q)) || std::fabs(p - q) <= bound;
    };
    for (long i = 0; i < n; ++i)
        if (!close(x.d[i], y.d[i]))
            return ::testing::AssertionFailure() << "d " << i << ": " << x.d[i] << " vs " << y.d[i];
    for (long i = 0; i + 1 < n; ++i) {
        if (!close(x.e[i], y.e[i]))
            return ::testing::AssertionFailure() << "e " << i << ": " << x.e[i] << " vs " << y.e[i];
        if (!close(x.tau[i], y.tau[i]))
            return ::testing::AssertionFailure()
                   << "tau " << i << ": " << x.tau[i] << " vs " << y.tau[i];
    }
    for (long j = 0; j < n; ++j)
        for (long i = 0; i < n; ++i)
            if ((lower ? i >= j : i <= j) && !close(x.a[i + j * lda], y.a[i + j * lda]))
                return ::testing::AssertionFailure()
                       << "A(" << i << ", " << j << "): " << x.a[i + j * lda] << " vs "
                       << y.a[i + j * lda];
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(MtoTriDiag, MatchesTheReferenceAndLeavesTheOtherTriangle)
{
    RegisterNumerMessages();
    for (bool lower : {true, false})
        for (long n : {1L, 2L, 3L, 8L, 31L}) {
            SCOPED_TRACE(testing::Message() << (lower ? "lower" : "upper") << " n " << n);
            long const lda = n + 2;
            std::vector<double> const full = RandomSymmetric(n, lda);
            std::vector<double> const a = OneTriangle(full, n, lda, lower);
            Reduced ours = Unreduced(a, n), unblocked = Unreduced(a, n), ref = Unreduced(a, n);
            std::vector<double> work(n);
            LAPackDouble::MtoTriDiag(Uplo(lower), n, ours.a.data(), lda, ours.d.data(),
                                     ours.e.data(), ours.tau.data(), work.data(), n,
                                     Blas::defProgMon);
            LAPackDouble::MtoTriDiagNoBlock(Uplo(lower), n, unblocked.a.data(), lda,
                                            unblocked.d.data(), unblocked.e.data(),
                                            unblocked.tau.data(), Blas::defProgMon);
            char uplo = lower ? 'L' : 'U';
            int nn = I(n), ld = I(lda), info = -1;
            dsytd2_(&uplo, &nn, ref.a.data(), &ld, ref.d.data(), ref.e.data(), ref.tau.data(),
                    &info, 1);
            ASSERT_EQ(info, 0);
            // With block size 1 the driver is the unblocked reduction, bit for bit. The reference
            // rounds its norms differently, and T, fixed by A and its first column as in the
            // Lanczos process, is sensitive to that: hence the wide margin; the invariants below
            // are the strict test.
            EXPECT_TRUE(SameReduction(ours, unblocked, n, lda, lower, 1.0, 0.0));
            EXPECT_TRUE(SameReduction(ours, ref, n, lda, lower, MaxAbs(full, n, lda), 200.0));
            EXPECT_TRUE(OtherTriangleUntouched(ours.a, n, lda, lower));

            // Q from the reflectors: orthogonal, Q' A Q = T, and as the reference forms it.
            std::vector<double> q = ours.a, qr = ref.a, w(std::max(n, 1L)),
                                wr(std::max(n, 1L) * 64);
            LAPackDouble::SymFormReflect(Uplo(lower), n, q.data(), lda, ours.tau.data(), w.data(),
                                         n, Blas::defProgMon);
            int lw = I(wr.size());
            dorgtr_(&uplo, &nn, qr.data(), &ld, ref.tau.data(), wr.data(), &lw, &info, 1);
            ASSERT_EQ(info, 0);
            EXPECT_LT(OrthogonalityError(n, q.data(), lda), 10.0);
            EXPECT_LT(SimilarityResidual(full, lda, q, lda, n, ours.d, ours.e), 10.0);
            for (long j = 0; j < n; ++j)
                for (long i = 0; i < n; ++i)
                    EXPECT_NEAR(q[i + j * lda], qr[i + j * lda], 20 * n * eps);
        }
}

TEST(MtoTriDiagBlock, PanelsInTheReductionsLoopGiveTheUnblockedResult)
{
    RegisterNumerMessages();
    struct Case {
        long n, nb, nx;
    } const cases[] = {{10, 3, 3}, {11, 3, 4}, {12, 4, 4}, {13, 2, 2},
                       {9, 2, 8},  {7, 3, 7},  {16, 5, 5}};
    for (bool lower : {true, false})
        for (Case const& c : cases) {
            SCOPED_TRACE(testing::Message() << (lower ? "lower" : "upper") << " n " << c.n << " nb "
                                            << c.nb << " nx " << c.nx);
            long const n = c.n, lda = n + 1;
            std::vector<double> const full = RandomSymmetric(n, lda);
            std::vector<double> const a = OneTriangle(full, n, lda, lower);
            Reduced blocked = Unreduced(a, n), unblocked = Unreduced(a, n);
            std::vector<double> work(n * c.nb, NaN);
            TriDiagReduction::Blocked(Uplo(lower), n, blocked.a.data(), lda, blocked.d.data(),
                                      blocked.e.data(), blocked.tau.data(), work.data(), n, c.nb,
                                      c.nx, Blas::defProgMon);
            LAPackDouble::MtoTriDiagNoBlock(Uplo(lower), n, unblocked.a.data(), lda,
                                            unblocked.d.data(), unblocked.e.data(),
                                            unblocked.tau.data(), Blas::defProgMon);
            // Equal but for rounding, to which T is sensitive (see above); Q' A Q = T is strict.
            EXPECT_TRUE(
                SameReduction(blocked, unblocked, n, lda, lower, MaxAbs(full, n, lda), 200.0));
            EXPECT_TRUE(OtherTriangleUntouched(blocked.a, n, lda, lower));
            std::vector<double> q = blocked.a, w(n);
            LAPackDouble::SymFormReflect(Uplo(lower), n, q.data(), lda, blocked.tau.data(),
                                         w.data(), n, Blas::defProgMon);
            EXPECT_LT(OrthogonalityError(n, q.data(), lda), 10.0);
            EXPECT_LT(SimilarityResidual(full, lda, q, lda, n, blocked.d, blocked.e), 10.0);
        }

    // Without the upper bit the panel works on the lower triangle.
    long const n = 6, nb = 2;
    std::vector<double> const a = OneTriangle(RandomSymmetric(n, n), n, n, true);
    std::vector<double> a1 = a, a2 = a, e1(n), e2(n), t1(n), t2(n), w1(n * nb), w2(n * nb);
    LAPackDouble::MtoTriDiagBlock(0x1, n, nb, a1.data(), n, e1.data(), t1.data(), w1.data(), n,
                                  Blas::defProgMon);
    LAPackDouble::MtoTriDiagBlock(0x2, n, nb, a2.data(), n, e2.data(), t2.data(), w2.data(), n,
                                  Blas::defProgMon);
    EXPECT_TRUE(oracle::SameArrays(a1, a2, 0));
    EXPECT_TRUE(oracle::SameArrays(w1, w2, 0));
}

TEST(MtoTriDiag, TridiagonalInputNeedsNoReflectorsAndGivesTheUnitMatrix)
{
    RegisterNumerMessages();
    long const n = 5;
    for (bool lower : {true, false}) {
        std::vector<double> a(n * n, 0.0);
        for (long i = 0; i < n; ++i) {
            a[i + i * n] = i + 1.0;
            if (i + 1 < n) a[(lower ? i + 1 + i * n : i + (i + 1) * n)] = -0.5 * (i + 1);
        }
        Reduced r = Unreduced(a, n);
        std::vector<double> work(n);
        LAPackDouble::MtoTriDiag(Uplo(lower), n, r.a.data(), n, r.d.data(), r.e.data(),
                                 r.tau.data(), work.data(), n, Blas::defProgMon);
        for (long i = 0; i < n; ++i) {
            EXPECT_EQ(r.d[i], i + 1.0);
            if (i + 1 < n) {
                EXPECT_EQ(r.e[i], -0.5 * (i + 1));
                EXPECT_EQ(r.tau[i], 0.0);
            }
        }
        LAPackDouble::SymFormReflect(Uplo(lower), n, r.a.data(), n, r.tau.data(), work.data(), n,
                                     Blas::defProgMon);
        for (long j = 0; j < n; ++j)
            for (long i = 0; i < n; ++i)
                EXPECT_EQ(r.a[i + j * n], i == j ? 1.0 : 0.0) << i << " " << j;
    }
}

TEST(MtoTriDiag, OrderOneAndZero)
{
    RegisterNumerMessages();
    for (bool lower : {true, false}) {
        double a[] = {-2.5}, d[] = {NaN}, e[] = {NaN}, tau[] = {NaN}, work[] = {NaN};
        RecordingMonitor pm;
        LAPackDouble::MtoTriDiag(Uplo(lower), 0, a, 1, d, e, tau, work, 1, pm);
        LAPackDouble::MtoTriDiagNoBlock(Uplo(lower), 0, a, 1, d, e, tau, pm);
        LAPackDouble::SymFormReflect(Uplo(lower), 0, a, 1, tau, work, 1, pm);
        EXPECT_TRUE(pm.events.empty());
        EXPECT_TRUE(std::isnan(d[0]));

        LAPackDouble::MtoTriDiag(Uplo(lower), 1, a, 1, d, e, tau, work, 1, Blas::defProgMon);
        EXPECT_EQ(d[0], -2.5);
        EXPECT_EQ(a[0], -2.5);
        LAPackDouble::SymFormReflect(Uplo(lower), 1, a, 1, tau, work, 1, Blas::defProgMon);
        EXPECT_EQ(a[0], 1.0);
    }
}

TEST(MtoTriDiag, ChecksComeFirstAndChangeNothing)
{
    RegisterNumerMessages();
    long const n = 4;
    std::vector<double> const a0 = RandomSymmetric(n, n);
    std::vector<double> a = a0, d(n), e(n), tau(n, 0.0), work(n);
    Blas::UProgressMonitor& pm = Blas::defProgMon;
    auto trd = [&](short opt, long nn, long lda, long lwork) {
        return RaisedCode([&] {
            LAPackDouble::MtoTriDiag(opt, nn, a.data(), lda, d.data(), e.data(), tau.data(),
                                     work.data(), lwork, pm);
        });
    };
    auto td2 = [&](short opt, long nn, long lda) {
        return RaisedCode([&] {
            LAPackDouble::MtoTriDiagNoBlock(opt, nn, a.data(), lda, d.data(), e.data(), tau.data(),
                                            pm);
        });
    };
    auto orgtr = [&](short opt, long nn, long lda, long lwork) {
        return RaisedCode([&] {
            LAPackDouble::SymFormReflect(opt, nn, a.data(), lda, tau.data(), work.data(), lwork,
                                         pm);
        });
    };
    for (short opt : {short(0x6), short(0x1), short(0x0), short(0x12), short(0x3)}) {
        EXPECT_EQ(trd(opt, n, n, n), nmIllegalOptions) << opt;
        EXPECT_EQ(td2(opt, n, n), nmIllegalOptions) << opt;
        EXPECT_EQ(orgtr(opt, n, n, n), nmIllegalOptions) << opt;
    }
    EXPECT_EQ(trd(Blas::LaMatLower, -1, n, n), nmIllegalParameter);
    EXPECT_EQ(trd(Blas::LaMatUpper, n, n - 1, n), nmIllegalParameter);
    EXPECT_EQ(trd(Blas::LaMatLower, 0, 0, 1), nmIllegalParameter);
    EXPECT_EQ(trd(Blas::LaMatLower, n, n, 0), nmWorkspaceTooSmall);
    // also when there is nothing to reduce
    EXPECT_EQ(trd(Blas::LaMatUpper, 0, 1, 0), nmWorkspaceTooSmall);
    EXPECT_EQ(trd(Blas::LaMatUpper, n, n, -1), nmWorkspaceTooSmall);
    EXPECT_EQ(td2(Blas::LaMatLower, -1, n), nmIllegalParameter);
    EXPECT_EQ(td2(Blas::LaMatUpper, n, n - 1), nmIllegalParameter);
    EXPECT_EQ(orgtr(Blas::LaMatLower, -1, n, n), nmIllegalParameter);
    EXPECT_EQ(orgtr(Blas::LaMatUpper, n, n - 1, n), nmIllegalParameter);
    EXPECT_EQ(orgtr(Blas::LaMatLower, n, n, n - 2), nmWorkspaceTooSmall);
    EXPECT_EQ(orgtr(Blas::LaMatUpper, n, n, n - 2), nmWorkspaceTooSmall);
    EXPECT_EQ(orgtr(Blas::LaMatUpper, 0, 1, 0), nmWorkspaceTooSmall);
    EXPECT_TRUE(oracle::SameArrays(a, a0, 0));
    EXPECT_EQ(orgtr(Blas::LaMatLower, n, n, n - 1), 0);
    a = a0;
    EXPECT_EQ(orgtr(Blas::LaMatUpper, n, n, n - 1), 0);
}

TEST(MtoTriDiag, ReportsEachStepOfTheUnblockedReduction)
{
    RegisterNumerMessages();
    PrimeCostModel();
    long const U = Blas::ptUniform;
    for (bool lower : {true, false}) {
        for (long n : {1L, 6L}) {
            std::vector<double> a = RandomSymmetric(n, n), d(n), e(n), tau(n), work(n);
            RecordingMonitor pm;
            LAPackDouble::MtoTriDiagNoBlock(Uplo(lower), n, a.data(), n, d.data(), e.data(),
                                            tau.data(), pm);
            EXPECT_EQ(CountersOpened(pm), (std::vector<Opened>{{1, U, n}}));
            EXPECT_EQ(pm.StepsAt(1), StepsUpTo(n - 1));

            a = RandomSymmetric(n, n);
            RecordingMonitor driver;
            LAPackDouble::MtoTriDiag(Uplo(lower), n, a.data(), n, d.data(), e.data(), tau.data(),
                                     work.data(), n, driver);
            EXPECT_EQ(CountersOpened(driver), (std::vector<Opened>{{1, U, n}, {2, U, n}}));
            EXPECT_TRUE(driver.StepsAt(1).empty());
            EXPECT_EQ(driver.StepsAt(2), StepsUpTo(n - 1));
            EXPECT_EQ(driver.GetCounter(), nullptr);
        }

        long const n = 7, nb = 3;
        std::vector<double> a = RandomSymmetric(n, n), e(n), tau(n), w(n * nb);
        RecordingMonitor pm;
        LAPackDouble::MtoTriDiagBlock(Uplo(lower), n, nb, a.data(), n, e.data(), tau.data(),
                                      w.data(), n, pm);
        EXPECT_EQ(CountersOpened(pm), (std::vector<Opened>{{1, U, nb}}));
        EXPECT_EQ(pm.StepsAt(1), StepsUpTo(nb));
        EXPECT_EQ(pm.GetCounter(), nullptr);
    }
}
