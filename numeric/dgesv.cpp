// MVsolve (DGESV): solves A*X = B for the n x n matrix A (leading dimension lda) and the n x nrhs
// matrix B (leading dimension ldb) by LU factorisation with partial pivoting. A is overwritten by
// the factors L and U of P*A, B by X. A null ipiv makes this call allocate (and release) the pivot
// vector itself. The front-ends take A square and b (increment 1) or B with as many rows as A.
#include "numeric/LAPackDouble.h"
#include "numeric/LUKernel.h"

void LAPackDouble::MVsolve(long n, long nrhs, double* a, long lda, long* ipiv, double* b, long ldb,
                           Blas::UProgressMonitor& pm)
{
    LUDetail::Solve<LAPackDouble>(n, nrhs, a, lda, ipiv, b, ldb, pm, "DGESV", "dgesv");
}

void LAPackDouble::MVsolve(UMatrix<double>& A, UVector<double>& b, Blas::UProgressMonitor& pm)
{
    LUDetail::SolveVector<LAPackDouble>(A, b, pm, "dgesv");
}

void LAPackDouble::MVsolve(UMatrix<double>& A, UMatrix<double>& B, Blas::UProgressMonitor& pm)
{
    LUDetail::SolveMatrix<LAPackDouble>(A, B, pm, "dgesv");
}
