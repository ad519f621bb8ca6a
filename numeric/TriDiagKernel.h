#pragma once
// What the two symmetric tridiagonal QL/QR iterations share: their machine constants, the search
// for the next unreduced block, the scaling of a block into the safe range and back, the QL and QR
// loops over a block and the loop over the blocks with its sweep budget. d(1..n) is the diagonal,
// e(1..n-1) the off-diagonal (1-based, as the routines index them).
#include <cmath>

#include "numeric/BlasConst.h"
#include "numeric/LAPackDouble.h"
#include "numeric/UStrNumer.h"
#include "utilities/CustExcept.h"

namespace TriDiagDetail {

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
inline BlockScale ScaleBlock(long l, long lend, long n, double* d, double* e, double anorm,
                             Limits const& k)
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
inline void UnscaleBlock(BlockScale how, long lsv, long lendsv, long n, double* d, double* e,
                         double anorm, Limits const& k)
{
    if (how == unscaled) return;
    double const from = how == toSsfmax ? k.ssfmax : k.ssfmin;
    LAPackDouble::Mscale(Blas::LaMatGeneral, 0, 0, from, anorm, lendsv - lsv + 1, 1, d + (lsv - 1),
                         n);
    if (e != nullptr)
        LAPackDouble::Mscale(Blas::LaMatGeneral, 0, 0, from, anorm, lendsv - lsv, 1, e + (lsv - 1),
                             n);
}

// With the budget spent, an off-diagonal element that is still nonzero means no convergence.
inline void CheckConverged(long n, double const* e, char const* sourceName, int line)
{
    for (long i = 1; i <= n - 1; ++i)
        if (e[i - 1] != 0.0) RaiseError(nmConvergenceFailure, sourceName, line);
}

// The iteration of both solvers over one block; Solver supplies, in 1-based indices:
//   bool Negligible(long k, long i, long j)  whether e(k), between d(i) and d(j), may become zero;
//   void Accept()                            d(l) has converged;
//   void Solve2Down(long l), Solve2Up(long l) the 2 x 2 block at l, l+1 (QL) or l-1, l (QR);
//   void SweepDown(long l, long m), SweepUp(long l, long m) one QL or QR sweep between l and m.
// jtot counts the sweeps of the whole call; at nmaxit the block's sweeps stop.
template <class Solver>
class BlockIteration {
public:
    BlockIteration(Solver& solver, double* e, long nmaxit)
        : solver_(solver), e_(e), nmaxit_(nmaxit), jtot_(0)
    {
    }

    bool BudgetSpent() const { return jtot_ == nmaxit_; }

    // QL: eigenvalues are found at the top, l grows towards lend.
    void QL(long l, long lend)
    {
        for (;;) {
            long m = lend;
            for (long i = l; i <= lend - 1; ++i)
                if (solver_.Negligible(i, i, i + 1)) {
                    m = i;
                    break;
                }
            if (m < lend) e_[m - 1] = 0.0;
            if (m == l) {
                solver_.Accept();
                l += 1;
            } else if (m == l + 1) {
                solver_.Solve2Down(l);
                l += 2;
            } else if (Sweep()) {
                solver_.SweepDown(l, m);
                continue;
            } else {
                return;
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
                if (solver_.Negligible(i - 1, i, i - 1)) {
                    m = i;
                    break;
                }
            if (m > lend) e_[m - 2] = 0.0;
            if (m == l) {
                solver_.Accept();
                l -= 1;
            } else if (m == l - 1) {
                solver_.Solve2Up(l);
                l -= 2;
            } else if (Sweep()) {
                solver_.SweepUp(l, m);
                continue;
            } else {
                return;
            }
            if (l < lend) return;
        }
    }

private:
    // Counts one more sweep, unless the budget is spent.
    bool Sweep()
    {
        if (jtot_ == nmaxit_) return false;
        jtot_ += 1;
        return true;
    }

    Solver& solver_;
    double* e_;
    long const nmaxit_;
    long jtot_;
};

// The loop over the unreduced blocks of the matrix of order n >= 2, each scaled into the safe
// range, iterated from the end whose diagonal element is smaller in magnitude and scaled back. The
// root-free solver works on the squares of the off-diagonal elements, has no zero-norm block to
// pass over and leaves them as they are; the other scales them back. A spent budget with an
// element still nonzero raises 23014 under the caller's source and line.
template <class Solver>
void IterateBlocks(long n, double* d, double* e, Limits const& k, bool rootFree, Solver& solver,
                   char const* sourceName, int line)
{
    BlockIteration<Solver> iteration(solver, e, maxSweepsPerValue * n);
    for (long l1 = 1; l1 <= n;) {
        if (l1 > 1) e[l1 - 2] = 0.0;
        long const lsv = l1;
        long const lendsv = BlockEnd(l1, n, d, e, k.eps);
        l1 = lendsv + 1;
        if (lendsv == lsv) continue;

        double const anorm = LAPackDouble::TriDiagGetNorm(Blas::LaNormInf, lendsv - lsv + 1,
                                                          d + (lsv - 1), e + (lsv - 1));
        if (anorm == 0.0 && !rootFree) continue;
        BlockScale const how = ScaleBlock(lsv, lendsv, n, d, e, anorm, k);
        if (rootFree)
            for (long i = lsv; i <= lendsv - 1; ++i) e[i - 1] = e[i - 1] * e[i - 1];
        if (std::fabs(d[lendsv - 1]) < std::fabs(d[lsv - 1]))
            iteration.QR(lendsv, lsv);
        else
            iteration.QL(lsv, lendsv);

        UnscaleBlock(how, lsv, lendsv, n, d, rootFree ? nullptr : e, anorm, k);
        if (iteration.BudgetSpent()) CheckConverged(n, e, sourceName, line);
    }
}

}  // namespace TriDiagDetail
