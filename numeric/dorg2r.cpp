// QRformProduct2 (DORG2R): overwrites the m x n matrix A (leading dimension lda, n <= m) with the
// first n columns of Q = H(1)*...*H(k), the product of the k reflectors that QRfactor left in the
// first k columns of A and in tau. Unblocked; work holds n doubles.
#include "numeric/BlasDouble.h"
#include "numeric/LAPackDouble.h"

void LAPackDouble::QRformProduct2(long m, long n, long k, double* A, long lda, double const* tau,
                                  double* work, Blas::UProgressMonitor& pm)
{
    Blas::CheckArgument(m >= 0 && n >= 0 && n <= m && k >= 0 && k <= n &&
                            Blas::LeadDimValid(lda, m),
                        "dorg2r", __LINE__);
    if (n == 0) return;
    auto a = [A, lda](long i, long j) { return A + (i - 1) + (j - 1) * lda; };

    for (long j = k + 1; j <= n; ++j) {
        for (long l = 1; l <= m; ++l) *a(l, j) = 0.0;
        *a(j, j) = 1.0;
    }
    pm.Start("DORG2R", 0, m, n, k, false);
    for (long i = k; i >= 1; --i) {
        if (i < n) {
            *a(i, i) = 1.0;
            ApplyReflectElt(0x1, m - i + 1, n - i, a(i, i), 1, tau[i - 1], a(i, i + 1), lda, work);
        }
        if (i < m) BlasDouble::Vscale(m - i, -tau[i - 1], a(i + 1, i), 1);
        *a(i, i) = 1.0 - tau[i - 1];
        for (long l = 1; l < i; ++l) *a(l, i) = 0.0;
        pm.Test(k - i);
    }
    pm.Finish(false);
}
