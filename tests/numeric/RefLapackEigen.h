#pragma once
// The reference LAPACK routines of the symmetric eigenproblem and the tridiagonal reduction that
// the tests check against. Character arguments carry their hidden length at the end, as gfortran
// passes them.
#include <cstddef>

extern "C" {
void dsyev_(const char* jobz, const char* uplo, const int* n, double* a, const int* lda, double* w,
            double* work, const int* lwork, int* info, size_t, size_t);
void dsteqr_(const char* compz, const int* n, double* d, double* e, double* z, const int* ldz,
             double* work, int* info, size_t);
void dsterf_(const int* n, double* d, double* e, int* info);
void dsytd2_(const char* uplo, const int* n, double* a, const int* lda, double* d, double* e,
             double* tau, int* info, size_t);
void dorgtr_(const char* uplo, const int* n, double* a, const int* lda, const double* tau,
             double* work, const int* lwork, int* info, size_t);
void dlae2_(const double* a, const double* b, const double* c, double* rt1, double* rt2);
void dlaev2_(const double* a, const double* b, const double* c, double* rt1, double* rt2,
             double* cs1, double* sn1);
double dlanst_(const char* norm, const int* n, const double* d, const double* e, size_t);
}
