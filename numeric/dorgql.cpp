// QLformProduct (DORGQL): overwrites the m x n matrix A (leading dimension lda, n <= m) with the
// last n columns of Q = H(k)*...*H(2)*H(1), as QLformProduct2, in blocks. Beyond the crossover of
// Env for "DORGQL" the first columns are formed unblocked and the blocks after them, first first,
// by ApplyReflectBlock and QLformProduct2 on the block itself. work holds lwork >= max(1, n)
// doubles; n*nb of them let the blocks run at full size.
#include "numeric/LAPackDouble.h"
#include "numeric/ReflectorKernel.h"

namespace {
const char* const sourceName = "dorgql";
}  // namespace

void LAPackDouble::QLformProduct(long m, long n, long k, double* A, long lda, double const* tau,
                                 double* work, long lwork, Blas::UProgressMonitor& pm)
{
    Blas::CheckArgument(m >= 0 && n >= 0 && n <= m && k >= 0 && k <= n &&
                            Blas::LeadDimValid(lda, m),
                        sourceName, __LINE__);
    Blas::CheckWorkspace(work, lwork, std::max(1L, n), sourceName, __LINE__);
    if (n == 0) return;
    auto a = [A, lda](long i, long j) { return A + (i - 1) + (j - 1) * lda; };

    long const ldwork = n;
    ReflectorDetail::BlockPlan const plan =
        ReflectorDetail::PlanBlocks("DORGQL", m, n, k, k, ldwork, lwork);
    long const nb = plan.nb;
    long kk = 0;
    if (plan.Blocked(k)) {
        // The last kk columns go by blocks; their rows below the unblocked part start as zero.
        kk = std::min(k, ((k - plan.nx + nb - 1) / nb) * nb);
        for (long j = 1; j <= n - kk; ++j)
            for (long i = m - kk + 1; i <= m; ++i) *a(i, j) = 0.0;
    }
    pm.Start("DORGQL", 0, n, m, k, true);
    QLformProduct2(m - kk, n - kk, k - kk, A, lda, tau, work, pm);
    for (long i = k - kk + 1; kk > 0 && i <= k; i += nb) {
        long const ib = std::min(nb, k - i + 1);
        long const col = n - k + i;  // the block's first column
        if (col > 1) {
            FormTriFactor(0x6, m - k + i + ib - 1, ib, a(1, col), lda, tau + (i - 1), work, ldwork);
            ApplyReflectBlock(0x65, m - k + i + ib - 1, col - 1, ib, a(1, col), lda, work, ldwork,
                              A, lda, work + ib, ldwork, pm);
        }
        QLformProduct2(m - k + i + ib - 1, ib, ib, a(1, col), lda, tau + (i - 1), work, pm);
        for (long j = col; j < col + ib; ++j)
            for (long l = m - k + i + ib; l <= m; ++l) *a(l, j) = 0.0;
    }
    pm.Finish(false);
}
