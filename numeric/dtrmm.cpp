// TriMMmult (DTRMM): B := alpha*op(A)*B (opt 0x1, A on the left) or B := alpha*B*op(A) (0x2, on
// the right) for the m x n matrix B. A is upper (0x4) or lower (0x8) triangular, op(A) = A (0x10)
// or A**T (0x20, or 0x40 which means the same for real data), with unit diagonal, not read (0x80),
// or non-unit (0x100). alpha = 0 sets B to zero without reading A.
#include "numeric/BlasDouble.h"
#include "numeric/ColumnUpdate.h"
#include "utilities/CustExcept.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"

namespace {

const char* const sourceName = "dtrmm";

void Multiply(short opt, long m, long n, double alpha, double const* a, long lda, double* b,
              long ldb, Blas::UProgressMonitor& pm)
{
    bool const lside = (opt & 0x1) != 0;
    bool const upper = (opt & 0x4) != 0;
    bool const notrans = (opt & 0x10) != 0;
    bool const nounit = (opt & 0x100) != 0;
    auto A = [a, lda](long i, long j) { return a[i + j * lda]; };
    auto Col = [b, ldb](long j) { return b + j * ldb; };
    auto Scale = [m](double* x, double s) {
        for (long i = 0; i < m; ++i) x[i] = s * x[i];
    };

    if (lside) {
        for (long j = 0; j < n; ++j) {
            double* bj = Col(j);
            if (notrans && upper) {
                for (long k = 0; k < m; ++k) {
                    if (bj[k] == 0.0) continue;
                    double temp = alpha * bj[k];
                    AddScaledColumn(0, k, temp, a + k * lda, bj);
                    if (nounit) temp = temp * A(k, k);
                    bj[k] = temp;
                }
            } else if (notrans) {
                for (long k = m - 1; k >= 0; --k) {
                    if (bj[k] == 0.0) continue;
                    double const temp = alpha * bj[k];
                    bj[k] = temp;
                    if (nounit) bj[k] = bj[k] * A(k, k);
                    AddScaledColumn(k + 1, m, temp, a + k * lda, bj);
                }
            } else if (upper) {
                for (long i = m - 1; i >= 0; --i) {
                    double temp = bj[i];
                    if (nounit) temp = temp * A(i, i);
                    for (long k = 0; k < i; ++k) temp += A(k, i) * bj[k];
                    bj[i] = alpha * temp;
                }
            } else {
                for (long i = 0; i < m; ++i) {
                    double temp = bj[i];
                    if (nounit) temp = temp * A(i, i);
                    for (long k = i + 1; k < m; ++k) temp += A(k, i) * bj[k];
                    bj[i] = alpha * temp;
                }
            }
            pm.Test(j);
        }
        return;
    }

    if (notrans) {
        if (upper) {
            for (long j = n - 1; j >= 0; --j) {
                double temp = alpha;
                if (nounit) temp = temp * A(j, j);
                Scale(Col(j), temp);
                for (long k = 0; k < j; ++k)
                    if (A(k, j) != 0.0) AddScaledColumn(0, m, alpha * A(k, j), Col(k), Col(j));
                pm.Test(n - 1 - j);
            }
        } else {
            for (long j = 0; j < n; ++j) {
                double temp = alpha;
                if (nounit) temp = temp * A(j, j);
                Scale(Col(j), temp);
                for (long k = j + 1; k < n; ++k)
                    if (A(k, j) != 0.0) AddScaledColumn(0, m, alpha * A(k, j), Col(k), Col(j));
                pm.Test(j);
            }
        }
    } else {
        if (upper) {
            for (long k = 0; k < n; ++k) {
                for (long j = 0; j < k; ++j)
                    if (A(j, k) != 0.0) AddScaledColumn(0, m, alpha * A(j, k), Col(k), Col(j));
                double temp = alpha;
                if (nounit) temp = temp * A(k, k);
                if (temp != 1.0) Scale(Col(k), temp);
                pm.Test(k);
            }
        } else {
            for (long k = n - 1; k >= 0; --k) {
                for (long j = k + 1; j < n; ++j)
                    if (A(j, k) != 0.0) AddScaledColumn(0, m, alpha * A(j, k), Col(k), Col(j));
                double temp = alpha;
                if (nounit) temp = temp * A(k, k);
                if (temp != 1.0) Scale(Col(k), temp);
                pm.Test(n - 1 - k);
            }
        }
    }
}

}  // namespace

void BlasDouble::TriMMmult(short opt, long m, long n, double alpha, double const* a, long lda,
                           double* b, long ldb, Blas::UProgressMonitor& pm)
{
    Blas::CheckOptions(opt, {0x3, 0xc, 0x70, 0x180}, sourceName, __LINE__);
    long const nrowa = (opt & 0x1) ? m : n;
    Blas::CheckArgument(m >= 0 && n >= 0 && Blas::LeadDimValid(lda, nrowa) &&
                            Blas::LeadDimValid(ldb, m),
                        sourceName, __LINE__);
    if (n == 0) return;
    if (alpha == 0.0) {
        for (long j = 0; j < n; ++j)
            for (long i = 0; i < m; ++i) b[i + j * ldb] = 0.0;
        return;
    }
    pm.Start("DTRMM", opt, m, m, n, false);
    Multiply(opt, m, n, alpha, a, lda, b, ldb, pm);
    pm.Finish(false);
}

void BlasDouble::TriMMmult(short opt, double alpha, UMatrix<double> const& A, UMatrix<double>& B,
                           Blas::UProgressMonitor& pm)
{
    long const m = B.GetColDim();
    long const n = B.GetRowDim();
    long const k = (opt & 0x1) ? m : n;
    if (A.GetRowDim() != k || A.GetColDim() != k)
        RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    TriMMmult(opt, m, n, alpha, A.GetConstData(), A.GetColSpace(), B.GetData(), B.GetColSpace(),
              pm);
}
