// The singular value decomposition driver MgetSvd: every option word on tall and wide matrices on
// both sides of the crossover, the edge shapes, a view with lda > m and sizes that make the
// blocked routines run, each checked by A = U*S*VT, orthonormal vectors, decreasing non-negative
// values and agreement with the reference dgesvd; then scaling, the checks of the raw form and
// the front-ends in their orders, the reshaping of A, the monitor calls and a raise that passes
// through the driver.
#include <cmath>

#include "numeric/LAPackDouble.h"
#include "numeric/UStrNumer.h"
#include "tests/numeric/NumerTestSupport.h"
#include "tests/numeric/OptionWords.h"
#include "tests/numeric/OracleSupport.h"
#include "tests/numeric/RefLapackGesvd.h"
#include "tests/numeric/SvdTestSupport.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"

using namespace svdtest;
using oracle::NaN;

namespace {

// The decomposition of the reference dgesvd: the values, and the min(m, n) vectors on each side.
struct Reference {
    std::vector<double> s;
    Dense u, vt;
};

Reference ReferenceSvd(Dense const& a)
{
    int m = int(a.rows), n = int(a.cols), k = std::min(m, n), lda = int(a.ld), ldu = std::max(1, m),
        ldvt = std::max(1, k), info = -1;
    Reference r{std::vector<double>(std::max(1, k)), Dense(m, k, ldu), Dense(k, n, ldvt)};
    Dense copy = a;
    int lwork = 5 * (m + n) + 64 * (m + n);
    std::vector<double> work(lwork);
    dgesvd_("S", "S", &m, &n, copy.data(), &lda, r.s.data(), r.u.data(), &ldu, r.vt.data(), &ldvt,
            work.data(), &lwork, &info, 1, 1);
    EXPECT_EQ(info, 0);
    return r;
}

// Column j of x equals column j of ref up to its sign.
double SignedColumnDiff(Dense const& x, Dense const& ref, long j)
{
    double dot = 0.0, worst = 0.0;
    for (long i = 0; i < x.rows; ++i) dot += x(i, j) * ref(i, j);
    double const sign = dot < 0.0 ? -1.0 : 1.0;
    for (long i = 0; i < x.rows; ++i)
        worst = std::max(worst, std::fabs(sign * x(i, j) - ref(i, j)));
    return worst;
}

// One raw call with option word opt on a random m x n matrix of leading dimension lda; the
// separate results get one spare row of NaN below them.
struct SvdCall {
    short opt;
    long m, n, k;
    Dense a0, a, u, vt;
    std::vector<double> s;

    SvdCall(short word, Dense const& matrix)
        : opt(word), m(matrix.rows), n(matrix.cols), k(std::min(m, n)), a0(matrix), a(a0),
          u(m, (word & Blas::LaSvdUAll) ? m : k, m + 1, NaN),
          vt((word & Blas::LaSvdVTAll) ? n : k, n, ((word & Blas::LaSvdVTAll) ? n : k) + 1, NaN),
          s(std::max(1L, k), NaN)
    {
    }
    SvdCall(short word, long rows, long cols, long lda) : SvdCall(word, Random(rows, cols, lda)) {}

    void Compute(Blas::UProgressMonitor& pm = Blas::defProgMon)
    {
        LAPackDouble::MgetSvd(opt, m, n, a.data(), a.ld, s.data(),
                              (opt & kSvdSeparateU) ? u.data() : nullptr, u.ld,
                              (opt & kSvdSeparateVT) ? vt.data() : nullptr, vt.ld, pm);
    }

    // The min(m, n) left vectors and right vectors, wherever the word put them.
    bool HasU() const { return (opt & (kSvdSeparateU | Blas::LaSvdUOverA)) != 0; }
    bool HasVT() const { return (opt & (kSvdSeparateVT | Blas::LaSvdVTOverA)) != 0; }
    Dense LeftVectors() const { return ((opt & Blas::LaSvdUOverA) ? a : u).Block(m, k); }
    Dense RightVectors() const { return ((opt & Blas::LaSvdVTOverA) ? a : vt).Block(k, n); }
};

void ExpectDecomposition(SvdCall const& r, Reference const& ref)
{
    long const big = std::max(r.m, r.n), k = r.k;
    double const s1 = ref.s[0], tol = 10 * big * eps * s1;
    for (long i = 0; i < k; ++i) {
        EXPECT_GE(r.s[i], 0.0);
        if (i > 0) {
            EXPECT_LE(r.s[i], r.s[i - 1]);
        }
        EXPECT_NEAR(r.s[i], ref.s[i], tol) << "value " << i;
    }
    Dense sv(k, k, k);
    for (long i = 0; i < k; ++i) sv(i, i) = r.s[i];
    double const vectorTol = 1e-9;
    if (r.HasU()) {
        Dense const u = r.LeftVectors();
        EXPECT_LT(ColumnsOrthonormal((r.opt & Blas::LaSvdUAll) ? r.u : u), 20 * big * eps);
        for (long j = 0; j < k; ++j)
            EXPECT_LT(SignedColumnDiff(u, ref.u, j), vectorTol) << "left vector " << j;
        // A**T*u(j) = s(j)*v(j): its length is s(j).
        Dense const atu = Product('T', r.a0, 'N', u);
        for (long j = 0; j < k; ++j) {
            double len = 0.0;
            for (long i = 0; i < r.n; ++i) len += atu(i, j) * atu(i, j);
            EXPECT_NEAR(std::sqrt(len), r.s[j], 20 * big * eps * s1);
        }
    }
    if (r.HasVT()) {
        Dense const vt = r.RightVectors();
        EXPECT_LT(RowsOrthonormal((r.opt & Blas::LaSvdVTAll) ? r.vt : vt), 20 * big * eps);
        Dense const v = Transposed(vt), vref = Transposed(ref.vt);
        for (long j = 0; j < k; ++j)
            EXPECT_LT(SignedColumnDiff(v, vref, j), vectorTol) << "right vector " << j;
    }
    if (r.HasU() && r.HasVT()) {
        Dense const usvt =
            Product('N', Product('N', r.LeftVectors(), 'N', sv), 'N', r.RightVectors());
        EXPECT_LT(MaxDiff(usvt, r.a0), 20 * big * eps * s1);
    }
    EXPECT_TRUE(PaddingUntouched(r.a));
    if (r.opt & kSvdSeparateU) {
        EXPECT_TRUE(PaddingUntouched(r.u));
    }
    if (r.opt & kSvdSeparateVT) {
        EXPECT_TRUE(PaddingUntouched(r.vt));
    }
}

struct Shape {
    long m, n, lda;
};

void ExpectEveryWord(Shape sh)
{
    Dense const a = Random(sh.m, sh.n, sh.lda);
    Reference const ref = ReferenceSvd(a);
    for (short opt : SvdWords()) {
        SCOPED_TRACE(testing::Message() << sh.m << " x " << sh.n << " lda " << sh.lda << " word 0x"
                                        << std::hex << opt);
        SvdCall r(opt, a);
        r.Compute();
        ExpectDecomposition(r, ref);
    }
}

// A 3 x n matrix of lda 3 as the line and plane fits hand it over.
UMatrix<double> Owner(Dense const& d)
{
    UMatrix<double> a(d.rows, d.cols, -1);
    for (long j = 0; j < d.cols; ++j)
        for (long i = 0; i < d.rows; ++i) a(i, j) = d(i, j);
    return a;
}

}  // namespace

TEST(SvdDriver, EveryWordAroundTheCrossover)
{
    // trunc(1.6 * 5) = 8: 7 x 5 takes path 10, 8 x 5 the QR paths; the same for the wide twins.
    for (Shape sh : {Shape{7, 5, 7}, Shape{8, 5, 8}, Shape{5, 7, 5}, Shape{5, 8, 5},
                     Shape{8, 5, 11}, Shape{5, 8, 7}, Shape{9, 5, 12}})
        ExpectEveryWord(sh);
}

TEST(SvdDriver, EveryWordOnEdgeShapes)
{
    for (Shape sh :
         {Shape{1, 1, 1}, Shape{1, 6, 1}, Shape{6, 1, 6}, Shape{1, 6, 3}, Shape{2, 2, 2}})
        ExpectEveryWord(sh);
}

TEST(SvdDriver, EveryWordOnBlockedSizes)
{
    // min(m, n) = 150 > 128: the reductions and factorisations run in blocks; trunc(1.6 * 150) =
    // 240.
    for (Shape sh :
         {Shape{239, 150, 239}, Shape{240, 150, 241}, Shape{150, 239, 150}, Shape{150, 240, 152}})
        ExpectEveryWord(sh);
}

TEST(SvdDriver, ZeroMatrixHasZeroValues)
{
    SvdCall r(kSvdShortUVT, 6, 4, 6);
    for (long j = 0; j < 4; ++j)
        for (long i = 0; i < 6; ++i) r.a(i, j) = 0.0;
    r.Compute();
    for (long i = 0; i < 4; ++i) EXPECT_EQ(r.s[i], 0.0);
}

TEST(SvdDriver, TinyAndHugeMatricesAreScaled)
{
    // The values of 1e-300*A and 1e300*A are those of A scaled, to rounding.
    for (short opt : {kSvdValuesOnly, kSvdShortUVT})
        for (double f : {1e-300, 1e300}) {
            SCOPED_TRACE(testing::Message() << "factor " << f << " word 0x" << std::hex << opt);
            SvdCall plain(opt, 7, 5, 7), scaled(opt, plain.a0);
            for (long j = 0; j < 5; ++j)
                for (long i = 0; i < 7; ++i) scaled.a(i, j) = plain.a(i, j) * f;
            plain.Compute();
            scaled.Compute();
            for (long i = 0; i < 5; ++i)
                EXPECT_NEAR(scaled.s[i] / f, plain.s[i], 50 * eps * plain.s[0]);
        }
}

TEST(SvdDriver, RawFormChecksInOrder)
{
    RegisterNumerMessages();
    Dense a = Random(4, 3, 4);
    Dense const a0 = a;
    std::vector<double> s(3, NaN), u(16), vt(9);
    auto svd = [&](short opt, long m, long n, long lda, double* pu, long ldu, double* pvt,
                   long ldvt) {
        return RaisedCode([&] {
            LAPackDouble::MgetSvd(opt, m, n, a.data(), lda, s.data(), pu, ldu, pvt, ldvt,
                                  Blas::defProgMon);
        });
    };
    EXPECT_EQ(svd(0x10, 4, 3, 4, u.data(), 4, vt.data(), 3), nmIllegalOptions);  // no U bit
    EXPECT_EQ(svd(0x13, 4, 3, 4, u.data(), 4, vt.data(), 3), nmIllegalOptions);  // two U bits
    EXPECT_EQ(svd(0x118, 4, 3, 4, u.data(), 4, vt.data(), 3),
              nmIllegalOptions);  // a bit above 0xff
    EXPECT_EQ(svd(Blas::LaSvdUOverA | Blas::LaSvdVTOverA, -1, 3, 4, u.data(), 4, vt.data(), 3),
              nmResultStorageConflict);  // before the arguments
    EXPECT_EQ(svd(kSvdValuesOnly, -1, 3, 4, u.data(), 4, vt.data(), 3), nmIllegalParameter);
    EXPECT_EQ(svd(kSvdValuesOnly, 4, -1, 4, u.data(), 4, vt.data(), 3), nmIllegalParameter);
    EXPECT_EQ(svd(kSvdValuesOnly, 4, 3, 3, u.data(), 4, vt.data(), 3), nmIllegalParameter);
    EXPECT_EQ(svd(Blas::LaSvdUAll | Blas::LaSvdVTAll, 4, 3, 4, u.data(), 3, vt.data(), 3),
              nmIllegalParameter);  // ldu < m
    EXPECT_EQ(svd(Blas::LaSvdUShort | Blas::LaSvdVTAll, 4, 3, 4, u.data(), 0, vt.data(), 3),
              nmIllegalParameter);
    EXPECT_EQ(svd(Blas::LaSvdUNone | Blas::LaSvdVTAll, 4, 3, 4, u.data(), 4, vt.data(), 2),
              nmIllegalParameter);  // ldvt < n with all of VT
    EXPECT_EQ(svd(Blas::LaSvdUNone | Blas::LaSvdVTShort, 3, 4, 3, u.data(), 4, vt.data(), 2),
              nmIllegalParameter);  // ldvt < min(m, n)
    EXPECT_EQ(svd(Blas::LaSvdUAll | Blas::LaSvdVTShort, 4, 3, 4, nullptr, 4, vt.data(), 0),
              nmIllegalParameter);  // arguments before results
    EXPECT_EQ(svd(Blas::LaSvdUAll | Blas::LaSvdVTShort, 4, 3, 4, nullptr, 4, vt.data(), 3),
              nmResultMatrixMissing);
    EXPECT_EQ(svd(Blas::LaSvdUShort | Blas::LaSvdVTAll, 4, 3, 4, u.data(), 4, nullptr, 3),
              nmResultMatrixMissing);
    EXPECT_EQ(MaxDiff(a, a0), 0.0);
    EXPECT_TRUE(std::isnan(s[0]));

    // An empty matrix returns at once: no work, no monitor, s untouched.
    RecordingMonitor pm;
    LAPackDouble::MgetSvd(kSvdShortUVT, 0, 3, a.data(), 1, s.data(), u.data(), 1, vt.data(), 1, pm);
    LAPackDouble::MgetSvd(kSvdValuesOnly, 4, 0, a.data(), 4, s.data(), nullptr, 1, nullptr, 1, pm);
    EXPECT_TRUE(pm.events.empty());
    EXPECT_TRUE(std::isnan(s[0]));
}

TEST(SvdDriver, LeadingDimensionsOfSetsNotAskedForAreNotExamined)
{
    // Also on paths 10 and 10t, which hand the caller's U or VT to the bidiagonal QR even when
    // it computes no vectors for them.
    RegisterNumerMessages();
    for (Shape sh : {Shape{5, 4, 5}, Shape{4, 5, 4}, Shape{9, 3, 9}, Shape{3, 9, 3}})
        for (short opt :
             {kSvdValuesOnly, kSvdUOverA, kSvdVTOverA, short(Blas::LaSvdUShort | Blas::LaSvdVTNone),
              short(Blas::LaSvdUNone | Blas::LaSvdVTShort)}) {
            SCOPED_TRACE(testing::Message()
                         << sh.m << " x " << sh.n << " word 0x" << std::hex << opt);
            SvdCall r(opt, sh.m, sh.n, sh.lda);
            Dense a = r.a;
            EXPECT_EQ(RaisedCode([&] {
                          LAPackDouble::MgetSvd(opt, r.m, r.n, a.data(), a.ld, r.s.data(),
                                                (opt & kSvdSeparateU) ? r.u.data() : nullptr,
                                                (opt & kSvdSeparateU) ? r.u.ld : 0,
                                                (opt & kSvdSeparateVT) ? r.vt.data() : nullptr,
                                                (opt & kSvdSeparateVT) ? r.vt.ld : 0,
                                                Blas::defProgMon);
                      }),
                      0);
            SvdCall ok(opt, r.a0);
            ok.Compute();
            for (long i = 0; i < r.k; ++i) EXPECT_EQ(r.s[i], ok.s[i]);
        }
}

TEST(SvdDriver, NoResultFrontEnd)
{
    RegisterNumerMessages();
    Dense const d = Random(3, 5, 3);
    UMatrix<double> A = Owner(d);
    UVector<double> s(3, 1), longer(4, 1), strided(3, 2);
    auto call = [&](short opt, UVector<double>& v) {
        return RaisedCode([&] { LAPackDouble::MgetSvd(opt, A, v, Blas::defProgMon); });
    };
    EXPECT_EQ(call(Blas::LaSvdUAll | Blas::LaSvdVTNone, longer),
              nmResultVectorMissing);  // before s is looked at
    EXPECT_EQ(call(Blas::LaSvdUNone | Blas::LaSvdVTShort, longer), nmResultVectorMissing);
    EXPECT_EQ(call(kSvdUOverA, longer), umIncompatibleDimensions);
    EXPECT_EQ(call(kSvdUOverA, strided), nmIncrementNotOne);
    EXPECT_EQ(call(0x19, s), nmIllegalOptions);  // the raw form refuses two U bits
    EXPECT_EQ(A.GetColDim(), 3);
    EXPECT_EQ(A.GetRowDim(), 5);

    // The fits' word, U over A without VT, on 3 x 5 takes path 1t and leaves the 3 x 3 U in A.
    RecordingMonitor pm;
    LAPackDouble::MgetSvd(kSvdUOverA, A, s, pm);
    EXPECT_EQ(Opened(pm, 2), (Counters{{S, 3}, {S, 3}, {U, 3}, {S, 3}}));
    ASSERT_EQ(A.GetColDim(), 3);
    ASSERT_EQ(A.GetRowDim(), 3);
    Dense u(3, 3, 3);
    for (long j = 0; j < 3; ++j)
        for (long i = 0; i < 3; ++i) u(i, j) = A(i, j);
    EXPECT_LT(ColumnsOrthonormal(u), 100 * eps);
    Dense const uta = Product('T', u, 'N', d);
    for (long i = 0; i < 3; ++i) {
        double len = 0.0;
        for (long j = 0; j < 5; ++j) len += uta(i, j) * uta(i, j);
        EXPECT_NEAR(std::sqrt(len), s[i], 100 * eps * s[0]);
        if (i > 0) {
            EXPECT_LE(s[i], s[i - 1]);
        }
        EXPECT_GE(s[i], 0.0);
    }

    // 3 x 3 (path 10) and 5 x 3 (path 2) keep their shape; VT over A of a tall matrix leaves n x n.
    struct Case {
        short opt;
        long m, n, rows, cols;
    };
    for (Case c :
         {Case{kSvdUOverA, 3, 3, 3, 3}, Case{kSvdUOverA, 5, 3, 5, 3}, Case{kSvdVTOverA, 5, 3, 3, 3},
          Case{kSvdVTOverA, 3, 5, 3, 5}, Case{kSvdValuesOnly, 5, 3, 5, 3}}) {
        SCOPED_TRACE(testing::Message() << c.m << " x " << c.n << " word 0x" << std::hex << c.opt);
        Dense const di = Random(c.m, c.n, c.m);
        UMatrix<double> Ai = Owner(di);
        UVector<double> si(std::min(c.m, c.n), 1);
        LAPackDouble::MgetSvd(c.opt, Ai, si, Blas::defProgMon);
        EXPECT_EQ(Ai.GetColDim(), c.rows);
        EXPECT_EQ(Ai.GetRowDim(), c.cols);
        Reference const ref = ReferenceSvd(di);
        for (long i = 0; i < si.GetDim(); ++i) EXPECT_NEAR(si[i], ref.s[i], 100 * eps * ref.s[0]);
    }

    // An empty matrix needs an empty s.
    UMatrix<double> empty(0, 3, -1);
    UVector<double> none(0, 1);
    EXPECT_EQ(RaisedCode([&] { LAPackDouble::MgetSvd(kSvdUOverA, empty, none, Blas::defProgMon); }),
              0);
}

TEST(SvdDriver, LineAndPlaneFitsOfThreeRows)
{
    // U over A without VT on 3 x n for every point count the fits meet, on owners and on views with
    // lda 5 (the rows below the matrix hold NaN): the three (or n) left vectors are left in A.
    for (long n = 1; n <= 8; ++n)
        for (bool view : {false, true}) {
            SCOPED_TRACE(testing::Message() << "3 x " << n << (view ? " view" : " owner"));
            Dense d = Random(3, n, view ? 5 : 3);
            Dense const d0 = d;
            UMatrix<double> owner = Owner(d0), raw(d.data(), 3, n, 5);
            UMatrix<double>& A = view ? raw : owner;
            long const k = std::min(3L, n);
            UVector<double> s(k, 1);
            LAPackDouble::MgetSvd(kSvdUOverA, A, s, Blas::defProgMon);
            ASSERT_EQ(A.GetColDim(), 3);
            ASSERT_EQ(A.GetRowDim(), k);
            Dense u(3, k, 3);
            for (long j = 0; j < k; ++j)
                for (long i = 0; i < 3; ++i) u(i, j) = A(i, j);
            EXPECT_LT(ColumnsOrthonormal(u), 100 * eps);
            Reference const ref = ReferenceSvd(d0);
            for (long j = 0; j < k; ++j) {
                EXPECT_NEAR(s[j], ref.s[j], 30 * eps * ref.s[0]);
                EXPECT_LT(SignedColumnDiff(u, ref.u, j), 1e-9);
            }
            if (view) {
                EXPECT_TRUE(PaddingUntouched(d));
            }
        }
}

TEST(SvdDriver, OneResultFrontEnd)
{
    RegisterNumerMessages();
    long const m = 5, n = 3;
    Dense const d = Random(m, n, m);
    UVector<double> s(n, 1);
    auto call = [&](short opt, UMatrix<double>& A, UMatrix<double>& X) {
        return RaisedCode([&] { LAPackDouble::MgetSvd(opt, A, s, X, Blas::defProgMon); });
    };
    UMatrix<double> A = Owner(d), X(m, n, -1), wrong(m, m, -1), vt(n, n, -1), vtWrong(n, n + 1, -1);
    EXPECT_EQ(call(Blas::LaSvdUShort | Blas::LaSvdVTAll, A, X), nmResultVectorMissing);
    EXPECT_EQ(call(kSvdUOverA, A, X), nmResultVectorNotNeeded);
    EXPECT_EQ(call(kSvdValuesOnly, A, X), nmResultVectorNotNeeded);
    EXPECT_EQ(call(Blas::LaSvdUShort | Blas::LaSvdVTNone, A, wrong), umIncompatibleDimensions);
    EXPECT_EQ(call(Blas::LaSvdUAll | Blas::LaSvdVTNone, A, X), umIncompatibleDimensions);
    EXPECT_EQ(call(Blas::LaSvdUAll | Blas::LaSvdVTShort, A, X), nmResultVectorMissing);
    EXPECT_EQ(call(Blas::LaSvdUNone | Blas::LaSvdVTAll, A, vtWrong), umIncompatibleDimensions);
    EXPECT_EQ(call(Blas::LaSvdUNone | Blas::LaSvdVTShort, A, vtWrong), umIncompatibleDimensions);

    // U into X, A keeps its shape.
    EXPECT_EQ(call(Blas::LaSvdUShort | Blas::LaSvdVTNone, A, X), 0);
    EXPECT_EQ(A.GetColDim(), m);
    EXPECT_EQ(A.GetRowDim(), n);
    Reference const ref = ReferenceSvd(d);
    for (long i = 0; i < n; ++i) EXPECT_NEAR(s[i], ref.s[i], 100 * eps * ref.s[0]);

    // Separate short U with VT over A: A ends n x n holding VT.
    UMatrix<double> B = Owner(d);
    EXPECT_EQ(call(Blas::LaSvdUShort | Blas::LaSvdVTOverA, B, X), 0);
    EXPECT_EQ(B.GetColDim(), n);
    EXPECT_EQ(B.GetRowDim(), n);

    // VT into X with U over A of a wide matrix: A ends m x m.
    Dense const w = Random(n, m, n);
    UMatrix<double> C = Owner(w), Y(n, m, -1);
    EXPECT_EQ(call(Blas::LaSvdUOverA | Blas::LaSvdVTShort, C, Y), 0);
    EXPECT_EQ(C.GetColDim(), n);
    EXPECT_EQ(C.GetRowDim(), n);
}

TEST(SvdDriver, TwoResultFrontEnd)
{
    RegisterNumerMessages();
    long const m = 6, n = 4;
    Dense const d = Random(m, n, m);
    UVector<double> s(n, 1), longer(n + 1, 1);
    UMatrix<double> A = Owner(d), U(m, n, -1), Uall(m, m, -1), VT(n, n, -1), VTshort(n + 1, n, -1);
    auto call = [&](short opt, UMatrix<double>& u, UMatrix<double>& vt, UVector<double>& v) {
        return RaisedCode([&] { LAPackDouble::MgetSvd(opt, A, v, u, vt, Blas::defProgMon); });
    };
    EXPECT_EQ(call(kSvdUOverA, U, VT, s), nmResultVectorNotNeeded);
    EXPECT_EQ(call(Blas::LaSvdUAll | Blas::LaSvdVTNone, U, VT, s), nmResultVectorNotNeeded);
    EXPECT_EQ(call(Blas::LaSvdUShort | Blas::LaSvdVTAll, U, VT, longer),
              umIncompatibleDimensions);  // U of all m columns is checked before s
    EXPECT_EQ(call(Blas::LaSvdUAll | Blas::LaSvdVTAll, U, VT, s), umIncompatibleDimensions);
    EXPECT_EQ(call(kSvdShortUVT, U, VTshort, s), umIncompatibleDimensions);
    EXPECT_EQ(call(kSvdShortUVT, U, VT, longer), umIncompatibleDimensions);
    EXPECT_EQ(call(kSvdShortUVT, U, VT, s), 0);
    EXPECT_EQ(A.GetColDim(), m);
    EXPECT_EQ(A.GetRowDim(), n);
    EXPECT_EQ(call(Blas::LaSvdUAll | Blas::LaSvdVTAll, Uall, VT, s), 0);
}

TEST(SvdDriver, MonitorCalls)
{
    RegisterNumerMessages();
    PrimeCostModel();
    // One bounded counter of its own, without steps; its callees nest inside. With U over A in path
    // 10 the formation of Q in A reports to no monitor.
    RecordingMonitor over, shortU;
    SvdCall a(kSvdUOverA, 3, 3, 3), b(Blas::LaSvdUShort | Blas::LaSvdVTNone, 3, 3, 3);
    a.Compute(over);
    b.Compute(shortU);
    ASSERT_FALSE(over.events.empty());
    EXPECT_EQ(over.events[0].depth, 1);
    EXPECT_EQ(over.events[0].type, long(Blas::ptOpCount));
    EXPECT_TRUE(over.StepsAt(1).empty());
    EXPECT_EQ(Opened(over, 1).size(), 1u);
    EXPECT_EQ(Opened(over, 2), (Counters{{S, 3}, {S, 3}}));
    EXPECT_EQ(Opened(shortU, 2), (Counters{{S, 3}, {U, 3}, {S, 3}}));
    EXPECT_EQ(over.GetCounter(), nullptr);
    EXPECT_EQ(shortU.GetCounter(), nullptr);
}

TEST(SvdDriver, RaiseInsideLeavesTheCounterOpenAndFreesTheWork)
{
    // An error of a routine called inside passes unchanged; the work array is released on the way
    // out (the sanitizer build would report it otherwise), the counters stay open, and the
    // front-end leaves A's shape alone.
    RegisterNumerMessages();
    PrimeCostModel();
    for (short opt : {kSvdShortUVT, kSvdUOverA, kSvdVTOverA, kSvdValuesOnly})
        for (Shape sh : {Shape{6, 4, 6}, Shape{4, 6, 4}, Shape{9, 4, 9}, Shape{4, 9, 4}}) {
            SCOPED_TRACE(testing::Message()
                         << sh.m << " x " << sh.n << " word 0x" << std::hex << opt);
            SvdCall r(opt, sh.m, sh.n, sh.lda);
            RaisingMonitor pm(2);
            EXPECT_EQ(RaisedCode([&] { r.Compute(pm); }), nmProgressCount);
            EXPECT_NE(pm.GetCounter(), nullptr);
        }
    UMatrix<double> A = Owner(Random(3, 5, 3));
    UVector<double> s(3, 1);
    RaisingMonitor pm(2);
    EXPECT_EQ(RaisedCode([&] { LAPackDouble::MgetSvd(kSvdUOverA, A, s, pm); }), nmProgressCount);
    EXPECT_EQ(A.GetColDim(), 3);
    EXPECT_EQ(A.GetRowDim(), 5);
}
