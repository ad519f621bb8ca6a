// Vscale (DSCAL): x := a*x for n elements with increment incx. Nothing is done for n < 1 or
// incx < 1 (negative increments are not served).
#include "numeric/BlasDouble.h"
#include "utilities/UMatVec.h"

void BlasDouble::Vscale(long n, double a, double* x, long incx)
{
    if (n < 1 || incx < 1) return;
    if (incx == 1) {
        for (long i = 0; i < n; ++i) x[i] = a * x[i];
        return;
    }
    long nincx = n * incx;
    for (long i = 0; i < nincx; i += incx) x[i] = a * x[i];
}

void BlasDouble::Vscale(UVector<double>& x, double a)
{
    Vscale(x.GetDim(), a, x.GetData(), x.GetInc());
}
