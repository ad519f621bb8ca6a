// QLformProduct2 (DORG2L): overwrites the m x n matrix A (leading dimension lda, n <= m) with the
// last n columns of Q = H(k)*...*H(2)*H(1), the product of the k reflectors of a QL
// factorisation: reflector i keeps its vector in column n-k+i above row m-k+i, its factor in
// tau(i). Unblocked; work holds n doubles.
#include "numeric/BlasDouble.h"
#include "numeric/LAPackDouble.h"

void LAPackDouble::QLformProduct2(long m, long n, long k, double* A, long lda, double const* tau,
                                  double* work, Blas::UProgressMonitor& pm)
{
    Blas::CheckArgument(m >= 0 && n >= 0 && n <= m && k >= 0 && k <= n &&
                            Blas::LeadDimValid(lda, m),
                        "dorg2l", __LINE__);
    if (n == 0) return;
    auto a = [A, lda](long i, long j) { return A + (i - 1) + (j - 1) * lda; };

    for (long j = 1; j <= n - k; ++j) {
        for (long l = 1; l <= m; ++l) *a(l, j) = 0.0;
        *a(m - n + j, j) = 1.0;
    }
    pm.Start("DORG2L", 0, m, n, k, false);
    for (long i = 1; i <= k; ++i) {
        long const ii = n - k + i;
        long const diag = m - n + ii;  // the row of the reflector's unit element
        *a(diag, ii) = 1.0;
        ApplyReflectElt(0x1, diag, ii - 1, a(1, ii), 1, tau[i - 1], A, lda, work);
        BlasDouble::Vscale(diag - 1, -tau[i - 1], a(1, ii), 1);
        *a(diag, ii) = 1.0 - tau[i - 1];
        for (long l = diag + 1; l <= m; ++l) *a(l, ii) = 0.0;
        pm.Test(i - 1);
    }
    pm.Finish(false);
}
