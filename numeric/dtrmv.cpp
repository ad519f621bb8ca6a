// TriMVmult (DTRMV): x := op(A)*x with A triangular of order n: upper (opt 0x1) or lower (0x2);
// op(A) = A (0x4) or A**T (0x8, or 0x10 which means the same for real data); unit diagonal, not
// read (0x20), or non-unit (0x40). x is strided.
#include "numeric/BlasDouble.h"
#include "numeric/BlasVectorArg.h"
#include "utilities/CustExcept.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"

namespace {
const char* const sourceName = "dtrmv";
}  // namespace

void BlasDouble::TriMVmult(short opt, long n, double const* a, long lda, double* x, long incx)
{
    Blas::CheckOptions(opt, {0x3, 0x1c, 0x60}, sourceName, __LINE__);
    Blas::CheckArgument(n >= 0 && Blas::LeadDimValid(lda, n) && incx != 0, sourceName, __LINE__);
    if (n == 0) return;

    bool const upper = (opt & 0x1) != 0;
    bool const notrans = (opt & 0x4) != 0;
    bool const nounit = (opt & 0x40) != 0;
    long const kx = incx > 0 ? 0 : (1 - n) * incx;
    auto A = [a, lda](long i, long j) { return a[i + j * lda]; };

    if (notrans) {
        if (upper) {
            long jx = kx;
            for (long j = 0; j < n; ++j, jx += incx) {
                if (x[jx] != 0.0) {
                    double const temp = x[jx];
                    long ix = kx;
                    for (long i = 0; i < j; ++i, ix += incx) x[ix] += temp * A(i, j);
                    if (nounit) x[jx] = x[jx] * A(j, j);
                }
            }
        } else {
            long jx = kx + (n - 1) * incx;
            for (long j = n - 1; j >= 0; --j, jx -= incx) {
                if (x[jx] != 0.0) {
                    double const temp = x[jx];
                    long ix = kx + (n - 1) * incx;
                    for (long i = n - 1; i > j; --i, ix -= incx) x[ix] += temp * A(i, j);
                    if (nounit) x[jx] = x[jx] * A(j, j);
                }
            }
        }
    } else {
        if (upper) {
            long jx = kx + (n - 1) * incx;
            for (long j = n - 1; j >= 0; --j, jx -= incx) {
                double temp = x[jx];
                if (nounit) temp = temp * A(j, j);
                long ix = jx;
                for (long i = j - 1; i >= 0; --i) {
                    ix -= incx;
                    temp += A(i, j) * x[ix];
                }
                x[jx] = temp;
            }
        } else {
            long jx = kx;
            for (long j = 0; j < n; ++j, jx += incx) {
                double temp = x[jx];
                if (nounit) temp = temp * A(j, j);
                long ix = jx;
                for (long i = j + 1; i < n; ++i) {
                    ix += incx;
                    temp += A(i, j) * x[ix];
                }
                x[jx] = temp;
            }
        }
    }
}

void BlasDouble::TriMVmult(short opt, UMatrix<double> const& A, UVector<double>& x)
{
    if (A.GetColDim() != x.GetDim() || A.GetRowDim() != x.GetDim())
        RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    TriMVmult(opt, x.GetDim(), A.GetConstData(), A.GetColSpace(), RawStart(x), x.GetInc());
}
