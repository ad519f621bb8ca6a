// V2getNorm (DLAPY2): sqrt(x^2 + y^2), computed as w*sqrt(1 + (z/w)^2) from the larger and the
// smaller magnitude, so that it overflows only when the result does.
#include <cmath>

#include "numeric/LAPackDouble.h"
#include "utilities/UMatVec.h"

double LAPackDouble::V2getNorm(double x, double y)
{
    double const xabs = std::fabs(x), yabs = std::fabs(y);
    // z/w would be NaN.
    if (std::isinf(xabs) && std::isinf(yabs)) return xabs;
    double const w = Max(xabs, yabs);
    double const z = Min(xabs, yabs);
    if (z == 0.0) return w;
    double const q = z / w;
    return w * std::sqrt(1.0 + q * q);
}
