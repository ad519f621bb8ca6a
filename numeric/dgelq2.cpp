// LQfactor2 (DGELQ2): unblocked LQ factorisation A = L*Q of the m x n matrix A (leading dimension
// lda), one reflector per row. On return L is in the lower triangle (lower trapezoid for m > n)
// and reflector i, H(i) = I - tau(i)*v*v**T with v(1:i-1) = 0 and v(i) = 1, keeps v(i+1:n) to the
// right of the diagonal in row i; Q = H(k)*...*H(1), k = min(m,n). work holds m doubles.
#include "numeric/LAPackDouble.h"
#include "numeric/ReflectorKernel.h"

void LAPackDouble::LQfactor2(long m, long n, double* A, long lda, double* tau, double* work,
                             Blas::UProgressMonitor& pm)
{
    Blas::CheckArgument(m >= 0 && n >= 0 && Blas::LeadDimValid(lda, m), "dgelq2", __LINE__);
    long const k = std::min(m, n);
    auto a = [A, lda](long i, long j) { return A + (i - 1) + (j - 1) * lda; };

    pm.Start("DGELQ2", 0, k, false);
    for (long i = 1; i <= k; ++i) {
        FormReflect(n - i + 1, *a(i, i), a(i, std::min(i + 1, n)), lda, tau[i - 1]);
        if (i < m) {
            ReflectorDetail::UnitElement const unit(a(i, i));
            ApplyReflectElt(0x2, m - i, n - i + 1, a(i, i), lda, tau[i - 1], a(i + 1, i), lda, work);
        }
        pm.Test(i - 1);
    }
    pm.Finish(false);
}
