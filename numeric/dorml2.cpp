// LQtransform2 (DORML2): overwrites the m x n matrix B (leading dimension ldb) with Q*B, Q**T*B,
// B*Q or B*Q**T, where Q = H(k)*...*H(1) is given by the k reflectors that LQfactor left in the
// rows of A (k x nq, leading dimension lda) and in tau; Q has order nq = m from the left, n from
// the right. opt: SIDE 0x4 left, 0x8 right; TRANS 0x10 Q, 0x20 Q**T. Unblocked; work holds n
// (left) or m (right) doubles. A is left as it was.
#include "numeric/LAPackDouble.h"
#include "numeric/ReflectorKernel.h"

void LAPackDouble::LQtransform2(short opt, long m, long n, long k, double* A, long lda, double* tau,
                                double* B, long ldb, double* work, Blas::UProgressMonitor& pm)
{
    ReflectorDetail::CheckTransform(opt, m, n, k, true, lda, ldb, "dorml2");
    ReflectorDetail::TransformEach(opt, m, n, {true, k, A, lda, tau}, B, ldb, work, pm, "DORML2");
}
