#pragma once
// LAPACK routines on std::complex<double> (the LU family). Static members only, no data; each
// routine's source file is named after its reference routine in lower case.
#include <complex>

#include "numeric/BlasTiming.h"
#include "numeric/BlasUtils.h"

class LAPackComplex {
public:
    LAPackComplex() = delete;

    // Routines, grouped by reference routine: raw form on pointers first,
    // then the front-ends on UVector and UMatrix.

    // Complex element type
    typedef std::complex<double> Z;

    // ZGESV
    static void MVsolve(long n, long nrhs, Z* a, long lda, long* ipiv, Z* b, long ldb,
                        Blas::UProgressMonitor& pm);
    static void MVsolve(UMatrix<Z>& A, UVector<Z>& b, Blas::UProgressMonitor& pm);
    static void MVsolve(UMatrix<Z>& A, UMatrix<Z>& B, Blas::UProgressMonitor& pm);

    // ZGETRF
    static void LUfactor(long m, long n, Z* a, long lda, long* ipiv, Blas::UProgressMonitor& pm);

    // ZGETF2
    static void LUfactor2(long m, long n, Z* a, long lda, long* ipiv, Blas::UProgressMonitor& pm);

    // ZGETRS
    static void LUsolve(short opt, long n, long nrhs, Z* a, long lda, long* ipiv, Z* b, long ldb,
                        Blas::UProgressMonitor& pm);

    // ZLASWP
    static void MswapRows(long n, Z* a, long lda, long k1, long k2, long* ipiv, long incx);
};
