#pragma once
// The library's sign transfer: |a| with the sign of b, where a zero (or NaN) sign source counts as
// negative, unlike Fortran's SIGN, which takes the sign bit of b.
#include <cmath>

namespace Blas {

inline double Sign(double a, double b) { return b > 0.0 ? std::fabs(a) : -std::fabs(a); }

} // namespace Blas
