// Vscale (ZSCAL): x := a*x for n complex elements with increment incx. Nothing is done for n < 1 or
// incx < 1 (negative increments are not served).
#include "numeric/BlasComplex.h"
#include "utilities/UMatVec.h"

void BlasComplex::Vscale(long n, Z const& a, Z* x, long incx)
{
    if (n < 1 || incx < 1) return;
    Z const s = a;
    if (incx == 1) {
        for (long i = 0; i < n; ++i) x[i] = s * x[i];
        return;
    }
    long nincx = n * incx;
    for (long i = 0; i < nincx; i += incx) x[i] = s * x[i];
}

void BlasComplex::Vscale(UVector<Z>& x, Z const& a)
{
    Vscale(x.GetDim(), a, x.GetData(), x.GetInc());
}
