// ApplyReflectElt (DLARF): applies H = I - tau*v*v**T to the m x n matrix B (leading dimension
// ldb): H*B when side has bit 0x1, else B*H. v is strided by incv and has m (left) or n (right)
// elements; work holds n (left) or m (right) doubles. tau = 0 leaves B alone. The option word is
// not checked.
#include "numeric/BlasDouble.h"
#include "numeric/LAPackDouble.h"

void LAPackDouble::ApplyReflectElt(short side, long m, long n, double* v, long incv, double tau,
                                   double* B, long ldb, double* work)
{
    if (tau == 0.0) return;
    if (side & 0x1) {
        BlasDouble::MVVmultAdd(0x2, m, n, 1.0, B, ldb, v, incv, 0.0, work, 1);
        BlasDouble::VVMmultAdd1(m, n, -tau, v, incv, work, 1, B, ldb);
    } else {
        BlasDouble::MVVmultAdd(0x1, m, n, 1.0, B, ldb, v, incv, 0.0, work, 1);
        BlasDouble::VVMmultAdd1(m, n, -tau, work, 1, v, incv, B, ldb);
    }
}
