// QRtransform2 (DORM2R): overwrites the m x n matrix B (leading dimension ldb) with Q*B, Q**T*B,
// B*Q or B*Q**T, where Q = H(1)*...*H(k) is given by the k reflectors that QRfactor left in the
// columns of A (leading dimension lda) and in tau; Q has order nq = m from the left, n from the
// right. opt: SIDE 0x4 left, 0x8 right; TRANS 0x10 Q, 0x20 Q**T. Unblocked; work holds n (left)
// or m (right) doubles. A is left as it was.
#include "numeric/LAPackDouble.h"
#include "numeric/ReflectorKernel.h"

void LAPackDouble::QRtransform2(short opt, long m, long n, long k, double* A, long lda, double* tau,
                                double* B, long ldb, double* work, Blas::UProgressMonitor& pm)
{
    ReflectorDetail::CheckTransform(opt, m, n, k, false, lda, ldb, "dorm2r");
    ReflectorDetail::TransformEach(opt, m, n, {false, k, A, lda, tau}, B, ldb, work, pm, "DORM2R");
}
