// TriDiagGetEigVal (DSTERF): all eigenvalues of the symmetric tridiagonal matrix of order n with
// diagonal d(1..n) and off-diagonal e(1..n-1), by the root-free variant of the implicit QL/QR
// iteration (Pal, Walker, Kahan). d receives the eigenvalues in ascending order; e is destroyed.
// Raises 23001 for n < 0 and 23014 when 30*n sweeps do not reduce every off-diagonal element.
#include <cmath>

#include "numeric/LAPackDouble.h"
#include "numeric/TriDiagKernel.h"

namespace {

using TriDiagDetail::Limits;

const char* const sourceName = "dsterf";

// The steps of the iteration on d and the squared off-diagonal e, in 1-based indices.
class RootFreeSolver {
public:
    RootFreeSolver(double* d, double* e, Limits const& k) : d_(d), e_(e), k_(k) {}

    bool Negligible(long k, long i, long j)
    {
        return std::fabs(e(k)) <= k_.eps2 * std::fabs(d(i) * d(j));
    }

    void Accept() {}

    void Solve2Down(long l)
    {
        LAPackDouble::M2diag(d(l), std::sqrt(e(l)), d(l + 1), d(l), d(l + 1));
        e(l) = 0.0;
    }

    void Solve2Up(long l)
    {
        LAPackDouble::M2diag(d(l), std::sqrt(e(l - 1)), d(l - 1), d(l), d(l - 1));
        e(l - 1) = 0.0;
    }

    // One QL sweep from m up to l.
    void SweepDown(long l, long m)
    {
        double const sigma = Shift(d(l), d(l + 1), std::sqrt(e(l)));
        double c = 1.0, s = 0.0;
        double gamma = d(m) - sigma;
        double p = gamma * gamma;
        for (long i = m - 1; i >= l; --i) {
            double const bb = e(i);
            double const r = p + bb;
            if (i != m - 1) e(i + 1) = s * r;
            double const oldc = c;
            c = p / r;
            s = bb / r;
            double const oldgam = gamma;
            double const alpha = d(i);
            gamma = c * (alpha - sigma) - s * oldgam;
            d(i + 1) = oldgam + (alpha - gamma);
            p = c != 0.0 ? (gamma * gamma) / c : oldc * bb;
        }
        e(l) = s * p;
        d(l) = sigma + gamma;
    }

    // One QR sweep from m down to l.
    void SweepUp(long l, long m)
    {
        double const sigma = Shift(d(l), d(l - 1), std::sqrt(e(l - 1)));
        double c = 1.0, s = 0.0;
        double gamma = d(m) - sigma;
        double p = gamma * gamma;
        for (long i = m; i <= l - 1; ++i) {
            double const bb = e(i);
            double const r = p + bb;
            if (i != m) e(i - 1) = s * r;
            double const oldc = c;
            c = p / r;
            s = bb / r;
            double const oldgam = gamma;
            double const alpha = d(i + 1);
            gamma = c * (alpha - sigma) - s * oldgam;
            d(i) = oldgam + (alpha - gamma);
            p = c != 0.0 ? (gamma * gamma) / c : oldc * bb;
        }
        e(l - 1) = s * p;
        d(l) = sigma + gamma;
    }

private:
    double& d(long i) { return d_[i - 1]; }
    double& e(long i) { return e_[i - 1]; }

    // The shift from the 2 x 2 block with diagonal p, next and off-diagonal rte.
    static double Shift(double p, double next, double rte)
    {
        double sigma = (next - p) / (2.0 * rte);
        double const r = LAPackDouble::V2getNorm(sigma, 1.0);
        return p - (rte / (sigma + Blas::SignTransfer(r, sigma)));
    }

    double* d_;
    double* e_;
    Limits const& k_;
};

}  // namespace

void LAPackDouble::TriDiagGetEigVal(long n, double* d, double* e)
{
    Blas::CheckArgument(n >= 0, sourceName, __LINE__);
    if (n <= 1) return;

    Limits const k = TriDiagDetail::MakeLimits();
    RootFreeSolver solver(d, e, k);
    TriDiagDetail::IterateBlocks(n, d, e, k, true, solver, sourceName, __LINE__);
    Vsort(0x1, n, d);
}
