// Reduction to bidiagonal form and its orthogonal factors: Q*B*P**T restores A for tall, wide and
// square matrices, blocked and unblocked, against the reference LAPACK to rounding; every word of
// PQtransform against an explicit product with the formed Q or P; the checks and the monitor calls.
#include <cmath>

#include "numeric/LAPackDouble.h"
#include "numeric/UStrNumer.h"
#include "tests/numeric/NumerTestSupport.h"
#include "tests/numeric/OracleSupport.h"
#include "tests/numeric/RefLapackGesvd.h"
#include "tests/numeric/SvdTestSupport.h"

using namespace svdtest;
using oracle::NaN;

namespace {

// A (m x n, leading dimension m + 2) reduced by MtoBiDiag with lwork doubles of work.
struct Reduced {
    long m, n;
    Dense a0, a;
    std::vector<double> d, e, tauq, taup;

    long k() const { return std::min(m, n); }

    // B, m x n: upper bidiagonal for m >= n, lower for m < n.
    Dense B() const
    {
        Dense b(m, n, m);
        for (long i = 0; i < k(); ++i) {
            b(i, i) = d[i];
            if (i + 1 < k()) (m >= n ? b(i, i + 1) : b(i + 1, i)) = e[i];
        }
        return b;
    }
    // Q (m x cols) formed from the first min(m, n) columns of the reflectors.
    Dense Q(long cols) const
    {
        Dense q(m, cols, m + 1, NaN);
        for (long j = 0; j < std::min(k(), cols); ++j)
            for (long i = 0; i < m; ++i) q(i, j) = a(i, j);
        std::vector<double> work(32 * m + 1);
        LAPackDouble::PQformTransform(0x1, m, cols, n, q.data(), q.ld,
                                      const_cast<double*>(tauq.data()), work.data(),
                                      long(work.size()), Blas::defProgMon);
        return q;
    }
    // P**T (rows x n) formed from the first min(m, n) rows of the reflectors.
    Dense Pt(long rows) const
    {
        Dense p(rows, n, n + 1, NaN);
        for (long j = 0; j < n; ++j)
            for (long i = 0; i < std::min(k(), rows); ++i) p(i, j) = a(i, j);
        std::vector<double> work(32 * n + 1);
        LAPackDouble::PQformTransform(0x2, rows, n, m, p.data(), p.ld,
                                      const_cast<double*>(taup.data()), work.data(),
                                      long(work.size()), Blas::defProgMon);
        return p;
    }
};

Reduced Reduce(long m, long n, long lwork, Blas::UProgressMonitor& pm = Blas::defProgMon)
{
    long const k = std::max(1L, std::min(m, n));
    Reduced r{m,
              n,
              Random(m, n, m + 2),
              Dense(0, 0, 1),
              std::vector<double>(k, NaN),
              std::vector<double>(k, NaN),
              std::vector<double>(k, NaN),
              std::vector<double>(k, NaN)};
    r.a = r.a0;
    std::vector<double> work(lwork, NaN);
    LAPackDouble::MtoBiDiag(m, n, r.a.data(), r.a.ld, r.d.data(), r.e.data(), r.tauq.data(),
                            r.taup.data(), work.data(), lwork, pm);
    return r;
}

struct Shape {
    long m, n;
};

}  // namespace

TEST(BiDiagReduce, QTimesBTimesPtRestoresTheMatrix)
{
    // Tall, wide and square; above 128 the blocked path runs when lwork allows it.
    for (Shape s : {Shape{1, 1}, Shape{1, 5}, Shape{5, 1}, Shape{3, 2}, Shape{2, 3}, Shape{9, 5},
                    Shape{5, 9}, Shape{7, 7}, Shape{200, 150}, Shape{150, 200}, Shape{140, 140}})
        for (bool blocked : {false, true}) {
            long const m = s.m, n = s.n, big = std::max(m, n);
            SCOPED_TRACE(testing::Message()
                         << m << " x " << n << (blocked ? " blocked" : " unblocked"));
            Reduced const r = Reduce(m, n, blocked ? (m + n) * 32 : big);
            EXPECT_TRUE(PaddingUntouched(r.a));
            Dense const q = r.Q(m), pt = r.Pt(n);
            EXPECT_TRUE(PaddingUntouched(q));
            EXPECT_TRUE(PaddingUntouched(pt));
            EXPECT_LT(ColumnsOrthonormal(q), 20 * big * eps);
            EXPECT_LT(RowsOrthonormal(pt), 20 * big * eps);
            Dense const qbpt = Product('N', Product('N', q, 'N', r.B()), 'N', pt);
            EXPECT_LT(MaxDiff(qbpt, r.a0), 20 * big * eps);

            // The short factors are the leading columns of Q and rows of P**T.
            EXPECT_LT(MaxDiff(r.Q(r.k()), q), 20 * big * eps);
            EXPECT_LT(MaxDiff(r.Pt(r.k()), pt), 20 * big * eps);

            // Reflectors off the diagonal make the first row and column those of the unit matrix.
            if (m != n) {
                Dense const& shifted = m < n ? q : pt;
                EXPECT_EQ(shifted(0, 0), 1.0);
                for (long i = 1; i < shifted.rows; ++i) {
                    EXPECT_EQ(shifted(0, i), 0.0);
                    EXPECT_EQ(shifted(i, 0), 0.0);
                }
            }
        }
}

TEST(BiDiagReduce, ShortSideEndsWithTheUnitReflector)
{
    Reduced const tall = Reduce(3, 2, 3);
    EXPECT_EQ(tall.taup[1], 0.0);
    Reduced const wide = Reduce(2, 3, 3);
    EXPECT_EQ(wide.tauq[1], 0.0);
}

TEST(BiDiagReduce, AgreesWithReference)
{
    // The unblocked form and the blocked one (lwork for full blocks) against dgebd2 and dgebrd.
    for (Shape s : {Shape{9, 5}, Shape{5, 9}, Shape{200, 150}, Shape{150, 200}})
        for (bool blocked : {false, true}) {
            long const m = s.m, n = s.n, k = std::min(m, n), lwork = (m + n) * 32;
            SCOPED_TRACE(testing::Message()
                         << m << " x " << n << (blocked ? " blocked" : " unblocked"));
            Reduced r = Reduce(m, n, lwork);
            if (!blocked) {
                r.a = r.a0;
                std::vector<double> work(std::max(m, n), NaN);
                LAPackDouble::MtoBiDiagElt(m, n, r.a.data(), r.a.ld, r.d.data(), r.e.data(),
                                           r.tauq.data(), r.taup.data(), work.data(),
                                           Blas::defProgMon);
            }
            Dense ref = r.a0;
            std::vector<double> d(k), e(k), tauq(k), taup(k), work(lwork);
            int mm = int(m), nn = int(n), ld = int(ref.ld), lw = int(lwork), info = -1;
            if (blocked)
                dgebrd_(&mm, &nn, ref.data(), &ld, d.data(), e.data(), tauq.data(), taup.data(),
                        work.data(), &lw, &info);
            else
                dgebd2_(&mm, &nn, ref.data(), &ld, d.data(), e.data(), tauq.data(), taup.data(),
                        work.data(), &info);
            ASSERT_EQ(info, 0);
            double const tol = 50 * std::max(m, n) * eps * std::max(1.0, MaxAbs(ref));
            EXPECT_LT(MaxDiff(r.a, ref), tol);
            for (long i = 0; i < k; ++i) {
                EXPECT_NEAR(r.d[i], d[i], tol);
                EXPECT_NEAR(r.tauq[i], tauq[i], tol);
                EXPECT_NEAR(r.taup[i], taup[i], tol);
                if (i + 1 < k) {
                    EXPECT_NEAR(r.e[i], e[i], tol);
                }
            }
        }
}

TEST(BiDiagReduce, ChecksRaiseBeforeAnythingIsWritten)
{
    RegisterNumerMessages();
    Dense a = Random(4, 3, 4);
    Dense const a0 = a;
    std::vector<double> d(3), e(3), tq(3), tp(3), work(200);
    auto brd = [&](long m, long n, long lda, double* w, long lwork) {
        return RaisedCode([&] {
            LAPackDouble::MtoBiDiag(m, n, a.data(), lda, d.data(), e.data(), tq.data(), tp.data(),
                                    w, lwork, Blas::defProgMon);
        });
    };
    EXPECT_EQ(brd(-1, 3, 4, work.data(), 200), nmIllegalParameter);
    EXPECT_EQ(brd(4, -1, 4, work.data(), 200), nmIllegalParameter);
    EXPECT_EQ(brd(4, 3, 3, work.data(), 200), nmIllegalParameter);
    EXPECT_EQ(brd(0, 3, 0, work.data(), 200), nmIllegalParameter);
    EXPECT_EQ(brd(4, 3, 4, work.data(), 3), nmWorkspaceTooSmall);
    EXPECT_EQ(brd(4, 3, 4, nullptr, 200), nmNoWorkspace);
    auto bd2 = [&](long m, long n, long lda) {
        return RaisedCode([&] {
            LAPackDouble::MtoBiDiagElt(m, n, a.data(), lda, d.data(), e.data(), tq.data(),
                                       tp.data(), work.data(), Blas::defProgMon);
        });
    };
    EXPECT_EQ(bd2(-1, 3, 4), nmIllegalParameter);
    EXPECT_EQ(bd2(4, -1, 4), nmIllegalParameter);
    EXPECT_EQ(bd2(4, 3, 3), nmIllegalParameter);
    EXPECT_EQ(MaxDiff(a, a0), 0.0);
    EXPECT_EQ(brd(4, 3, 4, work.data(), 4), 0);

    // PQformTransform: the option word, the shape for Q and P**T, lda and the work.
    auto orgbr = [&](short opt, long m, long n, long k, long lda, long lwork) {
        return RaisedCode([&] {
            LAPackDouble::PQformTransform(opt, m, n, k, a.data(), lda, tq.data(), work.data(),
                                          lwork, Blas::defProgMon);
        });
    };
    Dense const reduced = a;
    EXPECT_EQ(orgbr(0x3, 4, 3, 3, 4, 200), nmIllegalOptions);
    EXPECT_EQ(orgbr(0x4, 4, 3, 3, 4, 200), nmIllegalOptions);
    EXPECT_EQ(orgbr(0x0, 4, 3, 3, 4, 200), nmIllegalOptions);
    EXPECT_EQ(orgbr(0x1, -1, 3, 3, 4, 200), nmIllegalParameter);
    EXPECT_EQ(orgbr(0x1, 3, 4, 3, 4, 200), nmIllegalParameter);  // Q: n > m
    EXPECT_EQ(orgbr(0x1, 4, 2, 3, 4, 200), nmIllegalParameter);  // Q: n < min(m, k)
    EXPECT_EQ(orgbr(0x2, 4, 3, 3, 4, 200), nmIllegalParameter);  // P**T: m > n
    EXPECT_EQ(orgbr(0x2, 2, 3, 3, 4, 200), nmIllegalParameter);  // P**T: m < min(n, k)
    EXPECT_EQ(orgbr(0x1, 4, 3, -1, 4, 200), nmIllegalParameter);
    EXPECT_EQ(orgbr(0x1, 4, 3, 3, 3, 200), nmIllegalParameter);
    EXPECT_EQ(orgbr(0x1, 4, 3, 3, 4, 2), nmWorkspaceTooSmall);
    EXPECT_EQ(orgbr(0x1, 4, 3, 3, 4, 0), nmWorkspaceTooSmall);
    EXPECT_EQ(MaxDiff(a, reduced), 0.0);

    // PQtransform: three groups of the word, lda by VECT, ldb and the work.
    Dense b = Random(4, 2, 4);
    Dense const b0 = b;
    auto ormbr = [&](short opt, long m, long n, long k, long lda, long ldb, long lwork) {
        return RaisedCode([&] {
            LAPackDouble::PQtransform(opt, m, n, k, a.data(), lda, tq.data(), b.data(), ldb,
                                      work.data(), lwork);
        });
    };
    EXPECT_EQ(ormbr(0x14, 4, 2, 3, 4, 4, 200), nmIllegalOptions);  // no VECT
    EXPECT_EQ(ormbr(0x11, 4, 2, 3, 4, 4, 200), nmIllegalOptions);  // no SIDE
    EXPECT_EQ(ormbr(0x05, 4, 2, 3, 4, 4, 200), nmIllegalOptions);  // no TRANS
    EXPECT_EQ(ormbr(0x3d, 4, 2, 3, 4, 4, 200), nmIllegalOptions);  // two of each
    EXPECT_EQ(ormbr(0x55, 4, 2, 3, 4, 4, 200), nmIllegalOptions);  // a bit outside 0x3f
    EXPECT_EQ(ormbr(0x15, -1, 2, 3, 4, 4, 200), nmIllegalParameter);
    EXPECT_EQ(ormbr(0x15, 4, -1, 3, 4, 4, 200), nmIllegalParameter);
    EXPECT_EQ(ormbr(0x15, 4, 2, -1, 4, 4, 200), nmIllegalParameter);
    EXPECT_EQ(ormbr(0x15, 4, 2, 3, 3, 4, 200), nmIllegalParameter);  // Q: lda < nq
    EXPECT_EQ(ormbr(0x16, 4, 2, 3, 2, 4, 200), nmIllegalParameter);  // P: lda < min(nq, k)
    EXPECT_EQ(ormbr(0x15, 4, 2, 3, 4, 3, 200), nmIllegalParameter);
    EXPECT_EQ(ormbr(0x15, 4, 2, 3, 4, 4, 1), nmWorkspaceTooSmall);  // left: nw = n
    EXPECT_EQ(ormbr(0x19, 2, 4, 3, 4, 4, 1), nmWorkspaceTooSmall);  // right: nw = m
    EXPECT_EQ(MaxDiff(b, b0), 0.0);
    EXPECT_EQ(ormbr(0x16, 4, 2, 3, 3, 4, 2), 0);
}

TEST(BiDiagReduce, MonitorCalls)
{
    RegisterNumerMessages();
    {
        // No work for an empty matrix: MtoBiDiag stays silent, MtoBiDiagElt opens and closes.
        RecordingMonitor none, empty;
        Reduce(0, 3, 3, none);
        EXPECT_TRUE(none.events.empty());
        std::vector<double> a(3), work(3), v(3);
        LAPackDouble::MtoBiDiagElt(0, 3, a.data(), 1, v.data(), v.data(), v.data(), v.data(),
                                   work.data(), empty);
        EXPECT_EQ(empty.events, (std::vector<RecordingMonitor::Event>{{1, -1, S, 0, 0.0}}));
        EXPECT_EQ(empty.GetCounter(), nullptr);
    }
    {
        // Unblocked: one step per reflector pair.
        RecordingMonitor pm;
        Reduce(4, 3, 4, pm);
        EXPECT_EQ(Opened(pm, 1), (Counters{{S, 3}}));
        EXPECT_EQ(Opened(pm, 2), (Counters{{S, 3}}));
        EXPECT_EQ(pm.StepsAt(2), StepsUpTo(3));
        EXPECT_EQ(pm.GetCounter(), nullptr);
    }
    {
        // 200 x 200: three panels of 32, each with its two products, then 104 steps unblocked.
        RecordingMonitor pm;
        Reduce(200, 200, 400 * 32, pm);
        EXPECT_EQ(Opened(pm, 1), (Counters{{S, 200}}));
        EXPECT_EQ(Opened(pm, 2), (Counters{{U, 32},
                                           {U, 168},
                                           {U, 168},
                                           {U, 32},
                                           {U, 136},
                                           {U, 136},
                                           {U, 32},
                                           {U, 104},
                                           {U, 104},
                                           {S, 104}}));
        // Each of them reports every one of its steps.
        std::vector<long> steps;
        for (auto const& c : Opened(pm, 2)) {
            std::vector<long> const own = StepsUpTo(c.second);
            steps.insert(steps.end(), own.begin(), own.end());
        }
        EXPECT_EQ(pm.StepsAt(2), steps);
        EXPECT_EQ(pm.GetCounter(), nullptr);
    }
    {
        // PQformTransform opens a bounded counter of k steps around the form routine.
        Reduced const r = Reduce(6, 4, 6);
        RecordingMonitor q, pt, empty;
        Dense qa = r.a, pa = r.a;
        std::vector<double> work(6);
        LAPackDouble::PQformTransform(0x1, 6, 4, 4, qa.data(), qa.ld,
                                      const_cast<double*>(r.tauq.data()), work.data(), 6, q);
        EXPECT_EQ(Opened(q, 1), (Counters{{U, 4}}));
        EXPECT_EQ(Opened(q, 2), (Counters{{U, 4}}));
        LAPackDouble::PQformTransform(0x2, 4, 4, 6, pa.data(), pa.ld,
                                      const_cast<double*>(r.taup.data()), work.data(), 6, pt);
        EXPECT_EQ(Opened(pt, 1), (Counters{{U, 6}}));
        EXPECT_EQ(Opened(pt, 2), (Counters{{U, 3}}));
        EXPECT_EQ(pt.GetCounter(), nullptr);
        LAPackDouble::PQformTransform(0x1, 0, 0, 4, qa.data(), qa.ld,
                                      const_cast<double*>(r.tauq.data()), work.data(), 6, empty);
        EXPECT_TRUE(empty.events.empty());
    }
}

TEST(PQtransform, EveryWordEqualsTheProductWithTheFormedFactor)
{
    // Tall, wide and square reductions reach both branches of each factor (reflectors on or off the
    // diagonal); 80 x 70 lets the transforms block when lwork allows it.
    for (Shape s : {Shape{7, 4}, Shape{4, 7}, Shape{5, 5}, Shape{80, 70}, Shape{70, 80}}) {
        long const p = s.m, q = s.n, r = 3;
        Reduced const red = Reduce(p, q, (p + q) * 32);
        Dense const Q = red.Q(p), P = Transposed(red.Pt(q));
        for (short vect : {0x1, 0x2})
            for (short side : {0x4, 0x8})
                for (short trans : {0x10, 0x20})
                    for (bool blocked : {false, true}) {
                        short const opt = short(vect | side | trans);
                        bool const left = side == 0x4;
                        Dense const& f = vect == 0x1 ? Q : P;
                        long const nq = f.rows, m = left ? nq : r, n = left ? r : nq,
                                   nw = left ? n : m;
                        SCOPED_TRACE(testing::Message() << p << " x " << q << " word 0x" << std::hex
                                                        << opt << (blocked ? " blocked" : ""));
                        Dense c = Random(m, n, m + 1);
                        char const t = trans == 0x10 ? 'N' : 'T';
                        Dense const want = left ? Product(t, f, 'N', c) : Product('N', c, t, f);
                        long const lwork = blocked ? nw * 64 : std::max(1L, nw);
                        std::vector<double> work(lwork, NaN);
                        Dense a = red.a;
                        std::vector<double> tau = vect == 0x1 ? red.tauq : red.taup;
                        LAPackDouble::PQtransform(opt, m, n, vect == 0x1 ? q : p, a.data(), a.ld,
                                                  tau.data(), c.data(), c.ld, work.data(), lwork);
                        EXPECT_LT(MaxDiff(c, want), 20 * std::max(p, q) * eps);
                        EXPECT_TRUE(PaddingUntouched(c));
                        EXPECT_EQ(MaxDiff(a, red.a), 0.0);
                    }
    }
}

TEST(PQtransform, OrderOneLeavesTheMatrixAlone)
{
    // nq = 1 with Q of k >= 2 reflectors or P of k >= 1: nothing to apply.
    Reduced const wide = Reduce(1, 3, 3), tall = Reduce(3, 1, 3);
    Dense b = Random(1, 4, 1);
    Dense const b0 = b;
    std::vector<double> work(4);
    Dense a = wide.a;
    std::vector<double> tau = wide.tauq;
    LAPackDouble::PQtransform(0x15, 1, 4, 3, a.data(), a.ld, tau.data(), b.data(), 1, work.data(),
                              4);
    a = tall.a;
    tau = tall.taup;
    LAPackDouble::PQtransform(0x26, 1, 4, 3, a.data(), a.ld, tau.data(), b.data(), 1, work.data(),
                              4);
    EXPECT_EQ(MaxDiff(b, b0), 0.0);
}
