#pragma once
// The reference LAPACK routines of the bidiagonal reduction and the singular value decomposition
// driver (Fortran, int arguments; character lengths last, as gfortran passes them).
#include <cstddef>

extern "C" {
void dgebd2_(const int* m, const int* n, double* a, const int* lda, double* d, double* e,
             double* tauq, double* taup, double* work, int* info);
void dgebrd_(const int* m, const int* n, double* a, const int* lda, double* d, double* e,
             double* tauq, double* taup, double* work, const int* lwork, int* info);
void dgesvd_(const char* jobu, const char* jobvt, const int* m, const int* n, double* a,
             const int* lda, double* s, double* u, const int* ldu, double* vt, const int* ldvt,
             double* work, const int* lwork, int* info, size_t, size_t);
}
