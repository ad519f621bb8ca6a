// MMMmultAdd (DGEMM): C := alpha*op(A)*op(B) + beta*C with op(A) m x k, op(B) k x n and C m x n,
// each with its leading dimension. opt: TRANSA 0x1 N, 0x2 T, 0x4 C; TRANSB 0x8 N, 0x10 T, 0x20 C
// (C means T for real data). Zero elements of the multiplying operand are skipped; beta = 0 clears
// C without reading it.
#include "numeric/BlasDouble.h"
#include "numeric/ColumnUpdate.h"
#include "numeric/MatrixFrontEnds.h"
#include "utilities/UMatVec.h"

namespace {

const char* const sourceName = "dgemm";

void ScaleColumn(long m, double beta, double* c)
{
    if (beta == 0.0)
        for (long i = 0; i < m; ++i) c[i] = 0.0;
    else if (beta != 1.0)
        for (long i = 0; i < m; ++i) c[i] = beta * c[i];
}

}  // namespace

void BlasDouble::MMMmultAdd(short opt, long m, long n, long k, double alpha, double const* a,
                            long lda, double const* b, long ldb, double beta, double* c, long ldc,
                            Blas::UProgressMonitor& pm)
{
    Blas::CheckOptions(opt, {0x7, 0x38}, sourceName, __LINE__);
    bool const nota = (opt & 0x1) != 0;
    bool const notb = (opt & 0x8) != 0;
    long const nrowa = nota ? m : k;
    long const nrowb = notb ? k : n;
    Blas::CheckArgument(m >= 0 && n >= 0 && k >= 0 && Blas::LeadDimValid(lda, nrowa) &&
                            Blas::LeadDimValid(ldb, nrowb) && Blas::LeadDimValid(ldc, m),
                        sourceName, __LINE__);
    if (m == 0 || n == 0 || ((alpha == 0.0 || k == 0) && beta == 1.0)) return;
    if (alpha == 0.0) {
        for (long j = 0; j < n; ++j) ScaleColumn(m, beta, c + j * ldc);
        return;
    }

    pm.Start("DGEMM", opt, k, m, n, false);
    for (long j = 0; j < n; ++j) {
        double* cj = c + j * ldc;
        if (nota) {
            // The columns of A are added into column j of C.
            ScaleColumn(m, beta, cj);
            for (long l = 0; l < k; ++l) {
                double const blj = notb ? b[l + j * ldb] : b[j + l * ldb];
                if (blj != 0.0) AddScaledColumn(0L, m, alpha * blj, a + l * lda, cj);
            }
        } else {
            // Each element of column j of C is a dot product of a column of A.
            for (long i = 0; i < m; ++i) {
                double const* ai = a + i * lda;
                double temp = 0.0;
                if (notb) {
                    double const* bj = b + j * ldb;
                    for (long l = 0; l < k; ++l) temp += ai[l] * bj[l];
                } else {
                    for (long l = 0; l < k; ++l) temp += ai[l] * b[j + l * ldb];
                }
                cj[i] = beta == 0.0 ? alpha * temp : alpha * temp + beta * cj[i];
            }
        }
        pm.Test(j);
    }
    pm.Finish(false);
}

void BlasDouble::MMMmultAdd(short opt, double alpha, UMatrix<double> const& A,
                            UMatrix<double> const& B, double beta, UMatrix<double>& C,
                            Blas::UProgressMonitor& pm)
{
    MatrixFrontEnds::Product<BlasDouble>(opt, alpha, A, B, beta, C, pm, sourceName);
}
