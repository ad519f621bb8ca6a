// VgetNorm (the scaled sum of squares) against a careful sum, since the reference DLASSQ was
// rewritten in 3.10, and V2getNorm against the reference DLAPY2, which agrees for finite values.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "numeric/LAPackDouble.h"
#include "tests/numeric/OracleSupport.h"
#include "tests/numeric/RefLapackAux.h"
#include "utilities/UMatVec.h"

using namespace oracle;

namespace {

double const inf = std::numeric_limits<double>::infinity();

// sum x_k^2 + scale0^2*sumsq0, and scale^2*sumsq, both divided by 4^top, summed in long double from
// exactly scaled elements.
struct ScaledSums {
    long double careful, ours;
};

ScaledSums Sums(std::vector<double> const& x, double scale0, double sumsq0, double scale,
                double sumsq)
{
    int top = std::numeric_limits<int>::min();
    for (double v : x)
        if (v != 0.0) top = std::max(top, std::ilogb(v));
    if (scale0 > 0.0) top = std::max(top, std::ilogb(scale0));
    long double careful = 0.0L;
    for (double v : x) {
        long double const s = std::ldexp(static_cast<long double>(v), -top);
        careful += s * s;
    }
    long double const s0 = std::ldexp(static_cast<long double>(scale0), -top);
    careful += s0 * s0 * sumsq0;
    long double const s = std::ldexp(static_cast<long double>(scale), -top);
    return {careful, s * s * sumsq};
}

}  // namespace

TEST(AuxSumOfSquares, ScaledSumAgreesWithACarefulSum)
{
    // Magnitudes from 1e-300 to 1e300 in one vector; the plain sum of squares would overflow.
    for (long n : {1L, 2L, 10L, 1000L})
        for (long inc : {1L, 3L}) {
            SCOPED_TRACE(testing::Message() << "n " << n << " inc " << inc);
            std::vector<double> x = StridedVector<double>(n, inc), packed;
            for (long k = 0; k < n; ++k) {
                double& v = x[k * inc];
                v *= std::pow(10.0, double((k * 37) % 61) * 10.0 - 300.0);
                if (k % 7 == 3) v = 0.0;
                packed.push_back(v);
            }
            for (double scale0 : {0.0, 1e-200, 2.0, 1e250}) {
                double scale = scale0, sumsq = scale0 == 0.0 ? 1.0 : 1.5;
                double const sumsq0 = sumsq;
                LAPackDouble::VgetNorm(n, x.data(), inc, scale, sumsq);
                EXPECT_GE(sumsq, 1.0);
                ScaledSums const sums = Sums(packed, scale0, sumsq0, scale, sumsq);
                EXPECT_NEAR(double(sums.ours / sums.careful), 1.0, 4e-16 * (n + 2)) << scale0;
            }
        }
}

TEST(AuxSumOfSquares, SmallCases)
{
    double scale = 2.0, sumsq = 3.0;
    double const x[3] = {3.0, 0.0, 4.0};
    LAPackDouble::VgetNorm(0, x, 1, scale, sumsq);
    EXPECT_EQ(scale, 2.0);
    EXPECT_EQ(sumsq, 3.0);

    // Zeros change nothing, not even a fresh sum's scale of 0.
    double const zeros[2] = {0.0, -0.0};
    scale = 0.0;
    sumsq = 1.0;
    LAPackDouble::VgetNorm(2, zeros, 1, scale, sumsq);
    EXPECT_EQ(scale, 0.0);
    EXPECT_EQ(sumsq, 1.0);

    UVector<double> v(const_cast<double*>(x), 2, 2);
    LAPackDouble::VgetNorm(scale, sumsq, v);
    EXPECT_EQ(scale, 4.0);
    EXPECT_EQ(sumsq, 1.0 + (3.0 / 4.0) * (3.0 / 4.0));
    EXPECT_EQ(scale * std::sqrt(sumsq), 5.0);
}

TEST(AuxSumOfSquares, IncrementsBelowOneReadNothing)
{
    // Under the address sanitizer a read before or beyond the one element would fail the test.
    std::vector<double> one(1, 3.0);
    for (long inc : {0L, -1L, -5L}) {
        double scale = 1.0, sumsq = 2.0;
        LAPackDouble::VgetNorm(4, one.data(), inc, scale, sumsq);
        EXPECT_EQ(scale, 1.0) << inc;
        EXPECT_EQ(sumsq, 2.0) << inc;
    }
}

TEST(AuxSumOfSquares, InfinitiesGiveAnInfiniteSumAndNaNStays)
{
    double const twoInf[3] = {inf, 1.0, -inf};
    double scale = 0.0, sumsq = 1.0;
    LAPackDouble::VgetNorm(3, twoInf, 1, scale, sumsq);
    EXPECT_EQ(scale, inf);
    EXPECT_EQ(sumsq, 2.0);

    double const withNaN[3] = {1.0, NaN, 2.0};
    scale = 0.0;
    sumsq = 1.0;
    LAPackDouble::VgetNorm(3, withNaN, 1, scale, sumsq);
    EXPECT_TRUE(std::isnan(scale * std::sqrt(sumsq)));
}

TEST(AuxSumOfSquares, LengthOfATwoVector)
{
    EXPECT_EQ(LAPackDouble::V2getNorm(3.0, 4.0), 5.0);
    EXPECT_EQ(LAPackDouble::V2getNorm(0.0, -7.0), 7.0);
    EXPECT_EQ(LAPackDouble::V2getNorm(-7.0, 0.0), 7.0);
    EXPECT_DOUBLE_EQ(LAPackDouble::V2getNorm(1e200, 1e200), 1e200 * std::sqrt(2.0));
    EXPECT_DOUBLE_EQ(LAPackDouble::V2getNorm(1e308, -1e308), 1e308 * std::sqrt(2.0));
    EXPECT_DOUBLE_EQ(LAPackDouble::V2getNorm(1e-200, -1e-200), 1e-200 * std::sqrt(2.0));
    EXPECT_EQ(LAPackDouble::V2getNorm(1.5e308, 1.5e308), inf)
        << "overflows only when the result does";

    for (int k = 0; k < 200; ++k) {
        double const x = Rand() * std::pow(10.0, double(k % 41) * 15.0 - 300.0);
        double const y = Rand() * std::pow(10.0, double(k % 23) * 25.0 - 280.0);
        EXPECT_EQ(LAPackDouble::V2getNorm(x, y), dlapy2_(&x, &y)) << x << " " << y;
    }
}

TEST(AuxSumOfSquares, LengthOfATwoVectorWithInfinityOrNaN)
{
    EXPECT_EQ(LAPackDouble::V2getNorm(inf, 1.0), inf);
    EXPECT_EQ(LAPackDouble::V2getNorm(-2.0, -inf), inf);
    EXPECT_EQ(LAPackDouble::V2getNorm(inf, -inf), inf);
    EXPECT_EQ(LAPackDouble::V2getNorm(-inf, 0.0), inf);
    for (double other : {0.0, 1.0, inf})
        for (bool first : {false, true}) {
            double const r =
                first ? LAPackDouble::V2getNorm(NaN, other) : LAPackDouble::V2getNorm(other, NaN);
            EXPECT_TRUE(std::isnan(r)) << other << " first " << first;
        }
}
