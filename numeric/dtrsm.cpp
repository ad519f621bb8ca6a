// TriMMsolve (DTRSM): solves op(A)*X = alpha*B (opt 0x1, A on the left) or X*op(A) = alpha*B
// (0x2, on the right) for X, which overwrites the m x n matrix B. A is upper (0x4) or lower (0x8)
// triangular, op(A) = A (0x10) or A**T (0x20, or 0x40 which means the same for real data),
// with unit diagonal, not read (0x80), or non-unit (0x100). alpha = 0 sets B to zero without
// reading A.
#include "numeric/BlasDouble.h"
#include "numeric/MatrixFrontEnds.h"
#include "numeric/TriSolveKernel.h"
#include "utilities/UMatVec.h"

void BlasDouble::TriMMsolve(short opt, long m, long n, double alpha, double const* a, long lda,
                            double* b, long ldb, Blas::UProgressMonitor& pm)
{
    TriKernel::Run<double>(opt, m, n, alpha, a, lda, b, ldb, pm, "DTRSM", "dtrsm",
                           TriSolveDetail::Solve<double>);
}

void BlasDouble::TriMMsolve(short opt, UMatrix<double> const& A, double alpha, UVector<double>& b,
                            Blas::UProgressMonitor& pm)
{
    MatrixFrontEnds::SolveVector<BlasDouble>(opt, A, alpha, b, pm, "dtrsm");
}

void BlasDouble::TriMMsolve(short opt, UMatrix<double> const& A, double alpha, UMatrix<double>& B,
                            Blas::UProgressMonitor& pm)
{
    MatrixFrontEnds::SolveMatrix<BlasDouble>(opt, A, alpha, B, pm, "dtrsm");
}
