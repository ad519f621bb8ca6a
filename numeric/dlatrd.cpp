// MtoTriDiagBlock (DLATRD): reduces nb rows and columns of the symmetric n x n matrix A (leading
// dimension lda) to tridiagonal form by orthogonal similarity and returns W (n x nb, leading
// dimension ldw), with which the caller updates the unreduced rest as A := A - V*W' - W*V'. opt
// 0x4: the upper triangle is used and the last nb columns are reduced, e(n-nb..n-1) and
// tau(n-nb..n-1) receiving the off-diagonal and the reflectors' factors; otherwise the lower
// triangle and the first nb columns, e(1..nb) and tau(1..nb). Nothing is checked; n <= 0 returns at
// once.
#include "numeric/BlasDouble.h"
#include "numeric/LAPackDouble.h"
#include "numeric/TriDiagReduction.h"

namespace {

using TriDiagReduction::Columns;

// Completes column w of W for the reflector v of length len and factor tau: w := tau*w, then
// w += alpha*v with alpha = -tau/2 * (w'v).
void FinishColumn(long len, double tau, double const* v, double* w)
{
    BlasDouble::Vscale(len, tau, w, 1);
    double const alpha = -0.5 * tau * BlasDouble::VVmult(len, w, 1, v, 1);
    BlasDouble::VVadd(len, alpha, v, 1, w, 1);
}

void UpperColumns(long n, long nb, Columns A, double* e, double* tau, Columns W,
                  Blas::UProgressMonitor& pm)
{
    for (long i = n; i >= n - nb + 1; --i) {
        long const iw = i - n + nb;
        if (i < n) {
            // Column i takes the updates of the columns already reduced.
            BlasDouble::MVVmultAdd(0x1, i, n - i, -1.0, A(1, i + 1), A.ld, W(i, iw + 1), W.ld, 1.0,
                                   A(1, i), 1);
            BlasDouble::MVVmultAdd(0x1, i, n - i, -1.0, W(1, iw + 1), W.ld, A(i, i + 1), A.ld, 1.0,
                                   A(1, i), 1);
        }
        if (i > 1) {
            LAPackDouble::FormReflect(i - 1, *A(i - 1, i), A(1, i), 1, tau[i - 2]);
            e[i - 2] = *A(i - 1, i);
            *A(i - 1, i) = 1.0;
            BlasDouble::SymMVVmultAdd(0x4, i - 1, 1.0, A.a, A.ld, A(1, i), 1, 0.0, W(1, iw), 1);
            if (i < n) {
                BlasDouble::MVVmultAdd(0x2, i - 1, n - i, 1.0, W(1, iw + 1), W.ld, A(1, i), 1, 0.0,
                                       W(i + 1, iw), 1);
                BlasDouble::MVVmultAdd(0x1, i - 1, n - i, -1.0, A(1, i + 1), A.ld, W(i + 1, iw), 1,
                                       1.0, W(1, iw), 1);
                BlasDouble::MVVmultAdd(0x2, i - 1, n - i, 1.0, A(1, i + 1), A.ld, A(1, i), 1, 0.0,
                                       W(i + 1, iw), 1);
                BlasDouble::MVVmultAdd(0x1, i - 1, n - i, -1.0, W(1, iw + 1), W.ld, W(i + 1, iw), 1,
                                       1.0, W(1, iw), 1);
            }
            FinishColumn(i - 1, tau[i - 2], A(1, i), W(1, iw));
        }
        pm.Test(n - i);
    }
}

void LowerColumns(long n, long nb, Columns A, double* e, double* tau, Columns W,
                  Blas::UProgressMonitor& pm)
{
    for (long i = 1; i <= nb; ++i) {
        // Column i takes the updates of the columns already reduced.
        BlasDouble::MVVmultAdd(0x1, n - i + 1, i - 1, -1.0, A(i, 1), A.ld, W(i, 1), W.ld, 1.0,
                               A(i, i), 1);
        BlasDouble::MVVmultAdd(0x1, n - i + 1, i - 1, -1.0, W(i, 1), W.ld, A(i, 1), A.ld, 1.0,
                               A(i, i), 1);
        if (i < n) {
            LAPackDouble::FormReflect(n - i, *A(i + 1, i), A(i + 2 < n ? i + 2 : n, i), 1,
                                      tau[i - 1]);
            e[i - 1] = *A(i + 1, i);
            *A(i + 1, i) = 1.0;
            BlasDouble::SymMVVmultAdd(0x8, n - i, 1.0, A(i + 1, i + 1), A.ld, A(i + 1, i), 1, 0.0,
                                      W(i + 1, i), 1);
            BlasDouble::MVVmultAdd(0x2, n - i, i - 1, 1.0, W(i + 1, 1), W.ld, A(i + 1, i), 1, 0.0,
                                   W(1, i), 1);
            BlasDouble::MVVmultAdd(0x1, n - i, i - 1, -1.0, A(i + 1, 1), A.ld, W(1, i), 1, 1.0,
                                   W(i + 1, i), 1);
            BlasDouble::MVVmultAdd(0x2, n - i, i - 1, 1.0, A(i + 1, 1), A.ld, A(i + 1, i), 1, 0.0,
                                   W(1, i), 1);
            BlasDouble::MVVmultAdd(0x1, n - i, i - 1, -1.0, W(i + 1, 1), W.ld, W(1, i), 1, 1.0,
                                   W(i + 1, i), 1);
            FinishColumn(n - i, tau[i - 1], A(i + 1, i), W(i + 1, i));
        }
        pm.Test(i - 1);
    }
}

}  // namespace

void LAPackDouble::MtoTriDiagBlock(short opt, long n, long nb, double* A, long lda, double* e,
                                   double* tau, double* W, long ldw, Blas::UProgressMonitor& pm)
{
    if (n <= 0) return;
    pm.Start("DLATRD", opt, n, n, nb, false);
    if (opt & Blas::LaMatUpper)
        UpperColumns(n, nb, Columns{A, lda}, e, tau, Columns{W, ldw}, pm);
    else
        LowerColumns(n, nb, Columns{A, lda}, e, tau, Columns{W, ldw}, pm);
    pm.Finish(false);
}
