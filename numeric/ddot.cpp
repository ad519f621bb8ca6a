// VVmult (DDOT): the dot product sum x(i)*y(i) of n strided elements, summed in index order; 0 for
// n <= 0. VVVmult: the same loop with a third factor, sum x(i)*y(i)*z(i).
#include "numeric/BlasDouble.h"
#include "numeric/BlasVectorArg.h"
#include "utilities/CustExcept.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"

namespace {
const char* const sourceName = "ddot";
}  // namespace

double BlasDouble::VVmult(long n, double const* x, long incx, double const* y, long incy)
{
    double sum = 0.0;
    if (n <= 0) return sum;
    if (incx == 1 && incy == 1) {
        for (long i = 0; i < n; ++i) sum += x[i] * y[i];
        return sum;
    }
    long ix = incx < 0 ? (1 - n) * incx : 0;
    long iy = incy < 0 ? (1 - n) * incy : 0;
    for (long i = 0; i < n; ++i, ix += incx, iy += incy) sum += x[ix] * y[iy];
    return sum;
}

double BlasDouble::VVmult(UVector<double> const& x, UVector<double> const& y)
{
    if (x.GetDim() != y.GetDim()) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    return VVmult(x.GetDim(), RawStart(x), x.GetInc(), RawStart(y), y.GetInc());
}

double BlasDouble::VVVmult(long n, double const* x, long incx, double const* y, long incy,
                           double const* z, long incz)
{
    double sum = 0.0;
    if (n <= 0) return sum;
    if (incx == 1 && incy == 1 && incz == 1) {
        for (long i = 0; i < n; ++i) sum += x[i] * y[i] * z[i];
        return sum;
    }
    long ix = incx < 0 ? (1 - n) * incx : 0;
    long iy = incy < 0 ? (1 - n) * incy : 0;
    long iz = incz < 0 ? (1 - n) * incz : 0;
    for (long i = 0; i < n; ++i, ix += incx, iy += incy, iz += incz) sum += x[ix] * y[iy] * z[iz];
    return sum;
}

double BlasDouble::VVVmult(UVector<double> const& x, UVector<double> const& y,
                           UVector<double> const& z)
{
    if (x.GetDim() != y.GetDim() || x.GetDim() != z.GetDim())
        RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    return VVVmult(x.GetDim(), RawStart(x), x.GetInc(), RawStart(y), y.GetInc(), RawStart(z),
                   z.GetInc());
}
