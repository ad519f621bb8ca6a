// LUfactor2 (DGETF2): unblocked LU factorisation A = P*L*U of the m x n matrix A (leading dimension
// lda) with partial pivoting, column by column. On return the strictly lower part holds L (unit
// diagonal not stored), the upper part U; ipiv(i), 1-based, is the row interchanged with row i, for
// i = 1 .. min(m,n). An exactly zero pivot raises "Matrix is singular" at once.
#include "numeric/BlasDouble.h"
#include "numeric/LAPackDouble.h"
#include "numeric/LUKernel.h"

void LAPackDouble::LUfactor2(long m, long n, double* a, long lda, long* ipiv,
                             Blas::UProgressMonitor& pm)
{
    LUDetail::FactorColumns<BlasDouble>(m, n, a, lda, ipiv, pm, "DGETF2", "dgetf2");
}
