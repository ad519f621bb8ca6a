#pragma once
// The reference LAPACK routines of the bidiagonal singular value decomposition (Fortran, int
// arguments; character lengths last, as gfortran passes them).
#include <cstddef>

extern "C" {
void dlas2_(const double* f, const double* g, const double* h, double* ssmin, double* ssmax);
void dlasv2_(const double* f, const double* g, const double* h, double* ssmin, double* ssmax,
             double* snr, double* csr, double* snl, double* csl);
void dbdsqr_(const char* uplo, const int* n, const int* ncvt, const int* nru, const int* ncc,
             double* d, double* e, double* vt, const int* ldvt, double* u, const int* ldu,
             double* c, const int* ldc, double* work, int* info, size_t);
// The dqds driver of the reference release (work of 4n doubles there).
void dlasq1_(const int* n, double* d, double* e, double* work, int* info);
}
