#pragma once
// Shared pieces of the kernel tests: reproducible random data, NaN sentinels around the parts a
// kernel may touch and ulp comparison.
#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <vector>

namespace oracle {

typedef std::complex<double> cplx;
double const NaN = std::numeric_limits<double>::quiet_NaN();

// Restarts at the same seed in every test, so that a test's data do not depend on which tests ran
// before it in the same process.
inline std::mt19937& Rng()
{
    static std::mt19937 rng;
    static ::testing::TestInfo const* owner = nullptr;
    ::testing::TestInfo const* const now = ::testing::UnitTest::GetInstance()->current_test_info();
    if (now != owner) {
        owner = now;
        rng.seed(12345);
    }
    return rng;
}

inline double Rand() { return std::uniform_real_distribution<double>(-1.0, 1.0)(Rng()); }
template <class T>
T RandOf();
template <>
inline double RandOf<double>()
{
    return Rand();
}
template <>
inline cplx RandOf<cplx>()
{
    double r = Rand();
    return cplx(r, Rand());
}
template <class T>
T NaNOf()
{
    return T(NaN);
}
template <>
inline cplx NaNOf<cplx>()
{
    return cplx(NaN, NaN);
}

inline bool IsNaN(double x) { return std::isnan(x); }
inline bool IsNaN(cplx const& x) { return std::isnan(x.real()) || std::isnan(x.imag()); }

// A strided vector of n elements in storage of 1 + (n-1)*|inc| elements; the gaps hold NaN.
template <class T>
std::vector<T> StridedVector(long n, long inc)
{
    long const step = inc < 0 ? -inc : inc;
    std::vector<T> v(n > 0 ? 1 + (n - 1) * step : 1, NaNOf<T>());
    for (long i = 0; i < n; ++i) v[i * step] = RandOf<T>();
    return v;
}

// An m x n column-major matrix with leading dimension ld; rows m .. ld-1 hold NaN.
template <class T>
std::vector<T> PaddedMatrix(long m, long n, long ld)
{
    std::vector<T> a(ld * (n > 0 ? n : 1), NaNOf<T>());
    for (long j = 0; j < n; ++j)
        for (long i = 0; i < m; ++i) a[i + j * ld] = RandOf<T>();
    return a;
}

inline int64_t OrderedBits(double x)
{
    int64_t i;
    std::memcpy(&i, &x, sizeof i);
    return i < 0 ? std::numeric_limits<int64_t>::min() - i : i;
}

inline int64_t UlpDistance(double a, double b)
{
    if (a == b) return 0;
    int64_t d = OrderedBits(a) - OrderedBits(b);
    return d < 0 ? -d : d;
}

// Equal to within ulps, or, for values that cancelled to near zero, within ulps of scale.
inline bool Close(double a, double b, int ulps, double scale)
{
    if (IsNaN(a) || IsNaN(b)) return IsNaN(a) && IsNaN(b);
    if (UlpDistance(a, b) <= ulps) return true;
    return std::fabs(a - b) <= ulps * std::numeric_limits<double>::epsilon() * scale;
}
inline bool Close(cplx const& a, cplx const& b, int ulps, double scale)
{
    return Close(a.real(), b.real(), ulps, scale) && Close(a.imag(), b.imag(), ulps, scale);
}

inline double MaxAbs(std::vector<double> const& v)
{
    double m = 0.0;
    for (double x : v)
        if (!IsNaN(x) && std::fabs(x) > m) m = std::fabs(x);
    return m;
}
inline double MaxAbs(std::vector<cplx> const& v)
{
    double m = 0.0;
    for (cplx const& x : v)
        if (!IsNaN(x) && std::abs(x) > m) m = std::abs(x);
    return m;
}

// The larger of worst and d, and NaN from the first NaN d on. std::max(worst, d) passes over a NaN
// d, so a result spoilt by NaN would count as a small difference.
inline double MaxOrNaN(double worst, double d) { return std::isnan(d) || d > worst ? d : worst; }

// max |a[i] - b[i]|, passing over the elements that are NaN in both (the sentinels of unused
// storage); NaN where only one of them is.
inline double MaxDiff(std::vector<double> const& a, std::vector<double> const& b)
{
    if (a.size() != b.size()) return NaN;
    double worst = 0.0;
    for (size_t i = 0; i < a.size(); ++i)
        if (!IsNaN(a[i]) || !IsNaN(b[i])) worst = MaxOrNaN(worst, std::fabs(a[i] - b[i]));
    return worst;
}

// max |a(i,j) - b(i,j)| over the m x n matrices a (leading dimension lda) and b (ldb), relative to
// max |b(i,j)| unless b is zero; NaN when a difference is.
template <class T>
double RelDiff(long m, long n, T const* a, long lda, T const* b, long ldb)
{
    double worst = 0.0, big = 0.0;
    for (long j = 0; j < n; ++j)
        for (long i = 0; i < m; ++i) {
            worst = MaxOrNaN(worst, std::abs(a[i + j * lda] - b[i + j * ldb]));
            big = std::max(big, std::abs(b[i + j * ldb]));
        }
    return big > 0.0 ? worst / big : worst;
}

// Every element agrees to within ulps; NaN sentinels must be NaN in both.
template <class T>
::testing::AssertionResult SameArrays(std::vector<T> const& ours, std::vector<T> const& ref,
                                      int ulps = 4)
{
    if (ours.size() != ref.size()) return ::testing::AssertionFailure() << "sizes differ";
    double const scale = MaxAbs(ref);
    for (size_t i = 0; i < ours.size(); ++i)
        if (!Close(ours[i], ref[i], ulps, scale))
            return ::testing::AssertionFailure()
                   << "element " << i << ": " << ours[i] << " vs " << ref[i];
    return ::testing::AssertionSuccess();
}

}  // namespace oracle
