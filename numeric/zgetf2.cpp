// LUfactor2 (ZGETF2): unblocked LU factorisation A = P*L*U of the complex m x n matrix A (leading
// dimension lda) with partial pivoting (first element of largest |Re| + |Im|), column by column. On
// return the strictly lower part holds L (unit diagonal not stored), the upper part U; ipiv(i),
// 1-based, is the row interchanged with row i. An exactly zero pivot raises "Matrix is singular".
#include "numeric/BlasComplex.h"
#include "numeric/LAPackComplex.h"
#include "numeric/LUKernel.h"

void LAPackComplex::LUfactor2(long m, long n, Z* a, long lda, long* ipiv,
                              Blas::UProgressMonitor& pm)
{
    LUDetail::FactorColumns<BlasComplex>(m, n, a, lda, ipiv, pm, "ZGETF2", "zgetf2");
}
