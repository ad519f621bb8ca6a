// SymFormReflect (DORGTR): forms the n x n orthogonal matrix Q of MtoTriDiag from the reflectors
// it left in A (leading dimension lda) and tau(1..n-1), overwriting A. opt 0x2 (lower):
// Q = H(1)...H(n-1), generated as a QR factor of order n-1 in A(2..n, 2..n); 0x4 (upper):
// Q = H(n-1)...H(1), generated as a QL factor in A(1..n-1, 1..n-1). work holds lwork >= max(1, n-1)
// doubles.
#include "numeric/LAPackDouble.h"
#include "numeric/ShiftedReflectors.h"
#include "numeric/TriDiagReduction.h"
#include "numeric/UStrNumer.h"
#include "utilities/CustExcept.h"

namespace {
const char* const sourceName = "dorgtr";
}  // namespace

void LAPackDouble::SymFormReflect(short opt, long n, double* A, long lda, double* tau, double* work,
                                  long lwork, Blas::UProgressMonitor& pm)
{
    Blas::CheckOptions(opt, {Blas::LaMatLower | Blas::LaMatUpper}, sourceName, __LINE__);
    Blas::CheckArgument(n >= 0 && Blas::LeadDimValid(lda, n), sourceName, __LINE__);
    if (lwork < (n - 1 > 1 ? n - 1 : 1)) RaiseError(nmWorkspaceTooSmall, sourceName, __LINE__);
    if (n == 0) return;

    TriDiagReduction::Columns const a{A, lda};
    if (opt & Blas::LaMatUpper) {
        // The vectors move one column to the left; the last row and column become those of I.
        for (long j = 1; j <= n - 1; ++j) {
            for (long i = 1; i <= j - 1; ++i) *a(i, j) = *a(i, j + 1);
            *a(n, j) = 0.0;
        }
        for (long i = 1; i <= n - 1; ++i) *a(i, n) = 0.0;
        *a(n, n) = 1.0;
        QLformProduct(n - 1, n - 1, n - 1, A, lda, tau, work, lwork, pm);
    } else {
        ShiftedReflectors::FormQ(n, A, lda, tau, work, lwork, pm);
    }
}
