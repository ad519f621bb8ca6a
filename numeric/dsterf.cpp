// TriDiagGetEigVal (DSTERF): all eigenvalues of the symmetric tridiagonal matrix of order n with
// diagonal d(1..n) and off-diagonal e(1..n-1), by the root-free variant of the implicit QL/QR
// iteration (Pal, Walker, Kahan). d receives the eigenvalues in ascending order; e is destroyed.
// Raises 23001 for n < 0 and 23014 when 30*n sweeps do not reduce every off-diagonal element.
#include <cmath>

#include "numeric/LAPackDouble.h"
#include "numeric/SignTransfer.h"
#include "numeric/TriDiagKernel.h"

namespace
{

using TriDiagDetail::Limits;

// The sweeps over one block of d and of the squared off-diagonal e, in 1-based indices.
class RootFreeSweeps {
public:
    RootFreeSweeps(double* d, double* e, Limits const& k, long& jtot, long nmaxit)
        : d_(d), e_(e), k_(k), jtot_(jtot), nmaxit_(nmaxit)
    {
    }

    // QL: eigenvalues are found at the top, l grows towards lend.
    void QL(long l, long lend)
    {
        for (;;) {
            long m = lend;
            for (long i = l; i <= lend - 1; ++i)
                if (std::fabs(e(i)) <= k_.eps2 * std::fabs(d(i) * d(i + 1))) {
                    m = i;
                    break;
                }
            if (m < lend) e(m) = 0.0;
            double const p = d(l);
            if (m == l) {
                l += 1;
            } else if (m == l + 1) {
                LAPackDouble::M2diag(d(l), std::sqrt(e(l)), d(l + 1), d(l), d(l + 1));
                e(l) = 0.0;
                l += 2;
            } else {
                if (jtot_ == nmaxit_) return;
                jtot_ += 1;
                SweepDown(l, m, p);
                continue;
            }
            if (l > lend) return;
        }
    }

    // QR: the mirror image, eigenvalues are found at the bottom, l falls towards lend.
    void QR(long l, long lend)
    {
        for (;;) {
            long m = lend;
            for (long i = l; i >= lend + 1; --i)
                if (std::fabs(e(i - 1)) <= k_.eps2 * std::fabs(d(i) * d(i - 1))) {
                    m = i;
                    break;
                }
            if (m > lend) e(m - 1) = 0.0;
            double const p = d(l);
            if (m == l) {
                l -= 1;
            } else if (m == l - 1) {
                LAPackDouble::M2diag(d(l), std::sqrt(e(l - 1)), d(l - 1), d(l), d(l - 1));
                e(l - 1) = 0.0;
                l -= 2;
            } else {
                if (jtot_ == nmaxit_) return;
                jtot_ += 1;
                SweepUp(l, m, p);
                continue;
            }
            if (l < lend) return;
        }
    }

private:
    double& d(long i) { return d_[i - 1]; }
    double& e(long i) { return e_[i - 1]; }

    // The shift from the leading 2 x 2 block whose diagonal starts with p and whose off-diagonal
    // square root is rte; next is the other diagonal element.
    static double Shift(double p, double next, double rte)
    {
        double sigma = (next - p) / (2.0 * rte);
        double const r = LAPackDouble::V2getNorm(sigma, 1.0);
        return p - (rte / (sigma + Blas::Sign(r, sigma)));
    }

    // One QL sweep from m up to l.
    void SweepDown(long l, long m, double p)
    {
        double const sigma = Shift(p, d(l + 1), std::sqrt(e(l)));
        double c = 1.0, s = 0.0;
        double gamma = d(m) - sigma;
        p = gamma * gamma;
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
    void SweepUp(long l, long m, double p)
    {
        double const sigma = Shift(p, d(l - 1), std::sqrt(e(l - 1)));
        double c = 1.0, s = 0.0;
        double gamma = d(m) - sigma;
        p = gamma * gamma;
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

    double* d_;
    double* e_;
    Limits const& k_;
    long& jtot_;
    long const nmaxit_;
};

} // namespace

void LAPackDouble::TriDiagGetEigVal(long n, double* d, double* e)
{
    Blas::CheckArgument(n >= 0, "dsterf", __LINE__);
    if (n <= 1) return;

    Limits const k = TriDiagDetail::MakeLimits();
    long const nmaxit = TriDiagDetail::maxSweepsPerValue * n;
    long jtot = 0;
    RootFreeSweeps sweeps(d, e, k, jtot, nmaxit);
    for (long l1 = 1; l1 <= n;) {
        if (l1 > 1) e[l1 - 2] = 0.0;
        long const lsv = l1;
        long const lendsv = TriDiagDetail::BlockEnd(l1, n, d, e, k.eps);
        l1 = lendsv + 1;
        if (lendsv == lsv) continue;

        double const anorm = TriDiagGetNorm(0x4, lendsv - lsv + 1, d + (lsv - 1), e + (lsv - 1));
        TriDiagDetail::BlockScale const how = TriDiagDetail::ScaleBlock(lsv, lendsv, n, d, e, anorm, k);
        for (long i = lsv; i <= lendsv - 1; ++i) e[i - 1] = e[i - 1] * e[i - 1];
        // Iterate from the end whose diagonal element is smaller in magnitude.
        if (std::fabs(d[lendsv - 1]) < std::fabs(d[lsv - 1]))
            sweeps.QR(lendsv, lsv);
        else
            sweeps.QL(lsv, lendsv);

        TriDiagDetail::UnscaleBlock(how, lsv, lendsv, n, d, nullptr, anorm, k);
        if (jtot == nmaxit) TriDiagDetail::CheckConverged(n, e, "dsterf", __LINE__);
    }
    Vsort(0x1, n, d);
}
