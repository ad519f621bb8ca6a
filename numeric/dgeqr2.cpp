// QRfactor2 (DGEQR2): unblocked QR factorisation A = Q*R of the m x n matrix A (leading dimension
// lda), one reflector per column. On return R is in the upper triangle (upper trapezoid for
// m < n) and reflector i, H(i) = I - tau(i)*v*v**T with v(1:i-1) = 0 and v(i) = 1, keeps v(i+1:m)
// below the diagonal of column i; Q = H(1)*...*H(k), k = min(m,n). work holds n doubles.
#include "numeric/LAPackDouble.h"
#include "numeric/ReflectorKernel.h"

void LAPackDouble::QRfactor2(long m, long n, double* A, long lda, double* tau, double* work,
                             Blas::UProgressMonitor& pm)
{
    ReflectorDetail::FactorEach(false, m, n, A, lda, tau, work, pm, "DGEQR2", "dgeqr2");
}
