// PQformTransform (DORGBR): overwrites the m x n matrix A (leading dimension lda), which holds the
// reflectors that MtoBiDiag left there, with Q (opt 0x1) or P**T (opt 0x2). For Q the reflectors
// are in the columns, k being the number of columns of the matrix that was reduced: m >= k gives
// the first n columns of Q (n >= k), m < k (then m = n) the whole of Q, whose reflectors lie one
// row lower. For P**T they are in the rows, k the number of rows reduced: k < n gives the first m
// rows (m >= k), k >= n (then m = n) the whole of P**T, its reflectors one column further right.
// work holds lwork >= max(1, min(m, n)) doubles; more lets QRformProduct or LQformProduct block.
#include <algorithm>

#include "numeric/LAPackDouble.h"
#include "numeric/ShiftedReflectors.h"

namespace {

const char* const sourceName = "dorgbr";

// P**T with its reflectors right of the superdiagonal: they move one row down, so that row and
// column 1 become those of the unit matrix and the rest is an LQ product of order n-1.
void ShiftRowsDown(long n, double* A, long lda)
{
    auto a = [A, lda](long i, long j) { return A + (i - 1) + (j - 1) * lda; };
    *a(1, 1) = 1.0;
    for (long i = 2; i <= n; ++i) *a(i, 1) = 0.0;
    for (long j = 2; j <= n; ++j) {
        for (long i = j - 1; i >= 2; --i) *a(i, j) = *a(i - 1, j);
        *a(1, j) = 0.0;
    }
}

}  // namespace

void LAPackDouble::PQformTransform(short opt, long m, long n, long k, double* A, long lda,
                                   double* tau, double* work, long lwork,
                                   Blas::UProgressMonitor& pm)
{
    Blas::CheckOptions(opt, {0x3}, sourceName, __LINE__);
    bool const wantq = (opt & 0x1) != 0;
    bool const shape = wantq ? n <= m && n >= std::min(m, k) : m <= n && m >= std::min(n, k);
    Blas::CheckArgument(m >= 0 && n >= 0 && k >= 0 && shape && Blas::LeadDimValid(lda, m),
                        sourceName, __LINE__);
    Blas::CheckWorkspace(work, lwork, std::max(1L, std::min(m, n)), sourceName, __LINE__);
    if (m == 0 || n == 0) return;

    pm.Start("DORGBR", opt, m, n, k, true);
    if (wantq) {
        if (m >= k)
            QRformProduct(m, n, k, A, lda, tau, work, lwork, pm);
        else
            ShiftedReflectors::FormQ(m, A, lda, tau, work, lwork, pm);
    } else {
        if (k < n) {
            LQformProduct(m, n, k, A, lda, tau, work, lwork, pm);
        } else {
            ShiftRowsDown(n, A, lda);
            if (n > 1) LQformProduct(n - 1, n - 1, n - 1, A + 1 + lda, lda, tau, work, lwork, pm);
        }
    }
    pm.Finish(false);
}
