#pragma once
// LAPACK routines on double. Static members only, no data; each
// routine's source file is named after its reference routine in lower case.
#include <complex>

#include "numeric/BlasTiming.h"
#include "numeric/BlasUtils.h"

class LAPackDouble {
public:
    LAPackDouble() = delete;

    // Routines, grouped by reference routine: raw form on pointers first,
    // then the front-ends on UVector and UMatrix.

    // DGESV
    static void MVsolve(long n, long nrhs, double* a, long lda, long* ipiv, double* b, long ldb,
                        Blas::UProgressMonitor& pm);
    static void MVsolve(UMatrix<double>& A, UVector<double>& b, Blas::UProgressMonitor& pm);
    static void MVsolve(UMatrix<double>& A, UMatrix<double>& B, Blas::UProgressMonitor& pm);

    // DGETRF
    static void LUfactor(long m, long n, double* a, long lda, long* ipiv, Blas::UProgressMonitor& pm);

    // DGETF2
    static void LUfactor2(long m, long n, double* a, long lda, long* ipiv, Blas::UProgressMonitor& pm);

    // DGETRS
    static void LUsolve(short opt, long n, long nrhs, double* a, long lda, long* ipiv, double* b, long ldb,
                        Blas::UProgressMonitor& pm);

    // DLASWP
    static void MswapRows(long n, double* a, long lda, long k1, long k2, long* ipiv, long incx);
};
