#pragma once
// The reference LAPACK auxiliary routines and plane rotations (Fortran, int arguments) that the
// auxiliary routines are checked against. Character arguments carry their hidden length at the end,
// as gfortran passes them.
#include <cstddef>

extern "C" {
void dlaset_(const char* uplo, const int* m, const int* n, const double* alpha, const double* beta,
             double* a, const int* lda, size_t);
void dlacpy_(const char* uplo, const int* m, const int* n, const double* a, const int* lda,
             double* b, const int* ldb, size_t);
double dlange_(const char* norm, const int* m, const int* n, const double* a, const int* lda,
               double* work, size_t);
double dlansy_(const char* norm, const char* uplo, const int* n, const double* a, const int* lda,
               double* work, size_t, size_t);
void dlascl_(const char* type, const int* kl, const int* ku, const double* cfrom, const double* cto,
             const int* m, const int* n, double* a, const int* lda, int* info, size_t);
void dlasrt_(const char* id, const int* n, double* d, int* info, size_t);
void dlassq_(const int* n, const double* x, const int* incx, double* scale, double* sumsq);
double dlapy2_(const double* x, const double* y);
void dlartg_(const double* f, const double* g, double* cs, double* sn, double* r);
void dlasr_(const char* side, const char* pivot, const char* direct, const int* m, const int* n,
            const double* c, const double* s, double* a, const int* lda, size_t, size_t, size_t);
}
