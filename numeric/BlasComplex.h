#pragma once
// BLAS kernels on std::complex<double>, also with real operands mixed in. Static members only, no
// data; each routine's source file is named after its reference routine in lower case.
#include <complex>

#include "numeric/BlasTiming.h"
#include "numeric/BlasUtils.h"

class BlasComplex {
public:
    BlasComplex() = delete;

    // Routines, grouped by reference routine: raw form on pointers first,
    // then the front-ends on UVector and UMatrix.

    // Complex element type
    typedef std::complex<double> Z;

    // DCABS1
    static double GetNorm1(Z const& z);

    // ZSCAL
    static void Vscale(long n, Z const& a, Z* x, long incx);
    static void Vscale(UVector<Z>& x, Z const& a);

    // ZDOTU, and the same with a third factor
    static Z VVmult(long n, Z const* x, long incx, Z const* y, long incy);
    static Z VVmult(long n, double const* x, long incx, Z const* y, long incy);
    static Z VVmult(UVector<Z> const& x, UVector<Z> const& y);
    static Z VVmult(UVector<double> const& x, UVector<Z> const& y);
    static Z VVmult(UVector<Z> const& x, UVector<double> const& y);
    static Z VVVmult(long n, Z const* x, long incx, Z const* y, long incy, Z const* z, long incz);
    static Z VVVmult(long n, double const* x, long incx, Z const* y, long incy, Z const* z,
                     long incz);
    static Z VVVmult(long n, double const* x, long incx, double const* y, long incy, Z const* z,
                     long incz);
    static Z VVVmult(UVector<Z> const& x, UVector<Z> const& y, UVector<Z> const& z);
    static Z VVVmult(UVector<double> const& x, UVector<Z> const& y, UVector<Z> const& z);
    static Z VVVmult(UVector<Z> const& x, UVector<double> const& y, UVector<Z> const& z);
    static Z VVVmult(UVector<Z> const& x, UVector<Z> const& y, UVector<double> const& z);
    static Z VVVmult(UVector<double> const& x, UVector<double> const& y, UVector<Z> const& z);
    static Z VVVmult(UVector<double> const& x, UVector<Z> const& y, UVector<double> const& z);
    static Z VVVmult(UVector<Z> const& x, UVector<double> const& y, UVector<double> const& z);

    // IZAMAX
    static long VgetMax(long n, Z const* x, long incx);
    static long VgetMax(UVector<Z> const& x);

    // ZGERU
    static void VVMmultAdd1(long m, long n, Z const& alpha, Z const* x, long incx, Z const* y,
                            long incy, Z* a, long lda);
    static void VVMmultAdd1(Z const& alpha, UVector<Z> const& x, UVector<Z> const& y,
                            UMatrix<Z>& A);

    // ZGEMM
    static void MMMmultAdd(short opt, long m, long n, long k, Z const& alpha, Z const* a, long lda,
                           Z const* b, long ldb, Z const& beta, Z* c, long ldc,
                           Blas::UProgressMonitor& pm);
    static void MMMmultAdd(short opt, Z const& alpha, UMatrix<Z> const& A, UMatrix<Z> const& B,
                           Z const& beta, UMatrix<Z>& C, Blas::UProgressMonitor& pm);

    // ZTRSM
    static void TriMMsolve(short opt, long m, long n, Z const& alpha, Z const* a, long lda, Z* b,
                           long ldb, Blas::UProgressMonitor& pm);
    static void TriMMsolve(short opt, UMatrix<Z> const& A, Z const& alpha, UVector<Z>& b,
                           Blas::UProgressMonitor& pm);
    static void TriMMsolve(short opt, UMatrix<Z> const& A, Z const& alpha, UMatrix<Z>& B,
                           Blas::UProgressMonitor& pm);
};
