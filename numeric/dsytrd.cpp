// MtoTriDiag (DSYTRD): reduces the symmetric n x n matrix A (leading dimension lda), of which only
// the lower (opt 0x2) or the upper (0x4) triangle is read and written, to tridiagonal form
// Q**T*A*Q = T; d, e, tau and the reflectors in A as MtoTriDiagNoBlock leaves them. With the block
// size that Env gives for "DSYTRD" and n*nb doubles of work, panels are reduced by MtoTriDiagBlock
// and the rest updated by a rank-2nb product; otherwise, and for the last columns,
// MtoTriDiagNoBlock does the work. lwork >= 1.
#include "numeric/BlasDouble.h"
#include "numeric/BlasEnv.h"
#include "numeric/LAPackDouble.h"
#include "numeric/TriDiagReduction.h"
#include "numeric/UStrNumer.h"
#include "utilities/CustExcept.h"
#include "utilities/UMatVec.h"

namespace {
const char* const sourceName = "dsytrd";
}  // namespace

namespace TriDiagReduction {

void Blocked(short opt, long n, double* A, long lda, double* d, double* e, double* tau,
             double* work, long ldwork, long nb, long nx, Blas::UProgressMonitor& pm)
{
    Columns const a{A, lda};
    if (opt & Blas::LaMatUpper) {
        long const kk = n - ((n - nx + nb - 1) / nb) * nb;
        for (long i = n - nb + 1; i >= kk + 1; i -= nb) {
            LAPackDouble::MtoTriDiagBlock(Blas::LaMatUpper, i + nb - 1, nb, A, lda, e, tau, work,
                                          ldwork, pm);
            BlasDouble::SymMMMmultAdd(0x14, i - 1, nb, -1.0, a(1, i), lda, work, ldwork, 1.0, A,
                                      lda, pm);
            for (long j = i; j <= i + nb - 1; ++j) {
                *a(j - 1, j) = e[j - 2];
                d[j - 1] = *a(j, j);
            }
        }
        LAPackDouble::MtoTriDiagNoBlock(Blas::LaMatUpper, kk, A, lda, d, e, tau, pm);
    } else {
        long i = 1;
        for (; i <= n - nx; i += nb) {
            LAPackDouble::MtoTriDiagBlock(Blas::LaMatLower, n - i + 1, nb, a(i, i), lda,
                                          e + (i - 1), tau + (i - 1), work, ldwork, pm);
            BlasDouble::SymMMMmultAdd(0x18, n - i - nb + 1, nb, -1.0, a(i + nb, i), lda, work + nb,
                                      ldwork, 1.0, a(i + nb, i + nb), lda, pm);
            for (long j = i; j <= i + nb - 1; ++j) {
                *a(j + 1, j) = e[j - 1];
                d[j - 1] = *a(j, j);
            }
        }
        LAPackDouble::MtoTriDiagNoBlock(Blas::LaMatLower, n - i + 1, a(i, i), lda, d + (i - 1),
                                        e + (i - 1), tau + (i - 1), pm);
    }
}

}  // namespace TriDiagReduction

void LAPackDouble::MtoTriDiag(short opt, long n, double* A, long lda, double* d, double* e,
                              double* tau, double* work, long lwork, Blas::UProgressMonitor& pm)
{
    Blas::CheckOptions(opt, {Blas::LaMatLower | Blas::LaMatUpper}, sourceName, __LINE__);
    Blas::CheckArgument(n >= 0 && Blas::LeadDimValid(lda, n), sourceName, __LINE__);
    if (lwork < 1) RaiseError(nmWorkspaceTooSmall, sourceName, __LINE__);
    if (n == 0) return;

    long nb = Blas::Env(Blas::LaEnvBlockSize, "DSYTRD", opt, n, -1, -1, -1);
    long nx = n;
    long const ldwork = n;
    if (nb > 1 && nb < n) {
        nx = Max(nb, Blas::Env(Blas::LaEnvCrossover, "DSYTRD", opt, n, -1, -1, -1));
        // Too little work for full panels: narrower ones, or none below the minimum block size.
        if (nx < n && lwork < ldwork * nb) {
            nb = Max(lwork / ldwork, 1L);
            if (nb < Blas::Env(Blas::LaEnvMinBlockSize, "DSYTRD", opt, n, -1, -1, -1)) nx = n;
        }
    } else {
        nb = 1;
    }

    pm.Start("DSYTRD", opt, n, n, n, true);
    TriDiagReduction::Blocked(opt, n, A, lda, d, e, tau, work, ldwork, nb, nx, pm);
    pm.Finish(false);
}
