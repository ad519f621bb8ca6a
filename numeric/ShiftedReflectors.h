#pragma once
// The orthogonal matrix whose reflectors lie one row below the diagonal, the vector of H(i) below
// the subdiagonal of column i: so the lower tridiagonal reduction leaves them, and the bidiagonal
// reduction of a wide matrix those of Q. SymFormReflect and PQformTransform form it alike.
#include "numeric/BlasTiming.h"
#include "numeric/LAPackDouble.h"

namespace ShiftedReflectors {

// Overwrites the n x n matrix A (leading dimension lda), which holds H(1) .. H(n-1) so, with
// Q = H(1)...H(n-1): the vectors move one column right, row and column 1 become those of the unit
// matrix, and the rest is a QR product of order n-1 (work of lwork doubles).
inline void FormQ(long n, double* A, long lda, double* tau, double* work, long lwork,
                  Blas::UProgressMonitor& pm)
{
    auto a = [A, lda](long i, long j) { return A + (i - 1) + (j - 1) * lda; };
    for (long j = n; j >= 2; --j) {
        *a(1, j) = 0.0;
        for (long i = j + 1; i <= n; ++i) *a(i, j) = *a(i, j - 1);
    }
    *a(1, 1) = 1.0;
    for (long i = 2; i <= n; ++i) *a(i, 1) = 0.0;
    if (n > 1) LAPackDouble::QRformProduct(n - 1, n - 1, n - 1, a(2, 2), lda, tau, work, lwork, pm);
}

}  // namespace ShiftedReflectors
