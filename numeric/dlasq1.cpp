// BiDiagGetSvd (DLASQ1): the singular values of the n x n bidiagonal matrix with diagonal d(1..n)
// and off-diagonal e(1..n-1), to high relative accuracy, by dqds. On return d holds them in
// decreasing order; e(n) is set to 0 and e is destroyed. work holds 2n doubles: the scaled and
// squared diagonal and off-diagonal, the second array pair of the iteration. The matrix is split
// where an off-diagonal is negligible; blocks of one and two rows are solved directly, longer ones
// by the block routine on their qd array, scaled so that its largest element is near
// 1/(256·safe minimum). A NaN or an infinity in d(1..n) or e(1..n-1) raises 23014 at every n
// before anything changes; e(n) is not read.
#include <cmath>

#include "numeric/BlasConst.h"
#include "numeric/LAPackDouble.h"
#include "numeric/OneBased.h"
#include "numeric/UStrNumer.h"
#include "utilities/CustExcept.h"
#include "utilities/UMatVec.h"

namespace {

const char* const sourceName = "dlasq1";

// The scan for the largest off-diagonal passes over a NaN, the 2 x 2 routine turns an infinity
// into NaN values and the scaling refuses one only after d is made non-negative, so d(1..n) and
// e(1..n-1) are looked at on their own first.
bool InputFinite(long n, double const* d, double const* e)
{
    return Blas::AllFinite(Blas::LaMatGeneral, n, 1, d, n) &&
           Blas::AllFinite(Blas::LaMatGeneral, n - 1, 1, e, n);
}

struct Tolerances {
    double eps, tol2, small2, thresh, scale;
};

Tolerances MakeTolerances(double smax)
{
    double const eps = Blas::Constants(Blas::LaMachEps);
    double const sfmin = Blas::Constants(Blas::LaMachSafeMin);
    // eps to the plus one eighth, so tolmul is 10 (the QR iteration takes the minus one eighth)
    double const tolmul = std::fmax(10.0, std::fmin(100.0, Blas::Power(eps, 0.125)));
    double const tol = tolmul * eps;
    Tolerances t;
    t.eps = eps;
    t.tol2 = tol * tol;
    t.thresh = smax * std::sqrt(sfmin) * tol;
    t.scale = std::sqrt(1.0 / (256.0 * sfmin));
    t.small2 = 1.0 / (256.0 * tolmul * tolmul);
    return t;
}

// The qd array in work: d and e scaled from smax to scale, then squared.
void SquareIntoWork(long n, double const* d, double const* e, double* work, double smax,
                    double scale)
{
    Vcopy(n, d, 1, work, 1);
    Vcopy(n - 1, e, 1, work + n, 1);
    LAPackDouble::Mscale(Blas::LaMatGeneral, 0, 0, smax, scale, n, 1, work, n);
    LAPackDouble::Mscale(Blas::LaMatGeneral, 0, 0, smax, scale, n - 1, 1, work + n, n - 1);
    for (long j = 0; j < 2 * n - 1; ++j) work[j] = work[j] * work[j];
}

// Solves the block of rows m+1 .. m+ny of d.
void SolveBlock(long m, long ny, long n, double* d, double* e, double* work, Tolerances const& t,
                double smax, double& dm, long ke)
{
    if (ny == 1) return;
    if (ny == 2) {
        LAPackDouble::M2getSvd(d[m], e[m], d[m + 1], d[m], d[m + 1]);
        return;
    }
    long kend = ke + 1 - m;
    LAPackDouble::BiDiagGetSvd(ny, d + m, e + m, work + m, work + n + m, t.eps, t.tol2, t.small2,
                               dm, kend);
    for (long j = m; j < m + ny; ++j) d[j] = std::sqrt(d[j]);
    LAPackDouble::Mscale(Blas::LaMatGeneral, 0, 0, t.scale, smax, ny, 1, d + m, ny);
}

}  // namespace

void LAPackDouble::BiDiagGetSvd(long n, double* dp, double* ep, double* work,
                                Blas::UProgressMonitor& pm)
{
    Blas::CheckArgument(n >= 0, sourceName, __LINE__);
    OneBased<double> const d{dp}, e{ep}, w{work};
    if (n == 0) return;
    if (!InputFinite(n, dp, ep)) RaiseError(nmConvergenceFailure, sourceName, __LINE__);
    if (n == 1) {
        d(1) = std::fabs(d(1));
        return;
    }
    if (n == 2) {
        double ssmin, ssmax;
        M2getSvd(d(1), e(1), d(2), ssmin, ssmax);
        d(1) = ssmax;
        d(2) = ssmin;
        return;
    }
    double smax = 0.0;
    for (long i = 1; i <= n - 1; ++i)
        if (std::fabs(e(i)) > smax) smax = std::fabs(e(i));
    for (long i = 1; i <= n; ++i) d(i) = std::fabs(d(i));
    if (smax == 0.0) {
        Vsort(0x2, n, dp);
        return;
    }
    for (long i = 1; i <= n; ++i)
        if (d(i) > smax) smax = d(i);

    Tolerances const t = MakeTolerances(smax);
    SquareIntoWork(n, dp, ep, work, smax, t.scale);
    long m = 0;
    e(n) = 0.0;
    double dx = w(1);
    double dm = dx;
    long ke = 0;
    pm.Start("DLASQ1", 0, n, false);
    for (long i = 1; i <= n; ++i) {
        bool restart = false;
        // e(n) = 0 ends the last block
        if (std::fabs(e(i)) <= t.thresh || w(n + i) <= t.tol2 * (dm / static_cast<double>(i - m))) {
            SolveBlock(m, i - m, n, dp, ep, work, t, smax, dm, ke);
            m = i;
            if (i < n) {
                dx = w(i + 1);
                dm = dx;
                ke = i;
                restart = true;
            }
        }
        if (i < n && !restart) {
            dx = w(i + 1) * (dx / (dx + w(n + i)));
            if (dm > dx) {
                dm = dx;
                ke = i;
            }
        }
        pm.Test(i - 1);
    }
    Vsort(0x2, n, dp);
    pm.Finish(false);
}
