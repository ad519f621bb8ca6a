#pragma once
// Shared by the tests of the tridiagonal reduction and the symmetric eigensolvers: test matrices,
// the invariants every result must satisfy, and the comparison of eigenvectors, which are fixed
// only up to sign.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "numeric/BlasTiming.h"
#include "tests/numeric/NumerTestSupport.h"
#include "tests/numeric/OracleSupport.h"

namespace eigtest {

double const eps = std::numeric_limits<double>::epsilon();
double const NaN = std::numeric_limits<double>::quiet_NaN();

// A random symmetric n x n matrix with leading dimension ld, both triangles filled; rows n .. ld-1
// hold NaN.
inline std::vector<double> RandomSymmetric(long n, long ld)
{
    std::vector<double> a(ld * std::max(n, 1L), NaN);
    for (long j = 0; j < n; ++j)
        for (long i = j; i < n; ++i) a[i + j * ld] = a[j + i * ld] = oracle::Rand();
    return a;
}

// The same storage with the triangle that a routine must not read (the strict upper one for lower,
// the strict lower one for upper) replaced by NaN.
inline std::vector<double> OneTriangle(std::vector<double> a, long n, long ld, bool lower)
{
    for (long j = 0; j < n; ++j)
        for (long i = 0; i < n; ++i)
            if (lower ? i < j : i > j) a[i + j * ld] = NaN;
    return a;
}

// The product of count random reflectors I - 2 v v' / v'v of order n (leading dimension n).
inline std::vector<double> RandomOrthogonal(long n, int count)
{
    std::vector<double> q(n * n, 0.0);
    for (long i = 0; i < n; ++i) q[i + i * n] = 1.0;
    for (int r = 0; r < count; ++r) {
        std::vector<double> v(n);
        double vv = 0.0;
        for (double& x : v) {
            x = oracle::Rand();
            vv += x * x;
        }
        for (long j = 0; j < n; ++j) {
            double s = 0.0;
            for (long i = 0; i < n; ++i) s += v[i] * q[i + j * n];
            for (long i = 0; i < n; ++i) q[i + j * n] -= 2.0 * s / vv * v[i];
        }
    }
    return q;
}

// The symmetric matrix Q * diag(values) * Q' of order n (leading dimension n), with Q the product
// of two random reflectors, so that its eigenvalues are known exactly up to rounding.
inline std::vector<double> WithSpectrum(std::vector<double> const& values)
{
    long const n = static_cast<long>(values.size());
    std::vector<double> const q = RandomOrthogonal(n, 2);
    std::vector<double> a(n * n, 0.0);
    for (long j = 0; j < n; ++j)
        for (long i = 0; i < n; ++i)
            for (long k = 0; k < n; ++k) a[i + j * n] += q[i + k * n] * values[k] * q[j + k * n];
    for (long j = 0; j < n; ++j)
        for (long i = 0; i < j; ++i) a[i + j * n] = a[j + i * n];  // exactly symmetric
    return a;
}

// The largest absolute element of the n x n matrix a (leading dimension ld).
inline double MaxAbs(std::vector<double> const& a, long n, long ld)
{
    double m = 0.0;
    for (long j = 0; j < n; ++j)
        for (long i = 0; i < n; ++i) m = std::max(m, std::fabs(a[i + j * ld]));
    return m;
}

// max |A v(j) - w(j) v(j)| over all j, in units of n * eps * max|A|; A is full.
inline double EigenResidual(std::vector<double> const& a, long lda, long n, double const* v,
                            long ldv, double const* w)
{
    double worst = 0.0;
    for (long j = 0; j < n; ++j)
        for (long i = 0; i < n; ++i) {
            double s = -w[j] * v[i + j * ldv];
            for (long k = 0; k < n; ++k) s += a[i + k * lda] * v[k + j * ldv];
            worst = std::max(worst, std::fabs(s));
        }
    double const scale = n * eps * std::max(MaxAbs(a, n, lda), std::numeric_limits<double>::min());
    return worst / scale;
}

// max |V'V - I| in units of n * eps.
inline double OrthogonalityError(long n, double const* v, long ldv)
{
    double worst = 0.0;
    for (long j = 0; j < n; ++j)
        for (long i = 0; i < n; ++i) {
            double s = i == j ? -1.0 : 0.0;
            for (long k = 0; k < n; ++k) s += v[k + i * ldv] * v[k + j * ldv];
            worst = std::max(worst, std::fabs(s));
        }
    return worst / (n * eps);
}

// Eigenvalues agree to within tol * n * eps * norm.
inline ::testing::AssertionResult SameValues(long n, double const* w, double const* ref,
                                             double norm, double tol = 10.0)
{
    for (long j = 0; j < n; ++j)
        if (!(std::fabs(w[j] - ref[j]) <= tol * n * eps * norm))
            return ::testing::AssertionFailure()
                   << "eigenvalue " << j << ": " << w[j] << " vs " << ref[j];
    return ::testing::AssertionSuccess();
}

// Column j of v equals column j of ref up to sign, to within the perturbation bound
// tol * n * eps * norm / gap(j), gap(j) being the distance of ref value j to its neighbours.
inline ::testing::AssertionResult SameVectors(long n, double const* v, long ldv, double const* ref,
                                              long ldr, double const* values, double norm,
                                              double tol = 10.0)
{
    for (long j = 0; j < n; ++j) {
        double gap = std::numeric_limits<double>::infinity();
        if (j > 0) gap = std::min(gap, values[j] - values[j - 1]);
        if (j < n - 1) gap = std::min(gap, values[j + 1] - values[j]);
        double dot = 0.0;
        for (long i = 0; i < n; ++i) dot += v[i + j * ldv] * ref[i + j * ldr];
        double const sign = dot < 0.0 ? -1.0 : 1.0;
        double const bound = std::min(1.0, tol * n * eps * norm / gap);
        for (long i = 0; i < n; ++i)
            if (!(std::fabs(v[i + j * ldv] - sign * ref[i + j * ldr]) <= bound))
                return ::testing::AssertionFailure()
                       << "vector " << j << " row " << i << ": " << v[i + j * ldv] << " vs "
                       << sign * ref[i + j * ldr];
    }
    return ::testing::AssertionSuccess();
}

// A tridiagonal matrix of order n: diagonal d, off-diagonal e (n-1 used, n held).
struct TriDiag {
    std::vector<double> d, e;
};

inline TriDiag RandomTriDiag(long n)
{
    TriDiag t{std::vector<double>(n), std::vector<double>(n, 0.0)};
    for (double& x : t.d) x = oracle::Rand();
    for (long i = 0; i + 1 < n; ++i) t.e[i] = oracle::Rand();
    return t;
}

// The 2 / -1 matrix times scale.
inline TriDiag SecondDifference(long n, double scale = 1.0)
{
    return TriDiag{std::vector<double>(n, 2.0 * scale), std::vector<double>(n, -1.0 * scale)};
}

// The full n x n matrix of a tridiagonal one.
inline std::vector<double> Full(TriDiag const& t)
{
    long const n = static_cast<long>(t.d.size());
    std::vector<double> a(n * n, 0.0);
    for (long i = 0; i < n; ++i) {
        a[i + i * n] = t.d[i];
        if (i + 1 < n) a[i + 1 + i * n] = a[i + (i + 1) * n] = t.e[i];
    }
    return a;
}

// The reference routines take int dimensions.
inline int I(long v) { return static_cast<int>(v); }

// The 2 / -1 tridiagonal matrix of order n has the eigenvalues 2 - 2 cos(k pi / (n+1)), k = 1..n.
inline std::vector<double> SecondDifferenceSpectrum(long n)
{
    std::vector<double> w(n);
    for (long k = 1; k <= n; ++k) w[k - 1] = 2.0 - 2.0 * std::cos(k * M_PI / (n + 1));
    return w;
}

typedef RecordingMonitor::Event Event;

// The counters a call opened, as (depth, type, steps), in order.
struct Opened {
    long depth, type, steps;
    bool operator==(Opened const& o) const
    {
        return depth == o.depth && type == o.type && steps == o.steps;
    }
};

inline std::vector<Opened> CountersOpened(RecordingMonitor const& pm)
{
    std::vector<Opened> opened;
    for (Event const& e : pm.events)
        if (e.step == -1) opened.push_back({e.depth, e.type, e.steps});
    return opened;
}

inline std::ostream& operator<<(std::ostream& os, Opened const& o)
{
    return os << "{" << o.depth << ", " << o.type << ", " << o.steps << "}";
}

}  // namespace eigtest
