// The coefficient line of the Molden writer against printf itself.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "convert/UFixedFormat.h"

namespace {

// The number alone as well: a line whose index has seven digits or more is
// all printf's, whatever its number.
void ExpectAsPrintf(long index, double x)
{
    char want[512];
    char got[512];
    int const numberLength = std::snprintf(want, sizeof want, "%20.14lf", x);
    std::memset(got, '#', sizeof got);
    ASSERT_EQ(numberLength, FormatFixed20_14(got, sizeof got, x)) << want;
    ASSERT_STREQ(want, got);
    int const wantLength = std::snprintf(want, sizeof want, "%6ld %20.14lf\n", index, x);
    std::memset(got, '#', sizeof got);
    int const gotLength = FormatCoefficientLine(got, sizeof got, index, x);
    ASSERT_EQ(wantLength, gotLength) << want;
    ASSERT_STREQ(want, got);
}

TEST(FixedFormat, LinesAreThoseOfPrintf)
{
    double const inf = std::numeric_limits<double>::infinity();
    std::vector<double> values = {0.0,
                                  -0.0,
                                  1.0,
                                  -1.0,
                                  0.5e-14,
                                  -0.5e-14,
                                  4.9999999999999e-15,
                                  1e-300,
                                  -1e-300,
                                  4.9406564584124654e-324,
                                  65535.99999999999,
                                  65536.0,
                                  -65536.0,
                                  123456.75,
                                  1e300,
                                  -1e300,
                                  inf,
                                  -inf,
                                  std::numeric_limits<double>::quiet_NaN(),
                                  std::numeric_limits<double>::max(),
                                  std::ldexp(11.0, -15),
                                  -std::ldexp(3.0, -15)};  // ties below 2^-11, odd digit up
    std::mt19937_64 rng(4108);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int k = 0; k < 100000; ++k) {
        values.push_back(unit(rng));
        // Every scale, from far below the last digit to beyond the fast range.
        int const e = (int)(rng() % 140) - 110;
        values.push_back(std::ldexp((double)(rng() >> 11), e - 53) * (rng() % 2 ? 1 : -1));
        // Exact ties halfway between two last digits, both parities.
        values.push_back(std::ldexp((double)(rng() % (1ULL << 31)), -15));
    }
    for (long m = 0; m < 2000; ++m) values.push_back(-std::ldexp((double)m, -15));
    long index = 1;
    for (double x : values) {
        ExpectAsPrintf(index, x);
        index = index * 7 % 10000019;
    }
    for (long i : {0L, 9L, 99999L, 999999L, 1000000L, 123456789012L, -5L}) ExpectAsPrintf(i, 0.25);
}

TEST(FixedFormat, NumberAloneIsThatOfPrintf)
{
    char got[32];
    EXPECT_EQ(20, FormatFixed20_14(got, sizeof got, -0.123456789012345));
    EXPECT_STREQ("   -0.12345678901234", got);  // the double lies just below ...2345
    EXPECT_EQ(20, FormatFixed20_14(got, sizeof got, 3.0517578125e-05));
    EXPECT_STREQ("    0.00003051757812", got);  // a tie goes to the even digit
    EXPECT_EQ(20, FormatFixed20_14(got, sizeof got, -1e-20));
    EXPECT_STREQ("   -0.00000000000000", got);
}

}  // namespace
