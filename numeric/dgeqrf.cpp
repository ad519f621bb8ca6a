// QRfactor (DGEQRF): blocked QR factorisation A = Q*R of the m x n matrix A (leading dimension
// lda), results as QRfactor2. Panels of nb columns (the block size of Env for "DGEQRF", or what
// lwork allows) are factorised by QRfactor2 and their block reflector applied to the columns on
// their right; below the crossover the rest is factorised unblocked. work holds lwork >= max(1, n)
// doubles; n*nb of them let the blocks run at full size.
#include "numeric/LAPackDouble.h"
#include "numeric/ReflectorKernel.h"

void LAPackDouble::QRfactor(long m, long n, double* A, long lda, double* tau, double* work,
                            long lwork, Blas::UProgressMonitor& pm)
{
    ReflectorDetail::FactorBlocked(false, m, n, A, lda, tau, work, lwork, pm, "DGEQRF", "dgeqrf");
}
