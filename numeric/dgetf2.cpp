// LUfactor2 (DGETF2): unblocked LU factorisation A = P*L*U of the m x n matrix A with partial
// pivoting, column by column. On return the strictly lower part holds L (unit diagonal not stored),
// the upper part U; ipiv(i), 1-based, is the row interchanged with row i, for i = 1 .. min(m,n).
// An exactly zero pivot raises "Matrix is singular" at once.
#include "numeric/BlasDouble.h"
#include "numeric/LAPackDouble.h"
#include "numeric/Vswap.h"
#include "utilities/CustExcept.h"

void LAPackDouble::LUfactor2(long m, long n, double* a, long lda, long* ipiv, Blas::UProgressMonitor& pm)
{
    Blas::CheckArgument(m >= 0 && n >= 0 && Blas::LeadDimValid(lda, m), "dgetf2", __LINE__);
    if (m == 0 || n == 0) return;
    long const mn = m < n ? m : n;
    auto A = [a, lda](long i, long j) -> double* { return a + (i - 1) + (j - 1) * lda; };

    pm.Start("DGETF2", 0, mn, false);
    for (long j = 1; j <= mn; ++j) {
        long const jp = j - 1 + BlasDouble::VgetMax(m - j + 1, A(j, j), 1);
        ipiv[j - 1] = jp;
        if (*A(jp, j) == 0.0) RaiseError(23013, "dgetf2", __LINE__);
        if (jp != j) Vswap(n, A(j, 1), lda, A(jp, 1), lda);
        if (j < m) BlasDouble::Vscale(m - j, 1.0 / *A(j, j), A(j + 1, j), 1);
        if (j < mn)
            BlasDouble::VVMmultAdd1(m - j, n - j, -1.0, A(j + 1, j), 1, A(j, j + 1), lda, A(j + 1, j + 1),
                                    lda);
        pm.Test(j - 1);
    }
    pm.Finish(false);
}
