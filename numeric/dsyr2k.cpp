// SymMMMmultAdd (DSYR2K): the symmetric rank-2k update C := alpha*A*B**T + alpha*B*A**T + beta*C
// (opt 0x10, A and B n x k) or C := alpha*A**T*B + alpha*B**T*A + beta*C (0x20, A and B k x n) of
// the n x n matrix C, of which only the upper (0x4) or the lower (0x8) triangle is read and
// written.
#include "numeric/BlasDouble.h"

namespace {
const char* const sourceName = "dsyr2k";
}  // namespace

void BlasDouble::SymMMMmultAdd(short opt, long n, long k, double alpha, double const* a, long lda,
                               double const* b, long ldb, double beta, double* c, long ldc,
                               Blas::UProgressMonitor& pm)
{
    Blas::CheckOptions(opt, {0xc, 0x30}, sourceName, __LINE__);
    bool const upper = (opt & 0x4) != 0;
    bool const notrans = (opt & 0x10) != 0;
    long const nrowa = notrans ? n : k;
    Blas::CheckArgument(n >= 0 && k >= 0 && Blas::LeadDimValid(lda, nrowa) &&
                            Blas::LeadDimValid(ldb, nrowa) && Blas::LeadDimValid(ldc, n),
                        sourceName, __LINE__);
    if (n == 0 || ((alpha == 0.0 || k == 0) && beta == 1.0)) return;

    // Rows first .. last-1 of column j belong to the triangle.
    auto First = [upper](long j) { return upper ? 0 : j; };
    auto Last = [upper, n](long j) { return upper ? j + 1 : n; };
    auto A = [a, lda](long i, long j) { return a[i + j * lda]; };
    auto B = [b, ldb](long i, long j) { return b[i + j * ldb]; };
    if (alpha == 0.0) {
        for (long j = 0; j < n; ++j) {
            double* cj = c + j * ldc;
            for (long i = First(j); i < Last(j); ++i) cj[i] = beta == 0.0 ? 0.0 : beta * cj[i];
        }
        return;
    }

    pm.Start("DSYR2K", opt, k, n, n, false);
    for (long j = 0; j < n; ++j) {
        double* cj = c + j * ldc;
        long const i0 = First(j), i1 = Last(j);
        if (notrans) {
            if (beta == 0.0)
                for (long i = i0; i < i1; ++i) cj[i] = 0.0;
            else if (beta != 1.0)
                for (long i = i0; i < i1; ++i) cj[i] = beta * cj[i];
            for (long l = 0; l < k; ++l) {
                if (A(j, l) == 0.0 && B(j, l) == 0.0) continue;
                double const temp1 = alpha * B(j, l);
                double const temp2 = alpha * A(j, l);
                double const* al = a + l * lda;
                double const* bl = b + l * ldb;
                for (long i = i0; i < i1; ++i) cj[i] = cj[i] + al[i] * temp1 + bl[i] * temp2;
            }
        } else {
            for (long i = i0; i < i1; ++i) {
                double temp1 = 0.0, temp2 = 0.0;
                for (long l = 0; l < k; ++l) {
                    temp1 += A(l, i) * B(l, j);
                    temp2 += B(l, i) * A(l, j);
                }
                cj[i] = beta == 0.0 ? alpha * temp1 + alpha * temp2
                                    : beta * cj[i] + alpha * temp1 + alpha * temp2;
            }
        }
        pm.Test(j);
    }
    pm.Finish(false);
}
