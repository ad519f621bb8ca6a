// Forming and applying the orthogonal factors of QR, QL and LQ factorisations: the unblocked forms
// and transforms against the reference LAPACK bit for bit (their algorithm is that of 2.0), the
// blocked ones against the unblocked ones and the reference to rounding, orthogonality, the checks
// and the progress-monitor calls.
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
typedef std::vector<std::pair<long, long>> Counters;  // type and steps of each counter opened
long const U = Blas::ptUniform;

enum Kind { kQR, kQL, kLQ };
char const* Name(Kind kind) { return kind == kQR ? "QR" : kind == kQL ? "QL" : "LQ"; }

// k reflectors as the factorisations leave them in an m x n matrix (leading dimension ld): QR and
// LQ from QRfactor2 and LQfactor2 of a random matrix; QL written directly, vector i in column
// n-k+i with its unit element in row m-k+i and tau(i) = 2/(v**T*v), so that Q is orthogonal.
struct Reflectors {
    Kind kind;
    long m, n, k, ld;
    std::vector<double> a, tau;
};

Reflectors MakeReflectors(Kind kind, long m, long n, long k, long ld)
{
    Reflectors r{kind,
                 m,
                 n,
                 k,
                 ld,
                 PaddedMatrix<double>(m, n, ld),
                 std::vector<double>(std::max(k, 1L), NaN)};
    std::vector<double> work(std::max(m, n));
    if (kind == kQR) {
        LAPackDouble::QRfactor2(m, k, r.a.data(), ld, r.tau.data(), work.data(), Blas::defProgMon);
    } else if (kind == kLQ) {
        LAPackDouble::LQfactor2(k, n, r.a.data(), ld, r.tau.data(), work.data(), Blas::defProgMon);
    } else {
        for (long i = 0; i < k; ++i) {
            double vv = 1.0;
            for (long l = 0; l < m - k + i; ++l)
                vv += r.a[l + (n - k + i) * ld] * r.a[l + (n - k + i) * ld];
            r.tau[i] = 2.0 / vv;
        }
    }
    return r;
}

// The columns (QR, QL) or rows (LQ) of the formed matrix q are orthonormal.
double Orthogonality(Kind kind, std::vector<double> const& q, long m, long n, long ld)
{
    long const len = kind == kLQ ? n : m, count = kind == kLQ ? m : n;
    auto at = [&](long vec, long l) { return kind == kLQ ? q[vec + l * ld] : q[l + vec * ld]; };
    double worst = 0.0;
    for (long i = 0; i < count; ++i)
        for (long j = 0; j < count; ++j) {
            double s = i == j ? -1.0 : 0.0;
            for (long l = 0; l < len; ++l) s += at(i, l) * at(j, l);
            worst = MaxOrNaN(worst, std::fabs(s));
        }
    return worst;
}

void FormUnblocked(Kind kind, Reflectors& r, Blas::UProgressMonitor& pm)
{
    std::vector<double> work(std::max(r.m, r.n), NaN);
    if (kind == kQR)
        LAPackDouble::QRformProduct2(r.m, r.n, r.k, r.a.data(), r.ld, r.tau.data(), work.data(),
                                     pm);
    if (kind == kQL)
        LAPackDouble::QLformProduct2(r.m, r.n, r.k, r.a.data(), r.ld, r.tau.data(), work.data(),
                                     pm);
    if (kind == kLQ)
        LAPackDouble::LQformProduct2(r.m, r.n, r.k, r.a.data(), r.ld, r.tau.data(), work.data());
}

void FormBlocked(Kind kind, Reflectors& r, long lwork, Blas::UProgressMonitor& pm)
{
    std::vector<double> work(lwork, NaN);
    auto form = kind == kQR   ? &LAPackDouble::QRformProduct
                : kind == kQL ? &LAPackDouble::QLformProduct
                              : &LAPackDouble::LQformProduct;
    form(r.m, r.n, r.k, r.a.data(), r.ld, r.tau.data(), work.data(), lwork, pm);
}

struct Word {
    short opt;
    char side, trans;
};
Word const kWords[] = {{0x14, 'L', 'N'}, {0x24, 'L', 'T'}, {0x18, 'R', 'N'}, {0x28, 'R', 'T'}};

typedef void (*Transform2)(short, long, long, long, double*, long, double*, double*, long, double*,
                           Blas::UProgressMonitor&);
typedef void (*Transform)(short, long, long, long, double*, long, double*, double*, long, double*,
                          long, Blas::UProgressMonitor&);

// The reflectors of a transform: k of order nq, in columns (QR) or rows (LQ) of a.
Reflectors TransformReflectors(bool rows, long nq, long k)
{
    return rows ? MakeReflectors(kLQ, k, nq, k, k + 1) : MakeReflectors(kQR, nq, k, k, nq + 2);
}

Counters Opened(RecordingMonitor const& pm, long depth)
{
    Counters opened;
    for (Event const& e : pm.events)
        if (e.depth == depth && e.step == -1) opened.push_back({e.type, e.steps});
    return opened;
}

}  // namespace

TEST(OrthogonalFactor, UnblockedFormsEqualReference)
{
    struct Shape {
        long m, n, k;
    };
    for (Kind kind : {kQR, kQL, kLQ})
        for (Shape s :
             {Shape{1, 1, 1}, Shape{5, 5, 5}, Shape{7, 4, 2}, Shape{7, 4, 0}, Shape{6, 3, 3}}) {
            long const m = kind == kLQ ? s.n : s.m, n = kind == kLQ ? s.m : s.n, ld = m + 2;
            SCOPED_TRACE(testing::Message()
                         << Name(kind) << " m " << m << " n " << n << " k " << s.k);
            Reflectors r = MakeReflectors(kind, m, n, s.k, ld);
            std::vector<double> ref = r.a, rwork(std::max(m, n));
            FormUnblocked(kind, r, Blas::defProgMon);
            int mm = I(m), nn = I(n), kk = I(s.k), la = I(ld), info = -1;
            (kind == kQR ? dorg2r_
             : kind == kQL
                 ? dorg2l_
                 : dorgl2_)(&mm, &nn, &kk, ref.data(), &la, r.tau.data(), rwork.data(), &info);
            ASSERT_EQ(info, 0);
            EXPECT_TRUE(SameArrays(r.a, ref, 0));
            EXPECT_LT(Orthogonality(kind, r.a, m, n, ld), 8 * m * n * eps);
        }
}

TEST(OrthogonalFactor, FormedQTimesRRestoresTheMatrix)
{
    // QRformProduct on the output of QRfactor: orthonormal columns whose product with R is A.
    long const m = 150, n = 140, ld = m + 1;
    std::vector<double> a = PaddedMatrix<double>(m, n, ld), f = a, tau(n), work(n * 32);
    LAPackDouble::QRfactor(m, n, f.data(), ld, tau.data(), work.data(), n * 32, Blas::defProgMon);
    std::vector<double> q = f;
    LAPackDouble::QRformProduct(m, n, n, q.data(), ld, tau.data(), work.data(), n * 32,
                                Blas::defProgMon);
    EXPECT_LT(Orthogonality(kQR, q, m, n, ld), 4 * m * eps);
    double worst = 0.0;
    for (long j = 0; j < n; ++j)
        for (long i = 0; i < m; ++i) {
            double s = 0.0;
            for (long l = 0; l <= j; ++l) s += q[i + l * ld] * f[l + j * ld];
            worst = MaxOrNaN(worst, std::fabs(s - a[i + j * ld]));
        }
    EXPECT_LT(worst, 4 * m * eps);
}

TEST(OrthogonalFactor, BlockedFormsAgreeWithUnblocked)
{
    // Beyond 128 reflectors the blocks run, at full size and at what a smaller lwork allows; the
    // minimum lwork runs unblocked and gives the unblocked result bit for bit.
    struct Shape {
        long m, n, k;
    };
    for (Kind kind : {kQR, kQL, kLQ})
        for (Shape s : {Shape{200, 180, 150}, Shape{160, 160, 160}, Shape{170, 140, 129}})
            for (long nbWork : {32L, 5L, 2L, 1L}) {
                long const m = kind == kLQ ? s.n : s.m, n = kind == kLQ ? s.m : s.n, ld = m + 1;
                long const lwork = nbWork * (kind == kLQ ? m : n);
                SCOPED_TRACE(testing::Message() << Name(kind) << " m " << m << " n " << n << " k "
                                                << s.k << " lwork " << lwork);
                Reflectors un = MakeReflectors(kind, m, n, s.k, ld), bl = un, ref = un;
                FormUnblocked(kind, un, Blas::defProgMon);
                FormBlocked(kind, bl, lwork, Blas::defProgMon);
                if (nbWork == 1) {
                    EXPECT_TRUE(SameArrays(bl.a, un.a, 0));
                    continue;
                }
                EXPECT_LT(MaxDiff(bl.a, un.a), 16 * m * eps);
                EXPECT_LT(Orthogonality(kind, bl.a, m, n, ld), 8 * m * eps);
                std::vector<double> rwork(lwork);
                int mm = I(m), nn = I(n), kk = I(s.k), la = I(ld), lw = I(lwork), info = -1;
                (kind == kQR   ? dorgqr_
                 : kind == kQL ? dorgql_
                               : dorglq_)(&mm, &nn, &kk, ref.a.data(), &la, ref.tau.data(),
                                          rwork.data(), &lw, &info);
                ASSERT_EQ(info, 0);
                EXPECT_LT(MaxDiff(bl.a, ref.a), 16 * m * eps);
            }
}

TEST(OrthogonalFactor, UnblockedTransformsEqualReference)
{
    for (bool rows : {false, true})
        for (Word w : kWords)
            for (long m : {1L, 6L})
                for (long n : {4L, 7L})
                    for (long k : {0L, 1L, 4L}) {
                        long const nq = w.side == 'L' ? m : n;
                        if (k > nq) continue;
                        SCOPED_TRACE(testing::Message()
                                     << (rows ? "LQ " : "QR ") << w.side << w.trans << " m " << m
                                     << " n " << n << " k " << k);
                        Reflectors r = TransformReflectors(rows, nq, k);
                        std::vector<double> const a = r.a, tau = r.tau;
                        long const ldb = m + 3;
                        std::vector<double> b = PaddedMatrix<double>(m, n, ldb), ours = b, ref = b;
                        std::vector<double> work(std::max(m, n)), rwork = work;
                        (rows ? LAPackDouble::LQtransform2 : LAPackDouble::QRtransform2)(
                            w.opt, m, n, k, r.a.data(), r.ld, r.tau.data(), ours.data(), ldb,
                            work.data(), Blas::defProgMon);
                        EXPECT_TRUE(SameArrays(r.a, a, 0)) << "A changed";
                        EXPECT_TRUE(SameArrays(r.tau, tau, 0)) << "tau changed";
                        int mm = I(m), nn = I(n), kk = I(k), la = I(r.ld), lb = I(ldb), info = -1;
                        (rows ? dorml2_ : dorm2r_)(&w.side, &w.trans, &mm, &nn, &kk, r.a.data(),
                                                   &la, r.tau.data(), ref.data(), &lb, rwork.data(),
                                                   &info, 1, 1);
                        ASSERT_EQ(info, 0);
                        EXPECT_TRUE(SameArrays(ours, ref, 0));
                    }
}

TEST(OrthogonalFactor, BlockedTransformsAgreeWithUnblocked)
{
    // Above 32 reflectors the transforms go by blocks of 32, or of what lwork allows; the minimum
    // lwork runs unblocked and gives the unblocked result bit for bit.
    for (bool rows : {false, true})
        for (Word w : kWords)
            for (long nbWork : {32L, 3L, 2L, 1L}) {
                long const m = 90, n = 80, k = 70, nq = w.side == 'L' ? m : n,
                           nw = w.side == 'L' ? n : m;
                long const lwork = nbWork * nw;
                SCOPED_TRACE(testing::Message()
                             << (rows ? "LQ " : "QR ") << w.side << w.trans << " lwork " << lwork);
                Reflectors r = TransformReflectors(rows, nq, k);
                std::vector<double> const a = r.a;
                long const ldb = m + 1;
                std::vector<double> b = PaddedMatrix<double>(m, n, ldb), bl = b, un = b, ref = b;
                // The 3.x reference keeps its T in the workspace, after nw*nb elements.
                long const rlwork = lwork + 65 * 64;
                std::vector<double> work(lwork, NaN), rwork(rlwork);
                Transform const blocked =
                    rows ? LAPackDouble::LQtransform : LAPackDouble::QRtransform;
                Transform2 const unblocked =
                    rows ? LAPackDouble::LQtransform2 : LAPackDouble::QRtransform2;
                blocked(w.opt, m, n, k, r.a.data(), r.ld, r.tau.data(), bl.data(), ldb, work.data(),
                        lwork, Blas::defProgMon);
                EXPECT_TRUE(SameArrays(r.a, a, 0)) << "A changed";
                unblocked(w.opt, m, n, k, r.a.data(), r.ld, r.tau.data(), un.data(), ldb,
                          work.data(), Blas::defProgMon);
                if (nbWork == 1) {
                    EXPECT_TRUE(SameArrays(bl, un, 0));
                    continue;
                }
                EXPECT_LT(MaxDiff(bl, un), 16 * nq * eps);
                int mm = I(m), nn = I(n), kk = I(k), la = I(r.ld), lb = I(ldb), lw = I(rlwork),
                    info = -1;
                (rows ? dormlq_ : dormqr_)(&w.side, &w.trans, &mm, &nn, &kk, r.a.data(), &la,
                                           r.tau.data(), ref.data(), &lb, rwork.data(), &lw, &info,
                                           1, 1);
                ASSERT_EQ(info, 0);
                EXPECT_LT(MaxDiff(bl, ref), 16 * nq * eps);
            }
}

TEST(OrthogonalFactor, TransformOfTheUnitMatrixIsQ)
{
    // Q*I is Q as QRformProduct forms it, and Q**T*Q is I again.
    long const m = 60, k = 40, ld = m;
    Reflectors r = MakeReflectors(kQR, m, m, k, ld);
    std::vector<double> q = r.a, id(m * m, 0.0), work(m * 64);
    LAPackDouble::QRformProduct(m, m, k, q.data(), ld, r.tau.data(), work.data(), m * 64,
                                Blas::defProgMon);
    for (long i = 0; i < m; ++i) id[i * (m + 1)] = 1.0;
    std::vector<double> b = id;
    LAPackDouble::QRtransform(0x14, m, m, k, r.a.data(), ld, r.tau.data(), b.data(), m, work.data(),
                              m * 64, Blas::defProgMon);
    EXPECT_LT(MaxDiff(b, q), 8 * m * eps);
    LAPackDouble::QRtransform(0x24, m, m, k, r.a.data(), ld, r.tau.data(), b.data(), m, work.data(),
                              m * 64, Blas::defProgMon);
    EXPECT_LT(MaxDiff(b, id), 8 * m * eps);
}

TEST(OrthogonalFactor, ChecksInOrderBeforeAnythingChanges)
{
    RegisterNumerMessages();
    long const ld = 8;
    std::vector<double> a = PaddedMatrix<double>(ld, ld, ld), b = a, tau(ld, 1.0), work(ld * 64);
    std::vector<double> fa = a, fb = b;
    double *A = fa.data(), *B = fb.data(), *t = tau.data(), *w = work.data();
    Blas::UProgressMonitor& pm = Blas::defProgMon;
    struct Case {
        char const* what;
        std::function<void()> call;
        int code;
    };
    std::vector<Case> cases = {
        {"QR2 n > m", [&] { LAPackDouble::QRformProduct2(3, 4, 2, A, ld, t, w, pm); },
         nmIllegalParameter},
        {"QR2 k > n", [&] { LAPackDouble::QRformProduct2(5, 4, 5, A, ld, t, w, pm); },
         nmIllegalParameter},
        {"QR2 k < 0", [&] { LAPackDouble::QRformProduct2(5, 4, -1, A, ld, t, w, pm); },
         nmIllegalParameter},
        {"QR2 lda", [&] { LAPackDouble::QRformProduct2(9, 4, 2, A, ld, t, w, pm); },
         nmIllegalParameter},
        {"QL2 n > m", [&] { LAPackDouble::QLformProduct2(3, 4, 2, A, ld, t, w, pm); },
         nmIllegalParameter},
        {"QL2 m < 0", [&] { LAPackDouble::QLformProduct2(-1, 0, 0, A, ld, t, w, pm); },
         nmIllegalParameter},
        {"LQ2 n < m", [&] { LAPackDouble::LQformProduct2(4, 3, 2, A, ld, t, w); },
         nmIllegalParameter},
        {"LQ2 k > m", [&] { LAPackDouble::LQformProduct2(3, 5, 4, A, ld, t, w); },
         nmIllegalParameter},
        {"LQ2 lda", [&] { LAPackDouble::LQformProduct2(9, 9, 2, A, ld, t, w); },
         nmIllegalParameter},
        {"QR lwork", [&] { LAPackDouble::QRformProduct(6, 4, 2, A, ld, t, w, 3, pm); },
         nmWorkspaceTooSmall},
        {"QR args first", [&] { LAPackDouble::QRformProduct(6, 7, 2, A, ld, t, w, 0, pm); },
         nmIllegalParameter},
        {"QR no work", [&] { LAPackDouble::QRformProduct(6, 4, 2, A, ld, t, nullptr, 4, pm); },
         nmNoWorkspace},
        {"QL lwork", [&] { LAPackDouble::QLformProduct(6, 4, 2, A, ld, t, w, 3, pm); },
         nmWorkspaceTooSmall},
        {"QL lwork 0", [&] { LAPackDouble::QLformProduct(0, 0, 0, A, 1, t, w, 0, pm); },
         nmWorkspaceTooSmall},
        {"LQ lwork m", [&] { LAPackDouble::LQformProduct(4, 6, 2, A, ld, t, w, 3, pm); },
         nmWorkspaceTooSmall},
        {"LQ k > m", [&] { LAPackDouble::LQformProduct(4, 6, 5, A, ld, t, w, 8, pm); },
         nmIllegalParameter},
    };
    // The transforms: the word first, then the arguments, then the workspace.
    for (bool rows : {false, true})
        for (bool blocked : {false, true}) {
            auto call = [=](short opt, long m, long n, long k, long lda, long ldb, long lwork) {
                return [=] {
                    if (blocked)
                        (rows ? LAPackDouble::LQtransform : LAPackDouble::QRtransform)(
                            opt, m, n, k, A, lda, t, B, ldb, w, lwork, Blas::defProgMon);
                    else
                        (rows ? LAPackDouble::LQtransform2 : LAPackDouble::QRtransform2)(
                            opt, m, n, k, A, lda, t, B, ldb, w, Blas::defProgMon);
                };
            };
            for (short opt :
                 {short(0x1c), short(0x34), short(0x04), short(0x54), short(0x10), short(0x114)})
                cases.push_back({"word", call(opt, 4, 3, 2, ld, ld, 64), nmIllegalOptions});
            cases.push_back(
                {"word before m < 0", call(0x3c, -1, 3, 2, ld, ld, 64), nmIllegalOptions});
            cases.push_back({"m < 0", call(0x14, -1, 3, 2, ld, ld, 64), nmIllegalParameter});
            cases.push_back({"n < 0", call(0x14, 4, -1, 2, ld, ld, 64), nmIllegalParameter});
            cases.push_back({"k > nq", call(0x18, 6, 3, 4, ld, ld, 64), nmIllegalParameter});
            cases.push_back({"ldb", call(0x14, 4, 3, 2, ld, 3, 64), nmIllegalParameter});
            // lda against nq for QR, against k for LQ: 2 = k < nq = 4.
            cases.push_back(
                {"lda = k < nq", call(0x14, 4, 3, 2, 2, ld, 64), rows ? 0 : nmIllegalParameter});
            if (blocked) {
                cases.push_back(
                    {"lwork < nw left", call(0x14, 4, 3, 2, ld, ld, 2), nmWorkspaceTooSmall});
                cases.push_back(
                    {"lwork < nw right", call(0x28, 4, 3, 2, ld, ld, 3), nmWorkspaceTooSmall});
                cases.push_back(
                    {"lwork 0 for empty", call(0x28, 0, 0, 0, ld, ld, 0), nmWorkspaceTooSmall});
                cases.push_back({"no work",
                                 [=] {
                                     (rows ? LAPackDouble::LQtransform : LAPackDouble::QRtransform)(
                                         0x14, 4, 3, 2, A, ld, t, B, ld, nullptr, 64,
                                         Blas::defProgMon);
                                 },
                                 nmNoWorkspace});
            }
        }
    for (Case const& c : cases) {
        EXPECT_EQ(RaisedCode(c.call), c.code) << c.what;
        if (c.code != 0) {
            EXPECT_TRUE(SameArrays(fa, a, 0)) << c.what;
            EXPECT_TRUE(SameArrays(fb, b, 0)) << c.what;
        }
        fa = a, fb = b;
    }
    std::string text;
    RaisedCode([&] { LAPackDouble::LQtransform(0x1c, 4, 3, 2, A, ld, t, B, ld, w, 64, pm); },
               &text);
    EXPECT_NE(text.find("Error in file dormlq line "), std::string::npos) << text;
    // A first call that raises leaves the static block in place; the next call uses it.
    EXPECT_EQ(
        RaisedCode([&] { LAPackDouble::QRtransform(0x1c, 4, 3, 2, A, ld, t, B, ld, w, 64, pm); }),
        nmIllegalOptions);
    EXPECT_EQ(
        RaisedCode([&] { LAPackDouble::QRtransform(0x14, 4, 3, 2, A, ld, t, B, ld, w, 64, pm); }),
        0);
    // QLformProduct of nothing, as the tridiagonal reduction asks for a matrix of order 1.
    fa = a;
    LAPackDouble::QLformProduct(0, 0, 0, A, 1, t, w, 1, pm);
    EXPECT_TRUE(SameArrays(fa, a, 0));
}

TEST(OrthogonalFactor, MonitorCallsOfTheForms)
{
    RegisterNumerMessages();
    for (Kind kind : {kQR, kQL}) {
        SCOPED_TRACE(Name(kind));
        {
            // Each reflector is one step, in the order it is applied; k = 0 still opens the counter
            // once the unit columns are set, n = 0 opens none.
            RecordingMonitor pm, none, empty;
            Reflectors r = MakeReflectors(kind, 6, 4, 3, 6), z = MakeReflectors(kind, 6, 4, 0, 6);
            FormUnblocked(kind, r, pm);
            EXPECT_EQ(Opened(pm, 1), (Counters{{U, 3}}));
            EXPECT_EQ(pm.StepsAt(1), StepsUpTo(3));
            FormUnblocked(kind, z, empty);
            EXPECT_EQ(empty.events, (std::vector<Event>{{1, -1, U, 0, 0.0}}));
            for (long i = 0; i < 6; ++i)
                for (long j = 0; j < 4; ++j)
                    EXPECT_EQ(z.a[i + j * 6], (kind == kQR ? i == j : i == j + 2) ? 1.0 : 0.0);
            Reflectors e = MakeReflectors(kind, 6, 0, 0, 6);
            FormUnblocked(kind, e, none);
            EXPECT_TRUE(none.events.empty());
        }
        {
            // The blocked form opens a bounded counter over (n, m, k) and hands pm on.
            RecordingMonitor pm;
            Reflectors r = MakeReflectors(kind, 160, 150, 140, 160);
            FormBlocked(kind, r, 150 * 32, pm);
            EXPECT_EQ(Opened(pm, 1), (Counters{{U, 140}}));
            // 108 reflectors unblocked, then one block of 32: its block reflector and its own form.
            EXPECT_EQ(Opened(pm, 2), (Counters{{U, 108}, {U, 32}, {U, 32}}));
            EXPECT_EQ(pm.GetCounter(), nullptr);
        }
    }
    for (long k : {3L, 140L}) {
        // LQformProduct reports by blocks of steps that add up to k, and keeps the block reflector
        // off its monitor: nothing nests in its counter.
        RecordingMonitor pm;
        Reflectors r = MakeReflectors(kLQ, 140, 160, k, 141);
        FormBlocked(kLQ, r, 140 * 32, pm);
        EXPECT_EQ(Opened(pm, 1), (Counters{{U, k}}));
        EXPECT_EQ(pm.StepsAt(1), StepsUpTo(k - 1));
        for (Event const& e : pm.events) EXPECT_EQ(e.depth, 1);
        RecordingMonitor none;
        Reflectors z = MakeReflectors(kLQ, 0, 5, 0, 1);
        FormBlocked(kLQ, z, 1, none);
        EXPECT_TRUE(none.events.empty());
    }
}

TEST(OrthogonalFactor, MonitorCallsOfTheTransforms)
{
    RegisterNumerMessages();
    for (bool rows : {false, true}) {
        SCOPED_TRACE(rows ? "LQ" : "QR");
        Transform2 const unblocked = rows ? LAPackDouble::LQtransform2 : LAPackDouble::QRtransform2;
        Transform const blocked = rows ? LAPackDouble::LQtransform : LAPackDouble::QRtransform;
        long const m = 50, n = 40, ldb = m;
        std::vector<double> b = PaddedMatrix<double>(m, n, ldb), work(n * 32);
        for (long k : {4L, 40L}) {
            Reflectors r = TransformReflectors(rows, m, k);
            RecordingMonitor one, block;
            std::vector<double> c = b;
            unblocked(0x24, m, n, k, r.a.data(), r.ld, r.tau.data(), c.data(), ldb, work.data(),
                      one);
            EXPECT_EQ(Opened(one, 1), (Counters{{U, k}}));
            EXPECT_EQ(one.StepsAt(1), StepsUpTo(k));
            blocked(0x24, m, n, k, r.a.data(), r.ld, r.tau.data(), c.data(), ldb, work.data(),
                    n * 32, block);
            EXPECT_EQ(Opened(block, 1), (Counters{{U, k}}));
            // 4 reflectors go unblocked; 40 as a block of 32 and one of 8, for Q**T of a QR from
            // the first, of an LQ from the last.
            Counters const blocks = rows ? Counters{{U, 8}, {U, 32}} : Counters{{U, 32}, {U, 8}};
            EXPECT_EQ(Opened(block, 2), k == 4 ? (Counters{{U, 4}}) : blocks);
            EXPECT_EQ(block.GetCounter(), nullptr);
        }
        Reflectors r = TransformReflectors(rows, m, 2);
        for (long mm : {0L, m}) {
            // An empty B (m = 0, Q applied from the right) or no reflectors: no counter.
            RecordingMonitor none;
            short const opt = mm == 0 ? 0x28 : 0x24;
            long const k = mm == 0 ? 2 : 0;
            blocked(opt, mm, n, k, r.a.data(), r.ld, r.tau.data(), b.data(), ldb, work.data(),
                    n * 32, none);
            unblocked(opt, mm, n, k, r.a.data(), r.ld, r.tau.data(), b.data(), ldb, work.data(),
                      none);
            EXPECT_TRUE(none.events.empty());
        }
    }
}
