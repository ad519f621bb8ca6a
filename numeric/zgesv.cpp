// MVsolve (ZGESV): solves A*X = B for the complex n x n matrix A (leading dimension lda) and the
// n x nrhs matrix B (leading dimension ldb) by LU factorisation with partial pivoting. A is
// overwritten by the factors L and U of P*A, B by X. A null ipiv makes this call allocate (and
// release) the pivot vector itself. The front-ends take A square and b (increment 1) or B with as
// many rows as A.
#include "numeric/LAPackComplex.h"
#include "numeric/LUKernel.h"

void LAPackComplex::MVsolve(long n, long nrhs, Z* a, long lda, long* ipiv, Z* b, long ldb,
                            Blas::UProgressMonitor& pm)
{
    LUDetail::Solve<LAPackComplex>(n, nrhs, a, lda, ipiv, b, ldb, pm, "ZGESV", "zgesv");
}

void LAPackComplex::MVsolve(UMatrix<Z>& A, UVector<Z>& b, Blas::UProgressMonitor& pm)
{
    LUDetail::SolveVector<LAPackComplex>(A, b, pm, "zgesv");
}

void LAPackComplex::MVsolve(UMatrix<Z>& A, UMatrix<Z>& B, Blas::UProgressMonitor& pm)
{
    LUDetail::SolveMatrix<LAPackComplex>(A, B, pm, "zgesv");
}
