// Vsum: the sum of n elements of x with increment incx, in order from 0; 0 for n < 1 or incx < 1
// (negative increments are not served).
#include "numeric/laostuff.h"

double QuarnNumer::Vsum(long n, double const* x, long incx)
{
    double sum = 0.0;
    if (n < 1 || incx < 1) return sum;
    for (long i = 0, ix = 0; i < n; ++i, ix += incx) sum += x[ix];
    return sum;
}
