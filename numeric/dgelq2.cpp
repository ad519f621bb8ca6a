// LQfactor2 (DGELQ2): unblocked LQ factorisation A = L*Q of the m x n matrix A (leading dimension
// lda), one reflector per row. On return L is in the lower triangle (lower trapezoid for m > n)
// and reflector i, H(i) = I - tau(i)*v*v**T with v(1:i-1) = 0 and v(i) = 1, keeps v(i+1:n) to the
// right of the diagonal in row i; Q = H(k)*...*H(1), k = min(m,n). work holds m doubles.
#include "numeric/LAPackDouble.h"
#include "numeric/ReflectorKernel.h"

void LAPackDouble::LQfactor2(long m, long n, double* A, long lda, double* tau, double* work,
                             Blas::UProgressMonitor& pm)
{
    ReflectorDetail::FactorEach(true, m, n, A, lda, tau, work, pm, "DGELQ2", "dgelq2");
}
