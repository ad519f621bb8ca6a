// SymMVVmultAdd (DSYMV): y := alpha*A*x + beta*y with A symmetric of order n, of which only the
// upper (opt 0x4) or the lower (0x8) triangle is read. x and y are strided.
#include "numeric/BlasDouble.h"

namespace {
const char* const sourceName = "dsymv";
}  // namespace

void BlasDouble::SymMVVmultAdd(short opt, long n, double alpha, double const* a, long lda,
                               double const* x, long incx, double beta, double* y, long incy)
{
    Blas::CheckOptions(opt, {0xc}, sourceName, __LINE__);
    Blas::CheckArgument(n >= 0 && Blas::LeadDimValid(lda, n) && incx != 0 && incy != 0, sourceName,
                        __LINE__);
    if (n == 0 || (alpha == 0.0 && beta == 1.0)) return;

    long const kx = incx > 0 ? 0 : (1 - n) * incx;
    long const ky = incy > 0 ? 0 : (1 - n) * incy;
    auto A = [a, lda](long i, long j) { return a[i + j * lda]; };

    if (beta != 1.0) {
        long iy = ky;
        for (long i = 0; i < n; ++i, iy += incy) y[iy] = beta == 0.0 ? 0.0 : beta * y[iy];
    }
    if (alpha == 0.0) return;

    if (opt & 0x4) {
        long jx = kx, jy = ky;
        for (long j = 0; j < n; ++j, jx += incx, jy += incy) {
            double const temp1 = alpha * x[jx];
            double temp2 = 0.0;
            long ix = kx, iy = ky;
            for (long i = 0; i < j; ++i, ix += incx, iy += incy) {
                y[iy] += temp1 * A(i, j);
                temp2 += A(i, j) * x[ix];
            }
            y[jy] = y[jy] + temp1 * A(j, j) + alpha * temp2;
        }
    } else {
        long jx = kx, jy = ky;
        for (long j = 0; j < n; ++j, jx += incx, jy += incy) {
            double const temp1 = alpha * x[jx];
            double temp2 = 0.0;
            y[jy] += temp1 * A(j, j);
            long ix = jx, iy = jy;
            for (long i = j + 1; i < n; ++i) {
                ix += incx;
                iy += incy;
                y[iy] += temp1 * A(i, j);
                temp2 += A(i, j) * x[ix];
            }
            y[jy] += alpha * temp2;
        }
    }
}
