// MVsolve (DGESV): solves A*X = B for the n x n matrix A and the n x nrhs matrix B by LU
// factorisation with partial pivoting. A is overwritten by the factors L and U of P*A, B by X.
// A null ipiv makes this call allocate (and release) the pivot vector itself.
#include "numeric/LAPackDouble.h"
#include "utilities/CustExcept.h"
#include "utilities/UMatVec.h"

void LAPackDouble::MVsolve(long n, long nrhs, double* a, long lda, long* ipiv, double* b, long ldb,
                           Blas::UProgressMonitor& pm)
{
    bool const ownPivots = ipiv == nullptr;
    Blas::CheckArgument(n >= 0 && nrhs >= 0 && Blas::LeadDimValid(lda, n) && Blas::LeadDimValid(ldb, n),
                        "dgesv", __LINE__);
    if (ownPivots) {
        long size = n;
        Blas::HeapAlloc(n, size, ipiv);
    }
    try {
        pm.Start("DGESV", 0, n, nrhs, 0, true);
        LUfactor(n, n, a, lda, ipiv, pm);
        LUsolve(0x10, n, nrhs, a, lda, ipiv, b, ldb, pm);
        pm.Finish(true);
    } catch (...) {
        if (ownPivots) Blas::HeapDeAlloc(ipiv);
        throw;
    }
    if (ownPivots) Blas::HeapDeAlloc(ipiv);
}

void LAPackDouble::MVsolve(UMatrix<double>& A, UVector<double>& b, Blas::UProgressMonitor& pm)
{
    if (A.GetRowDim() != A.GetColDim()) RaiseError(21004, "dgesv", __LINE__);
    if (b.GetDim() != A.GetColDim()) RaiseError(21003, "dgesv", __LINE__);
    // The solve treats b as n consecutive elements; a strided view would be read past its end.
    if (b.GetInc() != 1) RaiseError(23004, "dgesv", __LINE__);
    long const n = b.GetDim();
    MVsolve(n, 1, A.GetData(), A.GetColSpace(), nullptr, b.GetData(), n, pm);
}

void LAPackDouble::MVsolve(UMatrix<double>& A, UMatrix<double>& B, Blas::UProgressMonitor& pm)
{
    if (A.GetRowDim() != A.GetColDim()) RaiseError(21004, "dgesv", __LINE__);
    if (B.GetColDim() != A.GetColDim()) RaiseError(21003, "dgesv", __LINE__);
    MVsolve(B.GetColDim(), B.GetRowDim(), A.GetData(), A.GetColSpace(), nullptr, B.GetData(), B.GetColSpace(),
            pm);
}
