// SymVVMmultAdd (DSYR2): the symmetric rank-two update A := alpha*x*y**T + alpha*y*x**T + A of
// order n, of which only the upper (opt 0x4) or the lower (0x8) triangle is read and written.
#include "numeric/BlasDouble.h"

namespace {
const char* const sourceName = "dsyr2";
}  // namespace

void BlasDouble::SymVVMmultAdd(short opt, long n, double alpha, double const* x, long incx,
                               double const* y, long incy, double* a, long lda)
{
    Blas::CheckOptions(opt, {0xc}, sourceName, __LINE__);
    Blas::CheckArgument(n >= 0 && incx != 0 && incy != 0 && Blas::LeadDimValid(lda, n), sourceName,
                        __LINE__);
    if (n == 0 || alpha == 0.0) return;

    long const kx = incx > 0 ? 0 : (1 - n) * incx;
    long const ky = incy > 0 ? 0 : (1 - n) * incy;
    bool const upper = (opt & 0x4) != 0;
    long jx = kx, jy = ky;
    for (long j = 0; j < n; ++j, jx += incx, jy += incy) {
        if (x[jx] == 0.0 && y[jy] == 0.0) continue;
        double const temp1 = alpha * y[jy];
        double const temp2 = alpha * x[jx];
        double* col = a + j * lda;
        if (upper) {
            long ix = kx, iy = ky;
            for (long i = 0; i <= j; ++i, ix += incx, iy += incy)
                col[i] = col[i] + x[ix] * temp1 + y[iy] * temp2;
        } else {
            long ix = jx, iy = jy;
            for (long i = j; i < n; ++i, ix += incx, iy += incy)
                col[i] = col[i] + x[ix] * temp1 + y[iy] * temp2;
        }
    }
}
