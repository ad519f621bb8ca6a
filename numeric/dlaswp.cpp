// MswapRows (DLASWP): applies the row interchanges ipiv(k1) .. ipiv(k2) (1-based) to the n columns
// of A (leading dimension lda), one row pair at a time: forwards for incx > 0, in reverse order for
// incx < 0, not at all for incx = 0. No checks are made.
#include "numeric/LAPackDouble.h"
#include "numeric/LUKernel.h"

void LAPackDouble::MswapRows(long n, double* a, long lda, long k1, long k2, long* ipiv, long incx)
{
    LUDetail::SwapRows(n, a, lda, k1, k2, ipiv, incx);
}
