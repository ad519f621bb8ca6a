// LUsolve (DGETRS): solves A*X = B (opt 0x10) or A**T*X = B (0x20, or 0x40 which means the same for
// real data) with the factors L and U and the pivots that LUfactor computed for the n x n matrix A.
// X overwrites the n x nrhs matrix B.
#include "numeric/BlasDouble.h"
#include "numeric/LAPackDouble.h"

namespace {
const char* const sourceName = "dgetrs";
}  // namespace

void LAPackDouble::LUsolve(short opt, long n, long nrhs, double* a, long lda, long* ipiv, double* b,
                           long ldb, Blas::UProgressMonitor& pm)
{
    Blas::CheckOptions(opt, {0x70}, sourceName, __LINE__);
    Blas::CheckArgument(n >= 0 && nrhs >= 0 && Blas::LeadDimValid(lda, n) &&
                            Blas::LeadDimValid(ldb, n),
                        sourceName, __LINE__);
    if (n == 0 || nrhs == 0) return;
    if (opt & 0x10) {
        MswapRows(nrhs, b, ldb, 1, n, ipiv, 1);
        BlasDouble::TriMMsolve(0x99, n, nrhs, 1.0, a, lda, b, ldb, pm);
        BlasDouble::TriMMsolve(0x115, n, nrhs, 1.0, a, lda, b, ldb, pm);
    } else {
        BlasDouble::TriMMsolve(0x125, n, nrhs, 1.0, a, lda, b, ldb, pm);
        BlasDouble::TriMMsolve(0xa9, n, nrhs, 1.0, a, lda, b, ldb, pm);
        MswapRows(nrhs, b, ldb, 1, n, ipiv, -1);
    }
}
