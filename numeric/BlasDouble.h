#pragma once
// BLAS kernels on double. Static members only, no data; each
// routine's source file is named after its reference routine in lower case.
#include <complex>

#include "numeric/BlasTiming.h"
#include "numeric/BlasUtils.h"

class BlasDouble {
public:
    BlasDouble() = delete;

    // Routines, grouped by reference routine: raw form on pointers first,
    // then the front-ends on UVector and UMatrix.

    // DAXPY
    static void VVadd(long n, double a, double const* x, long incx, double* y, long incy);
    static void VVadd(double a, UVector<double> const& x, UVector<double>& y);

    // DDOT, and the same with a third factor
    static double VVmult(long n, double const* x, long incx, double const* y, long incy);
    static double VVmult(UVector<double> const& x, UVector<double> const& y);
    static double VVVmult(long n, double const* x, long incx, double const* y, long incy,
                          double const* z, long incz);
    static double VVVmult(UVector<double> const& x, UVector<double> const& y,
                          UVector<double> const& z);

    // DSCAL
    static void Vscale(long n, double a, double* x, long incx);
    static void Vscale(UVector<double>& x, double a);

    // DROT
    static void Vrotate(long n, double* x, long incx, double* y, long incy, double c, double s);
    static void Vrotate(double c, double s, UVector<double>& x, UVector<double>& y);

    // DNRM2
    static double VgetNorm(long n, double const* x, long incx);
    static double VgetNorm(UVector<double> const& x);

    // IDAMAX
    static long VgetMax(long n, double const* x, long incx);
    static long VgetMax(UVector<double> const& x);

    // DGEMV
    static void MVVmultAdd(short opt, long m, long n, double alpha, double const* a, long lda,
                           double const* x, long incx, double beta, double* y, long incy);
    static void MVVmultAdd(short opt, double alpha, UMatrix<double> const& A,
                           UVector<double> const& x, double beta, UVector<double>& y);

    // DSYMV
    static void SymMVVmultAdd(short opt, long n, double alpha, double const* a, long lda,
                              double const* x, long incx, double beta, double* y, long incy);

    // DTRMV
    static void TriMVmult(short opt, long n, double const* a, long lda, double* x, long incx);
    static void TriMVmult(short opt, UMatrix<double> const& A, UVector<double>& x);

    // DGER
    static void VVMmultAdd1(long m, long n, double alpha, double const* x, long incx,
                            double const* y, long incy, double* a, long lda);
    static void VVMmultAdd1(double alpha, UVector<double> const& x, UVector<double> const& y,
                            UMatrix<double>& A);

    // DSYR2
    static void SymVVMmultAdd(short opt, long n, double alpha, double const* x, long incx,
                              double const* y, long incy, double* a, long lda);

    // DGEMM
    static void MMMmultAdd(short opt, long m, long n, long k, double alpha, double const* a,
                           long lda, double const* b, long ldb, double beta, double* c, long ldc,
                           Blas::UProgressMonitor& pm);
    static void MMMmultAdd(short opt, double alpha, UMatrix<double> const& A,
                           UMatrix<double> const& B, double beta, UMatrix<double>& C,
                           Blas::UProgressMonitor& pm);

    // DTRSM
    static void TriMMsolve(short opt, long m, long n, double alpha, double const* a, long lda,
                           double* b, long ldb, Blas::UProgressMonitor& pm);
    static void TriMMsolve(short opt, UMatrix<double> const& A, double alpha, UVector<double>& b,
                           Blas::UProgressMonitor& pm);
    static void TriMMsolve(short opt, UMatrix<double> const& A, double alpha, UMatrix<double>& B,
                           Blas::UProgressMonitor& pm);

    // DTRMM
    static void TriMMmult(short opt, long m, long n, double alpha, double const* a, long lda,
                          double* b, long ldb, Blas::UProgressMonitor& pm);
    static void TriMMmult(short opt, double alpha, UMatrix<double> const& A, UMatrix<double>& B,
                          Blas::UProgressMonitor& pm);

    // DSYR2K (raw form only)
    static void SymMMMmultAdd(short opt, long n, long k, double alpha, double const* a, long lda,
                              double const* b, long ldb, double beta, double* c, long ldc,
                              Blas::UProgressMonitor& pm);
};
