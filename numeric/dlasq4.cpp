// BiDiagGetSvd (DLASQ4): the shift of a dqds sweep, an estimate tau of the smallest eigenvalue of
// the qd array q(1..n), e(1..n-1) (n >= 3, not checked). sup, an upper bound for that eigenvalue on
// entry, is tightened. Trial dqds passes lower tau from 0.9999·sup by powers of 0.7 while one goes
// negative, at most five attempts; the last resort is the largest lower bound found (possibly 0).
#include <algorithm>

#include "numeric/LAPackDouble.h"
#include "numeric/OneBased.h"

namespace {

// A dqds pass with shift tau over q(1..n-1): returns false at the first negative d; d is the last
// value reached and dm the smallest.
bool TrialPass(long n, OneBased<double const> q, OneBased<double const> e, double tau, double& d,
               double& dm)
{
    d = q(1) - tau;
    dm = d;
    for (long i = 1; i <= n - 2; ++i) {
        d = (d / (d + e(i))) * q(i + 1) - tau;
        if (dm > d) dm = d;
        if (d < 0.0) return false;
    }
    return true;
}

}  // namespace

void LAPackDouble::BiDiagGetSvd(long n, double* qp, double* ep, double& tau, double& sup)
{
    OneBased<double const> const q{qp};
    OneBased<double const> const e{ep};
    long const maxAttempts = 5;
    sup = std::min({sup, q(1), q(2), q(3), q(n), q(n - 1), q(n - 2)});
    tau = sup * 0.9999;
    double xinf = 0.0;
    for (long ifl = 1;; ++ifl) {
        if (ifl == maxAttempts) {
            tau = xinf;
            return;
        }
        double d, dm;
        if (!TrialPass(n, q, e, tau, d, dm)) {
            sup = tau;
            tau = std::max(sup * Blas::Power(0.7, ifl), d + tau);
            continue;
        }
        d = (d / (d + e(n - 1))) * q(n) - tau;
        if (dm > d) dm = d;
        if (!(d < 0.0)) {
            sup = std::min(sup, dm + tau);
            return;
        }
        sup = tau;
        xinf = std::max(xinf, d + tau);
        if (sup * Blas::Power(0.7, ifl) <= xinf) {
            tau = xinf;
            return;
        }
        tau = sup * Blas::Power(0.7, ifl);
    }
}
