#pragma once
// Bidiagonal test matrices and their singular values: exact ones for the all-ones matrix, and for
// any matrix by bisection in long double on the Golub-Kahan form, whose Sturm count is relatively
// accurate, so the reference resolves even the smallest values of graded matrices.
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "tests/numeric/OracleSupport.h"

namespace bidiag {

double const eps = std::numeric_limits<double>::epsilon();

struct BiDiag {
    std::vector<double> d, e;  // e has n elements; e(n) is workspace for the routines
};

// d_i = 10^(-3i), e_i = 10^(-3i-1), i = 1 .. n.
inline BiDiag Graded(long n)
{
    BiDiag b{std::vector<double>(n), std::vector<double>(n, 0.0)};
    for (long i = 1; i <= n; ++i) {
        b.d[i - 1] = std::pow(10.0, -3.0 * i);
        if (i < n) b.e[i - 1] = std::pow(10.0, -3.0 * i - 1);
    }
    return b;
}

inline BiDiag AllOnes(long n)
{
    BiDiag b{std::vector<double>(n, 1.0), std::vector<double>(n, 1.0)};
    b.e[n - 1] = 0.0;
    return b;
}

// 2 cos(kπ/(2n+1)), k = 1 .. n: decreasing.
inline std::vector<long double> AllOnesValues(long n)
{
    long double const pi = 3.141592653589793238462643383279502884L;
    std::vector<long double> s(n);
    for (long k = 1; k <= n; ++k) s[k - 1] = 2.0L * std::cos(k * pi / (2.0L * n + 1.0L));
    return s;
}

inline BiDiag Random(long n)
{
    BiDiag b{std::vector<double>(n), std::vector<double>(n, 0.0)};
    for (long i = 0; i < n; ++i) b.d[i] = oracle::Rand();
    for (long i = 0; i + 1 < n; ++i) b.e[i] = oracle::Rand();
    return b;
}

// Values near 1 with tiny couplings: clusters far tighter than eps·n apart in relative terms.
inline BiDiag Clustered(long n)
{
    BiDiag b{std::vector<double>(n), std::vector<double>(n, 0.0)};
    for (long i = 0; i < n; ++i) b.d[i] = 1.0 + 1e-12 * oracle::Rand();
    for (long i = 0; i + 1 < n; ++i) b.e[i] = 1e-6 * oracle::Rand();
    return b;
}

// Entries of random sign and magnitudes spread over 10^±4.
inline BiDiag WideRange(long n)
{
    BiDiag b{std::vector<double>(n), std::vector<double>(n, 0.0)};
    for (long i = 0; i < n; ++i) b.d[i] = oracle::Rand() * std::pow(10.0, 4.0 * oracle::Rand());
    for (long i = 0; i + 1 < n; ++i) b.e[i] = oracle::Rand() * std::pow(10.0, 4.0 * oracle::Rand());
    return b;
}

// The number of singular values below x > 0: the Golub-Kahan matrix (zero diagonal, off-diagonal
// d1, e1, d2, ..., dn) has the eigenvalues ±σ; its LDLᵀ pivots of T - x·I count those below x.
inline long CountBelow(BiDiag const& b, long double x)
{
    long const n = static_cast<long>(b.d.size());
    long double const guard = std::numeric_limits<long double>::min();
    long negative = 0;
    long double q = -x;
    for (long k = 1; k < 2 * n; ++k) {
        if (q < 0) ++negative;
        long double const off = k % 2 == 1 ? b.d[(k - 1) / 2] : b.e[k / 2 - 1];
        if (q == 0) q = -guard;
        q = -x - (off * off) / q;
    }
    if (q < 0) ++negative;
    return negative - n;
}

// The singular values, decreasing, by bisection to long double precision.
inline std::vector<long double> Values(BiDiag const& b)
{
    long const n = static_cast<long>(b.d.size());
    // ||B|| <= max |d| + max |e|
    long double dmax = 0, emax = 0;
    for (long i = 0; i < n; ++i) {
        dmax = std::max(dmax, std::fabs((long double)b.d[i]));
        if (i + 1 < n) emax = std::max(emax, std::fabs((long double)b.e[i]));
    }
    long double const bound = dmax + emax;
    std::vector<long double> s(n);
    for (long k = 0; k < n; ++k) {
        // the (k+1)-th largest: the point where fewer than n-k values lie below
        long double lo = 0, hi = bound * 1.01L + std::numeric_limits<long double>::min();
        for (int it = 0; it < 20000 && hi - lo > 1e-20L * hi; ++it) {
            long double const mid =
                lo > 0 && hi > 4 * lo ? std::sqrt(lo) * std::sqrt(hi) : (lo + hi) / 2;
            if (mid <= lo || mid >= hi) break;
            if (CountBelow(b, mid) >= n - k)
                hi = mid;
            else
                lo = mid;
        }
        if (lo == 0) lo = hi;  // a zero singular value: hi shrank towards the smallest positive
        s[k] = (lo + hi) / 2;
    }
    return s;
}

// The largest |computed - exact| / exact over the values; 0 for an exact zero computed as 0.
inline double WorstRelative(std::vector<double> const& computed,
                            std::vector<long double> const& exact)
{
    double worst = 0;
    for (size_t i = 0; i < exact.size(); ++i) {
        long double const diff = std::fabs(computed[i] - exact[i]);
        worst = std::max(worst, exact[i] == 0 ? static_cast<double>(diff)
                                              : static_cast<double>(diff / exact[i]));
    }
    return worst;
}

inline double WorstRelative(std::vector<double> const& computed,
                            std::vector<double> const& reference)
{
    return WorstRelative(computed, std::vector<long double>(reference.begin(), reference.end()));
}

}  // namespace bidiag
