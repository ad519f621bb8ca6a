// QRformProduct (DORGQR): overwrites the m x n matrix A (leading dimension lda, n <= m) with the
// first n columns of Q = H(1)*...*H(k), as QRformProduct2, in blocks. Beyond the crossover of Env
// for "DORGQR" the last columns are formed unblocked and the blocks before them, last first, by
// ApplyReflectBlock and QRformProduct2 on the block itself. work holds lwork >= max(1, n) doubles;
// n*nb of them let the blocks run at full size.
#include "numeric/LAPackDouble.h"
#include "numeric/ReflectorKernel.h"

namespace {
const char* const sourceName = "dorgqr";
}  // namespace

void LAPackDouble::QRformProduct(long m, long n, long k, double* A, long lda, double const* tau,
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
        ReflectorDetail::PlanBlocks("DORGQR", m, n, k, k, ldwork, lwork);
    long const nb = plan.nb;
    long ki = 0, kk = 0;
    if (plan.Blocked(k)) {
        // The first kk columns go by blocks; their rows above the unblocked part start as zero.
        ki = ((k - plan.nx - 1) / nb) * nb;
        kk = std::min(k, ki + nb);
        for (long j = kk + 1; j <= n; ++j)
            for (long i = 1; i <= kk; ++i) *a(i, j) = 0.0;
    }
    pm.Start("DORGQR", 0, n, m, k, true);
    if (kk < n) QRformProduct2(m - kk, n - kk, k - kk, a(kk + 1, kk + 1), lda, tau + kk, work, pm);
    for (long i = ki + 1; kk > 0 && i >= 1; i -= nb) {
        long const ib = std::min(nb, k - i + 1);
        if (i + ib <= n) {
            FormTriFactor(0x5, m - i + 1, ib, a(i, i), lda, tau + (i - 1), work, ldwork);
            ApplyReflectBlock(0x55, m - i + 1, n - i - ib + 1, ib, a(i, i), lda, work, ldwork,
                              a(i, i + ib), lda, work + ib, ldwork, pm);
        }
        QRformProduct2(m - i + 1, ib, ib, a(i, i), lda, tau + (i - 1), work, pm);
        for (long j = i; j < i + ib; ++j)
            for (long l = 1; l < i; ++l) *a(l, j) = 0.0;
    }
    pm.Finish(false);
}
