// VgetMax (IZAMAX): the 1-based index of the first complex element of largest |Re| + |Im| among n
// strided elements; 0 for n < 1 or incx < 1. The front-end returns it 0-based (-1 when none).
#include "numeric/BlasComplex.h"
#include "utilities/UMatVec.h"

long BlasComplex::VgetMax(long n, Z const* x, long incx)
{
    if (n < 1 || incx < 1) return 0;
    if (n == 1) return 1;
    long imax = 1;
    double dmax = GetNorm1(x[0]);
    for (long i = 2, ix = incx; i <= n; ++i, ix += incx) {
        double v = GetNorm1(x[ix]);
        if (v > dmax) {
            imax = i;
            dmax = v;
        }
    }
    return imax;
}

long BlasComplex::VgetMax(UVector<Z> const& x)
{
    return VgetMax(x.GetDim(), x.GetConstData(), x.GetInc()) - 1;
}
