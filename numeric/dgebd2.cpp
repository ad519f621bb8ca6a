// MtoBiDiagElt (DGEBD2): unblocked reduction of the m x n matrix A (leading dimension lda) to
// bidiagonal form B = Q**T*A*P, one reflector from the left and one from the right per step.
// m >= n gives an upper bidiagonal B (d on the diagonal, e above it), m < n a lower one (e below
// it). H(i) keeps its vector below the diagonal (m >= n) or the subdiagonal (m < n) of column i
// with its factor in tauq(i); G(i) right of the superdiagonal or the diagonal in row i, factor
// taup(i). The last reflector on the short side is the unit matrix (factor 0). work holds
// max(m, n) doubles.
#include <algorithm>

#include "numeric/LAPackDouble.h"

void LAPackDouble::MtoBiDiagElt(long m, long n, double* A, long lda, double* d, double* e,
                                double* tauq, double* taup, double* work,
                                Blas::UProgressMonitor& pm)
{
    Blas::CheckArgument(m >= 0 && n >= 0 && Blas::LeadDimValid(lda, m), "dgebd2", __LINE__);
    auto a = [A, lda](long i, long j) { return A + (i - 1) + (j - 1) * lda; };

    pm.Start("DGEBD2", 0, std::min(m, n), true);
    if (m >= n) {
        for (long i = 1; i <= n; ++i) {
            FormReflect(m - i + 1, *a(i, i), a(std::min(i + 1, m), i), 1, tauq[i - 1]);
            d[i - 1] = *a(i, i);
            *a(i, i) = 1.0;
            ApplyReflectElt(0x1, m - i + 1, n - i, a(i, i), 1, tauq[i - 1], a(i, i + 1), lda, work);
            *a(i, i) = d[i - 1];
            if (i < n) {
                FormReflect(n - i, *a(i, i + 1), a(i, std::min(i + 2, n)), lda, taup[i - 1]);
                e[i - 1] = *a(i, i + 1);
                *a(i, i + 1) = 1.0;
                ApplyReflectElt(0x2, m - i, n - i, a(i, i + 1), lda, taup[i - 1], a(i + 1, i + 1),
                                lda, work);
                *a(i, i + 1) = e[i - 1];
            } else {
                taup[i - 1] = 0.0;
            }
            pm.Test(i - 1);
        }
    } else {
        for (long i = 1; i <= m; ++i) {
            FormReflect(n - i + 1, *a(i, i), a(i, std::min(i + 1, n)), lda, taup[i - 1]);
            d[i - 1] = *a(i, i);
            *a(i, i) = 1.0;
            ApplyReflectElt(0x2, m - i, n - i + 1, a(i, i), lda, taup[i - 1],
                            a(std::min(i + 1, m), i), lda, work);
            *a(i, i) = d[i - 1];
            if (i < m) {
                FormReflect(m - i, *a(i + 1, i), a(std::min(i + 2, m), i), 1, tauq[i - 1]);
                e[i - 1] = *a(i + 1, i);
                *a(i + 1, i) = 1.0;
                ApplyReflectElt(0x1, m - i, n - i, a(i + 1, i), 1, tauq[i - 1], a(i + 1, i + 1),
                                lda, work);
                *a(i + 1, i) = e[i - 1];
            } else {
                tauq[i - 1] = 0.0;
            }
            pm.Test(i - 1);
        }
    }
    pm.Finish(false);
}
