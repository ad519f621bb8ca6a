// QRfactor2 (DGEQR2): unblocked QR factorisation A = Q*R of the m x n matrix A (leading dimension
// lda), one reflector per column. On return R is in the upper triangle (upper trapezoid for
// m < n) and reflector i, H(i) = I - tau(i)*v*v**T with v(1:i-1) = 0 and v(i) = 1, keeps v(i+1:m)
// below the diagonal of column i; Q = H(1)*...*H(k), k = min(m,n). work holds n doubles.
#include "numeric/LAPackDouble.h"
#include "numeric/ReflectorKernel.h"

void LAPackDouble::QRfactor2(long m, long n, double* A, long lda, double* tau, double* work,
                             Blas::UProgressMonitor& pm)
{
    Blas::CheckArgument(m >= 0 && n >= 0 && Blas::LeadDimValid(lda, m), "dgeqr2", __LINE__);
    long const k = std::min(m, n);
    auto a = [A, lda](long i, long j) { return A + (i - 1) + (j - 1) * lda; };

    pm.Start("DGEQR2", 0, k, false);
    for (long i = 1; i <= k; ++i) {
        FormReflect(m - i + 1, *a(i, i), a(std::min(i + 1, m), i), 1, tau[i - 1]);
        if (i < n) {
            ReflectorDetail::UnitElement const unit(a(i, i));
            ApplyReflectElt(0x1, m - i + 1, n - i, a(i, i), 1, tau[i - 1], a(i, i + 1), lda, work);
        }
        pm.Test(i - 1);
    }
    pm.Finish(false);
}
