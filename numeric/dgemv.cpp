// MVVmultAdd (DGEMV): y := alpha*op(A)*x + beta*y with A an m x n matrix (leading dimension lda),
// op(A) = A (opt 0x1) or A**T (0x2, or 0x4 which means the same for real data). x and y are
// strided; y is scaled (cleared when beta = 0) before the product is added.
#include "numeric/BlasDouble.h"
#include "numeric/BlasVectorArg.h"
#include "numeric/ColumnUpdate.h"
#include "utilities/CustExcept.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"

namespace {
const char* const sourceName = "dgemv";
}  // namespace

void BlasDouble::MVVmultAdd(short opt, long m, long n, double alpha, double const* a, long lda,
                            double const* x, long incx, double beta, double* y, long incy)
{
    Blas::CheckOptions(opt, {0x7}, sourceName, __LINE__);
    Blas::CheckArgument(m >= 0 && n >= 0 && Blas::LeadDimValid(lda, m) && incx != 0 && incy != 0,
                        sourceName, __LINE__);
    if (m == 0 || n == 0 || (alpha == 0.0 && beta == 1.0)) return;

    bool const notrans = (opt & 0x1) != 0;
    long const lenx = notrans ? n : m;
    long const leny = notrans ? m : n;
    long const kx = incx > 0 ? 0 : (1 - lenx) * incx;
    long const ky = incy > 0 ? 0 : (1 - leny) * incy;

    if (beta != 1.0) {
        if (incy == 1) {
            if (beta == 0.0)
                for (long i = 0; i < leny; ++i) y[i] = 0.0;
            else
                for (long i = 0; i < leny; ++i) y[i] = beta * y[i];
        } else {
            long iy = ky;
            if (beta == 0.0)
                for (long i = 0; i < leny; ++i, iy += incy) y[iy] = 0.0;
            else
                for (long i = 0; i < leny; ++i, iy += incy) y[iy] = beta * y[iy];
        }
    }
    if (alpha == 0.0) return;

    if (notrans) {
        long jx = kx;
        for (long j = 0; j < n; ++j, jx += incx) {
            if (x[jx] == 0.0) continue;
            double const temp = alpha * x[jx];
            double const* col = a + j * lda;
            if (incy == 1) {
                AddScaledColumn(0L, m, temp, col, y);
            } else {
                long iy = ky;
                for (long i = 0; i < m; ++i, iy += incy) y[iy] += temp * col[i];
            }
        }
    } else {
        long jy = ky;
        for (long j = 0; j < n; ++j, jy += incy) {
            double const* col = a + j * lda;
            double temp = 0.0;
            if (incx == 1) {
                for (long i = 0; i < m; ++i) temp += col[i] * x[i];
            } else {
                long ix = kx;
                for (long i = 0; i < m; ++i, ix += incx) temp += col[i] * x[ix];
            }
            y[jy] += alpha * temp;
        }
    }
}

void BlasDouble::MVVmultAdd(short opt, double alpha, UMatrix<double> const& A,
                            UVector<double> const& x, double beta, UVector<double>& y)
{
    if (opt & 0x1) {
        if (A.GetRowDim() != x.GetDim() || A.GetColDim() != y.GetDim())
            RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    } else {
        if (A.GetColDim() != x.GetDim() || A.GetRowDim() != y.GetDim())
            RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    }
    MVVmultAdd(opt, A.GetColDim(), A.GetRowDim(), alpha, A.GetConstData(), A.GetColSpace(),
               RawStart(x), x.GetInc(), beta, RawStart(y), y.GetInc());
}
