// TriMMsolve (DTRSM): solves op(A)*X = alpha*B (opt 0x1, A on the left) or X*op(A) = alpha*B
// (0x2, on the right) for X, which overwrites the m x n matrix B. A is upper (0x4) or lower (0x8)
// triangular, op(A) = A (0x10) or A**T (0x20, or 0x40 which means the same for real data),
// with unit diagonal, not read (0x80), or non-unit (0x100). alpha = 0 sets B to zero without reading A.
#include "numeric/BlasDouble.h"
#include "numeric/TriSolveKernel.h"
#include "utilities/CustExcept.h"
#include "utilities/UMatVec.h"

void BlasDouble::TriMMsolve(short opt, long m, long n, double alpha, double const* a, long lda, double* b,
                            long ldb, Blas::UProgressMonitor& pm)
{
    Blas::CheckOptions(opt, {0x3, 0xc, 0x70, 0x180}, "dtrsm", __LINE__);
    long const nrowa = (opt & 0x1) ? m : n;
    Blas::CheckArgument(m >= 0 && n >= 0 && Blas::LeadDimValid(lda, nrowa) && Blas::LeadDimValid(ldb, m),
                        "dtrsm", __LINE__);
    if (n == 0) return;
    if (alpha == 0.0) {
        for (long j = 0; j < n; ++j)
            for (long i = 0; i < m; ++i) b[i + j * ldb] = 0.0;
        return;
    }
    pm.Start("DTRSM", opt, m, m, n, false);
    TriSolveDetail::Solve<double>(opt, m, n, alpha, a, lda, b, ldb, pm);
    pm.Finish(false);
}

void BlasDouble::TriMMsolve(short opt, UMatrix<double> const& A, double alpha, UVector<double>& b,
                            Blas::UProgressMonitor& pm)
{
    if (A.GetRowDim() != A.GetColDim()) RaiseError(21004, "dtrsm", __LINE__);
    long const m = b.GetDim();
    if (((opt & 0x1) && m != A.GetColDim()) || ((opt & 0x2) && A.GetColDim() != 1))
        RaiseError(21003, "dtrsm", __LINE__);
    if (b.GetInc() != 1) RaiseError(23004, "dtrsm", __LINE__);
    TriMMsolve(opt, m, 1, alpha, A.GetConstData(), A.GetColSpace(), b.GetData(), m, pm);
}

void BlasDouble::TriMMsolve(short opt, UMatrix<double> const& A, double alpha, UMatrix<double>& B,
                            Blas::UProgressMonitor& pm)
{
    if (A.GetRowDim() != A.GetColDim()) RaiseError(21004, "dtrsm", __LINE__);
    long const m = B.GetColDim();
    long const n = B.GetRowDim();
    if (((opt & 0x1) && m != A.GetColDim()) || ((opt & 0x2) && n != A.GetColDim()))
        RaiseError(21003, "dtrsm", __LINE__);
    TriMMsolve(opt, m, n, alpha, A.GetConstData(), A.GetColSpace(), B.GetData(), B.GetColSpace(), pm);
}
