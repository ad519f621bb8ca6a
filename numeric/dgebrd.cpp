// MtoBiDiag (DGEBRD): reduces the m x n matrix A (leading dimension lda) to bidiagonal form
// B = Q**T*A*P, results as MtoBiDiagElt. Panels of nb rows and columns (the block size of Env for
// "DGEBRD", or what lwork allows) are reduced by MtoBiDiagBlock and the rest of A brought up to
// date by two matrix products; below the crossover the rest is reduced unblocked. work holds
// lwork >= max(1, m, n) doubles; (m+n)*nb of them let the blocks run at full size.
#include <algorithm>

#include "numeric/BlasDouble.h"
#include "numeric/BlasEnv.h"
#include "numeric/LAPackDouble.h"

namespace {

const char* const sourceName = "dgebrd";

// The block size and the crossover below which the rest goes unblocked.
struct BrdPlan {
    long nb, nx;
};

BrdPlan PlanBlocks(long m, long n, long lwork)
{
    long const minmn = std::min(m, n);
    BrdPlan p{std::max(1L, Blas::Env(Blas::LaEnvBlockSize, "DGEBRD", 0, m, n, -1, -1)), minmn};
    if (p.nb > 1 && p.nb < minmn) {
        p.nx = std::max(p.nb, Blas::Env(Blas::LaEnvCrossover, "DGEBRD", 0, m, n, -1, -1));
        if (p.nx < minmn && lwork < (m + n) * p.nb) {
            long const nbmin = Blas::Env(Blas::LaEnvMinBlockSize, "DGEBRD", 0, m, n, -1, -1);
            if (lwork >= (m + n) * nbmin) {
                p.nb = lwork / (m + n);
            } else {
                p.nb = 1;
                p.nx = minmn;
            }
        }
    } else {
        p.nx = minmn;
    }
    return p;
}

}  // namespace

void LAPackDouble::MtoBiDiag(long m, long n, double* A, long lda, double* d, double* e,
                             double* tauq, double* taup, double* work, long lwork,
                             Blas::UProgressMonitor& pm)
{
    Blas::CheckArgument(m >= 0 && n >= 0 && Blas::LeadDimValid(lda, m), sourceName, __LINE__);
    Blas::CheckWorkspace(work, lwork, std::max({1L, m, n}), sourceName, __LINE__);
    long const minmn = std::min(m, n);
    if (minmn == 0) return;
    auto a = [A, lda](long i, long j) { return A + (i - 1) + (j - 1) * lda; };

    long const ldwrkx = m, ldwrky = n;
    BrdPlan const plan = PlanBlocks(m, n, lwork);
    long const nb = plan.nb;
    pm.Start("DGEBRD", 0, minmn, true);
    long i = 1;
    for (; i <= minmn - plan.nx; i += nb) {
        MtoBiDiagBlock(m - i + 1, n - i + 1, nb, a(i, i), lda, d + (i - 1), e + (i - 1),
                       tauq + (i - 1), taup + (i - 1), work, ldwrkx, work + ldwrkx * nb, ldwrky,
                       pm);
        BlasDouble::MMMmultAdd(0x11, m - i - nb + 1, n - i - nb + 1, nb, -1.0, a(i + nb, i), lda,
                               work + ldwrkx * nb + nb, ldwrky, 1.0, a(i + nb, i + nb), lda, pm);
        BlasDouble::MMMmultAdd(0x9, m - i - nb + 1, n - i - nb + 1, nb, -1.0, work + nb, ldwrkx,
                               a(i, i + nb), lda, 1.0, a(i + nb, i + nb), lda, pm);
        for (long j = i; j < i + nb; ++j) {
            *a(j, j) = d[j - 1];
            if (m >= n)
                *a(j, j + 1) = e[j - 1];
            else
                *a(j + 1, j) = e[j - 1];
        }
    }
    MtoBiDiagElt(m - i + 1, n - i + 1, a(i, i), lda, d + (i - 1), e + (i - 1), tauq + (i - 1),
                 taup + (i - 1), work, pm);
    pm.Finish(false);
}
