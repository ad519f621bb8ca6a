// The bidiagonal SVD by implicit QR: checks and their order, the hand-over to dqds, monitor calls,
// signs and sorting of small cases, the decomposition B = U·diag(s)·Vᵀ with orthogonal factors for
// upper and lower input, relative accuracy, and the reference LAPACK's dbdsqr.
#include <algorithm>
#include <cmath>

#include "numeric/LAPackDouble.h"
#include "numeric/UStrNumer.h"
#include "tests/numeric/BiDiagSupport.h"
#include "tests/numeric/NumerTestSupport.h"
#include "tests/numeric/RefLapackSvd.h"

using namespace bidiag;

namespace {

Blas::LaPackMatTypeOptions const upper = Blas::LaMatUpper, lower = Blas::LaMatLower;

std::vector<double> Identity(long n)
{
    std::vector<double> a(n * n, 0.0);
    for (long i = 0; i < n; ++i) a[i + i * n] = 1.0;
    return a;
}

// The result of a call with VT = I, U = I and C = I (all n x n), work of exactly 4n-4 doubles.
struct Decomposition {
    std::vector<double> s, u, vt, c;
};

Decomposition WithVectors(Blas::LaPackMatTypeOptions uplo, BiDiag b,
                          Blas::UProgressMonitor& pm = Blas::defProgMon)
{
    long const n = static_cast<long>(b.d.size());
    Decomposition r{{}, Identity(n), Identity(n), Identity(n)};
    std::vector<double> work(std::max(1L, 4 * n - 4), oracle::NaN);
    LAPackDouble::BiDiagGetSvd(uplo, n, n, n, n, b.d.data(), b.e.data(), r.vt.data(), n, r.u.data(),
                               n, r.c.data(), n, work.data(), pm);
    r.s = b.d;
    return r;
}

// The dense n x n matrix of b, upper or lower.
std::vector<double> Dense(Blas::LaPackMatTypeOptions uplo, BiDiag const& b)
{
    long const n = static_cast<long>(b.d.size());
    std::vector<double> a(n * n, 0.0);
    for (long i = 0; i < n; ++i) {
        a[i + i * n] = b.d[i];
        if (i + 1 < n) (uplo == upper ? a[i + (i + 1) * n] : a[i + 1 + i * n]) = b.e[i];
    }
    return a;
}

// max |A - U·diag(s)·VT| / max(|A|, tiny).
double ProductResidual(std::vector<double> const& a, Decomposition const& r)
{
    long const n = static_cast<long>(r.s.size());
    double worst = 0, big = 0;
    for (long j = 0; j < n; ++j)
        for (long i = 0; i < n; ++i) {
            long double sum = 0;
            for (long k = 0; k < n; ++k)
                sum += (long double)r.u[i + k * n] * r.s[k] * r.vt[k + j * n];
            worst = std::max(worst, static_cast<double>(std::fabs(sum - a[i + j * n])));
            big = std::max(big, std::fabs(a[i + j * n]));
        }
    return worst / std::max(big, std::numeric_limits<double>::min());
}

// max |Xᵀ·X - I| (transposed: max |X·Xᵀ - I|) of the n x n matrix x.
double OrthogonalityError(std::vector<double> const& x, bool rows)
{
    long const n = static_cast<long>(std::sqrt(static_cast<double>(x.size())) + 0.5);
    double worst = 0;
    for (long i = 0; i < n; ++i)
        for (long j = 0; j < n; ++j) {
            long double sum = 0;
            for (long k = 0; k < n; ++k)
                sum += rows ? (long double)x[i + k * n] * x[j + k * n]
                            : (long double)x[k + i * n] * x[k + j * n];
            worst = std::max(worst, static_cast<double>(std::fabs(sum - (i == j ? 1 : 0))));
        }
    return worst;
}

std::vector<double> ReferenceValues(Blas::LaPackMatTypeOptions uplo, BiDiag b)
{
    int const n = static_cast<int>(b.d.size());
    std::vector<double> u = Identity(n), vt = Identity(n), work(4 * n);
    int info = 0, none = 0, one = 1;
    dbdsqr_(uplo == upper ? "U" : "L", &n, &n, &n, &none, b.d.data(), b.e.data(), vt.data(), &n,
            u.data(), &n, nullptr, &one, work.data(), &info, 1);
    EXPECT_EQ(info, 0);
    return b.d;
}

int Raised(short uplo, long n, long ncvt, long nru, long ncc, long ldvt, long ldu, long ldc)
{
    std::vector<double> d(8, 1.0), e(8, 0.5), a(64, 0.0), work(32);
    return RaisedCode([&] {
        LAPackDouble::BiDiagGetSvd(static_cast<Blas::LaPackMatTypeOptions>(uplo), n, ncvt, nru, ncc,
                                   d.data(), e.data(), a.data(), ldvt, a.data(), ldu, a.data(), ldc,
                                   work.data(), Blas::defProgMon);
    });
}

}  // namespace

TEST(BiDiagQr, ChecksInOrder)
{
    RegisterNumerMessages();
    struct Case {
        short uplo;
        long n, ncvt, nru, ncc, ldvt, ldu, ldc;
        int code;
    } const cases[] = {
        {0x6, 3, 1, 1, 1, 3, 3, 3, nmIllegalOptions},
        {0x0, 3, 1, 1, 1, 3, 3, 3, nmIllegalOptions},
        {0x1, 3, 1, 1, 1, 3, 3, 3, nmIllegalOptions},
        {0xc, 3, 1, 1, 1, 3, 3, 3, nmIllegalOptions},
        {0x1, -1, 1, 1, 1, 3, 3, 3, nmIllegalOptions},
        {upper, -1, 1, 1, 1, 3, 3, 3, nmIllegalParameter},
        {lower, 3, -1, 1, 1, 3, 3, 3, nmIllegalParameter},
        {upper, 3, 1, -1, 1, 3, 3, 3, nmIllegalParameter},
        {upper, 3, 1, 1, -1, 3, 3, 3, nmIllegalParameter},
        {upper, 3, 0, 1, 1, 0, 3, 3, nmIllegalParameter},
        {upper, 3, 3, 1, 1, 2, 3, 3, nmIllegalParameter},
        {upper, 3, 1, 4, 1, 3, 3, 3, nmIllegalParameter},
        {upper, 3, 1, 0, 1, 3, 0, 3, nmIllegalParameter},
        {upper, 3, 1, 1, 0, 3, 3, 0, nmIllegalParameter},
        {upper, 3, 1, 1, 2, 3, 3, 2, nmIllegalParameter},
        {upper, 0, 0, 0, 0, 1, 1, 1, 0},
        {lower, 3, 0, 1, 0, 1, 1, 1, 0},
        {upper, 3, 2, 0, 0, 3, 1, 1, 0},
    };
    for (Case const& c : cases)
        EXPECT_EQ(Raised(c.uplo, c.n, c.ncvt, c.nru, c.ncc, c.ldvt, c.ldu, c.ldc), c.code)
            << std::hex << c.uplo << std::dec << " n " << c.n << " ncvt " << c.ncvt << " nru "
            << c.nru << " ncc " << c.ncc << " ldvt " << c.ldvt << " ldu " << c.ldu << " ldc "
            << c.ldc;
}

TEST(BiDiagQr, OrderZeroReturnsWithoutMonitor)
{
    RecordingMonitor pm;
    double d = 1, e = 0, a = 0;
    LAPackDouble::BiDiagGetSvd(upper, 0, 1, 1, 1, &d, &e, &a, 1, &a, 1, &a, 1, nullptr, pm);
    EXPECT_TRUE(pm.events.empty());
}

TEST(BiDiagQr, WithoutVectorsDqdsDoesTheWork)
{
    for (Blas::LaPackMatTypeOptions uplo : {upper, lower}) {
        BiDiag b = Random(12);
        BiDiag q = b;
        RecordingMonitor viaQr, viaDqds;
        std::vector<double> work(24, oracle::NaN), work2(24, oracle::NaN);
        LAPackDouble::BiDiagGetSvd(uplo, 12, 0, 0, 0, b.d.data(), b.e.data(), nullptr, 1, nullptr,
                                   1, nullptr, 1, work.data(), viaQr);
        LAPackDouble::BiDiagGetSvd(12, q.d.data(), q.e.data(), work2.data(), viaDqds);
        EXPECT_EQ(b.d, q.d);
        EXPECT_EQ(b.e, q.e);
        EXPECT_EQ(viaQr.events, viaDqds.events);
    }
}

TEST(BiDiagQr, OrderOneMakesValueNonNegative)
{
    for (double d0 : {-2.5, 2.5}) {
        RecordingMonitor pm;
        double d = d0, e = 7;
        std::vector<double> vt = {1, 2, 3};  // a 1 x 3 VT
        LAPackDouble::BiDiagGetSvd(upper, 1, 3, 0, 0, &d, &e, vt.data(), 1, nullptr, 1, nullptr, 1,
                                   nullptr, pm);
        EXPECT_EQ(d, 2.5);
        EXPECT_EQ(vt, d0 < 0 ? (std::vector<double>{-1, -2, -3}) : (std::vector<double>{1, 2, 3}));
        ASSERT_FALSE(pm.events.empty());
        EXPECT_EQ(pm.events[0].step, -1);
        EXPECT_EQ(pm.GetCounter(), nullptr);
    }
}

TEST(BiDiagQr, DiagonalInputIsOnlySignedAndSorted)
{
    RecordingMonitor pm;
    BiDiag b{{3, 2, 1}, {0, 0, 0}};
    std::vector<double> u = Identity(3), work(8, oracle::NaN);
    LAPackDouble::BiDiagGetSvd(upper, 3, 0, 3, 0, b.d.data(), b.e.data(), nullptr, 1, u.data(), 3,
                               nullptr, 1, work.data(), pm);
    EXPECT_EQ(b.d, (std::vector<double>{3, 2, 1}));
    EXPECT_EQ(u, Identity(3));
    EXPECT_EQ(pm.StepsAt(1), (std::vector<long>{0, 1}));
    EXPECT_EQ(pm.GetCounter(), nullptr);

    BiDiag c{{1, -2, 3}, {0, 0, 0}};
    std::vector<double> vt = Identity(3);
    LAPackDouble::BiDiagGetSvd(upper, 3, 3, 0, 0, c.d.data(), c.e.data(), vt.data(), 3, nullptr, 1,
                               nullptr, 1, work.data(), Blas::defProgMon);
    EXPECT_EQ(c.d, (std::vector<double>{3, 2, 1}));
    // rows (e3, -e2, e1), column-major
    EXPECT_EQ(vt, (std::vector<double>{0, 0, 1, 0, -1, 0, 1, 0, 0}));
}

TEST(BiDiagQr, TwoByTwoBlockIsSolvedAtOnce)
{
    RecordingMonitor pm;
    BiDiag b{{1, 0}, {1, 0}};
    std::vector<double> u = Identity(2), work(4, oracle::NaN);
    LAPackDouble::BiDiagGetSvd(upper, 2, 0, 2, 0, b.d.data(), b.e.data(), nullptr, 1, u.data(), 2,
                               nullptr, 1, work.data(), pm);
    EXPECT_EQ(b.d[0], std::sqrt(2.0));
    EXPECT_EQ(b.d[1], 0.0);
    EXPECT_TRUE(std::signbit(b.d[1]));
    EXPECT_EQ(pm.StepsAt(1), (std::vector<long>{0}));
    EXPECT_EQ(pm.GetCounter(), nullptr);
}

TEST(BiDiagQr, DecompositionOfUpperAndLowerInput)
{
    struct Family {
        char const* name;
        BiDiag (*make)(long);
    } const families[] = {{"random", Random},
                          {"clustered", Clustered},
                          {"wide range", WideRange},
                          {"all ones", AllOnes},
                          {"graded", Graded}};
    for (Family const& f : families)
        for (long n : {2L, 3L, 10L, 60L, 100L})
            for (Blas::LaPackMatTypeOptions uplo : {upper, lower}) {
                SCOPED_TRACE(testing::Message()
                             << f.name << " n " << n << (uplo == upper ? " upper" : " lower"));
                BiDiag const b = f.make(n);
                Decomposition const r = WithVectors(uplo, b);
                for (long i = 0; i + 1 < n; ++i) EXPECT_GE(r.s[i], r.s[i + 1]);
                EXPECT_GE(r.s[n - 1], 0.0);
                EXPECT_LE(ProductResidual(Dense(uplo, b), r), 4 * n * eps);
                EXPECT_LE(OrthogonalityError(r.u, false), 4 * n * eps);
                EXPECT_LE(OrthogonalityError(r.vt, true), 4 * n * eps);
                // C = I becomes Qᵀ, the transpose of U = I·Q
                for (long i = 0; i < n; ++i)
                    for (long j = 0; j < n; ++j) ASSERT_EQ(r.c[i + j * n], r.u[j + i * n]);
                EXPECT_LE(WorstRelative(r.s, ReferenceValues(uplo, b)), 4 * n * eps);
            }
}

TEST(BiDiagQr, LowerInputHasTheValuesOfItsTranspose)
{
    BiDiag const b = Random(40);
    EXPECT_LE(WorstRelative(WithVectors(lower, b).s, WithVectors(upper, b).s), 4 * 40 * eps);
}

TEST(BiDiagQr, RectangularFactorsInPaddedStorage)
{
    // U with nru = n + 3 rows and VT, C with 5 columns, all random in storage padded with NaN: the
    // results equal the products with the factors of the square run.
    long const n = 20, nru = n + 3, ncvt = 5, ncc = 5, ldu = nru + 2, ldvt = n + 1, ldc = n + 4;
    BiDiag const b = Random(n);
    Decomposition const r = WithVectors(upper, b);
    std::vector<double> u = oracle::PaddedMatrix<double>(nru, n, ldu);
    std::vector<double> vt = oracle::PaddedMatrix<double>(n, ncvt, ldvt);
    std::vector<double> c = oracle::PaddedMatrix<double>(n, ncc, ldc);
    std::vector<double> const u0 = u, vt0 = vt, c0 = c;
    BiDiag x = b;
    std::vector<double> work(4 * n - 4, oracle::NaN);
    LAPackDouble::BiDiagGetSvd(upper, n, ncvt, nru, ncc, x.d.data(), x.e.data(), vt.data(), ldvt,
                               u.data(), ldu, c.data(), ldc, work.data(), Blas::defProgMon);
    EXPECT_EQ(x.d, r.s);
    // (A·Q)(i, j) for A in storage of leading dimension lda and the square factor q
    auto product = [n](std::vector<double> const& a, long lda, std::vector<double> const& q, long i,
                       long j) {
        double s = 0;
        for (long k = 0; k < n; ++k) s += a[i + k * lda] * q[k + j * n];
        return s;
    };
    for (long j = 0; j < ldu * n; ++j) {
        if (j % ldu >= nru) {
            EXPECT_TRUE(std::isnan(u[j])) << j;
        }
    }
    for (long i = 0; i < nru; ++i)
        for (long j = 0; j < n; ++j)
            EXPECT_NEAR(u[i + j * ldu], product(u0, ldu, r.u, i, j), 8 * n * eps);
    // Pᵀ·VT0 and Qᵀ·C0: rows of the square factors times the given columns
    for (long i = 0; i < n; ++i)
        for (long j = 0; j < ncvt; ++j) {
            double s = 0, t = 0;
            for (long k = 0; k < n; ++k) {
                s += r.vt[i + k * n] * vt0[k + j * ldvt];
                t += r.c[i + k * n] * c0[k + j * ldc];
            }
            EXPECT_NEAR(vt[i + j * ldvt], s, 8 * n * eps);
            EXPECT_NEAR(c[i + j * ldc], t, 8 * n * eps);
        }
    for (long j = 0; j < ncvt; ++j) EXPECT_TRUE(std::isnan(vt[n + j * ldvt]));
    for (long j = 0; j < ncc; ++j)
        for (long i = n; i < ldc; ++i) EXPECT_TRUE(std::isnan(c[i + j * ldc]));
}

TEST(BiDiagQr, GradedAndAllOnesKeepRelativeAccuracy)
{
    for (long n : {3L, 10L, 50L, 100L}) {
        Decomposition const g = WithVectors(upper, Graded(n));
        std::vector<long double> const exact = Values(Graded(n));
        EXPECT_LE(WorstRelative(g.s, exact), 4 * n * eps) << "graded " << n;
        EXPECT_LE(std::fabs(g.s[n - 1] - exact[n - 1]) / exact[n - 1], 4 * n * eps)
            << "graded " << n;
        Decomposition const o = WithVectors(lower, AllOnes(n));
        EXPECT_LE(WorstRelative(o.s, AllOnesValues(n)), 4 * n * eps) << "all ones " << n;
    }
}

TEST(BiDiagQr, MonitorCountsSplitsAndBlocks)
{
    for (long n : {5L, 30L}) {
        RecordingMonitor pm;
        Decomposition const r = WithVectors(upper, Random(n), pm);
        ASSERT_FALSE(pm.events.empty());
        EXPECT_EQ(pm.events[0].step, -1);
        // splits count one step, 2 x 2 blocks two, and the last value none: n - 1 steps in all
        EXPECT_EQ(pm.StepsAt(1), StepsUpTo(n - 1));
        EXPECT_EQ(pm.GetCounter(), nullptr);
        EXPECT_EQ(r.s.size(), static_cast<size_t>(n));
    }
}

// A NaN in d(1) must not make the split threshold NaN: an off-diagonal that a convergence test sets
// to zero would then never split the matrix, and the same test would repeat without counting a
// step.
TEST(BiDiagQr, NaNEndsInIterationLimit)
{
    RegisterNumerMessages();
    BiDiag b = Random(12);
    b.d[5] = oracle::NaN;
    EXPECT_EQ(RaisedCode([&] { WithVectors(upper, b); }), nmIterationLimit);
    BiDiag const top{{oracle::NaN, 1, 1, 1}, {1, 1, 1e-20, 0}};
    EXPECT_EQ(RaisedCode([&] { WithVectors(upper, top); }), nmIterationLimit);
}
