// TriMMsolve (ZTRSM): solves op(A)*X = alpha*B (opt 0x1, A on the left) or X*op(A) = alpha*B
// (0x2, on the right) for X, which overwrites the m x n matrix B. A is upper (0x4) or lower (0x8)
// triangular, op(A) = A (0x10), A**T (0x20) or A**H (0x40),
// with unit diagonal, not read (0x80), or non-unit (0x100). alpha = 0 sets B to zero without reading A.
#include "numeric/BlasComplex.h"
#include "numeric/TriSolveKernel.h"
#include "utilities/CustExcept.h"
#include "utilities/UMatVec.h"

void BlasComplex::TriMMsolve(short opt, long m, long n, Z const& alpha, Z const* a, long lda, Z* b, long ldb,
                             Blas::UProgressMonitor& pm)
{
    Blas::CheckOptions(opt, {0x3, 0xc, 0x70, 0x180}, "ztrsm", __LINE__);
    long const nrowa = (opt & 0x1) ? m : n;
    Blas::CheckArgument(m >= 0 && n >= 0 && Blas::LeadDimValid(lda, nrowa) && Blas::LeadDimValid(ldb, m),
                        "ztrsm", __LINE__);
    if (n == 0) return;
    if (alpha == Z(0.0, 0.0)) {
        for (long j = 0; j < n; ++j)
            for (long i = 0; i < m; ++i) b[i + j * ldb] = Z(0.0, 0.0);
        return;
    }
    pm.Start("ZTRSM", opt, m, m, n, false);
    TriSolveDetail::Solve<Z>(opt, m, n, alpha, a, lda, b, ldb, pm);
    pm.Finish(false);
}

void BlasComplex::TriMMsolve(short opt, UMatrix<Z> const& A, Z const& alpha, UVector<Z>& b,
                             Blas::UProgressMonitor& pm)
{
    if (A.GetRowDim() != A.GetColDim()) RaiseError(21004, "ztrsm", __LINE__);
    long const m = b.GetDim();
    if (((opt & 0x1) && m != A.GetColDim()) || ((opt & 0x2) && A.GetColDim() != 1))
        RaiseError(21003, "ztrsm", __LINE__);
    if (b.GetInc() != 1) RaiseError(23004, "ztrsm", __LINE__);
    TriMMsolve(opt, m, 1, alpha, A.GetConstData(), A.GetColSpace(), b.GetData(), m, pm);
}

void BlasComplex::TriMMsolve(short opt, UMatrix<Z> const& A, Z const& alpha, UMatrix<Z>& B,
                             Blas::UProgressMonitor& pm)
{
    if (A.GetRowDim() != A.GetColDim()) RaiseError(21004, "ztrsm", __LINE__);
    long const m = B.GetColDim();
    long const n = B.GetRowDim();
    if (((opt & 0x1) && m != A.GetColDim()) || ((opt & 0x2) && n != A.GetColDim()))
        RaiseError(21003, "ztrsm", __LINE__);
    TriMMsolve(opt, m, n, alpha, A.GetConstData(), A.GetColSpace(), B.GetData(), B.GetColSpace(), pm);
}
