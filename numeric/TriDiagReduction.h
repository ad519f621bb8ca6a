#pragma once
// What the routines of the reduction to tridiagonal form share: 1-based access to the columns of a
// column-major matrix, and the blocked reduction of MtoTriDiag with its block size and crossover
// given, so that the panel path can be run although the block-size table never selects it.
#include "numeric/BlasTiming.h"

namespace TriDiagReduction {

// Element (i, j), 1-based, of the matrix at a with leading dimension ld.
struct Columns {
    double* a;
    long ld;
    double* operator()(long i, long j) const { return a + (i - 1) + (j - 1) * ld; }
};

// Reduces the symmetric n x n matrix A (lower triangle for opt 0x2, upper for 0x4) as MtoTriDiag
// does: panels of nb columns by MtoTriDiagBlock with W in work (ldwork x nb, ldwork >= n) and a
// rank-2nb update of the rest, as long as more than nx columns remain, then MtoTriDiagNoBlock on
// the rest. nb = 1 or nx >= n leaves all of it to MtoTriDiagNoBlock. As in MtoTriDiag, nx >= nb, so
// that no panel reaches the last column. Nothing is checked, the monitor is not started here.
void Blocked(short opt, long n, double* A, long lda, double* d, double* e, double* tau,
             double* work, long ldwork, long nb, long nx, Blas::UProgressMonitor& pm);

}  // namespace TriDiagReduction
