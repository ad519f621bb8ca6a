// MswapRows (DLASWP): applies the row interchanges ipiv(k1) .. ipiv(k2) (1-based) to the n columns
// of A, one row pair at a time: forwards for incx > 0, in reverse order for incx < 0, not at all for
// incx = 0. No checks are made.
#include "numeric/LAPackDouble.h"
#include "numeric/Vswap.h"

void LAPackDouble::MswapRows(long n, double* a, long lda, long k1, long k2, long* ipiv, long incx)
{
    if (incx == 0) return;
    if (incx > 0) {
        long ix = k1;
        for (long i = k1; i <= k2; ++i, ix += incx) {
            long const ip = ipiv[ix - 1];
            if (ip != i) Vswap(n, a + (i - 1), lda, a + (ip - 1), lda);
        }
    } else {
        long ix = 1 + (1 - k2) * incx;
        for (long i = k2; i >= k1; --i, ix += incx) {
            long const ip = ipiv[ix - 1];
            if (ip != i) Vswap(n, a + (i - 1), lda, a + (ip - 1), lda);
        }
    }
}
