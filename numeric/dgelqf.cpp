// LQfactor (DGELQF): blocked LQ factorisation A = L*Q of the m x n matrix A (leading dimension
// lda), results as LQfactor2. Panels of nb rows (the block size of Env for "DGELQF", or what lwork
// allows) are factorised by LQfactor2 and their block reflector applied to the rows below; below
// the crossover the rest is factorised unblocked. work holds lwork >= max(1, m) doubles; m*nb of
// them let the blocks run at full size.
#include "numeric/LAPackDouble.h"
#include "numeric/ReflectorKernel.h"

void LAPackDouble::LQfactor(long m, long n, double* A, long lda, double* tau, double* work, long lwork,
                            Blas::UProgressMonitor& pm)
{
    Blas::CheckArgument(m >= 0 && n >= 0 && Blas::LeadDimValid(lda, m), "dgelqf", __LINE__);
    Blas::CheckWorkspace(work, lwork, std::max(1L, m), "dgelqf", __LINE__);
    long const k = std::min(m, n);
    if (k == 0) return;
    auto a = [A, lda](long i, long j) { return A + (i - 1) + (j - 1) * lda; };

    long const ldwork = m;
    ReflectorDetail::BlockPlan const plan = ReflectorDetail::PlanBlocks("DGELQF", m, n, -1, k, ldwork, lwork);
    pm.Start("DGELQF", 0, k, true);
    long i = 1;
    if (plan.Blocked(k)) {
        for (; i <= k - plan.nx; i += plan.nb) {
            long const ib = std::min(k - i + 1, plan.nb);
            LQfactor2(ib, n - i + 1, a(i, i), lda, tau + (i - 1), work, pm);
            if (i + ib <= m) {
                FormTriFactor(0x9, n - i + 1, ib, a(i, i), lda, tau + (i - 1), work, ldwork);
                ApplyReflectBlock(0x96, m - i - ib + 1, n - i + 1, ib, a(i, i), lda, work, ldwork, a(i + ib, i),
                                  lda, work + ib, ldwork, pm);
            }
        }
    }
    if (i <= k) LQfactor2(m - i + 1, n - i + 1, a(i, i), lda, tau + (i - 1), work, pm);
    pm.Finish(false);
}
