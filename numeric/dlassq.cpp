// VgetNorm (DLASSQ): updates scale and sumsq so that scale^2*sumsq grows by x(1)^2 + ... + x(n)^2
// for the n elements of x, incx apart, without squaring an unscaled element. The caller starts a
// fresh sum with scale = 0, sumsq = 1. Nothing changes for n < 1 and, since no element sequence
// could end inside x, for incx < 1.
#include <cmath>

#include "numeric/LAPackDouble.h"
#include "utilities/UMatVec.h"

void LAPackDouble::VgetNorm(long n, double const* x, long incx, double& scale, double& sumsq)
{
    if (n < 1 || incx < 1) return;
    for (long k = 0; k < n; ++k) {
        double const xk = x[k * incx];
        if (xk == 0.0) continue;
        double const a = std::fabs(xk);
        if (scale < a) {
            double const r = scale / a;
            sumsq = 1 + sumsq * (r * r);
            scale = a;
        } else if (a == scale) {
            // a/scale is 1 for finite values; for two infinities it would be NaN.
            sumsq = sumsq + 1;
        } else {
            double const r = a / scale;
            sumsq = sumsq + r * r;
        }
    }
}

void LAPackDouble::VgetNorm(double& scale, double& sumsq, UVector<double>& x)
{
    VgetNorm(x.GetDim(), x.GetConstData(), x.GetInc(), scale, sumsq);
}
