// Vsort against std::sort on every size class (empty, single, the insertion-sort limit and past
// it, large), input orders and repeated values, and against the reference DLASRT, whose algorithm
// did not change after 2.0, to the bit: with +0 and -0 mixed only the same algorithm puts every
// zero in the same place.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <vector>

#include "numeric/LAPackDouble.h"
#include "numeric/UStrNumer.h"
#include "tests/numeric/NumerTestSupport.h"
#include "tests/numeric/OracleSupport.h"
#include "tests/numeric/RefLapackAux.h"

using namespace oracle;

namespace {

enum class Input { Random, FewValues, Sorted, Reversed, AllEqual, OrganPipe };

std::vector<double> Make(Input kind, long n)
{
    std::vector<double> d(n);
    for (long i = 0; i < n; ++i) {
        switch (kind) {
        case Input::Random:
            d[i] = Rand();
            break;
        case Input::FewValues:
            d[i] = std::floor(4.0 * Rand()) * 0.5;
            break;
        case Input::Sorted:
            d[i] = double(i / 3);
            break;
        case Input::Reversed:
            d[i] = double((n - i) / 2);
            break;
        case Input::AllEqual:
            d[i] = 1.5;
            break;
        case Input::OrganPipe:
            d[i] = double(std::min(i, n - 1 - i));
            break;
        }
    }
    return d;
}

char const* Name(Input kind)
{
    static char const* const names[] = {"random",   "few values", "sorted",
                                        "reversed", "all equal",  "organ pipe"};
    return names[static_cast<int>(kind)];
}

}  // namespace

TEST(AuxSort, AgreesWithStdSort)
{
    for (long n : {0L, 1L, 2L, 3L, 21L, 22L, 23L, 1000L, 100000L})
        for (Input kind : {Input::Random, Input::FewValues, Input::Sorted, Input::Reversed,
                           Input::AllEqual, Input::OrganPipe})
            for (bool increasing : {true, false}) {
                SCOPED_TRACE(testing::Message()
                             << "n " << n << " " << Name(kind) << (increasing ? " up" : " down"));
                std::vector<double> ours = Make(kind, n), expected = ours;
                // A guard after the end shows a write past it.
                ours.push_back(NaN);
                LAPackDouble::Vsort(increasing ? 0x1 : 0x2, n, ours.data());
                ASSERT_TRUE(std::isnan(ours.back()));
                ours.pop_back();
                if (increasing)
                    std::sort(expected.begin(), expected.end());
                else
                    std::sort(expected.begin(), expected.end(), std::greater<double>());
                EXPECT_EQ(ours, expected);
            }
}

TEST(AuxSort, EqualsReferenceToTheBit)
{
    for (long n : {2L, 21L, 22L, 50L, 1000L, 5000L})
        for (bool increasing : {true, false}) {
            SCOPED_TRACE(testing::Message() << "n " << n << (increasing ? " up" : " down"));
            std::vector<double> ours(n);
            for (long i = 0; i < n; ++i) {
                double const r = Rand();
                ours[i] = r < -0.3 ? 0.0 : r < 0.4 ? -0.0 : std::floor(8.0 * r);
            }
            std::vector<double> ref = ours;
            LAPackDouble::Vsort(increasing ? 0x1 : 0x2, n, ours.data());
            int nn = int(n), info = -1;
            char const id = increasing ? 'I' : 'D';
            dlasrt_(&id, &nn, ref.data(), &info, 1);
            ASSERT_EQ(info, 0);
            EXPECT_EQ(std::memcmp(ours.data(), ref.data(), n * sizeof(double)), 0);
        }
}

TEST(AuxSort, NaNsEndTheSortWithinTheVector)
{
    // No order holds with NaN, but the partition must still stop inside the vector (the address
    // sanitizer watches) and keep every value.
    for (long n : {22L, 100L, 3000L}) {
        std::vector<double> d(n);
        for (long i = 0; i < n; ++i) d[i] = i % 5 == 2 ? NaN : Rand();
        std::vector<double> before = d;
        LAPackDouble::Vsort(0x1, n, d.data());
        auto const finite = [](std::vector<double> v) {
            v.erase(std::remove_if(v.begin(), v.end(), [](double x) { return std::isnan(x); }),
                    v.end());
            std::sort(v.begin(), v.end());
            return v;
        };
        EXPECT_EQ(finite(d), finite(before)) << n;
    }
}

TEST(AuxSort, Checks)
{
    RegisterNumerMessages();
    double d[2] = {2.0, 1.0};
    for (long opt : {0L, 0x3L, 0x4L, 0x5L, 0x102L})
        EXPECT_EQ(RaisedCode([&] { LAPackDouble::Vsort(short(opt), 2, d); }), nmIllegalOptions)
            << opt;
    EXPECT_EQ(RaisedCode([&] { LAPackDouble::Vsort(0x3, -1, d); }), nmIllegalOptions)
        << "word before length";
    EXPECT_EQ(RaisedCode([&] { LAPackDouble::Vsort(0x1, -1, d); }), nmIllegalParameter);
    EXPECT_EQ(d[0], 2.0);
    EXPECT_EQ(d[1], 1.0);
    std::string text;
    RaisedCode([&] { LAPackDouble::Vsort(0x2, -1, d); }, &text);
    EXPECT_NE(text.find("Error in file dlasrt line "), std::string::npos) << text;
}
