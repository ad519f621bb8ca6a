// MMMmultAdd (ZGEMM): C := alpha*op(A)*op(B) + beta*C on complex matrices, op(A) m x k, op(B) k x
// n, C m x n. opt: TRANSA 0x1 N, 0x2 T, 0x4 C (conjugate transpose); TRANSB 0x8 N, 0x10 T, 0x20 C.
// Zero elements of the multiplying operand are skipped; beta = 0 clears C without reading it.
#include "numeric/BlasComplex.h"
#include "numeric/MatrixFrontEnds.h"
#include "utilities/UMatVec.h"

namespace {

const char* const sourceName = "zgemm";

typedef std::complex<double> Z;

void ScaleColumn(long m, Z const& beta, Z* c)
{
    Z const zero(0.0, 0.0), one(1.0, 0.0);
    if (beta == zero)
        for (long i = 0; i < m; ++i) c[i] = zero;
    else if (beta != one)
        for (long i = 0; i < m; ++i) c[i] = beta * c[i];
}

}  // namespace

void BlasComplex::MMMmultAdd(short opt, long m, long n, long k, Z const& alpha, Z const* a,
                             long lda, Z const* b, long ldb, Z const& beta, Z* c, long ldc,
                             Blas::UProgressMonitor& pm)
{
    Blas::CheckOptions(opt, {0x7, 0x38}, sourceName, __LINE__);
    bool const nota = (opt & 0x1) != 0;
    bool const notb = (opt & 0x8) != 0;
    bool const conja = (opt & 0x4) != 0;
    bool const conjb = (opt & 0x20) != 0;
    long const nrowa = nota ? m : k;
    long const nrowb = notb ? k : n;
    Blas::CheckArgument(m >= 0 && n >= 0 && k >= 0 && Blas::LeadDimValid(lda, nrowa) &&
                            Blas::LeadDimValid(ldb, nrowb) && Blas::LeadDimValid(ldc, m),
                        sourceName, __LINE__);
    Z const zero(0.0, 0.0), one(1.0, 0.0);
    if (m == 0 || n == 0 || ((alpha == zero || k == 0) && beta == one)) return;
    if (alpha == zero) {
        for (long j = 0; j < n; ++j) ScaleColumn(m, beta, c + j * ldc);
        return;
    }

    auto opB = [&](long l, long j) {
        if (notb) return b[l + j * ldb];
        return conjb ? std::conj(b[j + l * ldb]) : b[j + l * ldb];
    };
    pm.Start("ZGEMM", opt, k, m, n, false);
    for (long j = 0; j < n; ++j) {
        Z* cj = c + j * ldc;
        if (nota) {
            ScaleColumn(m, beta, cj);
            for (long l = 0; l < k; ++l) {
                Z const blj = opB(l, j);
                if (blj == zero) continue;
                Z const temp = alpha * blj;
                Z const* al = a + l * lda;
                for (long i = 0; i < m; ++i) cj[i] += temp * al[i];
            }
        } else {
            for (long i = 0; i < m; ++i) {
                Z const* ai = a + i * lda;
                Z temp = zero;
                if (conja)
                    for (long l = 0; l < k; ++l) temp += std::conj(ai[l]) * opB(l, j);
                else
                    for (long l = 0; l < k; ++l) temp += ai[l] * opB(l, j);
                cj[i] = beta == zero ? alpha * temp : alpha * temp + beta * cj[i];
            }
        }
        pm.Test(j);
    }
    pm.Finish(false);
}

void BlasComplex::MMMmultAdd(short opt, Z const& alpha, UMatrix<Z> const& A, UMatrix<Z> const& B,
                             Z const& beta, UMatrix<Z>& C, Blas::UProgressMonitor& pm)
{
    MatrixFrontEnds::Product<BlasComplex>(opt, alpha, A, B, beta, C, pm, sourceName);
}
