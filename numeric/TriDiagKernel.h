#pragma once
// What the two symmetric tridiagonal QL/QR iterations share: their machine constants, the search
// for the next unreduced block, the scaling of a block into the safe range and back, and the test
// that ends a call whose sweep budget is spent. d(1..n) is the diagonal, e(1..n-1) the off-diagonal
// (1-based, as the routines index them).
#include <cmath>

#include "numeric/BlasConst.h"
#include "numeric/LAPackDouble.h"
#include "utilities/CustExcept.h"

namespace TriDiagDetail
{

// Sweeps allowed per eigenvalue; the budget of a call is this times n, over all its blocks.
long const maxSweepsPerValue = 30;

struct Limits {
    double eps, eps2, safmin, safmax, ssfmax, ssfmin;
};

inline Limits MakeLimits()
{
    Limits k;
    k.eps = Blas::Constants(Blas::LaMachEps);
    k.eps2 = k.eps * k.eps;
    k.safmin = Blas::Constants(Blas::LaMachSafeMin);
    k.safmax = 1.0 / k.safmin;
    k.ssfmax = std::sqrt(k.safmax) / 3.0;
    k.ssfmin = std::sqrt(k.safmin) / k.eps2;
    return k;
}

// The end of the block that starts at l1: the first m in l1 .. n-1 whose e(m) is zero or negligible
// (then set to zero), else n. The two square roots are taken apart so that large neighbours
// cannot overflow their product and split off every element.
inline long BlockEnd(long l1, long n, double const* d, double* e, double eps)
{
    for (long m = l1; m <= n - 1; ++m) {
        double const tst = std::fabs(e[m - 1]);
        if (tst == 0.0) return m;
        if (tst <= (std::sqrt(std::fabs(d[m - 1])) * std::sqrt(std::fabs(d[m]))) * eps) {
            e[m - 1] = 0.0;
            return m;
        }
    }
    return n;
}

// How a block was scaled: not at all, down to ssfmax, or up to ssfmin.
enum BlockScale { unscaled = 0, toSsfmax = 1, toSsfmin = 2 };

// Scales d(l..lend) and e(l..lend-1) from anorm to the nearer limit when anorm lies outside
// [ssfmin, ssfmax].
inline BlockScale ScaleBlock(long l, long lend, long n, double* d, double* e, double anorm, Limits const& k)
{
    double target;
    BlockScale how;
    if (anorm > k.ssfmax) {
        target = k.ssfmax;
        how = toSsfmax;
    } else if (anorm < k.ssfmin) {
        target = k.ssfmin;
        how = toSsfmin;
    } else {
        return unscaled;
    }
    LAPackDouble::Mscale(Blas::LaMatGeneral, 0, 0, anorm, target, lend - l + 1, 1, d + (l - 1), n);
    LAPackDouble::Mscale(Blas::LaMatGeneral, 0, 0, anorm, target, lend - l, 1, e + (l - 1), n);
    return how;
}

// Undoes ScaleBlock on d(lsv..lendsv) and, when e is not null, on e(lsv..lendsv-1).
inline void UnscaleBlock(BlockScale how, long lsv, long lendsv, long n, double* d, double* e, double anorm,
                         Limits const& k)
{
    if (how == unscaled) return;
    double const from = how == toSsfmax ? k.ssfmax : k.ssfmin;
    LAPackDouble::Mscale(Blas::LaMatGeneral, 0, 0, from, anorm, lendsv - lsv + 1, 1, d + (lsv - 1), n);
    if (e != nullptr)
        LAPackDouble::Mscale(Blas::LaMatGeneral, 0, 0, from, anorm, lendsv - lsv, 1, e + (lsv - 1), n);
}

// With the budget spent, an off-diagonal element that is still nonzero means no convergence.
inline void CheckConverged(long n, double const* e, char const* source, int line)
{
    for (long i = 1; i <= n - 1; ++i)
        if (e[i - 1] != 0.0) RaiseError(23014, source, line);
}

} // namespace TriDiagDetail
