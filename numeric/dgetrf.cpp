// LUfactor (DGETRF): blocked LU factorisation A = P*L*U of the m x n matrix A with partial
// pivoting. Panels of the block size that Env gives for "DGETRF" are factorised by LUfactor2, their
// interchanges applied to the other columns, the block row of U solved and the trailing matrix
// updated by a matrix product. Results as for LUfactor2.
#include "numeric/BlasDouble.h"
#include "numeric/LAPackDouble.h"
#include "numeric/BlasEnv.h"

void LAPackDouble::LUfactor(long m, long n, double* a, long lda, long* ipiv, Blas::UProgressMonitor& pm)
{
    Blas::CheckArgument(m >= 0 && n >= 0 && Blas::LeadDimValid(lda, m), "dgetrf", __LINE__);
    if (m == 0 || n == 0) return;
    long const mn = m < n ? m : n;
    auto A = [a, lda](long i, long j) { return a + (i - 1) + (j - 1) * lda; };

    long const nb = Blas::Env(Blas::LaEnvBlockSize, "DGETRF", 0, m, n, -1, -1);
    pm.Start("DGETRF", 0, mn, true);
    if (nb <= 1 || nb >= mn) {
        LUfactor2(m, n, a, lda, ipiv, pm);
    } else {
        for (long j = 1; j <= mn; j += nb) {
            long const jb = mn - j + 1 < nb ? mn - j + 1 : nb;
            LUfactor2(m - j + 1, jb, A(j, j), lda, ipiv + (j - 1), pm);
            long const iend = m < j + jb - 1 ? m : j + jb - 1;
            for (long i = j; i <= iend; ++i) ipiv[i - 1] += j - 1;
            MswapRows(j - 1, a, lda, j, j + jb - 1, ipiv, 1);
            if (j + jb <= n) {
                MswapRows(n - j - jb + 1, A(1, j + jb), lda, j, j + jb - 1, ipiv, 1);
                BlasDouble::TriMMsolve(0x99, jb, n - j - jb + 1, 1.0, A(j, j), lda, A(j, j + jb), lda, pm);
                if (j + jb <= m)
                    BlasDouble::MMMmultAdd(0x9, m - j - jb + 1, n - j - jb + 1, jb, -1.0, A(j + jb, j), lda,
                                           A(j, j + jb), lda, 1.0, A(j + jb, j + jb), lda, pm);
            }
        }
    }
    pm.Finish(false);
}
