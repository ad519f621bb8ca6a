// The matrix-matrix kernels against the reference BLAS over every option combination, padded
// leading dimensions and the special values of alpha and beta. Unreferenced triangles, unit
// diagonals and padding rows hold NaN, so reading or writing them shows.
#include "numeric/BlasComplex.h"
#include "numeric/BlasDouble.h"
#include "numeric/LAPackComplex.h"
#include "numeric/LAPackDouble.h"
#include "numeric/Vswap.h"
#include "tests/numeric/OracleSupport.h"
#include "tests/numeric/RefBlas.h"

using namespace oracle;

namespace {

struct Trans {
    short bit;
    char letter;
};
Trans const kTransA[] = {{0x1, 'N'}, {0x2, 'T'}, {0x4, 'C'}};
Trans const kTransB[] = {{0x8, 'N'}, {0x10, 'T'}, {0x20, 'C'}};

template <class T>
void NaNOutsideTriangle(std::vector<T>& a, long n, long lda, bool upper, bool unit)
{
    for (long j = 0; j < n; ++j)
        for (long i = 0; i < n; ++i)
            if ((upper ? i > j : i < j) || (unit && i == j)) a[i + j * lda] = NaNOf<T>();
}

// A triangular matrix that is well conditioned: a dominant diagonal.
template <class T>
std::vector<T> TriangularMatrix(long n, long lda, bool upper, bool unit)
{
    std::vector<T> a = PaddedMatrix<T>(n, n, lda);
    for (long i = 0; i < n; ++i) a[i + i * lda] += T(3.0);
    NaNOutsideTriangle(a, n, lda, upper, unit);
    return a;
}

int I(long v) { return int(v); }

}  // namespace

TEST(MatrixKernelOracle, RealProductMatchesReference)
{
    for (Trans ta : kTransA)
        for (Trans tb : kTransB)
            for (long m : {0L, 1L, 5L})
                for (long n : {0L, 3L})
                    for (long k : {0L, 1L, 4L})
                        for (double alpha : {0.0, 1.0, 0.7})
                            for (double beta : {0.0, 1.0, -1.3}) {
                                SCOPED_TRACE(testing::Message()
                                             << ta.letter << tb.letter << " m " << m << " n " << n
                                             << " k " << k << " alpha " << alpha << " beta "
                                             << beta);
                                bool const na = ta.bit == 0x1, nb = tb.bit == 0x8;
                                long const ra = na ? m : k, ca = na ? k : m, rb = nb ? k : n,
                                           cb = nb ? n : k;
                                long const lda = ra + 2, ldb = rb + 1, ldc = m + 3;
                                std::vector<double> a = PaddedMatrix<double>(ra, ca, lda);
                                std::vector<double> b = PaddedMatrix<double>(rb, cb, ldb);
                                std::vector<double> c = PaddedMatrix<double>(m, n, ldc);
                                if (beta ==
                                    0.0)  // a C full of NaN is overwritten without being read
                                    for (double& x : c) x = NaN;
                                std::vector<double> ours = c, ref = c;
                                BlasDouble::MMMmultAdd(short(ta.bit | tb.bit), m, n, k, alpha,
                                                       a.data(), lda, b.data(), ldb, beta,
                                                       ours.data(), ldc, Blas::defProgMon);
                                int mm = I(m), nn = I(n), kk = I(k), la = I(lda), lb = I(ldb),
                                    lc = I(ldc);
                                dgemm_(&ta.letter, &tb.letter, &mm, &nn, &kk, &alpha, a.data(), &la,
                                       b.data(), &lb, &beta, ref.data(), &lc, 1, 1);
                                for (long j = 0; j < n; ++j)
                                    for (long i = 0; i < m; ++i) {
                                        ASSERT_FALSE(IsNaN(ours[i + j * ldc]));
                                    }
                                EXPECT_TRUE(SameArrays(ours, ref, 0));
                            }
}

TEST(MatrixKernelOracle, ComplexProductMatchesReference)
{
    for (Trans ta : kTransA)
        for (Trans tb : kTransB)
            for (long m : {0L, 4L})
                for (long n : {1L, 3L})
                    for (long k : {0L, 5L})
                        for (cplx alpha : {cplx(0, 0), cplx(1, 0), cplx(0.5, 0.25)})
                            for (cplx beta : {cplx(0, 0), cplx(1, 0), cplx(-1, 2)}) {
                                SCOPED_TRACE(testing::Message()
                                             << ta.letter << tb.letter << " m " << m << " n " << n
                                             << " k " << k << " alpha " << alpha << " beta "
                                             << beta);
                                bool const na = ta.bit == 0x1, nb = tb.bit == 0x8;
                                long const ra = na ? m : k, ca = na ? k : m, rb = nb ? k : n,
                                           cb = nb ? n : k;
                                long const lda = ra + 1, ldb = rb + 2, ldc = m + 1;
                                std::vector<cplx> a = PaddedMatrix<cplx>(ra, ca, lda);
                                std::vector<cplx> b = PaddedMatrix<cplx>(rb, cb, ldb);
                                std::vector<cplx> c = PaddedMatrix<cplx>(m, n, ldc);
                                std::vector<cplx> ours = c, ref = c;
                                BlasComplex::MMMmultAdd(short(ta.bit | tb.bit), m, n, k, alpha,
                                                        a.data(), lda, b.data(), ldb, beta,
                                                        ours.data(), ldc, Blas::defProgMon);
                                int mm = I(m), nn = I(n), kk = I(k), la = I(lda), lb = I(ldb),
                                    lc = I(ldc);
                                zgemm_(&ta.letter, &tb.letter, &mm, &nn, &kk, &alpha, a.data(), &la,
                                       b.data(), &lb, &beta, ref.data(), &lc, 1, 1);
                                EXPECT_TRUE(SameArrays(ours, ref, 0));
                            }
}

namespace {

struct TriCase {
    bool left, upper, unit;
    Trans trans;
    short Opt() const
    {
        return short((left ? 0x1 : 0x2) | (upper ? 0x4 : 0x8) | (trans.bit << 4) |
                     (unit ? 0x80 : 0x100));
    }
};

template <class F>
void ForEachTriCase(F f)
{
    Trans const kTrans[] = {{0x1, 'N'}, {0x2, 'T'}, {0x4, 'C'}};
    for (bool left : {true, false})
        for (bool upper : {true, false})
            for (bool unit : {true, false})
                for (Trans tr : kTrans) f(TriCase{left, upper, unit, tr});
}

}  // namespace

TEST(MatrixKernelOracle, TriangularSolveAndProductMatchReference)
{
    ForEachTriCase([](TriCase tc) {
        for (long m : {0L, 1L, 5L})
            for (long n : {0L, 1L, 4L})
                for (double alpha : {0.0, 1.0, -0.6}) {
                    SCOPED_TRACE(testing::Message()
                                 << "opt " << std::hex << tc.Opt() << std::dec << " m " << m
                                 << " n " << n << " alpha " << alpha);
                    long const na = tc.left ? m : n, lda = na + 2, ldb = m + 1;
                    char const side = tc.left ? 'L' : 'R', uplo = tc.upper ? 'U' : 'L',
                               diag = tc.unit ? 'U' : 'N';
                    int mm = I(m), nn = I(n), la = I(lda), lb = I(ldb);
                    std::vector<double> a = TriangularMatrix<double>(na, lda, tc.upper, tc.unit);
                    std::vector<double> b = PaddedMatrix<double>(m, n, ldb);
                    {
                        std::vector<double> ours = b, ref = b;
                        BlasDouble::TriMMsolve(tc.Opt(), m, n, alpha, a.data(), lda, ours.data(),
                                               ldb, Blas::defProgMon);
                        dtrsm_(&side, &uplo, &tc.trans.letter, &diag, &mm, &nn, &alpha, a.data(),
                               &la, ref.data(), &lb, 1, 1, 1, 1);
                        EXPECT_TRUE(SameArrays(ours, ref, 0)) << "dtrsm";
                    }
                    {
                        std::vector<double> ours = b, ref = b;
                        BlasDouble::TriMMmult(tc.Opt(), m, n, alpha, a.data(), lda, ours.data(),
                                              ldb, Blas::defProgMon);
                        dtrmm_(&side, &uplo, &tc.trans.letter, &diag, &mm, &nn, &alpha, a.data(),
                               &la, ref.data(), &lb, 1, 1, 1, 1);
                        EXPECT_TRUE(SameArrays(ours, ref, 0)) << "dtrmm";
                    }
                    {
                        cplx za(alpha, alpha == 0.0 ? 0.0 : 0.3);
                        std::vector<cplx> z = TriangularMatrix<cplx>(na, lda, tc.upper, tc.unit);
                        std::vector<cplx> zb = PaddedMatrix<cplx>(m, n, ldb);
                        std::vector<cplx> ours = zb, ref = zb;
                        BlasComplex::TriMMsolve(tc.Opt(), m, n, za, z.data(), lda, ours.data(), ldb,
                                                Blas::defProgMon);
                        ztrsm_(&side, &uplo, &tc.trans.letter, &diag, &mm, &nn, &za, z.data(), &la,
                               ref.data(), &lb, 1, 1, 1, 1);
                        EXPECT_TRUE(SameArrays(ours, ref, 4)) << "ztrsm";  // complex division
                    }
                }
    });
}

TEST(MatrixKernelOracle, SymmetricRank2kMatchesReference)
{
    for (bool upper : {true, false})
        for (bool notrans : {true, false})
            for (long n : {0L, 1L, 5L})
                for (long k : {0L, 3L})
                    for (double alpha : {0.0, 1.0, 0.4})
                        for (double beta : {0.0, 1.0, 2.5}) {
                            SCOPED_TRACE(testing::Message()
                                         << upper << notrans << " n " << n << " k " << k
                                         << " alpha " << alpha << " beta " << beta);
                            long const ra = notrans ? n : k, ca = notrans ? k : n, lda = ra + 1,
                                       ldb = ra + 2, ldc = n + 2;
                            std::vector<double> a = PaddedMatrix<double>(ra, ca, lda);
                            std::vector<double> b = PaddedMatrix<double>(ra, ca, ldb);
                            std::vector<double> c = PaddedMatrix<double>(n, n, ldc);
                            NaNOutsideTriangle(c, n, ldc, upper, false);
                            std::vector<double> ours = c, ref = c;
                            short const opt = short((upper ? 0x4 : 0x8) | (notrans ? 0x10 : 0x20));
                            BlasDouble::SymMMMmultAdd(opt, n, k, alpha, a.data(), lda, b.data(),
                                                      ldb, beta, ours.data(), ldc,
                                                      Blas::defProgMon);
                            char const uplo = upper ? 'U' : 'L', tr = notrans ? 'N' : 'T';
                            int nn = I(n), kk = I(k), la = I(lda), lb = I(ldb), lc = I(ldc);
                            dsyr2k_(&uplo, &tr, &nn, &kk, &alpha, a.data(), &la, b.data(), &lb,
                                    &beta, ref.data(), &lc, 1, 1);
                            EXPECT_TRUE(SameArrays(ours, ref, 0));
                        }
}
