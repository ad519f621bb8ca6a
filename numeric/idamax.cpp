// VgetMax (IDAMAX): the 1-based index of the first element of largest absolute value among n
// strided elements; 0 for n < 1 or incx < 1. The front-end returns it 0-based (-1 when none).
#include "numeric/BlasDouble.h"
#include "utilities/UMatVec.h"
#include <cmath>

long BlasDouble::VgetMax(long n, double const* x, long incx)
{
    if (n < 1 || incx < 1) return 0;
    if (n == 1) return 1;
    long imax = 1;
    double dmax = std::fabs(x[0]);
    for (long i = 2, ix = incx; i <= n; ++i, ix += incx) {
        double v = std::fabs(x[ix]);
        if (v > dmax) {
            imax = i;
            dmax = v;
        }
    }
    return imax;
}

long BlasDouble::VgetMax(UVector<double> const& x)
{
    return VgetMax(x.GetDim(), x.GetConstData(), x.GetInc()) - 1;
}
