#pragma once
// The reference LAPACK routines of the Householder reflectors, the QR and LQ factorisations and
// their orthogonal factors, as gfortran exports them (character lengths at the end).
#include <cstddef>

extern "C" {
void dlarfg_(const int* n, double* alpha, double* x, const int* incx, double* tau);
void dlarf_(const char* side, const int* m, const int* n, const double* v, const int* incv,
            const double* tau, double* c, const int* ldc, double* work, size_t);
void dlarft_(const char* direct, const char* storev, const int* n, const int* k, double* v,
             const int* ldv, const double* tau, double* t, const int* ldt, size_t, size_t);
void dlarfb_(const char* side, const char* trans, const char* direct, const char* storev,
             const int* m, const int* n, const int* k, const double* v, const int* ldv,
             const double* t, const int* ldt, double* c, const int* ldc, double* work,
             const int* ldwork, size_t, size_t, size_t, size_t);
void dgeqr2_(const int* m, const int* n, double* a, const int* lda, double* tau, double* work,
             int* info);
void dgeqrf_(const int* m, const int* n, double* a, const int* lda, double* tau, double* work,
             const int* lwork, int* info);
void dgelq2_(const int* m, const int* n, double* a, const int* lda, double* tau, double* work,
             int* info);
void dgelqf_(const int* m, const int* n, double* a, const int* lda, double* tau, double* work,
             const int* lwork, int* info);
void dorg2r_(const int* m, const int* n, const int* k, double* a, const int* lda, const double* tau,
             double* work, int* info);
void dorgqr_(const int* m, const int* n, const int* k, double* a, const int* lda, const double* tau,
             double* work, const int* lwork, int* info);
void dorg2l_(const int* m, const int* n, const int* k, double* a, const int* lda, const double* tau,
             double* work, int* info);
void dorgql_(const int* m, const int* n, const int* k, double* a, const int* lda, const double* tau,
             double* work, const int* lwork, int* info);
void dorgl2_(const int* m, const int* n, const int* k, double* a, const int* lda, const double* tau,
             double* work, int* info);
void dorglq_(const int* m, const int* n, const int* k, double* a, const int* lda, const double* tau,
             double* work, const int* lwork, int* info);
void dorm2r_(const char* side, const char* trans, const int* m, const int* n, const int* k,
             double* a, const int* lda, const double* tau, double* c, const int* ldc, double* work,
             int* info, size_t, size_t);
void dormqr_(const char* side, const char* trans, const int* m, const int* n, const int* k,
             double* a, const int* lda, const double* tau, double* c, const int* ldc, double* work,
             const int* lwork, int* info, size_t, size_t);
void dorml2_(const char* side, const char* trans, const int* m, const int* n, const int* k,
             double* a, const int* lda, const double* tau, double* c, const int* ldc, double* work,
             int* info, size_t, size_t);
void dormlq_(const char* side, const char* trans, const int* m, const int* n, const int* k,
             double* a, const int* lda, const double* tau, double* c, const int* ldc, double* work,
             const int* lwork, int* info, size_t, size_t);
}
