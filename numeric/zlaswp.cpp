// MswapRows (ZLASWP): applies the row interchanges ipiv(k1) .. ipiv(k2) (1-based) to the n columns
// of the complex A (leading dimension lda), one row pair at a time: forwards for incx > 0, in
// reverse order for incx < 0, not at all for incx = 0. No checks are made.
#include "numeric/LAPackComplex.h"
#include "numeric/LUKernel.h"

void LAPackComplex::MswapRows(long n, Z* a, long lda, long k1, long k2, long* ipiv, long incx)
{
    LUDetail::SwapRows(n, a, lda, k1, k2, ipiv, incx);
}
