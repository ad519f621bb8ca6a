// QRtransform (DORMQR): overwrites the m x n matrix B (leading dimension ldb) with Q*B, Q**T*B,
// B*Q or B*Q**T as QRtransform2 does, in blocks of up to 64 reflectors (the block size of Env for
// "DORMQR", or what lwork allows) applied by ApplyReflectBlock. opt: SIDE 0x4 left, 0x8 right;
// TRANS 0x10 Q, 0x20 Q**T. work holds lwork >= max(1, nw) doubles, nw = n (left) or m (right);
// nw*nb of them let the blocks run at full size. The triangular factor of a block lives in a
// block of 65*64 doubles that the first call allocates and every later call reuses.
#include "numeric/LAPackDouble.h"
#include "numeric/ReflectorKernel.h"

namespace {
const char* const sourceName = "dormqr";
}  // namespace

void LAPackDouble::QRtransform(short opt, long m, long n, long k, double* A, long lda, double* tau,
                               double* B, long ldb, double* work, long lwork,
                               Blas::UProgressMonitor& pm)
{
    static ReflectorDetail::TriFactorBlock const t;
    long const nw = ReflectorDetail::CheckTransform(opt, m, n, k, false, lda, ldb, sourceName).nw;
    Blas::CheckWorkspace(work, lwork, std::max(1L, nw), sourceName, __LINE__);
    ReflectorDetail::TransformBlocked(opt, m, n, {false, k, A, lda, tau}, B, ldb, work, lwork,
                                      t.Get(), pm, "DORMQR", &LAPackDouble::QRtransform2);
}
