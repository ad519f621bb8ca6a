// VVadd (DAXPY): y := a*x + y for n elements of strided x and y. Nothing is done for n <= 0 or a =
// 0; a negative increment runs the vector backwards from its last stored element.
#include "numeric/BlasDouble.h"
#include "numeric/BlasVectorArg.h"
#include "utilities/CustExcept.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"

void BlasDouble::VVadd(long n, double a, double const* x, long incx, double* y, long incy)
{
    if (n <= 0 || a == 0.0) return;
    if (incx == 1 && incy == 1) {
        for (long i = 0; i < n; ++i) y[i] += a * x[i];
        return;
    }
    long ix = incx < 0 ? (1 - n) * incx : 0;
    long iy = incy < 0 ? (1 - n) * incy : 0;
    for (long i = 0; i < n; ++i, ix += incx, iy += incy) y[iy] += a * x[ix];
}

void BlasDouble::VVadd(double a, UVector<double> const& x, UVector<double>& y)
{
    if (x.GetDim() != y.GetDim()) RaiseError(umIncompatibleDimensions, "daxpy", __LINE__);
    VVadd(x.GetDim(), a, RawStart(x), x.GetInc(), RawStart(y), y.GetInc());
}
