// Vrotate (DROT): applies the plane rotation (c, s) to the pairs (x(i), y(i)):
// x := c*x + s*y, y := c*y - s*x, for n strided elements; nothing for n <= 0.
#include "numeric/BlasDouble.h"
#include "numeric/BlasVectorArg.h"
#include "utilities/CustExcept.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"

void BlasDouble::Vrotate(long n, double* x, long incx, double* y, long incy, double c, double s)
{
    if (n <= 0) return;
    if (incx == 1 && incy == 1) {
        for (long i = 0; i < n; ++i) {
            double t = c * x[i] + s * y[i];
            y[i] = c * y[i] - s * x[i];
            x[i] = t;
        }
        return;
    }
    long ix = incx < 0 ? (1 - n) * incx : 0;
    long iy = incy < 0 ? (1 - n) * incy : 0;
    for (long i = 0; i < n; ++i, ix += incx, iy += incy) {
        double t = c * x[ix] + s * y[iy];
        y[iy] = c * y[iy] - s * x[ix];
        x[ix] = t;
    }
}

void BlasDouble::Vrotate(double c, double s, UVector<double>& x, UVector<double>& y)
{
    if (x.GetDim() != y.GetDim()) RaiseError(umIncompatibleDimensions, "drot", __LINE__);
    Vrotate(x.GetDim(), RawStart(x), x.GetInc(), RawStart(y), y.GetInc(), c, s);
}
