// MtoBiDiagBlock (DLABRD): reduces the first nb rows and columns of the m x n matrix A (leading
// dimension lda) to bidiagonal form as MtoBiDiagElt does (upper for m >= n, lower for m < n), but
// applies the reflectors to the rest of A only as far as the next reflector needs. It returns the
// m x nb matrix X (leading dimension ldx) and the n x nb matrix Y (ldy) with which the caller
// brings the rest up to date: A := A - V*Y**T - X*U**T, V and U the reflector vectors in A. The
// elements of B that the vectors pass through hold 1 on return; d and e hold B.
#include <algorithm>

#include "numeric/BlasDouble.h"
#include "numeric/LAPackDouble.h"

namespace {

struct Panel {
    long m, n;
    double *A, *X, *Y;
    long lda, ldx, ldy;
    double* a(long i, long j) const { return A + (i - 1) + (j - 1) * lda; }
    double* x(long i, long j) const { return X + (i - 1) + (j - 1) * ldx; }
    double* y(long i, long j) const { return Y + (i - 1) + (j - 1) * ldy; }
};

// Step i with m >= n: column i, then (while i < n) row i and the new columns of Y and X.
void UpperStep(Panel const& p, long i, double* d, double* e, double* tauq, double* taup)
{
    long const m = p.m, n = p.n;
    BlasDouble::MVVmultAdd(0x1, m - i + 1, i - 1, -1.0, p.a(i, 1), p.lda, p.y(i, 1), p.ldy, 1.0,
                           p.a(i, i), 1);
    BlasDouble::MVVmultAdd(0x1, m - i + 1, i - 1, -1.0, p.x(i, 1), p.ldx, p.a(1, i), 1, 1.0,
                           p.a(i, i), 1);
    LAPackDouble::FormReflect(m - i + 1, *p.a(i, i), p.a(std::min(i + 1, m), i), 1, tauq[i - 1]);
    d[i - 1] = *p.a(i, i);
    if (i >= n) return;
    *p.a(i, i) = 1.0;
    BlasDouble::MVVmultAdd(0x2, m - i + 1, n - i, 1.0, p.a(i, i + 1), p.lda, p.a(i, i), 1, 0.0,
                           p.y(i + 1, i), 1);
    BlasDouble::MVVmultAdd(0x2, m - i + 1, i - 1, 1.0, p.a(i, 1), p.lda, p.a(i, i), 1, 0.0,
                           p.y(1, i), 1);
    BlasDouble::MVVmultAdd(0x1, n - i, i - 1, -1.0, p.y(i + 1, 1), p.ldy, p.y(1, i), 1, 1.0,
                           p.y(i + 1, i), 1);
    BlasDouble::MVVmultAdd(0x2, m - i + 1, i - 1, 1.0, p.x(i, 1), p.ldx, p.a(i, i), 1, 0.0,
                           p.y(1, i), 1);
    BlasDouble::MVVmultAdd(0x2, i - 1, n - i, -1.0, p.a(1, i + 1), p.lda, p.y(1, i), 1, 1.0,
                           p.y(i + 1, i), 1);
    BlasDouble::Vscale(n - i, tauq[i - 1], p.y(i + 1, i), 1);

    BlasDouble::MVVmultAdd(0x1, n - i, i, -1.0, p.y(i + 1, 1), p.ldy, p.a(i, 1), p.lda, 1.0,
                           p.a(i, i + 1), p.lda);
    BlasDouble::MVVmultAdd(0x2, i - 1, n - i, -1.0, p.a(1, i + 1), p.lda, p.x(i, 1), p.ldx, 1.0,
                           p.a(i, i + 1), p.lda);
    LAPackDouble::FormReflect(n - i, *p.a(i, i + 1), p.a(i, std::min(i + 2, n)), p.lda,
                              taup[i - 1]);
    e[i - 1] = *p.a(i, i + 1);
    *p.a(i, i + 1) = 1.0;
    BlasDouble::MVVmultAdd(0x1, m - i, n - i, 1.0, p.a(i + 1, i + 1), p.lda, p.a(i, i + 1), p.lda,
                           0.0, p.x(i + 1, i), 1);
    BlasDouble::MVVmultAdd(0x2, n - i, i, 1.0, p.y(i + 1, 1), p.ldy, p.a(i, i + 1), p.lda, 0.0,
                           p.x(1, i), 1);
    BlasDouble::MVVmultAdd(0x1, m - i, i, -1.0, p.a(i + 1, 1), p.lda, p.x(1, i), 1, 1.0,
                           p.x(i + 1, i), 1);
    BlasDouble::MVVmultAdd(0x1, i - 1, n - i, 1.0, p.a(1, i + 1), p.lda, p.a(i, i + 1), p.lda, 0.0,
                           p.x(1, i), 1);
    BlasDouble::MVVmultAdd(0x1, m - i, i - 1, -1.0, p.x(i + 1, 1), p.ldx, p.x(1, i), 1, 1.0,
                           p.x(i + 1, i), 1);
    BlasDouble::Vscale(m - i, taup[i - 1], p.x(i + 1, i), 1);
}

// Step i with m < n, the mirror image: row i, then (while i < m) column i and the new columns.
void LowerStep(Panel const& p, long i, double* d, double* e, double* tauq, double* taup)
{
    long const m = p.m, n = p.n;
    BlasDouble::MVVmultAdd(0x1, n - i + 1, i - 1, -1.0, p.y(i, 1), p.ldy, p.a(i, 1), p.lda, 1.0,
                           p.a(i, i), p.lda);
    BlasDouble::MVVmultAdd(0x2, i - 1, n - i + 1, -1.0, p.a(1, i), p.lda, p.x(i, 1), p.ldx, 1.0,
                           p.a(i, i), p.lda);
    LAPackDouble::FormReflect(n - i + 1, *p.a(i, i), p.a(i, std::min(i + 1, n)), p.lda,
                              taup[i - 1]);
    d[i - 1] = *p.a(i, i);
    if (i >= m) return;
    *p.a(i, i) = 1.0;
    BlasDouble::MVVmultAdd(0x1, m - i, n - i + 1, 1.0, p.a(i + 1, i), p.lda, p.a(i, i), p.lda, 0.0,
                           p.x(i + 1, i), 1);
    BlasDouble::MVVmultAdd(0x2, n - i + 1, i - 1, 1.0, p.y(i, 1), p.ldy, p.a(i, i), p.lda, 0.0,
                           p.x(1, i), 1);
    BlasDouble::MVVmultAdd(0x1, m - i, i - 1, -1.0, p.a(i + 1, 1), p.lda, p.x(1, i), 1, 1.0,
                           p.x(i + 1, i), 1);
    BlasDouble::MVVmultAdd(0x1, i - 1, n - i + 1, 1.0, p.a(1, i), p.lda, p.a(i, i), p.lda, 0.0,
                           p.x(1, i), 1);
    BlasDouble::MVVmultAdd(0x1, m - i, i - 1, -1.0, p.x(i + 1, 1), p.ldx, p.x(1, i), 1, 1.0,
                           p.x(i + 1, i), 1);
    BlasDouble::Vscale(m - i, taup[i - 1], p.x(i + 1, i), 1);

    BlasDouble::MVVmultAdd(0x1, m - i, i - 1, -1.0, p.a(i + 1, 1), p.lda, p.y(i, 1), p.ldy, 1.0,
                           p.a(i + 1, i), 1);
    BlasDouble::MVVmultAdd(0x1, m - i, i, -1.0, p.x(i + 1, 1), p.ldx, p.a(1, i), 1, 1.0,
                           p.a(i + 1, i), 1);
    LAPackDouble::FormReflect(m - i, *p.a(i + 1, i), p.a(std::min(i + 2, m), i), 1, tauq[i - 1]);
    e[i - 1] = *p.a(i + 1, i);
    *p.a(i + 1, i) = 1.0;
    BlasDouble::MVVmultAdd(0x2, m - i, n - i, 1.0, p.a(i + 1, i + 1), p.lda, p.a(i + 1, i), 1, 0.0,
                           p.y(i + 1, i), 1);
    BlasDouble::MVVmultAdd(0x2, m - i, i - 1, 1.0, p.a(i + 1, 1), p.lda, p.a(i + 1, i), 1, 0.0,
                           p.y(1, i), 1);
    BlasDouble::MVVmultAdd(0x1, n - i, i - 1, -1.0, p.y(i + 1, 1), p.ldy, p.y(1, i), 1, 1.0,
                           p.y(i + 1, i), 1);
    BlasDouble::MVVmultAdd(0x2, m - i, i, 1.0, p.x(i + 1, 1), p.ldx, p.a(i + 1, i), 1, 0.0,
                           p.y(1, i), 1);
    BlasDouble::MVVmultAdd(0x2, i, n - i, -1.0, p.a(1, i + 1), p.lda, p.y(1, i), 1, 1.0,
                           p.y(i + 1, i), 1);
    BlasDouble::Vscale(n - i, tauq[i - 1], p.y(i + 1, i), 1);
}

}  // namespace

void LAPackDouble::MtoBiDiagBlock(long m, long n, long nb, double* A, long lda, double* d,
                                  double* e, double* tauq, double* taup, double* X, long ldx,
                                  double* Y, long ldy, Blas::UProgressMonitor& pm)
{
    if (m <= 0 || n <= 0) return;
    Panel const p{m, n, A, X, Y, lda, ldx, ldy};
    pm.Start("DLABRD", 0, m, n, nb, false);
    for (long i = 1; i <= nb; ++i) {
        if (m >= n)
            UpperStep(p, i, d, e, tauq, taup);
        else
            LowerStep(p, i, d, e, tauq, taup);
        pm.Test(i - 1);
    }
    pm.Finish(false);
}
