// MVsolve (ZGESV): solves A*X = B for the complex n x n matrix A and the n x nrhs matrix B by LU
// factorisation with partial pivoting. A is overwritten by the factors L and U of P*A, B by X.
// A null ipiv makes this call allocate (and release) the pivot vector itself.
#include "numeric/LAPackComplex.h"
#include "utilities/CustExcept.h"
#include "utilities/UMatVec.h"

void LAPackComplex::MVsolve(long n, long nrhs, Z* a, long lda, long* ipiv, Z* b, long ldb,
                            Blas::UProgressMonitor& pm)
{
    bool const ownPivots = ipiv == nullptr;
    Blas::CheckArgument(n >= 0 && nrhs >= 0 && Blas::LeadDimValid(lda, n) && Blas::LeadDimValid(ldb, n),
                        "zgesv", __LINE__);
    if (ownPivots) {
        long size = n;
        Blas::HeapAlloc(n, size, ipiv);
    }
    try {
        pm.Start("ZGESV", 0, n, nrhs, 0, true);
        LUfactor(n, n, a, lda, ipiv, pm);
        LUsolve(0x10, n, nrhs, a, lda, ipiv, b, ldb, pm);
        pm.Finish(true);
    } catch (...) {
        if (ownPivots) Blas::HeapDeAlloc(ipiv);
        throw;
    }
    if (ownPivots) Blas::HeapDeAlloc(ipiv);
}

void LAPackComplex::MVsolve(UMatrix<Z>& A, UVector<Z>& b, Blas::UProgressMonitor& pm)
{
    if (A.GetRowDim() != A.GetColDim()) RaiseError(21004, "zgesv", __LINE__);
    if (b.GetDim() != A.GetColDim()) RaiseError(21003, "zgesv", __LINE__);
    // The solve treats b as n consecutive elements; a strided view would be read past its end.
    if (b.GetInc() != 1) RaiseError(23004, "zgesv", __LINE__);
    long const n = b.GetDim();
    MVsolve(n, 1, A.GetData(), A.GetColSpace(), nullptr, b.GetData(), n, pm);
}

void LAPackComplex::MVsolve(UMatrix<Z>& A, UMatrix<Z>& B, Blas::UProgressMonitor& pm)
{
    if (A.GetRowDim() != A.GetColDim()) RaiseError(21004, "zgesv", __LINE__);
    if (B.GetColDim() != A.GetColDim()) RaiseError(21003, "zgesv", __LINE__);
    MVsolve(B.GetColDim(), B.GetRowDim(), A.GetData(), A.GetColSpace(), nullptr, B.GetData(), B.GetColSpace(),
            pm);
}
