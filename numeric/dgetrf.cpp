// LUfactor (DGETRF): blocked LU factorisation A = P*L*U of the m x n matrix A (leading dimension
// lda) with partial pivoting. Panels of the block size that Env gives for "DGETRF" are factorised
// by LUfactor2, their interchanges applied to the other columns, the block row of U solved and the
// trailing matrix updated by a matrix product. Results as for LUfactor2.
#include "numeric/BlasDouble.h"
#include "numeric/LAPackDouble.h"
#include "numeric/LUKernel.h"

void LAPackDouble::LUfactor(long m, long n, double* a, long lda, long* ipiv,
                            Blas::UProgressMonitor& pm)
{
    LUDetail::FactorBlocked<LAPackDouble, BlasDouble>(m, n, a, lda, ipiv, pm, "DGETRF", "dgetrf");
}
