// VVMmultAdd1 (ZGERU): the unconjugated rank-one update A := alpha*x*y**T + A of the complex m x n
// matrix A (leading dimension lda) with strided x (length m) and y (length n); columns whose y
// element is zero are skipped.
#include "numeric/BlasComplex.h"
#include "numeric/BlasVectorArg.h"
#include "utilities/CustExcept.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"

namespace {
const char* const sourceName = "zgeru";
}  // namespace

void BlasComplex::VVMmultAdd1(long m, long n, Z const& alpha, Z const* x, long incx, Z const* y,
                              long incy, Z* a, long lda)
{
    Blas::CheckArgument(m >= 0 && n >= 0 && incx != 0 && incy != 0 && Blas::LeadDimValid(lda, m),
                        sourceName, __LINE__);
    Z const zero(0.0, 0.0);
    if (m == 0 || n == 0 || alpha == zero) return;

    long jy = incy > 0 ? 0 : (1 - n) * incy;
    long const kx = incx > 0 ? 0 : (1 - m) * incx;
    for (long j = 0; j < n; ++j, jy += incy) {
        if (y[jy] == zero) continue;
        Z const temp = alpha * y[jy];
        Z* col = a + j * lda;
        long ix = kx;
        for (long i = 0; i < m; ++i, ix += incx) col[i] += x[ix] * temp;
    }
}

void BlasComplex::VVMmultAdd1(Z const& alpha, UVector<Z> const& x, UVector<Z> const& y,
                              UMatrix<Z>& A)
{
    if (A.GetColDim() != x.GetDim() || A.GetRowDim() != y.GetDim())
        RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    VVMmultAdd1(x.GetDim(), y.GetDim(), alpha, RawStart(x), x.GetInc(), RawStart(y), y.GetInc(),
                A.GetData(), A.GetColSpace());
}
