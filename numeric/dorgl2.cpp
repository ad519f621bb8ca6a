// LQformProduct2 (DORGL2): overwrites the m x n matrix A (leading dimension lda, m <= n) with the
// first m rows of Q = H(k)*...*H(2)*H(1), the product of the k reflectors that LQfactor left in
// the first k rows of A and in tau. Unblocked, without monitor; work holds m doubles.
#include "numeric/BlasDouble.h"
#include "numeric/LAPackDouble.h"

void LAPackDouble::LQformProduct2(long m, long n, long k, double* A, long lda, double const* tau,
                                  double* work)
{
    Blas::CheckArgument(m >= 0 && n >= m && k >= 0 && k <= m && Blas::LeadDimValid(lda, m),
                        "dorgl2", __LINE__);
    if (m == 0) return;
    auto a = [A, lda](long i, long j) { return A + (i - 1) + (j - 1) * lda; };

    if (k < m) {
        for (long j = 1; j <= n; ++j) {
            for (long l = k + 1; l <= m; ++l) *a(l, j) = 0.0;
            if (j > k && j <= m) *a(j, j) = 1.0;
        }
    }
    for (long i = k; i >= 1; --i) {
        if (i < n) {
            if (i < m) {
                *a(i, i) = 1.0;
                ApplyReflectElt(0x2, m - i, n - i + 1, a(i, i), lda, tau[i - 1], a(i + 1, i), lda,
                                work);
            }
            BlasDouble::Vscale(n - i, -tau[i - 1], a(i, i + 1), lda);
        }
        *a(i, i) = 1.0 - tau[i - 1];
        for (long l = 1; l < i; ++l) *a(i, l) = 0.0;
    }
}
