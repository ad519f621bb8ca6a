// VgetNorm (DNRM2): the Euclidean norm of n strided elements, by a scaled sum of squares so that
// neither overflow nor harmful underflow occurs. 0 for n < 1 or incx < 1; +Inf when an element is
// infinite and none is NaN, NaN when one is.
#include "numeric/BlasDouble.h"
#include "utilities/UMatVec.h"
#include <cmath>

double BlasDouble::VgetNorm(long n, double const* x, long incx)
{
    if (n < 1 || incx < 1) return 0.0;
    if (n == 1) return std::fabs(x[0]);
    double scale = 0.0;
    double ssq = 1.0;
    long last = (n - 1) * incx;
    for (long ix = 0; ix <= last; ix += incx) {
        if (x[ix] != 0.0) {
            double absxi = std::fabs(x[ix]);
            if (scale < absxi) {
                double r = scale / absxi;
                ssq = 1.0 + ssq * r * r;
                scale = absxi;
            } else if (absxi == scale) {
                // The ratio is 1 for finite values; for two infinities it would be NaN.
                ssq += 1.0;
            } else {
                double r = absxi / scale;
                ssq += r * r;
            }
        }
    }
    return scale * std::sqrt(ssq);
}

double BlasDouble::VgetNorm(UVector<double> const& x)
{
    return VgetNorm(x.GetDim(), x.GetConstData(), x.GetInc());
}
