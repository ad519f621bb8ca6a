// RotateBlock (DLASR): applies the z-1 plane rotations R(k) = [c(k) s(k); -s(k) c(k)] to the m x n
// matrix A (leading dimension lda): to its rows (opt 0x1, z = m, A := P*A) or its columns (0x2,
// z = n, A := A*P^T), rotation 1 first (0x4 forward) or rotation z-1 first (0x8 backward), rotation
// k acting in the plane (k, k+1) (0x10 variable), (1, k+1) (0x20 top) or (k, z) (0x40 bottom).
// Rotations with c = 1 and s = 0 exactly are skipped.
#include "numeric/BlasDouble.h"
#include "numeric/LAPackDouble.h"

namespace {

const char* const sourceName = "dlasr";

// The 0-based rows or columns (p, q) of rotation k (0-based); it takes (x_p, x_q) to
// (c*x_p + s*x_q, c*x_q - s*x_p).
void Plane(short opt, long k, long z, long& p, long& q)
{
    if (opt & 0x10) {
        p = k;
        q = k + 1;
    } else if (opt & 0x20) {
        p = 0;
        q = k + 1;
    } else {
        p = k;
        q = z - 1;
    }
}

}  // namespace

void LAPackDouble::RotateBlock(short opt, long m, long n, double const* c, double const* s,
                               double* A, long lda)
{
    Blas::CheckOptions(opt, {0x3, 0xc, 0x70}, sourceName, __LINE__);
    Blas::CheckArgument(m >= 0 && n >= 0 && Blas::LeadDimValid(lda, m), sourceName, __LINE__);
    if (m == 0 || n == 0) return;
    bool const left = (opt & 0x1) != 0;
    bool const forward = (opt & 0x4) != 0;
    long const z = left ? m : n;
    for (long step = 0; step < z - 1; ++step) {
        long const k = forward ? step : z - 2 - step;
        double const ctemp = c[k], stemp = s[k];
        if (ctemp == 1.0 && stemp == 0.0) continue;
        long p, q;
        Plane(opt, k, z, p, q);
        if (left)
            BlasDouble::Vrotate(n, A + p, lda, A + q, lda, ctemp, stemp);
        else
            BlasDouble::Vrotate(m, A + p * lda, 1, A + q * lda, 1, ctemp, stemp);
    }
}
