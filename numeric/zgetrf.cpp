// LUfactor (ZGETRF): blocked LU factorisation A = P*L*U of the complex m x n matrix A (leading
// dimension lda) with partial pivoting. Panels of the block size that Env gives for "ZGETRF" are
// factorised by LUfactor2, their interchanges applied to the other columns, the block row of U
// solved and the trailing matrix updated by a matrix product. Results as for LUfactor2.
#include "numeric/BlasComplex.h"
#include "numeric/LAPackComplex.h"
#include "numeric/LUKernel.h"

void LAPackComplex::LUfactor(long m, long n, Z* a, long lda, long* ipiv, Blas::UProgressMonitor& pm)
{
    LUDetail::FactorBlocked<LAPackComplex, BlasComplex>(m, n, a, lda, ipiv, pm, "ZGETRF", "zgetrf");
}
