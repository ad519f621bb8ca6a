// TriMdiag (DSTEQR): all eigenvalues and optionally the eigenvectors of the symmetric tridiagonal
// matrix of order n with diagonal d(1..n) and off-diagonal e(1..n-1), by the implicit QL/QR
// iteration. opt 0x4: eigenvalues only, sorted ascending; 0x8: Z (n x n, leading dimension ldz) is
// set to the unit matrix and receives the eigenvectors of the tridiagonal matrix; 0x10: Z holds the
// orthogonal matrix of a reduction to tridiagonal form and receives the eigenvectors of the
// reduced matrix. With 0x8 and 0x10 the eigenvalues are sorted ascending together with the columns
// of Z, and work (2n-2 doubles, not checked) holds the rotations of a sweep. e is destroyed.
// Raises 23014 when 30*n sweeps do not reduce every off-diagonal element.
#include <cmath>

#include "numeric/LAPackDouble.h"
#include "numeric/TriDiagKernel.h"
#include "numeric/Vswap.h"

namespace {

using TriDiagDetail::Limits;

const char* const sourceName = "dsteqr";

// The steps of the iteration, in 1-based indices; with wantz the rotations of each sweep are
// gathered in work(1..n-1) (cosines) and work(n..2n-2) (sines) and applied to the columns of Z, and
// every eigenvalue found is reported to the monitor.
class ImplicitSolver {
public:
    ImplicitSolver(long n, double* d, double* e, double* z, long ldz, double* work, bool wantz,
                   Limits const& k, Blas::UProgressMonitor& pm)
        : n_(n), d_(d), e_(e), z_(z), ldz_(ldz), work_(work), wantz_(wantz), k_(k), pm_(pm),
          found_(0)
    {
    }

    bool Negligible(long k, long i, long j) const
    {
        double const a = std::fabs(e_[k - 1]);
        return a * a <= (k_.eps2 * std::fabs(d_[i - 1])) * std::fabs(d_[j - 1]) + k_.safmin;
    }

    void Accept() { Found(1); }

    void Solve2Down(long l) { Solve2(l, 0x1a); }
    void Solve2Up(long l) { Solve2(l - 1, 0x16); }

    // One QL sweep from m up to l.
    void SweepDown(long l, long m)
    {
        double g = Shift(d(l), d(l + 1), e(l), d(m));
        double sn = 1.0, cs = 1.0, p = 0.0;
        for (long i = m - 1; i >= l; --i) {
            double const f = sn * e(i);
            double const b = cs * e(i);
            double r;
            LAPackDouble::PlaneRot(g, f, cs, sn, r);
            if (i != m - 1) e(i + 1) = r;
            g = d(i + 1) - p;
            r = (d(i) - g) * sn + 2.0 * cs * b;
            p = sn * r;
            d(i + 1) = g + p;
            g = cs * r - b;
            if (wantz_) {
                *c(i) = cs;
                *s(i) = -sn;
            }
        }
        if (wantz_) LAPackDouble::RotateBlock(0x1a, n_, m - l + 1, c(l), s(l), z(l), ldz_);
        d(l) = d(l) - p;
        e(l) = g;
    }

    // One QR sweep from m down to l.
    void SweepUp(long l, long m)
    {
        double g = Shift(d(l), d(l - 1), e(l - 1), d(m));
        double sn = 1.0, cs = 1.0, p = 0.0;
        for (long i = m; i <= l - 1; ++i) {
            double const f = sn * e(i);
            double const b = cs * e(i);
            double r;
            LAPackDouble::PlaneRot(g, f, cs, sn, r);
            if (i != m) e(i - 1) = r;
            g = d(i) - p;
            r = (d(i + 1) - g) * sn + 2.0 * cs * b;
            p = sn * r;
            d(i) = g + p;
            g = cs * r - b;
            if (wantz_) {
                *c(i) = cs;
                *s(i) = sn;
            }
        }
        if (wantz_) LAPackDouble::RotateBlock(0x16, n_, l - m + 1, c(m), s(m), z(m), ldz_);
        d(l) = d(l) - p;
        e(l - 1) = g;
    }

private:
    double& d(long i) { return d_[i - 1]; }
    double& e(long i) { return e_[i - 1]; }
    double* c(long i) { return work_ + (i - 1); }
    double* s(long i) { return work_ + (n_ - 1) + (i - 1); }
    double* z(long j) { return z_ + (j - 1) * ldz_; }

    // Reports count eigenvalues found to the monitor (only with eigenvectors).
    void Found(long count)
    {
        if (!wantz_) return;
        if (count == 1)
            pm_.Test(found_);
        else
            pm_.Test(found_, count);
        found_ += count;
    }

    // The 2 x 2 block at rows top, top+1 directly; its rotation, stored at position top, turns
    // columns top, top+1 of Z in the direction that opt (0x1a backward, 0x16 forward) gives.
    void Solve2(long top, short opt)
    {
        double rt1, rt2;
        if (wantz_) {
            LAPackDouble::M2diag(d(top), e(top), d(top + 1), rt1, rt2, *c(top), *s(top));
            LAPackDouble::RotateBlock(opt, n_, 2, c(top), s(top), z(top), ldz_);
        } else {
            LAPackDouble::M2diag(d(top), e(top), d(top + 1), rt1, rt2);
        }
        d(top) = rt1;
        d(top + 1) = rt2;
        e(top) = 0.0;
        Found(2);
    }

    // The shift from the 2 x 2 block with diagonal p, next and off-diagonal off; dm is the
    // diagonal element where the sweep begins.
    static double Shift(double p, double next, double off, double dm)
    {
        double g = (next - p) / (2.0 * off);
        double const r = LAPackDouble::V2getNorm(g, 1.0);
        return dm - p + (off / (g + Blas::SignTransfer(r, g)));
    }

    long const n_;
    double* d_;
    double* e_;
    double* z_;
    long const ldz_;
    double* work_;
    bool const wantz_;
    Limits const& k_;
    Blas::UProgressMonitor& pm_;
    long found_;  // eigenvalues reported to the monitor so far
};

// Ascending order by selection, so that at most n-1 column pairs of Z are exchanged; of equal
// values the first keeps its place.
void SortWithVectors(long n, double* d, double* z, long ldz)
{
    for (long i = 1; i <= n - 1; ++i) {
        long k = i;
        double p = d[i - 1];
        for (long j = i + 1; j <= n; ++j)
            if (d[j - 1] < p) {
                k = j;
                p = d[j - 1];
            }
        if (k != i) {
            d[k - 1] = d[i - 1];
            d[i - 1] = p;
            Vswap<double>(n, z + (i - 1) * ldz, 1, z + (k - 1) * ldz, 1);
        }
    }
}

}  // namespace

void LAPackDouble::TriMdiag(short opt, long n, double* d, double* e, double* Z, long ldz,
                            double* work, Blas::UProgressMonitor& pm)
{
    Blas::CheckOptions(opt, {0x1c}, sourceName, __LINE__);
    bool const wantz = (opt & 0x18) != 0;
    bool const identity = (opt & 0x8) != 0;
    Blas::CheckArgument(n >= 0 && ldz >= 1 && (!wantz || Blas::LeadDimValid(ldz, n)), sourceName,
                        __LINE__);
    if (n == 0) return;
    if (n == 1) {
        if (identity) Z[0] = 1.0;
        return;
    }

    Limits const k = TriDiagDetail::MakeLimits();
    if (identity) Mset(Blas::LaMatGeneral, n, n, 0.0, 1.0, Z, ldz);
    if (wantz) pm.Start("DSTEQR", opt, n, false);
    ImplicitSolver solver(n, d, e, Z, ldz, work, wantz, k, pm);
    TriDiagDetail::IterateBlocks(n, d, e, k, false, solver, sourceName, __LINE__);

    if (wantz) {
        SortWithVectors(n, d, Z, ldz);
        pm.Finish(false);
    } else {
        Vsort(0x1, n, d);
    }
}
