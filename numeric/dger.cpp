// VVMmultAdd1 (DGER): the rank-one update A := alpha*x*y**T + A of the m x n matrix A (leading
// dimension lda) with strided x (length m) and y (length n); columns whose y element is zero are
// skipped.
#include "numeric/BlasDouble.h"
#include "numeric/BlasVectorArg.h"
#include "numeric/ColumnUpdate.h"
#include "utilities/CustExcept.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"

namespace {
const char* const sourceName = "dger";
}  // namespace

void BlasDouble::VVMmultAdd1(long m, long n, double alpha, double const* x, long incx,
                             double const* y, long incy, double* a, long lda)
{
    Blas::CheckArgument(m >= 0 && n >= 0 && incx != 0 && incy != 0 && Blas::LeadDimValid(lda, m),
                        sourceName, __LINE__);
    if (m == 0 || n == 0 || alpha == 0.0) return;

    long jy = incy > 0 ? 0 : (1 - n) * incy;
    long const kx = incx > 0 ? 0 : (1 - m) * incx;
    for (long j = 0; j < n; ++j, jy += incy) {
        if (y[jy] == 0.0) continue;
        double const temp = alpha * y[jy];
        double* col = a + j * lda;
        if (incx == 1) {
            AddScaledColumn(0L, m, temp, x, col);
        } else {
            long ix = kx;
            for (long i = 0; i < m; ++i, ix += incx) col[i] += x[ix] * temp;
        }
    }
}

void BlasDouble::VVMmultAdd1(double alpha, UVector<double> const& x, UVector<double> const& y,
                             UMatrix<double>& A)
{
    if (A.GetColDim() != x.GetDim() || A.GetRowDim() != y.GetDim())
        RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    VVMmultAdd1(x.GetDim(), y.GetDim(), alpha, RawStart(x), x.GetInc(), RawStart(y), y.GetInc(),
                A.GetData(), A.GetColSpace());
}
