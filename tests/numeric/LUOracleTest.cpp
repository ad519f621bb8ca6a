// The LU factorisation and solve against the reference LAPACK, and the identities that must hold
// whatever the release: P*L*U = A and small residuals.
#include "numeric/BlasComplex.h"
#include "numeric/BlasDouble.h"
#include "numeric/LAPackComplex.h"
#include "numeric/LAPackDouble.h"
#include "numeric/Vswap.h"
#include "tests/numeric/OracleSupport.h"
#include "tests/numeric/RefBlas.h"

using namespace oracle;

namespace {

int I(long v) { return int(v); }

template <class T>
std::vector<int> ToInt(std::vector<long> const& p)
{
    return std::vector<int>(p.begin(), p.end());
}

// max |(P*L*U - A)(i,j)| / max |A| for the factors in f of the m x n matrix a.
template <class T>
double FactorResidual(long m, long n, std::vector<T> const& a, std::vector<T> const& f, long lda,
                      std::vector<long> const& ipiv)
{
    long const mn = m < n ? m : n;
    std::vector<T> lu(m * n, T(0.0));
    for (long j = 0; j < n; ++j)
        for (long i = 0; i < m; ++i) {
            T s(0.0);
            for (long l = 0; l < mn && l <= i && l <= j; ++l) {
                T const lil = l == i ? T(1.0) : f[i + l * lda];
                s += lil * f[l + j * lda];
            }
            lu[i + j * m] = s;
        }
    for (long i = mn - 1; i >= 0; --i)  // undo the interchanges: rows of P*A back to A
        if (ipiv[i] - 1 != i)
            for (long j = 0; j < n; ++j) std::swap(lu[i + j * m], lu[ipiv[i] - 1 + j * m]);
    return RelDiff(m, n, lu.data(), m, a.data(), lda);
}

}  // namespace

TEST(LUOracle, UnblockedFactorisationEqualsReferenceExactly)
{
    for (long m : {1L, 2L, 7L, 40L, 64L})
        for (long n : {1L, 3L, 7L, 64L}) {
            SCOPED_TRACE(testing::Message() << "m " << m << " n " << n);
            long const lda = m + 3;
            std::vector<double> a = PaddedMatrix<double>(m, n, lda);
            std::vector<double> ours = a, ref = a;
            std::vector<long> piv(std::min(m, n));
            std::vector<int> rpiv(std::min(m, n));
            LAPackDouble::LUfactor2(m, n, ours.data(), lda, piv.data(), Blas::defProgMon);
            int mm = I(m), nn = I(n), ld = I(lda), info = -1;
            dgetf2_(&mm, &nn, ref.data(), &ld, rpiv.data(), &info);
            ASSERT_EQ(info, 0);
            EXPECT_EQ(ToInt<double>(piv), rpiv);
            EXPECT_TRUE(SameArrays(ours, ref, 0));

            std::vector<cplx> z = PaddedMatrix<cplx>(m, n, lda);
            std::vector<cplx> zo = z, zr = z;
            LAPackComplex::LUfactor2(m, n, zo.data(), lda, piv.data(), Blas::defProgMon);
            zgetf2_(&mm, &nn, zr.data(), &ld, rpiv.data(), &info);
            ASSERT_EQ(info, 0);
            EXPECT_EQ(ToInt<double>(piv), rpiv);
            // Complex division may round differently from the Fortran runtime's.
            EXPECT_TRUE(SameArrays(zo, zr, 4));
        }
}

TEST(LUOracle, BlockedFactorisationReproducesTheMatrix)
{
    // Above 64 rows and columns the blocked path runs; the 3.x reference factorises recursively,
    // so pivots agree for these random matrices while values agree to rounding only.
    for (long m : {65L, 130L, 200L})
        for (long n : {65L, 150L, 200L}) {
            SCOPED_TRACE(testing::Message() << "m " << m << " n " << n);
            long const lda = m + 1;
            std::vector<double> a = PaddedMatrix<double>(m, n, lda);
            std::vector<double> ours = a, ref = a;
            std::vector<long> piv(std::min(m, n));
            std::vector<int> rpiv(std::min(m, n));
            LAPackDouble::LUfactor(m, n, ours.data(), lda, piv.data(), Blas::defProgMon);
            int mm = I(m), nn = I(n), ld = I(lda), info = -1;
            dgetrf_(&mm, &nn, ref.data(), &ld, rpiv.data(), &info);
            ASSERT_EQ(info, 0);
            EXPECT_EQ(ToInt<double>(piv), rpiv);
            EXPECT_LT(FactorResidual(m, n, a, ours, lda, piv), 1e-13);
            EXPECT_LT(MaxDiff(ours, ref), 1e-10);
            for (long i = m; i < lda; ++i) EXPECT_TRUE(IsNaN(ours[i])) << "padding written";

            std::vector<cplx> z = PaddedMatrix<cplx>(m, n, lda), zo = z;
            LAPackComplex::LUfactor(m, n, zo.data(), lda, piv.data(), Blas::defProgMon);
            EXPECT_LT(FactorResidual(m, n, z, zo, lda, piv), 1e-13);
        }
}

TEST(LUOracle, SolveMatchesReferenceAndLeavesSmallResiduals)
{
    for (long n : {1L, 4L, 30L, 100L})
        for (long nrhs : {1L, 3L}) {
            SCOPED_TRACE(testing::Message() << "n " << n << " nrhs " << nrhs);
            long const lda = n + 2, ldb = n + 1;
            std::vector<double> a = PaddedMatrix<double>(n, n, lda),
                                b = PaddedMatrix<double>(n, nrhs, ldb);
            std::vector<double> f = a, x = b, rf = a, rx = b;
            std::vector<long> piv(n);
            std::vector<int> rpiv(n);
            LAPackDouble::MVsolve(n, nrhs, f.data(), lda, piv.data(), x.data(), ldb,
                                  Blas::defProgMon);
            int nn = I(n), nr = I(nrhs), la = I(lda), lb = I(ldb), info = -1;
            dgesv_(&nn, &nr, rf.data(), &la, rpiv.data(), rx.data(), &lb, &info);
            ASSERT_EQ(info, 0);
            EXPECT_EQ(ToInt<double>(piv), rpiv);
            for (long j = 0; j < nrhs; ++j)
                for (long i = 0; i < n; ++i) {
                    double r = -b[i + j * ldb];
                    for (long l = 0; l < n; ++l) r += a[i + l * lda] * x[l + j * ldb];
                    EXPECT_LT(std::fabs(r), 1e-11) << "residual row " << i;
                    EXPECT_NEAR(x[i + j * ldb], rx[i + j * ldb],
                                1e-9 * (1.0 + std::fabs(rx[i + j * ldb])));
                }

            // The transposed solves with the same factors: 0x20 and 0x40 agree with 'T'.
            for (short opt : {short(0x20), short(0x40)}) {
                std::vector<double> y = b, ry = b;
                LAPackDouble::LUsolve(opt, n, nrhs, f.data(), lda, piv.data(), y.data(), ldb,
                                      Blas::defProgMon);
                char const t = 'T';
                dgetrs_(&t, &nn, &nr, f.data(), &la, rpiv.data(), ry.data(), &lb, &info, 1);
                EXPECT_TRUE(SameArrays(y, ry, 0));
            }

            std::vector<cplx> za = PaddedMatrix<cplx>(n, n, lda),
                              zb = PaddedMatrix<cplx>(n, nrhs, ldb);
            std::vector<cplx> zf = za, zx = zb;
            LAPackComplex::MVsolve(n, nrhs, zf.data(), lda, nullptr, zx.data(), ldb,
                                   Blas::defProgMon);
            for (long j = 0; j < nrhs; ++j)
                for (long i = 0; i < n; ++i) {
                    cplx r = -zb[i + j * ldb];
                    for (long l = 0; l < n; ++l) r += za[i + l * lda] * zx[l + j * ldb];
                    EXPECT_LT(std::abs(r), 1e-11);
                }
            std::vector<cplx> zr = za;
            LAPackComplex::LUfactor(n, n, zr.data(), lda, piv.data(), Blas::defProgMon);
            std::vector<int> ip = ToInt<cplx>(piv);
            for (char t : {'N', 'T', 'C'}) {
                short const opt = t == 'N' ? 0x10 : t == 'T' ? 0x20 : 0x40;
                std::vector<cplx> y = zb, ry = zb;
                LAPackComplex::LUsolve(opt, n, nrhs, zr.data(), lda, piv.data(), y.data(), ldb,
                                       Blas::defProgMon);
                zgetrs_(&t, &nn, &nr, zr.data(), &la, ip.data(), ry.data(), &lb, &info, 1);
                EXPECT_TRUE(SameArrays(y, ry, 4)) << t;
            }
        }
}

TEST(LUOracle, RowInterchangesMatchReference)
{
    long const n = 4, lda = 7, rows = 6;
    std::vector<long> piv = {3, 3, 6, 4, 6};
    std::vector<int> ipiv(piv.begin(), piv.end());
    for (long incx : {1L, -1L, 0L}) {
        std::vector<double> a = PaddedMatrix<double>(rows, n, lda), ours = a, ref = a;
        LAPackDouble::MswapRows(n, ours.data(), lda, 1, 5, piv.data(), incx);
        int nn = I(n), la = I(lda), k1 = 1, k2 = 5, ix = I(incx);
        dlaswp_(&nn, ref.data(), &la, &k1, &k2, ipiv.data(), &ix);
        EXPECT_TRUE(SameArrays(ours, ref, 0)) << incx;
        // Forwards then backwards restores the matrix.
        LAPackDouble::MswapRows(n, ours.data(), lda, 1, 5, piv.data(), -incx);
        EXPECT_TRUE(SameArrays(ours, a, 0)) << incx;
    }
}
