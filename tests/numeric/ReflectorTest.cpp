// The elementary and block Householder reflectors: FormReflect through its invariant H*x = beta*e1
// and its edge cases, ApplyReflectElt and ApplyReflectBlock against the reference LAPACK (which
// kept their algorithm since 2.0), FormTriFactor against the reference to rounding, and the block
// reflector against the same reflectors applied one by one for every option word.
#include <cmath>
#include <limits>

#include "numeric/LAPackDouble.h"
#include "tests/numeric/Deadline.h"
#include "tests/numeric/NumerTestSupport.h"
#include "tests/numeric/OracleSupport.h"
#include "tests/numeric/RefLapackQR.h"

using namespace oracle;

namespace {

int I(long v) { return int(v); }
double const eps = std::numeric_limits<double>::epsilon();

// The option bits of one letter and the letter the reference takes.
struct Letter {
    short bit;
    char ch;
};

// The reflectors of a block, stored as FormTriFactor and ApplyReflectBlock read them: q is their
// order, k their number; vector i has its unit element at row (column) i forward and at q-k+i
// backward, zeros beyond it in the direction of the product. Those unit and zero elements hold NaN
// here, since neither routine may read them.
struct Block {
    bool columnwise, forward;
    long q, k, ldv;
    std::vector<double> V, tau;

    Block(bool columnwise_, bool forward_, long q_, long k_)
        : columnwise(columnwise_), forward(forward_), q(q_), k(k_),
          ldv(columnwise_ ? q_ + 2 : k_ + 1)
    {
        V = PaddedMatrix<double>(columnwise ? q : k, columnwise ? k : q, ldv);
        for (long i = 0; i < k; ++i) {
            for (long j = 0; j < q; ++j)
                if (!Stored(i, j)) At(i, j) = NaN;
            // tau = 2/(v**T*v) makes each H(i) orthogonal; H(2) is the identity.
            double vv = 0.0;
            for (double e : Vector(i)) vv += e * e;
            tau.push_back(i == 1 ? 0.0 : 2.0 / vv);
        }
    }
    long Unit(long i) const { return forward ? i : q - k + i; }
    bool Stored(long i, long j) const { return forward ? j > Unit(i) : j < Unit(i); }
    double& At(long i, long j) { return columnwise ? V[j + i * ldv] : V[i + j * ldv]; }
    // Reflector i (0-based) written out in full.
    std::vector<double> Vector(long i)
    {
        std::vector<double> v(q, 0.0);
        for (long j = 0; j < q; ++j) v[j] = j == Unit(i) ? 1.0 : Stored(i, j) ? At(i, j) : 0.0;
        return v;
    }
    short TriWord() const { return short((forward ? 0x1 : 0x2) | (columnwise ? 0x4 : 0x8)); }
};

}  // namespace

TEST(Reflector, FormReflectEdgeCases)
{
    RegisterNumerMessages();
    struct Case {
        char const* what;
        long n;
        double alpha;
        std::vector<double> x;
        double beta, tau;
        std::vector<double> v;
    };
    Case const cases[] = {
        {"order one", 1, 2.5, {NaN}, 2.5, 0.0, {NaN}},
        {"zero x", 3, -2.0, {0.0, 0.0}, -2.0, 0.0, {0.0, 0.0}},
        // A zero alpha counts as negative, so beta is positive (the reference gives -5).
        {"zero alpha", 3, 0.0, {3.0, 4.0}, 5.0, 1.0, {-0.6, -0.8}},
        {"positive alpha", 2, 3.0, {4.0}, -5.0, 1.6, {0.5}},
        {"negative alpha", 2, -3.0, {4.0}, 5.0, 1.6, {-0.5}},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.what);
        double alpha = c.alpha, tau = -1.0;
        std::vector<double> x = c.x;
        LAPackDouble::FormReflect(c.n, alpha, x.data(), 1, tau);
        EXPECT_DOUBLE_EQ(alpha, c.beta);
        EXPECT_DOUBLE_EQ(tau, c.tau);
        for (size_t i = 0; i < x.size(); ++i)
            if (IsNaN(c.v[i])) {
                EXPECT_TRUE(IsNaN(x[i]));
            } else {
                EXPECT_DOUBLE_EQ(x[i], c.v[i]);
            }
    }
}

TEST(Reflector, FormReflectScalesTinyVectorsUpAndBetaBackDown)
{
    // |beta| far below safmin/eps: x is scaled by eps/safmin until beta is not, then beta back.
    double alpha = 1e-310, tau = 0.0;
    std::vector<double> x = {2e-310, 2e-310};
    LAPackDouble::FormReflect(3, alpha, x.data(), 1, tau);
    EXPECT_NEAR(alpha / -3e-310, 1.0, 1e-6);
    EXPECT_NEAR(tau, 1.0 + 1.0 / 3.0, 1e-6);
    EXPECT_NEAR(x[0], 0.5, 1e-6);
    EXPECT_NEAR(x[1], 0.5, 1e-6);
}

TEST(Reflector, FormReflectReturnsOnNonFiniteInput)
{
    // The scaling loop has no limit: it ends because beta, when it runs, is finite and not zero.
    // NaN and infinite elements must not keep it going.
    double const inf = std::numeric_limits<double>::infinity();
    ChildResult const r = RunWithDeadline(
        [inf] {
            double const cases[][3] = {{NaN, 1e-310, 1e-310},
                                       {1e-310, NaN, 1e-310},
                                       {inf, 1e-310, 0.0},
                                       {1e-310, inf, 1e-310},
                                       {1.0, NaN, inf}};
            for (auto const& c : cases) {
                double alpha = c[0], tau = 0.0, x[2] = {c[1], c[2]};
                LAPackDouble::FormReflect(3, alpha, x, 1, tau);
            }
        },
        10);
    EXPECT_EQ(r.exitStatus, 0);
}

TEST(Reflector, FormReflectAnnihilatesAndAgreesWithReference)
{
    // H*(alpha, x) = (beta, 0) with H = I - tau*v*v**T; the reference (whose DNRM2 differs in the
    // last bits since 3.10) agrees to rounding where alpha is not zero, and with the opposite sign
    // where it is.
    for (long n : {2L, 5L, 40L})
        for (long inc : {1L, 3L})
            for (double scale : {1.0, 1e-300, 1e250})
                for (bool zeroAlpha : {false, true}) {
                    SCOPED_TRACE(testing::Message() << "n " << n << " inc " << inc << " scale "
                                                    << scale << (zeroAlpha ? " alpha 0" : ""));
                    std::vector<double> x = StridedVector<double>(n - 1, inc);
                    for (long i = 0; i < n - 1; ++i) x[i * inc] *= scale;
                    double const alpha0 = zeroAlpha ? 0.0 : 0.7 * scale;
                    std::vector<double> ours = x, ref = x;
                    double alpha = alpha0, tau = 0.0, ralpha = alpha0, rtau = 0.0;
                    LAPackDouble::FormReflect(n, alpha, ours.data(), inc, tau);
                    int nn = I(n), ii = I(inc);
                    dlarfg_(&nn, &ralpha, ref.data(), &ii, &rtau);

                    std::vector<double> full = {alpha0}, v = {1.0};
                    for (long i = 0; i < n - 1; ++i)
                        full.push_back(x[i * inc]), v.push_back(ours[i * inc]);
                    double vx = 0.0;
                    for (long i = 0; i < n; ++i) vx += v[i] * full[i];
                    EXPECT_NEAR((full[0] - tau * vx) / alpha, 1.0, 8 * n * eps);
                    for (long i = 1; i < n; ++i)
                        EXPECT_NEAR((full[i] - tau * v[i] * vx) / alpha, 0.0, 8 * n * eps);
                    for (long i = 0; i < long(x.size()); ++i)
                        if (i % inc != 0) {
                            EXPECT_TRUE(IsNaN(ours[i])) << "gap written";
                        }

                    EXPECT_NEAR(alpha / (zeroAlpha ? -ralpha : ralpha), 1.0, 4 * eps);
                    if (zeroAlpha) {
                        EXPECT_GT(alpha, 0.0);
                        continue;
                    }
                    EXPECT_NEAR(tau, rtau, 8 * eps);
                    for (long i = 0; i < n - 1; ++i)
                        EXPECT_NEAR(ours[i * inc], ref[i * inc], 8 * eps);
                }
}

TEST(Reflector, ApplyReflectEltEqualsReference)
{
    Letter const sides[] = {
        {0x1, 'L'}, {0x2, 'R'}, {0x4, 'R'}};  // no SIDE bit applies from the right
    for (Letter side : sides)
        for (long m : {1L, 4L, 9L})
            for (long n : {1L, 6L})
                for (long incv : {1L, 3L, -2L})
                    for (double tau : {0.0, 1.3}) {
                        SCOPED_TRACE(testing::Message() << side.ch << " m " << m << " n " << n
                                                        << " incv " << incv << " tau " << tau);
                        long const ldb = m + 2, len = side.bit == 0x1 ? m : n;
                        std::vector<double> v = StridedVector<double>(len, incv);
                        std::vector<double> b = PaddedMatrix<double>(m, n, ldb), ours = b, ref = b;
                        std::vector<double> work(std::max(m, n), NaN), rwork = work;
                        LAPackDouble::ApplyReflectElt(side.bit, m, n, v.data(), incv, tau,
                                                      ours.data(), ldb, work.data());
                        int mm = I(m), nn = I(n), iv = I(incv), lb = I(ldb);
                        dlarf_(&side.ch, &mm, &nn, v.data(), &iv, &tau, ref.data(), &lb,
                               rwork.data(), 1);
                        EXPECT_TRUE(SameArrays(ours, ref, 0));
                    }
}

TEST(Reflector, FormTriFactorAgreesWithReference)
{
    // 3.x forms each column of T with the unit element taken apart from the product, so the
    // results agree to rounding, not bit for bit. The triangle T does not use keeps its NaN, and V
    // is restored.
    for (bool columnwise : {true, false})
        for (bool forward : {true, false})
            for (long q : {1L, 5L, 12L})
                for (long k : {1L, 3L, 5L}) {
                    if (k > q) continue;
                    SCOPED_TRACE(testing::Message()
                                 << (columnwise ? "C" : "R") << (forward ? "F" : "B") << " n " << q
                                 << " k " << k);
                    Block blk(columnwise, forward, q, k);
                    long const ldt = k + 1;
                    std::vector<double> t(ldt * k, NaN), rt = t, v = blk.V;
                    LAPackDouble::FormTriFactor(blk.TriWord(), q, k, blk.V.data(), blk.ldv,
                                                blk.tau.data(), t.data(), ldt);
                    EXPECT_TRUE(SameArrays(blk.V, v, 0)) << "V changed";
                    char const direct = forward ? 'F' : 'B', storev = columnwise ? 'C' : 'R';
                    int nn = I(q), kk = I(k), lv = I(blk.ldv), lt = I(ldt);
                    dlarft_(&direct, &storev, &nn, &kk, v.data(), &lv, blk.tau.data(), rt.data(),
                            &lt, 1, 1);
                    EXPECT_TRUE(SameArrays(t, rt, 8));
                }
}

TEST(Reflector, FormTriFactorOfNoVectorsWritesNothing)
{
    std::vector<double> v(4, 1.0), tau = {1.0, 1.0}, t(4, NaN);
    LAPackDouble::FormTriFactor(0x5, 0, 2, v.data(), 2, tau.data(), t.data(), 2);
    for (double e : t) EXPECT_TRUE(IsNaN(e));
}

TEST(Reflector, ApplyReflectBlockEqualsReferenceForEveryWord)
{
    Letter const sides[] = {{0x1, 'L'}, {0x2, 'R'}}, transes[] = {{0x4, 'N'}, {0x100, 'T'}};
    Letter const directs[] = {{0x10, 'F'}, {0x20, 'B'}}, storevs[] = {{0x40, 'C'}, {0x80, 'R'}};
    for (Letter side : sides)
        for (Letter trans : transes)
            for (Letter direct : directs)
                for (Letter storev : storevs)
                    for (long m : {3L, 8L})
                        for (long n : {3L, 7L}) {
                            long const k = 3, q = side.ch == 'L' ? m : n;
                            SCOPED_TRACE(testing::Message()
                                         << side.ch << trans.ch << direct.ch << storev.ch << " m "
                                         << m << " n " << n);
                            Block blk(storev.ch == 'C', direct.ch == 'F', q, k);
                            long const ldt = k + 2, ldb = m + 1, ldw = (side.ch == 'L' ? n : m) + 1;
                            std::vector<double> t = PaddedMatrix<double>(k, k, ldt);
                            for (long j = 0; j < k; ++j)
                                for (long i = 0; i < k; ++i)
                                    if (direct.ch == 'F' ? i > j : i < j) t[i + j * ldt] = NaN;
                            std::vector<double> b = PaddedMatrix<double>(m, n, ldb), ours = b,
                                                ref = b;
                            std::vector<double> work(ldw * k, NaN), rwork = work;
                            short const opt = short(side.bit | trans.bit | direct.bit | storev.bit);
                            LAPackDouble::ApplyReflectBlock(opt, m, n, k, blk.V.data(), blk.ldv,
                                                            t.data(), ldt, ours.data(), ldb,
                                                            work.data(), ldw, Blas::defProgMon);
                            int mm = I(m), nn = I(n), kk = I(k), lv = I(blk.ldv), lt = I(ldt),
                                lb = I(ldb), lw = I(ldw);
                            dlarfb_(&side.ch, &trans.ch, &direct.ch, &storev.ch, &mm, &nn, &kk,
                                    blk.V.data(), &lv, t.data(), &lt, ref.data(), &lb, rwork.data(),
                                    &lw, 1, 1, 1, 1);
                            EXPECT_TRUE(SameArrays(ours, ref, 0));
                        }
}

TEST(Reflector, BlockEqualsReflectorsAppliedOneByOne)
{
    // For every word, FormTriFactor + ApplyReflectBlock against ApplyReflectElt with each full
    // vector: H = H(1)*...*H(k) forward, H(k)*...*H(1) backward, from either side, H or H**T.
    for (short side : {short(0x1), short(0x2)})
        for (short trans : {short(0x4), short(0x100)})
            for (short direct : {short(0x10), short(0x20)})
                for (short storev : {short(0x40), short(0x80)})
                    for (long k : {1L, 4L, 6L}) {
                        long const m = 9, n = 7, q = side == 0x1 ? m : n;
                        short const opt = short(side | trans | direct | storev);
                        SCOPED_TRACE(testing::Message()
                                     << "word 0x" << std::hex << opt << std::dec << " k " << k);
                        Block blk(storev == 0x40, direct == 0x10, q, k);
                        long const ldt = k, ldb = m + 1, ldw = side == 0x1 ? n : m;
                        std::vector<double> t(ldt * k, NaN);
                        LAPackDouble::FormTriFactor(blk.TriWord(), q, k, blk.V.data(), blk.ldv,
                                                    blk.tau.data(), t.data(), ldt);
                        std::vector<double> b = PaddedMatrix<double>(m, n, ldb), block = b, elt = b;
                        std::vector<double> work(ldw * k);
                        LAPackDouble::ApplyReflectBlock(opt, m, n, k, blk.V.data(), blk.ldv,
                                                        t.data(), ldt, block.data(), ldb,
                                                        work.data(), ldw, Blas::defProgMon);
                        // H(1) is applied first when the product is read from the side of B.
                        bool const left = side == 0x1, transposed = trans == 0x100,
                                   forward = direct == 0x10;
                        bool const ascending = forward != (left != transposed);
                        for (long s = 0; s < k; ++s) {
                            long const i = ascending ? s : k - 1 - s;
                            std::vector<double> v = blk.Vector(i);
                            LAPackDouble::ApplyReflectElt(side, m, n, v.data(), 1, blk.tau[i],
                                                          elt.data(), ldb, work.data());
                        }
                        EXPECT_LT(RelDiff(m, n, block.data(), ldb, elt.data(), ldb), 20 * q * eps);
                        for (long i = m; i < ldb; ++i)
                            EXPECT_TRUE(IsNaN(block[i])) << "padding written";
                    }
}

TEST(Reflector, ApplyReflectBlockMonitorAndWordsWithoutEffect)
{
    RegisterNumerMessages();
    long const m = 6, n = 5, k = 2, ld = 7;
    std::vector<double> v = PaddedMatrix<double>(m, k, ld), t = PaddedMatrix<double>(k, k, ld);
    std::vector<double> b = PaddedMatrix<double>(m, n, ld), work(ld * k);
    {
        // The counter takes (n, m, k), so it has k steps and counts n*m*k; the kernels nest in it.
        RecordingMonitor pm;
        std::vector<double> c = b;
        LAPackDouble::ApplyReflectBlock(0x151, m, n, k, v.data(), ld, t.data(), ld, c.data(), ld,
                                        work.data(), ld, pm);
        ASSERT_FALSE(pm.events.empty());
        EXPECT_EQ(pm.events[0],
                  (RecordingMonitor::Event{1, -1, Blas::ptUniform, k, double(n * m * k)}));
        for (size_t i = 1; i < pm.events.size(); ++i) EXPECT_GE(pm.events[i].depth, 2);
        EXPECT_EQ(pm.GetCounter(), nullptr);
    }
    // Without a STOREV or a SIDE bit the counter opens and closes around nothing.
    for (short opt : {short(0x115), short(0x154)}) {
        RecordingMonitor pm;
        std::vector<double> c = b;
        LAPackDouble::ApplyReflectBlock(opt, m, n, k, v.data(), ld, t.data(), ld, c.data(), ld,
                                        work.data(), ld, pm);
        EXPECT_TRUE(SameArrays(c, b, 0));
        EXPECT_EQ(pm.events.size(), 1u);
        EXPECT_EQ(pm.GetCounter(), nullptr);
    }
    // An empty B opens no counter.
    for (long mm : {0L, 3L}) {
        RecordingMonitor pm;
        LAPackDouble::ApplyReflectBlock(0x151, mm, 3 - mm, k, v.data(), ld, t.data(), ld, b.data(),
                                        ld, work.data(), ld, pm);
        EXPECT_TRUE(pm.events.empty());
    }
}
