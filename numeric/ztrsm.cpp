// TriMMsolve (ZTRSM): solves op(A)*X = alpha*B (opt 0x1, A on the left) or X*op(A) = alpha*B
// (0x2, on the right) for X, which overwrites the m x n matrix B. A is upper (0x4) or lower (0x8)
// triangular, op(A) = A (0x10), A**T (0x20) or A**H (0x40),
// with unit diagonal, not read (0x80), or non-unit (0x100). alpha = 0 sets B to zero without
// reading A.
#include "numeric/BlasComplex.h"
#include "numeric/MatrixFrontEnds.h"
#include "numeric/TriSolveKernel.h"
#include "utilities/UMatVec.h"

void BlasComplex::TriMMsolve(short opt, long m, long n, Z const& alpha, Z const* a, long lda, Z* b,
                             long ldb, Blas::UProgressMonitor& pm)
{
    TriKernel::Run<Z>(opt, m, n, alpha, a, lda, b, ldb, pm, "ZTRSM", "ztrsm",
                      TriSolveDetail::Solve<Z>);
}

void BlasComplex::TriMMsolve(short opt, UMatrix<Z> const& A, Z const& alpha, UVector<Z>& b,
                             Blas::UProgressMonitor& pm)
{
    MatrixFrontEnds::SolveVector<BlasComplex>(opt, A, alpha, b, pm, "ztrsm");
}

void BlasComplex::TriMMsolve(short opt, UMatrix<Z> const& A, Z const& alpha, UMatrix<Z>& B,
                             Blas::UProgressMonitor& pm)
{
    MatrixFrontEnds::SolveMatrix<BlasComplex>(opt, A, alpha, B, pm, "ztrsm");
}
