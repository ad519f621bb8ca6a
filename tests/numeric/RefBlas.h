#pragma once
// The reference BLAS and LAPACK (Fortran, int arguments) that the kernels are checked against.
// Character arguments carry their hidden length at the end, as gfortran passes them.
#include <complex>
#include <cstddef>

typedef std::complex<double> cplx;

extern "C" {
void daxpy_(const int* n, const double* a, const double* x, const int* incx, double* y,
            const int* incy);
double ddot_(const int* n, const double* x, const int* incx, const double* y, const int* incy);
void dscal_(const int* n, const double* a, double* x, const int* incx);
void zscal_(const int* n, const cplx* a, cplx* x, const int* incx);
cplx zdotu_(const int* n, const cplx* x, const int* incx, const cplx* y, const int* incy);
void drot_(const int* n, double* x, const int* incx, double* y, const int* incy, const double* c,
           const double* s);
double dnrm2_(const int* n, const double* x, const int* incx);
int idamax_(const int* n, const double* x, const int* incx);
int izamax_(const int* n, const cplx* x, const int* incx);
void dswap_(const int* n, double* x, const int* incx, double* y, const int* incy);
void zswap_(const int* n, cplx* x, const int* incx, cplx* y, const int* incy);
void dgemv_(const char* trans, const int* m, const int* n, const double* alpha, const double* a,
            const int* lda, const double* x, const int* incx, const double* beta, double* y,
            const int* incy, size_t);
void dsymv_(const char* uplo, const int* n, const double* alpha, const double* a, const int* lda,
            const double* x, const int* incx, const double* beta, double* y, const int* incy,
            size_t);
void dtrmv_(const char* uplo, const char* trans, const char* diag, const int* n, const double* a,
            const int* lda, double* x, const int* incx, size_t, size_t, size_t);
void dger_(const int* m, const int* n, const double* alpha, const double* x, const int* incx,
           const double* y, const int* incy, double* a, const int* lda);
void zgeru_(const int* m, const int* n, const cplx* alpha, const cplx* x, const int* incx,
            const cplx* y, const int* incy, cplx* a, const int* lda);
void dsyr2_(const char* uplo, const int* n, const double* alpha, const double* x, const int* incx,
            const double* y, const int* incy, double* a, const int* lda, size_t);
void dgemm_(const char* ta, const char* tb, const int* m, const int* n, const int* k,
            const double* alpha, const double* a, const int* lda, const double* b, const int* ldb,
            const double* beta, double* c, const int* ldc, size_t, size_t);
void zgemm_(const char* ta, const char* tb, const int* m, const int* n, const int* k,
            const cplx* alpha, const cplx* a, const int* lda, const cplx* b, const int* ldb,
            const cplx* beta, cplx* c, const int* ldc, size_t, size_t);
void dtrsm_(const char* side, const char* uplo, const char* ta, const char* diag, const int* m,
            const int* n, const double* alpha, const double* a, const int* lda, double* b,
            const int* ldb, size_t, size_t, size_t, size_t);
void ztrsm_(const char* side, const char* uplo, const char* ta, const char* diag, const int* m,
            const int* n, const cplx* alpha, const cplx* a, const int* lda, cplx* b, const int* ldb,
            size_t, size_t, size_t, size_t);
void dtrmm_(const char* side, const char* uplo, const char* ta, const char* diag, const int* m,
            const int* n, const double* alpha, const double* a, const int* lda, double* b,
            const int* ldb, size_t, size_t, size_t, size_t);
void dsyr2k_(const char* uplo, const char* trans, const int* n, const int* k, const double* alpha,
             const double* a, const int* lda, const double* b, const int* ldb, const double* beta,
             double* c, const int* ldc, size_t, size_t);
void dgetrf_(const int* m, const int* n, double* a, const int* lda, int* ipiv, int* info);
void dgetf2_(const int* m, const int* n, double* a, const int* lda, int* ipiv, int* info);
void dgetrs_(const char* trans, const int* n, const int* nrhs, const double* a, const int* lda,
             const int* ipiv, double* b, const int* ldb, int* info, size_t);
void dgesv_(const int* n, const int* nrhs, double* a, const int* lda, int* ipiv, double* b,
            const int* ldb, int* info);
void dlaswp_(const int* n, double* a, const int* lda, const int* k1, const int* k2, const int* ipiv,
             const int* incx);
void zgetrf_(const int* m, const int* n, cplx* a, const int* lda, int* ipiv, int* info);
void zgetf2_(const int* m, const int* n, cplx* a, const int* lda, int* ipiv, int* info);
void zgetrs_(const char* trans, const int* n, const int* nrhs, const cplx* a, const int* lda,
             const int* ipiv, cplx* b, const int* ldb, int* info, size_t);
void zgesv_(const int* n, const int* nrhs, cplx* a, const int* lda, int* ipiv, cplx* b,
            const int* ldb, int* info);
}
