#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <string>

#include <unistd.h>

#include "numeric/BlasUtils.h"
#include "numeric/UStrNumer.h"
#include "tests/numeric/NumerTestSupport.h"
#include "tests/support/ChildProcess.h"
#include "utilities/UStrLoad.h"
#include "utilities/UStrUtilities.h"

namespace {

TEST(NumerStringTable, HoldsEveryCodeInOrderWithItsText)
{
    static const char* const texts[] = {"Illegal parameter value",
                                        "Illegal Option Combination",
                                        "Error in progress count data",
                                        "Vector must have increment 1",
                                        "Max # of iterations exceeded",
                                        "Insufficient workspace provided",
                                        "Out of memory",
                                        "Results vector not supplied",
                                        "Cannot resize results matrix",
                                        "Results vector not needed",
                                        "Result storage conflict",
                                        "Results matrix not supplied",
                                        "Matrix is singular",
                                        "Convergence failure",
                                        "No workspace provided",
                                        "Denominator is zero",
                                        "Illegal band matrix",
                                        "Rank not determined",
                                        "TLS noise vector zero",
                                        "Indexed sort element size inconsistency",
                                        "Incomplete initialization",
                                        "Internal group error",
                                        "Matrix data overlap"};
    for (int i = 0; i < 23; ++i) {
        EXPECT_EQ(NumerStringTable[i].Code, nmIllegalParameter + i);
        EXPECT_STREQ(NumerStringTable[i].Text, texts[i]);
    }
    EXPECT_EQ(NumerStringTable[23].Code, 0);
    EXPECT_EQ(NumerStringTable[23].Text, nullptr);
}

TEST(NumerStringTable, InitNumerMakesTheTextsReachable)
{
    RegisterNumerMessages();
    EXPECT_STREQ(LoadStringFromTable(23013), "Matrix is singular");
    try {
        RaiseError(nmIllegalOptions, "dgemm", 17);
        FAIL();
    } catch (const CustomException& e) {
        EXPECT_EQ(e.Code, nmIllegalOptions);
        EXPECT_STREQ(e.Text, "Illegal Option Combination.\nError in file dgemm line 17");
    }
}

TEST(BlasUtils, BitCountCountsAllSixteenBits)
{
    EXPECT_EQ(Blas::BitCount(0), 0);
    EXPECT_EQ(Blas::BitCount(0x0280), 2);
    EXPECT_EQ(Blas::BitCount(-1), 16);
    EXPECT_EQ(Blas::BitCount(static_cast<short>(0x8001)), 2);
}

TEST(BlasUtils, PowersOfTwo)
{
    struct Case {
        long n;
        bool is;
        long to;
    };
    const Case cases[] = {{-4, false, 0},
                          {0, false, 0},
                          {1, true, 1},
                          {2, true, 2},
                          {5, false, 8},
                          {6, false, 8},
                          {8, true, 8},
                          {1L << 40, true, 1L << 40},
                          {(1L << 40) + 1, false, 1L << 41}};
    for (const Case& c : cases) {
        EXPECT_EQ(Blas::IsPowerOf2(c.n), c.is) << c.n;
        EXPECT_EQ(Blas::ToPowerOf2(c.n), c.to) << c.n;
    }
    // Beyond the largest power of two it stops there instead of looping.
    EXPECT_EQ(Blas::ToPowerOf2(std::numeric_limits<long>::max()), 1L << 62);
}

// The logarithms are the natural log times a constant, not the library's log2
// and log10: step counts such as floor(Log2(k) + 0.99) depend on the last bit.
TEST(BlasUtils, LogarithmsAreTheNaturalLogTimesAConstant)
{
    for (double x : {0.1, 1.0, 2.0, 3.0, 8.0, 1000.0, 1024.0, 1e300}) {
        EXPECT_EQ(Blas::Log2(x), std::log(x) * 1.4426950408889634) << x;
        EXPECT_EQ(Blas::Log10(x), std::log(x) * 0.4342944819032518) << x;
    }
    EXPECT_EQ(Blas::Log2(8.0), 2.9999999999999996);
    EXPECT_NE(Blas::Log2(8.0), std::log2(8.0));
    EXPECT_EQ(Blas::Log2(1.0), 0.0);
    EXPECT_EQ(Blas::Log2(0.0), -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(Blas::Log10(-1.0)));
}

TEST(BlasUtils, RoundDtoIRoundsHalfAwayFromZero)
{
    struct Case {
        double x;
        long r;
    };
    const Case cases[] = {{2.5, 3}, {-2.5, -3}, {-0.4, 0}, {0.49999999999999994, 1},
                          {2.4, 2}, {-2.6, -3}, {0.0, 0}};
    for (const Case& c : cases) EXPECT_EQ(Blas::RoundDtoI(c.x), c.r) << c.x;
}

TEST(BlasUtils, PowerByBinaryPowering)
{
    EXPECT_EQ(Blas::Power(2.0, -3L), 0.125);
    EXPECT_EQ(Blas::Power(0.0, 0L), 1.0);
    EXPECT_EQ(Blas::Power(std::nan(""), 0L), 1.0);
    EXPECT_EQ(Blas::Power(3.0, 5L), 243.0);
    EXPECT_EQ(Blas::Power(-2.0, 3), -8.0);
    EXPECT_EQ(Blas::Power(2.0, 0.5), std::pow(2.0, 0.5));
    // The most negative long must not hang or overflow the exponent.
    EXPECT_EQ(Blas::Power(1.0, std::numeric_limits<long>::min()), 1.0);
    EXPECT_EQ(Blas::Power(2.0, std::numeric_limits<long>::min()), 0.0);
}

TEST(BlasUtils, GetTicksStartsAtZeroAndDoesNotDecrease)
{
    // The zero is taken at the first call of a process. A forked child would inherit whatever an
    // earlier test of this process started, so the check runs in a fresh run of this test alone.
    if (std::getenv("KALVEX_FRESH_TICKS") != nullptr) {
        long first = Blas::GetTicks();
        long previous = first;
        bool decreased = false;
        for (int i = 0; i < 100000; ++i) {
            long now = Blas::GetTicks();
            decreased = decreased || now < previous;
            previous = now;
        }
        std::printf("ticks %ld %d\n", first, decreased ? 1 : 0);
        return;
    }
    ChildResult r = RunInChild([] {
        setenv("KALVEX_FRESH_TICKS", "1", 1);
        execl("/proc/self/exe", "test_numeric",
              "--gtest_filter=BlasUtils.GetTicksStartsAtZeroAndDoesNotDecrease",
              static_cast<char*>(nullptr));
        std::_Exit(127);
    });
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_NE(r.out.find("ticks 0 0\n"), std::string::npos) << r.out;
}

TEST(BlasUtils, HeapAllocAndDeAlloc)
{
    long size = 5;
    std::complex<double>* z = nullptr;
    Blas::HeapAlloc(3, size, z);
    ASSERT_NE(z, nullptr);
    for (long i = 0; i < size; ++i) EXPECT_EQ(z[i], std::complex<double>(0.0, 0.0));
    Blas::HeapDeAlloc(z);
    EXPECT_EQ(z, nullptr);
    Blas::HeapDeAlloc(z);
    EXPECT_EQ(z, nullptr);

    long* pivots = nullptr;
    double* work = nullptr;
    Blas::HeapAlloc(1, size, pivots);
    Blas::HeapAlloc(1, size, work);
    pivots[size - 1] = 7;
    work[size - 1] = 1.5;
    Blas::HeapDeAlloc(pivots);
    Blas::HeapDeAlloc(work);
    EXPECT_EQ(pivots, nullptr);
    EXPECT_EQ(work, nullptr);
}

TEST(BlasUtils, HeapAllocRaises21058WhenNothingIsAllocated)
{
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "the address sanitizer stops the process on an impossible allocation";
#endif
    // 2^58 elements fit the size type but no address space: the allocation yields null.
    long size = 1L << 58;
    long* pivots = nullptr;
    double* work = nullptr;
    std::complex<double>* z = nullptr;
    EXPECT_EQ(RaisedCode([&] { Blas::HeapAlloc(1, size, pivots); }), umNewReturnedNull);
    EXPECT_EQ(RaisedCode([&] { Blas::HeapAlloc(1, size, work); }), umNewReturnedNull);
    EXPECT_EQ(RaisedCode([&] { Blas::HeapAlloc(1, size, z); }), umNewReturnedNull);
    EXPECT_EQ(pivots, nullptr);
    EXPECT_EQ(work, nullptr);
    EXPECT_EQ(z, nullptr);
    // A length whose bytes the size type cannot hold is the runtime's own allocation failure,
    // which passes through unchanged.
    size = std::numeric_limits<long>::max();
    EXPECT_THROW(Blas::HeapAlloc(1, size, work), std::bad_alloc);
}

TEST(BlasUtils, OptionWordNeedsOneBitPerGroupAndNothingOutside)
{
    // The groups of a TRSM-like word: side, uplo, trans, diag.
    struct Case {
        short opt;
        bool valid;
    };
    const Case cases[] = {
        {0x99, true},  // left, lower, no transpose, unit
        {0x1 | 0x4 | 0x40 | 0x100, true},
        {0x0, false},           // no group chosen
        {0x98, false},          // side missing
        {0x9b, false},          // two sides
        {0x99 | 0x200, false},  // bit outside every group
        {static_cast<short>(0x99 | 0x8000), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Blas::OptionsValid(c.opt, {0x3, 0xc, 0x70, 0x180}), c.valid) << std::hex << c.opt;
        EXPECT_EQ(RaisedCode([&] {
                      Blas::CheckOptions(c.opt, {0x3, 0xc, 0x70, 0x180}, "dtrsm", __LINE__);
                  }),
                  c.valid ? 0 : nmIllegalOptions)
            << std::hex << c.opt;
    }
    // A routine without groups accepts only the empty word.
    EXPECT_TRUE(Blas::OptionsValid(0, {}));
    EXPECT_FALSE(Blas::OptionsValid(0x1, {}));
}

TEST(BlasUtils, ArgumentAndWorkspaceChecksRaiseTheirCodes)
{
    EXPECT_EQ(RaisedCode([] { Blas::CheckArgument(true, "dgemv", __LINE__); }), 0);
    EXPECT_EQ(RaisedCode([] { Blas::CheckArgument(false, "dgemv", __LINE__); }),
              nmIllegalParameter);
    double work[4];
    EXPECT_EQ(RaisedCode([&] { Blas::CheckWorkspace(work, 4, 4, "dgeqrf", __LINE__); }), 0);
    EXPECT_EQ(RaisedCode([&] { Blas::CheckWorkspace(work, 3, 4, "dgeqrf", __LINE__); }),
              nmWorkspaceTooSmall);
    // A missing array is reported before its length.
    EXPECT_EQ(RaisedCode([] { Blas::CheckWorkspace(nullptr, 0, 4, "dgeqrf", __LINE__); }),
              nmNoWorkspace);
    // Release 2.0 has no workspace query: -1 is just too small.
    EXPECT_EQ(RaisedCode([&] { Blas::CheckWorkspace(work, -1, 1, "dgeqrf", __LINE__); }),
              nmWorkspaceTooSmall);

    EXPECT_TRUE(Blas::LeadDimValid(1, 0));
    EXPECT_FALSE(Blas::LeadDimValid(0, 0));
    EXPECT_FALSE(Blas::LeadDimValid(4, 5));
    EXPECT_TRUE(Blas::LeadDimValid(5, 5));
}

TEST(BlasUtils, RaisesNameTheCallersSource)
{
    RegisterNumerMessages();
    try {
        Blas::CheckArgument(false, "dgetrf", 42);
        FAIL();
    } catch (const CustomException& e) {
        EXPECT_STREQ(e.Text, "Illegal parameter value.\nError in file dgetrf line 42");
    }
}

}  // namespace
