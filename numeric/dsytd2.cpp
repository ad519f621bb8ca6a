// MtoTriDiagNoBlock (DSYTD2): reduces the symmetric n x n matrix A (leading dimension lda), of
// which only the lower (opt 0x2) or the upper (0x4) triangle is read and written, to tridiagonal
// form Q**T*A*Q = T by one elementary reflector per step. d(1..n) receives the diagonal of T,
// e(1..n-1) its off-diagonal, tau(1..n-1) the reflectors' factors. Lower: Q = H(1)...H(n-1), the
// vector of H(i) below the subdiagonal of column i; upper: Q = H(n-1)...H(1), the vector of H(i)
// above the superdiagonal of column i+1. A step whose reflector is the identity (tau = 0) leaves A
// alone.
#include "numeric/BlasDouble.h"
#include "numeric/LAPackDouble.h"
#include "numeric/TriDiagReduction.h"

namespace {

using TriDiagReduction::Columns;

const char* const sourceName = "dsytd2";

// The step of row and column i: v = A(1..i, i+1) with the unit element at row i, x := taui*A*v held
// in tau(1..i), then x -= (taui/2)(x'v) v and A := A - v x' - x v' on the leading i x i block.
void UpperSteps(long n, Columns A, double* d, double* e, double* tau, Blas::UProgressMonitor& pm)
{
    for (long i = n - 1; i >= 1; --i) {
        double taui;
        LAPackDouble::FormReflect(i, *A(i, i + 1), A(1, i + 1), 1, taui);
        e[i - 1] = *A(i, i + 1);
        if (taui != 0.0) {
            *A(i, i + 1) = 1.0;
            BlasDouble::SymMVVmultAdd(0x4, i, taui, A.a, A.ld, A(1, i + 1), 1, 0.0, tau, 1);
            double const alpha = -0.5 * taui * BlasDouble::VVmult(i, tau, 1, A(1, i + 1), 1);
            BlasDouble::VVadd(i, alpha, A(1, i + 1), 1, tau, 1);
            BlasDouble::SymVVMmultAdd(0x4, i, -1.0, A(1, i + 1), 1, tau, 1, A.a, A.ld);
            *A(i, i + 1) = e[i - 1];
        }
        d[i] = *A(i + 1, i + 1);
        tau[i - 1] = taui;
        pm.Test(n - i - 1);
    }
    d[0] = *A(1, 1);
}

// The mirror image on the trailing block: v = A(i+1..n, i), x held in tau(i..n-1).
void LowerSteps(long n, Columns A, double* d, double* e, double* tau, Blas::UProgressMonitor& pm)
{
    for (long i = 1; i <= n - 1; ++i) {
        double taui;
        LAPackDouble::FormReflect(n - i, *A(i + 1, i), A(i + 2 < n ? i + 2 : n, i), 1, taui);
        e[i - 1] = *A(i + 1, i);
        if (taui != 0.0) {
            *A(i + 1, i) = 1.0;
            double* x = tau + (i - 1);
            BlasDouble::SymMVVmultAdd(0x8, n - i, taui, A(i + 1, i + 1), A.ld, A(i + 1, i), 1, 0.0,
                                      x, 1);
            double const alpha = -0.5 * taui * BlasDouble::VVmult(n - i, x, 1, A(i + 1, i), 1);
            BlasDouble::VVadd(n - i, alpha, A(i + 1, i), 1, x, 1);
            BlasDouble::SymVVMmultAdd(0x8, n - i, -1.0, A(i + 1, i), 1, x, 1, A(i + 1, i + 1),
                                      A.ld);
            *A(i + 1, i) = e[i - 1];
        }
        d[i - 1] = *A(i, i);
        tau[i - 1] = taui;
        pm.Test(i - 1);
    }
    d[n - 1] = *A(n, n);
}

}  // namespace

void LAPackDouble::MtoTriDiagNoBlock(short opt, long n, double* A, long lda, double* d, double* e,
                                     double* tau, Blas::UProgressMonitor& pm)
{
    Blas::CheckOptions(opt, {Blas::LaMatLower | Blas::LaMatUpper}, sourceName, __LINE__);
    Blas::CheckArgument(n >= 0 && Blas::LeadDimValid(lda, n), sourceName, __LINE__);
    if (n == 0) return;

    pm.Start("DSYTD2", opt, n, n, n, false);
    if (opt & Blas::LaMatUpper)
        UpperSteps(n, Columns{A, lda}, d, e, tau, pm);
    else
        LowerSteps(n, Columns{A, lda}, d, e, tau, pm);
    pm.Finish(false);
}
