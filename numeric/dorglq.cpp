// LQformProduct (DORGLQ): overwrites the m x n matrix A (leading dimension lda, m <= n) with the
// first m rows of Q = H(k)*...*H(2)*H(1), as LQformProduct2, in blocks. Beyond the crossover of
// Env for "DORGLQ" the last rows are formed unblocked and the blocks before them, last first, by
// ApplyReflectBlock and LQformProduct2 on the block itself. work holds lwork >= max(1, m)
// doubles; m*nb of them let the blocks run at full size. The steps reported add up to k.
#include "numeric/LAPackDouble.h"
#include "numeric/ReflectorKernel.h"

namespace {
const char* const sourceName = "dorglq";
}  // namespace

void LAPackDouble::LQformProduct(long m, long n, long k, double* A, long lda, double const* tau,
                                 double* work, long lwork, Blas::UProgressMonitor& pm)
{
    Blas::CheckArgument(m >= 0 && n >= m && k >= 0 && k <= m && Blas::LeadDimValid(lda, m),
                        sourceName, __LINE__);
    Blas::CheckWorkspace(work, lwork, std::max(1L, m), sourceName, __LINE__);
    if (m == 0) return;
    auto a = [A, lda](long i, long j) { return A + (i - 1) + (j - 1) * lda; };

    long const ldwork = m;
    ReflectorDetail::BlockPlan const plan =
        ReflectorDetail::PlanBlocks("DORGLQ", m, n, k, k, ldwork, lwork);
    long const nb = plan.nb;
    long ki = 0, kk = 0;
    if (plan.Blocked(k)) {
        // The first kk rows go by blocks; their columns left of the unblocked part start as zero.
        ki = ((k - plan.nx - 1) / nb) * nb;
        kk = std::min(k, ki + nb);
        for (long j = 1; j <= kk; ++j)
            for (long i = kk + 1; i <= m; ++i) *a(i, j) = 0.0;
    }
    pm.Start("DORGLQ", 0, n, m, k, false);
    long counter = 0;
    if (kk < m) {
        LQformProduct2(m - kk, n - kk, k - kk, a(kk + 1, kk + 1), lda, tau + kk, work);
        pm.Test(counter, k - kk);
        counter += k - kk;
    }
    for (long i = ki + 1; kk > 0 && i >= 1; i -= nb) {
        long const ib = std::min(nb, k - i + 1);
        if (i + ib <= m) {
            FormTriFactor(0x9, n - i + 1, ib, a(i, i), lda, tau + (i - 1), work, ldwork);
            ApplyReflectBlock(0x192, m - i - ib + 1, n - i + 1, ib, a(i, i), lda, work, ldwork,
                              a(i + ib, i), lda, work + ib, ldwork, Blas::defProgMon);
        }
        LQformProduct2(ib, n - i + 1, ib, a(i, i), lda, tau + (i - 1), work);
        for (long j = 1; j < i; ++j)
            for (long l = i; l < i + ib; ++l) *a(l, j) = 0.0;
        pm.Test(counter, ib);
        counter += ib;
    }
    pm.Finish(false);
}
