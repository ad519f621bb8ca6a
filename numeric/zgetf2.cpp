// LUfactor2 (ZGETF2): unblocked LU factorisation A = P*L*U of the complex m x n matrix A with
// partial pivoting (largest |Re| + |Im|), column by column. On return the strictly lower part holds
// L (unit diagonal not stored), the upper part U; ipiv(i), 1-based, is the row interchanged with
// row i. An exactly zero pivot raises "Matrix is singular" at once.
#include "numeric/BlasComplex.h"
#include "numeric/LAPackComplex.h"
#include "numeric/Vswap.h"
#include "utilities/CustExcept.h"

void LAPackComplex::LUfactor2(long m, long n, Z* a, long lda, long* ipiv, Blas::UProgressMonitor& pm)
{
    Blas::CheckArgument(m >= 0 && n >= 0 && Blas::LeadDimValid(lda, m), "zgetf2", __LINE__);
    if (m == 0 || n == 0) return;
    long const mn = m < n ? m : n;
    auto A = [a, lda](long i, long j) -> Z* { return a + (i - 1) + (j - 1) * lda; };
    Z const one(1.0, 0.0), minusOne(-1.0, 0.0);

    pm.Start("ZGETF2", 0, mn, false);
    for (long j = 1; j <= mn; ++j) {
        long const jp = j - 1 + BlasComplex::VgetMax(m - j + 1, A(j, j), 1);
        ipiv[j - 1] = jp;
        if (*A(jp, j) == Z(0.0, 0.0)) RaiseError(23013, "zgetf2", __LINE__);
        if (jp != j) Vswap(n, A(j, 1), lda, A(jp, 1), lda);
        if (j < m) BlasComplex::Vscale(m - j, one / *A(j, j), A(j + 1, j), 1);
        if (j < mn)
            BlasComplex::VVMmultAdd1(m - j, n - j, minusOne, A(j + 1, j), 1, A(j, j + 1), lda,
                                     A(j + 1, j + 1), lda);
        pm.Test(j - 1);
    }
    pm.Finish(false);
}
