// LUsolve (ZGETRS): solves A*X = B (opt 0x10), A**T*X = B (0x20) or A**H*X = B (0x40) with the
// factors L and U and the pivots that LUfactor computed for the complex n x n matrix A. X
// overwrites the n x nrhs matrix B.
#include "numeric/BlasComplex.h"
#include "numeric/LAPackComplex.h"

namespace {
const char* const sourceName = "zgetrs";
}  // namespace

void LAPackComplex::LUsolve(short opt, long n, long nrhs, Z* a, long lda, long* ipiv, Z* b,
                            long ldb, Blas::UProgressMonitor& pm)
{
    Blas::CheckOptions(opt, {0x70}, sourceName, __LINE__);
    Blas::CheckArgument(n >= 0 && nrhs >= 0 && Blas::LeadDimValid(lda, n) &&
                            Blas::LeadDimValid(ldb, n),
                        sourceName, __LINE__);
    if (n == 0 || nrhs == 0) return;
    Z const one(1.0, 0.0);
    if (opt & 0x10) {
        MswapRows(nrhs, b, ldb, 1, n, ipiv, 1);
        BlasComplex::TriMMsolve(0x99, n, nrhs, one, a, lda, b, ldb, pm);
        BlasComplex::TriMMsolve(0x115, n, nrhs, one, a, lda, b, ldb, pm);
    } else {
        short const t = short(opt & 0x70);
        BlasComplex::TriMMsolve(short(0x105 + t), n, nrhs, one, a, lda, b, ldb, pm);
        BlasComplex::TriMMsolve(short(0x89 + t), n, nrhs, one, a, lda, b, ldb, pm);
        MswapRows(nrhs, b, ldb, 1, n, ipiv, -1);
    }
}
