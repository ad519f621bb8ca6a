// QRfactor (DGEQRF): blocked QR factorisation A = Q*R of the m x n matrix A (leading dimension
// lda), results as QRfactor2. Panels of nb columns (the block size of Env for "DGEQRF", or what
// lwork allows) are factorised by QRfactor2 and their block reflector applied to the columns on
// their right; below the crossover the rest is factorised unblocked. work holds lwork >= max(1, n)
// doubles; n*nb of them let the blocks run at full size.
#include "numeric/LAPackDouble.h"
#include "numeric/ReflectorKernel.h"

void LAPackDouble::QRfactor(long m, long n, double* A, long lda, double* tau, double* work, long lwork,
                            Blas::UProgressMonitor& pm)
{
    Blas::CheckArgument(m >= 0 && n >= 0 && Blas::LeadDimValid(lda, m), "dgeqrf", __LINE__);
    Blas::CheckWorkspace(work, lwork, std::max(1L, n), "dgeqrf", __LINE__);
    long const k = std::min(m, n);
    if (k == 0) return;
    auto a = [A, lda](long i, long j) { return A + (i - 1) + (j - 1) * lda; };

    long const ldwork = n;
    ReflectorDetail::BlockPlan const plan = ReflectorDetail::PlanBlocks("DGEQRF", m, n, -1, k, ldwork, lwork);
    pm.Start("DGEQRF", 0, k, true);
    long i = 1;
    if (plan.Blocked(k)) {
        for (; i <= k - plan.nx; i += plan.nb) {
            long const ib = std::min(k - i + 1, plan.nb);
            QRfactor2(m - i + 1, ib, a(i, i), lda, tau + (i - 1), work, pm);
            if (i + ib <= n) {
                FormTriFactor(0x5, m - i + 1, ib, a(i, i), lda, tau + (i - 1), work, ldwork);
                ApplyReflectBlock(0x151, m - i + 1, n - i - ib + 1, ib, a(i, i), lda, work, ldwork, a(i, i + ib),
                                  lda, work + ib, ldwork, pm);
            }
        }
    }
    if (i <= k) QRfactor2(m - i + 1, n - i + 1, a(i, i), lda, tau + (i - 1), work, pm);
    pm.Finish(false);
}
