// The level-1 and level-2 kernels against the reference BLAS, over increments of both signs,
// padded leading dimensions and the special values of alpha and beta.
#include "numeric/BlasComplex.h"
#include "numeric/BlasDouble.h"
#include "numeric/LAPackComplex.h"
#include "numeric/LAPackDouble.h"
#include "numeric/Vswap.h"
#include "tests/numeric/OracleSupport.h"
#include "tests/numeric/RefBlas.h"

using namespace oracle;

namespace {

long const kIncs[] = {1, -1, 2, -2};
long const kLengths[] = {0, 1, 2, 7, 17};
double const kScalars[] = {0.0, 1.0, -0.7};

int I(long v) { return int(v); }

}  // namespace

TEST(VectorKernelOracle, Level1RealMatchesReference)
{
    for (long n : kLengths)
        for (long incx : kIncs)
            for (long incy : kIncs) {
                SCOPED_TRACE(testing::Message()
                             << "n " << n << " incx " << incx << " incy " << incy);
                int nn = I(n), ix = I(incx), iy = I(incy);
                std::vector<double> x = StridedVector<double>(n, incx),
                                    y = StridedVector<double>(n, incy);
                for (double a : kScalars) {
                    std::vector<double> ours = y, ref = y;
                    BlasDouble::VVadd(n, a, x.data(), incx, ours.data(), incy);
                    daxpy_(&nn, &a, x.data(), &ix, ref.data(), &iy);
                    EXPECT_TRUE(SameArrays(ours, ref, 0));
                }
                EXPECT_EQ(BlasDouble::VVmult(n, x.data(), incx, y.data(), incy),
                          ddot_(&nn, x.data(), &ix, y.data(), &iy));
                {
                    std::vector<double> ox = x, oy = y, rx = x, ry = y;
                    double c = 0.8, s = 0.6;
                    BlasDouble::Vrotate(n, ox.data(), incx, oy.data(), incy, c, s);
                    drot_(&nn, rx.data(), &ix, ry.data(), &iy, &c, &s);
                    EXPECT_TRUE(SameArrays(ox, rx, 0));
                    EXPECT_TRUE(SameArrays(oy, ry, 0));
                }
                {
                    std::vector<double> ox = x, oy = y, rx = x, ry = y;
                    Vswap(n, ox.data(), incx, oy.data(), incy);
                    dswap_(&nn, rx.data(), &ix, ry.data(), &iy);
                    EXPECT_TRUE(SameArrays(ox, rx, 0));
                    EXPECT_TRUE(SameArrays(oy, ry, 0));
                }
            }
}

TEST(VectorKernelOracle, ScaleNormAndMaxOnPositiveIncrements)
{
    // The reference serves no negative increments here either; both then do nothing or give 0.
    for (long n : kLengths)
        for (long inc : {1L, 2L, 3L, -1L}) {
            SCOPED_TRACE(testing::Message() << "n " << n << " inc " << inc);
            int nn = I(n), ii = I(inc);
            std::vector<double> x = StridedVector<double>(n, inc);
            for (double a : kScalars) {
                std::vector<double> ours = x, ref = x;
                BlasDouble::Vscale(n, a, ours.data(), inc);
                if (inc > 0) dscal_(&nn, &a, ref.data(), &ii);
                EXPECT_TRUE(SameArrays(ours, ref, 0));
            }
            if (inc > 0) {
                EXPECT_EQ(BlasDouble::VgetMax(n, x.data(), inc), idamax_(&nn, x.data(), &ii));
                // The reference 3.x norm uses another algorithm: agreement to rounding only.
                EXPECT_NEAR(BlasDouble::VgetNorm(n, x.data(), inc), dnrm2_(&nn, x.data(), &ii),
                            1e-15 * (1 + n));
            } else {
                EXPECT_EQ(BlasDouble::VgetMax(n, x.data(), inc), 0);
                EXPECT_EQ(BlasDouble::VgetNorm(n, x.data(), inc), 0.0);
            }
            std::vector<cplx> z = StridedVector<cplx>(n, inc);
            if (inc > 0) {
                cplx za(0.3, -1.1);
                std::vector<cplx> ours = z, ref = z;
                BlasComplex::Vscale(n, za, ours.data(), inc);
                zscal_(&nn, &za, ref.data(), &ii);
                EXPECT_TRUE(SameArrays(ours, ref, 0));
                EXPECT_EQ(BlasComplex::VgetMax(n, z.data(), inc), izamax_(&nn, z.data(), &ii));
            }
        }
}

TEST(VectorKernelOracle, NormOfInfinitiesIsInfiniteAndOfNaNIsNaN)
{
    // Infinities give +Inf, not the Inf/Inf of a scaled sum, and any NaN gives NaN. The norm
    // agrees with the reference and with the library's sum-of-squares form; an element equal to
    // the running scale adds exactly 1.
    double const inf = std::numeric_limits<double>::infinity();
    struct Case {
        std::vector<double> x;
        long inc;
        double norm;  // NaN: NaN expected
    } const cases[] = {
        {{inf, inf}, 1, inf},
        {{-inf, inf, -inf}, 1, inf},
        {{1.0, inf, 2.0, -inf}, 1, inf},
        {{inf, 3.0}, 1, inf},
        {{inf, NaN, inf, 0.0}, 2, inf},
        {{inf, NaN}, 1, NaN},
        {{NaN, inf}, 1, NaN},
        {{1.0, NaN, 2.0}, 1, NaN},
        {{3.0, 3.0}, 1, 3.0 * std::sqrt(2.0)},
        {{1.0, 2.0, -2.0}, 1, 3.0},
        {{4.0, 4.0, 2.0}, 1, 6.0},
        {{1e200, -1e200, 1e200, 1e200}, 1, 2e200},
    };
    for (Case const& c : cases) {
        long const n = (static_cast<long>(c.x.size()) + c.inc - 1) / c.inc;
        SCOPED_TRACE(testing::Message() << "x(1) " << c.x[0] << " n " << n << " inc " << c.inc);
        double const ours = BlasDouble::VgetNorm(n, c.x.data(), c.inc);
        double scale = 0.0, sumsq = 1.0;
        LAPackDouble::VgetNorm(n, c.x.data(), c.inc, scale, sumsq);
        std::vector<double> others = {c.norm, scale * std::sqrt(sumsq)};
        int nn = I(n), ii = I(c.inc);
        // the reference rounds finite sums another way
        if (!std::isfinite(c.norm)) others.push_back(dnrm2_(&nn, c.x.data(), &ii));
        for (double other : others) {
            if (std::isnan(c.norm)) {
                EXPECT_TRUE(std::isnan(other));
                EXPECT_TRUE(std::isnan(ours));
            } else {
                EXPECT_EQ(ours, other);
            }
        }
    }
}

TEST(VectorKernelOracle, ComplexDotSwapAndRankOneMatchReference)
{
    for (long n : kLengths)
        for (long incx : kIncs)
            for (long incy : kIncs) {
                SCOPED_TRACE(testing::Message()
                             << "n " << n << " incx " << incx << " incy " << incy);
                int nn = I(n), ix = I(incx), iy = I(incy);
                std::vector<cplx> x = StridedVector<cplx>(n, incx),
                                  y = StridedVector<cplx>(n, incy);
                EXPECT_EQ(BlasComplex::VVmult(n, x.data(), incx, y.data(), incy),
                          zdotu_(&nn, x.data(), &ix, y.data(), &iy));
                std::vector<cplx> ox = x, oy = y, rx = x, ry = y;
                Vswap(n, ox.data(), incx, oy.data(), incy);
                zswap_(&nn, rx.data(), &ix, ry.data(), &iy);
                EXPECT_TRUE(SameArrays(ox, rx, 0));
                EXPECT_TRUE(SameArrays(oy, ry, 0));
                for (long m : {1L, 4L}) {
                    int mm = I(m), ld = I(m + 2);
                    std::vector<cplx> xm = StridedVector<cplx>(m, incx);
                    std::vector<cplx> a = PaddedMatrix<cplx>(m, n, m + 2);
                    for (cplx alpha : {cplx(0, 0), cplx(1, 0), cplx(0.5, -2)}) {
                        std::vector<cplx> ours = a, ref = a;
                        BlasComplex::VVMmultAdd1(m, n, alpha, xm.data(), incx, y.data(), incy,
                                                 ours.data(), m + 2);
                        zgeru_(&mm, &nn, &alpha, xm.data(), &ix, y.data(), &iy, ref.data(), &ld);
                        EXPECT_TRUE(SameArrays(ours, ref, 0));
                    }
                }
            }
}

TEST(VectorKernelOracle, MatrixVectorProductMatchesReference)
{
    struct {
        short opt;
        char letter;
    } const kTrans[] = {{0x1, 'N'}, {0x2, 'T'}, {0x4, 'C'}};
    for (auto tr : kTrans)
        for (long m : {0L, 1L, 5L})
            for (long n : {0L, 1L, 6L})
                for (long incx : kIncs)
                    for (long incy : kIncs)
                        for (double alpha : kScalars)
                            for (double beta : kScalars) {
                                SCOPED_TRACE(testing::Message()
                                             << tr.letter << " m " << m << " n " << n << " incx "
                                             << incx << " incy " << incy << " alpha " << alpha
                                             << " beta " << beta);
                                long const lenx = tr.opt == 0x1 ? n : m,
                                           leny = tr.opt == 0x1 ? m : n;
                                long const lda = m + 3;
                                std::vector<double> a = PaddedMatrix<double>(m, n, lda);
                                std::vector<double> x = StridedVector<double>(lenx, incx);
                                std::vector<double> y = StridedVector<double>(leny, incy);
                                std::vector<double> ours = y, ref = y;
                                BlasDouble::MVVmultAdd(tr.opt, m, n, alpha, a.data(), lda, x.data(),
                                                       incx, beta, ours.data(), incy);
                                int mm = I(m), nn = I(n), ld = I(lda), ix = I(incx), iy = I(incy);
                                dgemv_(&tr.letter, &mm, &nn, &alpha, a.data(), &ld, x.data(), &ix,
                                       &beta, ref.data(), &iy, 1);
                                EXPECT_TRUE(SameArrays(ours, ref, 0));
                            }
}

TEST(VectorKernelOracle, SymmetricAndTriangularMatchReference)
{
    for (long n : {0L, 1L, 6L})
        for (long incx : kIncs)
            for (long incy : kIncs) {
                long const lda = n + 2;
                int nn = I(n), ld = I(lda), ix = I(incx), iy = I(incy);
                std::vector<double> x = StridedVector<double>(n, incx),
                                    y = StridedVector<double>(n, incy);
                for (bool upper : {true, false}) {
                    char const uplo = upper ? 'U' : 'L';
                    // The triangle that is not referenced holds NaN.
                    std::vector<double> a = PaddedMatrix<double>(n, n, lda);
                    for (long j = 0; j < n; ++j)
                        for (long i = 0; i < n; ++i)
                            if (upper ? i > j : i < j) a[i + j * lda] = NaN;
                    SCOPED_TRACE(testing::Message()
                                 << uplo << " n " << n << " incx " << incx << " incy " << incy);
                    for (double alpha : kScalars)
                        for (double beta : kScalars) {
                            std::vector<double> ours = y, ref = y;
                            BlasDouble::SymMVVmultAdd(upper ? 0x4 : 0x8, n, alpha, a.data(), lda,
                                                      x.data(), incx, beta, ours.data(), incy);
                            dsymv_(&uplo, &nn, &alpha, a.data(), &ld, x.data(), &ix, &beta,
                                   ref.data(), &iy, 1);
                            EXPECT_TRUE(SameArrays(ours, ref, 0));
                        }
                    for (double alpha : kScalars) {
                        std::vector<double> ours = a, ref = a;
                        BlasDouble::SymVVMmultAdd(upper ? 0x4 : 0x8, n, alpha, x.data(), incx,
                                                  y.data(), incy, ours.data(), lda);
                        dsyr2_(&uplo, &nn, &alpha, x.data(), &ix, y.data(), &iy, ref.data(), &ld,
                               1);
                        EXPECT_TRUE(SameArrays(ours, ref, 0));
                    }
                    struct {
                        short bit;
                        char letter;
                    } const kTrans[] = {{0x4, 'N'}, {0x8, 'T'}, {0x10, 'C'}};
                    for (auto tr : kTrans)
                        for (bool unit : {true, false}) {
                            std::vector<double> t = a;
                            if (unit)
                                for (long i = 0; i < n; ++i) t[i + i * lda] = NaN;
                            char const diag = unit ? 'U' : 'N';
                            short const opt =
                                short((upper ? 0x1 : 0x2) | tr.bit | (unit ? 0x20 : 0x40));
                            std::vector<double> ours = x, ref = x;
                            BlasDouble::TriMVmult(opt, n, t.data(), lda, ours.data(), incx);
                            dtrmv_(&uplo, &tr.letter, &diag, &nn, t.data(), &ld, ref.data(), &ix, 1,
                                   1, 1);
                            EXPECT_TRUE(SameArrays(ours, ref, 0)) << tr.letter << diag;
                        }
                }
                for (long m : {0L, 3L}) {
                    long const ldm = m + 2;
                    int mm = I(m), ldi = I(ldm);
                    std::vector<double> xm = StridedVector<double>(m, incx);
                    std::vector<double> g = PaddedMatrix<double>(m, n, ldm);
                    for (double alpha : kScalars) {
                        std::vector<double> ours = g, ref = g;
                        BlasDouble::VVMmultAdd1(m, n, alpha, xm.data(), incx, y.data(), incy,
                                                ours.data(), ldm);
                        dger_(&mm, &nn, &alpha, xm.data(), &ix, y.data(), &iy, ref.data(), &ldi);
                        EXPECT_TRUE(SameArrays(ours, ref, 0));
                    }
                }
            }
}
