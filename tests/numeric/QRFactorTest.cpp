// The QR and LQ factorisations: Q*R = A (A = L*Q) with orthogonal Q and triangular R (L), the
// reference LAPACK to rounding (its DNRM2 has differed in the last bits since 3.10), the blocked
// forms against the unblocked ones, the checks and the progress-monitor calls.
#include <cmath>
#include <functional>
#include <limits>

#include "numeric/LAPackDouble.h"
#include "numeric/UStrNumer.h"
#include "tests/numeric/NumerTestSupport.h"
#include "tests/numeric/OracleSupport.h"
#include "tests/numeric/RefLapackQR.h"

using namespace oracle;

namespace {

int I(long v) { return int(v); }
double const eps = std::numeric_limits<double>::epsilon();
typedef RecordingMonitor::Event Event;
long const S = Blas::ptShrinking, U = Blas::ptUniform;

typedef void (*Factor2)(long, long, double*, long, double*, double*, Blas::UProgressMonitor&);
typedef void (*Factor)(long, long, double*, long, double*, double*, long, Blas::UProgressMonitor&);

// A factored m x n matrix f (leading dimension ld) with its factors tau: by columns (QR) or by
// rows (LQ, rows true).
struct Factored {
    bool rows;
    long m, n, ld;
    std::vector<double> f, tau;

    // The order of Q.
    long q() const { return rows ? n : m; }
    double F(long i, long j) const { return f[i + j * ld]; }
    // Q written out, q x q, by applying each reflector to the unit matrix with ApplyReflectElt.
    std::vector<double> Q() const
    {
        long const nq = q(), k = std::min(m, n);
        std::vector<double> Qm(nq * nq, 0.0), work(nq);
        for (long i = 0; i < nq; ++i) Qm[i * (nq + 1)] = 1.0;
        // Q = H(1)*...*H(k) for QR, applied last to first; Q = H(k)*...*H(1) for LQ, first to last.
        for (long s = 0; s < k; ++s) {
            long const i = rows ? s : k - 1 - s;
            std::vector<double> v(nq, 0.0);
            v[i] = 1.0;
            for (long j = i + 1; j < nq; ++j) v[j] = rows ? F(i, j) : F(j, i);
            LAPackDouble::ApplyReflectElt(0x1, nq, nq, v.data(), 1, tau[i], Qm.data(), nq,
                                          work.data());
        }
        return Qm;
    }
    // The triangular factor: R (m x n, upper) or L (m x n, lower).
    double Tri(long i, long j) const { return (rows ? j <= i : i <= j) ? F(i, j) : 0.0; }
};

// max |Q*R - A| and max |Q**T*Q - I|, relative to max |A| and 1, in units of max(m, n)*eps.
void ExpectFactorisation(Factored const& fa, std::vector<double> const& a)
{
    long const m = fa.m, n = fa.n, nq = fa.q();
    std::vector<double> Qm = fa.Q();
    double big = 0.0, res = 0.0, orth = 0.0;
    for (long j = 0; j < n; ++j)
        for (long i = 0; i < m; ++i) {
            double s = 0.0;
            for (long l = 0; l < nq; ++l)
                s += fa.rows ? fa.Tri(i, l) * Qm[l + j * nq] : Qm[i + l * nq] * fa.Tri(l, j);
            res = MaxOrNaN(res, std::fabs(s - a[i + j * fa.ld]));
            big = std::max(big, std::fabs(a[i + j * fa.ld]));
        }
    for (long j = 0; j < nq; ++j)
        for (long i = 0; i < nq; ++i) {
            double s = i == j ? -1.0 : 0.0;
            for (long l = 0; l < nq; ++l) s += Qm[l + i * nq] * Qm[l + j * nq];
            orth = MaxOrNaN(orth, std::fabs(s));
        }
    double const unit = std::max(m, n) * eps;
    EXPECT_LT(res / big, 4 * unit) << "Q*R - A";
    EXPECT_LT(orth, 4 * unit) << "Q**T*Q - I";
}

Factored FactorUnblocked(Factor2 factor, bool rows, std::vector<double> const& a, long m, long n,
                         long ld)
{
    Factored fa{rows, m, n, ld, a, std::vector<double>(std::min(m, n), NaN)};
    std::vector<double> work(std::max(m, n), NaN);
    factor(m, n, fa.f.data(), ld, fa.tau.data(), work.data(), Blas::defProgMon);
    return fa;
}

Factored FactorBlocked(Factor factor, bool rows, std::vector<double> const& a, long m, long n,
                       long ld, long lwork)
{
    Factored fa{rows, m, n, ld, a, std::vector<double>(std::min(m, n), NaN)};
    std::vector<double> work(lwork, NaN);
    factor(m, n, fa.f.data(), ld, fa.tau.data(), work.data(), lwork, Blas::defProgMon);
    return fa;
}

// The counters opened at depth, with their type and number of steps.
std::vector<std::pair<long, long>> Opened(RecordingMonitor const& pm, long depth)
{
    std::vector<std::pair<long, long>> opened;
    for (Event const& e : pm.events)
        if (e.depth == depth && e.step == -1) opened.push_back({e.type, e.steps});
    return opened;
}

}  // namespace

TEST(QRFactor, UnblockedFactorsReproduceTheMatrixAndAgreeWithReference)
{
    for (bool rows : {false, true})
        for (long m : {1L, 5L, 20L})
            for (long n : {1L, 7L, 20L}) {
                SCOPED_TRACE(testing::Message()
                             << (rows ? "LQ" : "QR") << " m " << m << " n " << n);
                long const ld = m + 2;
                std::vector<double> a = PaddedMatrix<double>(m, n, ld);
                Factored fa = FactorUnblocked(
                    rows ? &LAPackDouble::LQfactor2 : &LAPackDouble::QRfactor2, rows, a, m, n, ld);
                ExpectFactorisation(fa, a);
                std::vector<double> ref = a, rtau(std::min(m, n), NaN), rwork(std::max(m, n));
                int mm = I(m), nn = I(n), la = I(ld), info = -1;
                (rows ? dgelq2_ : dgeqr2_)(&mm, &nn, ref.data(), &la, rtau.data(), rwork.data(),
                                           &info);
                ASSERT_EQ(info, 0);
                EXPECT_TRUE(SameArrays(fa.tau, rtau, 64));
                EXPECT_LT(MaxDiff(fa.f, ref), 64 * std::max(m, n) * eps);
                for (size_t i = 0; i < ref.size(); ++i) {
                    if (IsNaN(a[i])) {
                        EXPECT_TRUE(IsNaN(fa.f[i])) << "padding written";
                    }
                }
            }
}

TEST(QRFactor, ZeroLeadingElementGivesPositiveDiagonal)
{
    // The sign rule counts a zero alpha as negative, so beta and the diagonal of R (L) are +5.
    std::vector<double> a = {0.0, 3.0, 4.0, 1.0, 2.0, 3.0};
    Factored qr = FactorUnblocked(&LAPackDouble::QRfactor2, false, a, 3, 2, 3);
    EXPECT_DOUBLE_EQ(qr.F(0, 0), 5.0);
    ExpectFactorisation(qr, a);
    std::vector<double> b = {0.0, 1.0, 3.0, 2.0, 4.0, 3.0};  // rows (0, 3, 4) and (1, 2, 3)
    Factored lq = FactorUnblocked(&LAPackDouble::LQfactor2, true, b, 2, 3, 2);
    EXPECT_DOUBLE_EQ(lq.F(0, 0), 5.0);
    ExpectFactorisation(lq, b);
}

TEST(QRFactor, BlockedPathsAgreeWithUnblocked)
{
    // Beyond 128 reflectors the blocks run: at full size (lwork = 32 rows or columns of work), at
    // the size a smaller lwork allows (2 and 5), and not at all with the minimum lwork, which
    // gives the unblocked result bit for bit.
    struct Shape {
        long m, n;
    };
    for (bool rows : {false, true})
        for (Shape sh : {Shape{200, 150}, Shape{150, 200}, Shape{140, 300}})
            for (long nbWork : {32L, 5L, 2L, 1L}) {
                long const m = sh.m, n = sh.n, ld = m + 1, ldwork = rows ? m : n;
                SCOPED_TRACE(testing::Message() << (rows ? "LQ" : "QR") << " m " << m << " n " << n
                                                << " lwork " << nbWork << " x " << ldwork);
                std::vector<double> a = PaddedMatrix<double>(m, n, ld);
                Factored un = FactorUnblocked(
                    rows ? &LAPackDouble::LQfactor2 : &LAPackDouble::QRfactor2, rows, a, m, n, ld);
                Factored bl =
                    FactorBlocked(rows ? &LAPackDouble::LQfactor : &LAPackDouble::QRfactor, rows, a,
                                  m, n, ld, nbWork * ldwork);
                if (nbWork == 1) {
                    EXPECT_TRUE(SameArrays(bl.f, un.f, 0));
                    EXPECT_TRUE(SameArrays(bl.tau, un.tau, 0));
                    continue;
                }
                for (size_t i = 0; i < a.size(); ++i) {
                    if (IsNaN(a[i])) {
                        EXPECT_TRUE(IsNaN(bl.f[i])) << "padding written";
                    }
                }
                EXPECT_LT(MaxDiff(bl.f, un.f), 1e-12);
                EXPECT_TRUE(SameArrays(bl.tau, un.tau, 4096));
                if (nbWork == 32) ExpectFactorisation(bl, a);

                std::vector<double> ref = a, rtau(std::min(m, n)), rwork(nbWork * ldwork);
                int mm = I(m), nn = I(n), la = I(ld), lw = I(nbWork * ldwork), info = -1;
                (rows ? dgelqf_ : dgeqrf_)(&mm, &nn, ref.data(), &la, rtau.data(), rwork.data(),
                                           &lw, &info);
                ASSERT_EQ(info, 0);
                EXPECT_LT(MaxDiff(bl.f, ref), 1e-12);
            }
}

TEST(QRFactor, ChecksInOrderBeforeAnythingChanges)
{
    RegisterNumerMessages();
    long const ld = 6;
    std::vector<double> a = PaddedMatrix<double>(ld, 5, ld), tau(6), work(64);
    struct Case {
        char const* what;
        std::function<void()> call;
        int code;
    };
    std::vector<double> f = a;
    double* A = f.data();
    Case const cases[] = {
        {"QR2 m < 0",
         [&] { LAPackDouble::QRfactor2(-1, 2, A, ld, &tau[0], &work[0], Blas::defProgMon); },
         nmIllegalParameter},
        {"QR2 n < 0",
         [&] { LAPackDouble::QRfactor2(2, -1, A, ld, &tau[0], &work[0], Blas::defProgMon); },
         nmIllegalParameter},
        {"QR2 lda",
         [&] { LAPackDouble::QRfactor2(7, 2, A, ld, &tau[0], &work[0], Blas::defProgMon); },
         nmIllegalParameter},
        {"QR2 lda 0",
         [&] { LAPackDouble::QRfactor2(0, 2, A, 0, &tau[0], &work[0], Blas::defProgMon); },
         nmIllegalParameter},
        {"LQ2 lda",
         [&] { LAPackDouble::LQfactor2(7, 2, A, ld, &tau[0], &work[0], Blas::defProgMon); },
         nmIllegalParameter},
        {"QR lwork n-1",
         [&] { LAPackDouble::QRfactor(6, 5, A, ld, &tau[0], &work[0], 4, Blas::defProgMon); },
         nmWorkspaceTooSmall},
        {"QR lwork m is not enough",
         [&] { LAPackDouble::QRfactor(3, 5, A, ld, &tau[0], &work[0], 3, Blas::defProgMon); },
         nmWorkspaceTooSmall},
        {"QR lwork 0",
         [&] { LAPackDouble::QRfactor(0, 0, A, ld, &tau[0], &work[0], 0, Blas::defProgMon); },
         nmWorkspaceTooSmall},
        {"QR lda before lwork",
         [&] { LAPackDouble::QRfactor(7, 5, A, ld, &tau[0], &work[0], 0, Blas::defProgMon); },
         nmIllegalParameter},
        {"QR no work",
         [&] { LAPackDouble::QRfactor(6, 5, A, ld, &tau[0], nullptr, 5, Blas::defProgMon); },
         nmNoWorkspace},
        {"LQ lwork m-1",
         [&] { LAPackDouble::LQfactor(6, 5, A, ld, &tau[0], &work[0], 5, Blas::defProgMon); },
         nmWorkspaceTooSmall},
        {"LQ lwork n is not enough",
         [&] { LAPackDouble::LQfactor(5, 3, A, ld, &tau[0], &work[0], 3, Blas::defProgMon); },
         nmWorkspaceTooSmall},
        {"LQ n < 0",
         [&] { LAPackDouble::LQfactor(2, -1, A, ld, &tau[0], &work[0], 5, Blas::defProgMon); },
         nmIllegalParameter},
    };
    for (Case const& c : cases) {
        std::string text;
        EXPECT_EQ(RaisedCode(c.call, &text), c.code) << c.what;
        EXPECT_TRUE(SameArrays(f, a, 0)) << c.what;
    }
    std::string text;
    RaisedCode([&] { LAPackDouble::LQfactor(6, 5, A, ld, &tau[0], &work[0], 5, Blas::defProgMon); },
               &text);
    EXPECT_NE(text.find("Error in file dgelqf line "), std::string::npos) << text;
    // The minimum workspace and the empty matrix are accepted.
    EXPECT_EQ(RaisedCode([&] {
                  LAPackDouble::QRfactor(6, 5, A, ld, &tau[0], &work[0], 5, Blas::defProgMon);
              }),
              0);
    EXPECT_EQ(RaisedCode([&] {
                  LAPackDouble::LQfactor(0, 3, A, 1, &tau[0], &work[0], 1, Blas::defProgMon);
              }),
              0);
}

TEST(QRFactor, MonitorCalls)
{
    RegisterNumerMessages();
    long const ld = 201;
    std::vector<double> a = PaddedMatrix<double>(200, 200, ld), tau(200), work(200 * 32);
    for (bool rows : {false, true}) {
        SCOPED_TRACE(rows ? "LQ" : "QR");
        Factor2 const f2 = rows ? &LAPackDouble::LQfactor2 : &LAPackDouble::QRfactor2;
        Factor const f = rows ? &LAPackDouble::LQfactor : &LAPackDouble::QRfactor;
        {
            // The unblocked form reports each reflector, and opens its counter with k = 0 too.
            RecordingMonitor pm;
            std::vector<double> c = a;
            f2(4, 3, c.data(), ld, tau.data(), work.data(), pm);
            EXPECT_EQ(Opened(pm, 1), (std::vector<std::pair<long, long>>{{S, 3}}));
            EXPECT_EQ(pm.StepsAt(1), StepsUpTo(3));
            RecordingMonitor empty;
            f2(0, 3, c.data(), ld, tau.data(), work.data(), empty);
            EXPECT_EQ(empty.events, (std::vector<Event>{{1, -1, S, 0, 0.0}}));
            EXPECT_EQ(empty.GetCounter(), nullptr);
        }
        {
            // The blocked form opens one bounded counter and lets the routines it calls report.
            RecordingMonitor small, none;
            std::vector<double> c = a;
            f(5, 4, c.data(), ld, tau.data(), work.data(), 200, small);
            EXPECT_EQ(Opened(small, 1), (std::vector<std::pair<long, long>>{{S, 4}}));
            EXPECT_EQ(Opened(small, 2), (std::vector<std::pair<long, long>>{{S, 4}}));
            EXPECT_EQ(small.StepsAt(2), StepsUpTo(4));
            f(0, 4, c.data(), ld, tau.data(), work.data(), 200, none);
            EXPECT_TRUE(none.events.empty());
        }
        {
            // 200 x 200: three panels of 32 with their block updates, then 104 reflectors
            // unblocked.
            RecordingMonitor pm;
            std::vector<double> c = a;
            f(200, 200, c.data(), ld, tau.data(), work.data(), 200 * 32, pm);
            EXPECT_EQ(Opened(pm, 1), (std::vector<std::pair<long, long>>{{S, 200}}));
            EXPECT_EQ(Opened(pm, 2),
                      (std::vector<std::pair<long, long>>{
                          {S, 32}, {U, 32}, {S, 32}, {U, 32}, {S, 32}, {U, 32}, {S, 104}}));
            EXPECT_EQ(pm.GetCounter(), nullptr);
        }
    }
}
