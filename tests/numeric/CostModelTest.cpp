#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "numeric/BlasCost.h"
#include "numeric/BlasUtils.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"
#include "utilities/UDebug.h"

namespace {

TEST(CostTable, RowsFollowTheNamesEnumeration)
{
    for (int row = 0; row < 90; ++row) {
        ASSERT_NE(Blas::ss[row].LaName, nullptr) << row;
        EXPECT_EQ(Blas::CostIndex(Blas::ss[row].LaName), row) << Blas::ss[row].LaName;
    }
    EXPECT_EQ(Blas::ss[90].LaName, nullptr);
    EXPECT_EQ(Blas::ss[90].Id, nullptr);
    EXPECT_EQ(Blas::ss[90].Type, Blas::ptNone);

    EXPECT_STREQ(Blas::ss[Blas::laDGETRF].Id, "D_LUfactor");
    EXPECT_EQ(Blas::ss[Blas::laDGETRF].Factor, 2.0 / 3.0);
    EXPECT_EQ(Blas::ss[Blas::laDGELQ2].Factor, 1.6666666666666667);
    EXPECT_EQ(Blas::ss[Blas::laZLABRD].Factor, 20.0 / 3.0);
    EXPECT_EQ(Blas::ss[Blas::laLAFFT].Type, Blas::ptFft);
    EXPECT_EQ(Blas::ss[Blas::laLAFFT].Factor, 8.1);
    EXPECT_EQ(Blas::ss[Blas::laZTRSM].Factor, 1.25);
    EXPECT_EQ(Blas::ss[Blas::laZHSEQR].Factor, 48.0);
    EXPECT_STREQ(Blas::ss[Blas::laZHSEQR].Id, "Z_DiagHessenberg");
    EXPECT_STREQ(Blas::ss[Blas::laLAROOT].Id, "");
    EXPECT_EQ(Blas::laDBDSQR, 0);
    EXPECT_EQ(Blas::laZBDSQR, 43);
    EXPECT_EQ(Blas::laLAROOT, 89);
}

TEST(CostTable, CostIndexMatchesNameOrIdIgnoringCase)
{
    EXPECT_EQ(Blas::CostIndex("dgesvd"), 16);
    EXPECT_EQ(Blas::CostIndex("D_MgetSvd"), 16);
    EXPECT_EQ(Blas::CostIndex("z_lufactor"), 61);
    EXPECT_EQ(Blas::CostIndex("DLASQ1"), 90);
    // Row 11 is the first with an empty id.
    EXPECT_EQ(Blas::CostIndex(""), 11);
}

TEST(CostTable, ChangeDefaultsAdjustsTheListedRows)
{
    struct Case {
        Blas::LaNames row;
        short opt;
        long m, n;
        double factor;
        long mAfter;
    };
    const Case cases[] = {
        {Blas::laDBDSQR, 3, 5, 5, 10.5, 5},
        {Blas::laZBDSQR, 2, 5, 5, 20.0, 5},
        {Blas::laDGEQRF, 0, 10, 4, 5.0 / 3.0, 4},
        {Blas::laDGETRF, 0, 4, 10, 2.0 / 3.0, 4},
        {Blas::laZGETRF, 0, 10, 4, 2.5, 4},
        {Blas::laDGETF2, 0, 10, 4, 2.0 / 3.0, 10},  // the unblocked LU keeps m
        {Blas::laDHSEQR, 0x8, 5, 5, 9.0, 5},
        {Blas::laDHSEQR, 0x1, 5, 5, 3.5, 5},
        {Blas::laDLAHQR, 0x1, 5, 5, 9.0, 5},
        {Blas::laDLAHQR, 0, 5, 5, 3.5, 5},
        {Blas::laZHSEQR, 0x10, 5, 5, 48.0, 5},
        {Blas::laZHSEQR, 0x4, 5, 5, 20.0, 5},
        {Blas::laZLAHQR, 0, 5, 5, 20.0, 5},
        {Blas::laLAFFT, 0x2, 5, 5, 8.1 + 0.6, 5},
        {Blas::laLAFFT, 0x1, 5, 5, 8.1, 5},
        {Blas::laDGEMM, 0x9, 10, 4, 2.0, 10},
    };
    for (const Case& c : cases) {
        Blas::ProgressType type = Blas::ss[c.row].Type;
        double factor = Blas::ss[c.row].Factor;
        long m = c.m, n = c.n, k = 7;
        Blas::ChangeDefaults(c.row, type, factor, c.opt, m, n, k);
        EXPECT_EQ(factor, c.factor) << c.row;
        EXPECT_EQ(m, c.mAfter) << c.row;
        EXPECT_EQ(n, c.n) << c.row;
        EXPECT_EQ(k, 7) << c.row;
        EXPECT_EQ(type, Blas::ss[c.row].Type) << c.row;
    }
    // Rows from 87 on are left alone.
    Blas::ProgressType type = Blas::ptShrinking;
    double factor = 48.0;
    long m = 10, n = 4, k = 3;
    Blas::ChangeDefaults(Blas::laLAROOT, type, factor, 0x1f, m, n, k);
    EXPECT_EQ(factor, 48.0);
    EXPECT_EQ(m, 10);
}

TEST(CostTable, OpCountOfDriversAndModels)
{
    struct Case {
        const char* name;
        short opt;
        long m, n, k;
        double ops;
    };
    const Case cases[] = {
        {"DSYEV", 0x80, 10, 0, 0, 8000.0},
        {"DSYEV", 0x04, 10, 0, 0, 1000.0},
        {"ZHEEV", 0x80, 10, 0, 0, 21500.0},
        {"ZHEEV", 0, 10, 0, 0, 3500.0},
        {"DGEEV", 0x20, 10, 0, 0, 14000.0},
        {"DGEEV", 0x1, 10, 0, 0, 6500.0},
        {"ZGEEV", 0x80, 10, 0, 0, 66000.0},
        {"DGESV", 0, 3, 1, 0, 24.0},
        {"DGESV", 0, 3, 0, 0, 24.0},  // no right-hand side counts as one
        {"ZGESV", 0, 2, 2, 0, 40.0},
        {"DGELS", 0, 10, 4, 0, 16.0 / 3.0 + 40.0 + 320.0 / 3.0},
        {"ZGELS", 0, 4, 10, 2, 1.25 * 2 * 16 + 3.0 * 2 * 40 + 5.0 * 64},
        {"DGELSS", 0, 10, 10, 0, 11200.0},                             // E6 = 16 > 10
        {"DGELSS", 0, 20, 5, 0, 1375.0 + 50.0 + 100.0 + 625.0 / 3.0},  // E6 = 8 <= 20
        {"ZGELSS", 0, 20, 5, 0, 34.0 * 125 + 6.0 * 25 + 3.0 * 100 + 5.0 * 125},
        {"DGESVD", 0, 10, 10, 0, 3000.0},
        {"DGESVD", 0x22, 10, 10, 0, 3000.0 + 3500.0 + 1000.0 + 4500.0},
        {"DGESVD", 0x24, 10, 10, 0, 3000.0 + 3500.0 + 1000.0 + 4500.0},
        {"DGESVD", 0x22, 8, 10, 0, 1536.0 + 640.0 + 1792.0 + 1792.0 + 800.0},
        {"DGESVD", 0x42, 8, 10, 0, 1536.0 + 640.0 + 1792.0 + 1792.0 + 640.0},
        {"ZGESVD", 0x22, 8, 10, 0, 5120.0 + 2560.0 + 5120.0 + 5120.0 + 3200.0},
        {"DGESVD", 0, 10, 4, 0, 14.0 * 64.0 / 3.0},
        {"DGESVD", 0x22, 10, 4, 0, 14.0 * 64.0 / 3.0 + 160.0 + 400.0 + 288.0 + 288.0},
        {"ZGESVD", 0x02, 10, 4, 0, 15.0 * 64.0 + 960.0 + 1600.0 + 14.0 * 64.0},
        {"DGETLS", 0, 10, 9, 0, 7500.0},  // on 10 columns: E6 = 16 > 10
        {"DGETLS", 0, 30, 4, 0, 750.0 + 4500.0 + 27.5 * 125.0 / 3.0},  // 5 columns
        {"ZGETLS", 0, 10, 10, 0, 24000.0},
        {"DGEMM", 0x9, 2, 3, 4, 48.0},
        {"D_MMMmultAdd", 0x9, 2, 3, 4, 48.0},
        {"DGETRF", 0, 10, 4, 3, 18.0},
        {"DBDSQR", 2, 5, 5, 2, 56.0},
        {"LAFFT", 0, 8, 0, 0, 8.0 * 8.1 * Blas::Log2(8.0)},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(Blas::OpCount(c.name, c.opt, c.m, c.n, c.k, 0), c.ops)
            << c.name << " " << std::hex << c.opt << std::dec << " " << c.m << "x" << c.n;
}

TEST(CostTable, OpCountOfLargeDimensionsDoesNotOverflow)
{
    EXPECT_DOUBLE_EQ(Blas::OpCount("DSYEV", 0, 3000000, 0, 0, 0), 2.7e19);
    EXPECT_DOUBLE_EQ(Blas::OpCount("DGEMM", 0x9, 100000, 100000, 100000, 0), 2e15);
}

TEST(CostTable, OpCountWarnsAboutUnknownNamesAndZeroCounts)
{
    TempDir dir;
    ChildResult r = RunInChild([] {
        UDebug log;
        double const unknown = Blas::OpCount("DLASQ1", 0, 5, 5, 5, 0);
        double const noSteps = Blas::OpCount("DGEMM", 0x9, 5, 5, 0, 0);
        double const empty = Blas::OpCount("DSYEV", 0, 0, 0, 0, 0);
        // A transform of length 0 would be 0 * log2(0), not a number.
        double const noLength = Blas::OpCount("LAFFT", 0, 0, 0, 0, 0);
        std::printf("%g %g %g %g\n", unknown, noSteps, empty, noLength);
    });
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.out, "1 1 1 1\n");
    EXPECT_EQ(r.err, "\a\a\a\a");
    EXPECT_EQ(dir.Read("debug.txt"), "OpCount called for unknown function DLASQ1\n"
                                     "OpCount called for unknown function DGEMM\n"
                                     "OpCount called for unknown function DSYEV\n"
                                     "OpCount called for unknown function LAFFT\n");
}

TEST(CostModel, NewRandTakesTwoDrawsInOrder)
{
    srandom(12345);
    double const high = static_cast<double>(random()) / 2147483648.0;
    double const low = static_cast<double>(random()) / 2147483647.0;
    srandom(12345);
    double const r = Blas::newRand();
    EXPECT_EQ(r, high + low / 2147483647.0);
    EXPECT_GE(r, 0.0);
    EXPECT_LT(r, 1.0);
}

TEST(CostModel, PriorityStubs)
{
    EXPECT_EQ(Blas::GetCurrentProcess(), 2);
    EXPECT_EQ(Blas::GetPriorityClass(2), 3);
    EXPECT_EQ(Blas::GetCurrentThread(), 4);
    EXPECT_EQ(Blas::GetThreadPriority(4), 5);
    EXPECT_TRUE(Blas::IsFrontProcess());
}

TEST(CostModel, CostTimesLuFactorisations)
{
    ChildResult r = RunInChild([] {
        long const t0 = Blas::GetTicks();
        double const cost = Blas::Cost(5);
        long const t1 = Blas::GetTicks();
        // A measurement replaces the default of 0.001 ms. The bound is loose:
        // a loaded machine may preempt the first small factorisation, which
        // then counts as the measurement.
        std::printf("%d %d %d\n", cost != 0.001, cost > 0.0 && cost < 0.1, t1 - t0 < 20000);
    });
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.out, "1 1 1\n");
}

TEST(CostModel, CostIsMeasuredOnceAndKept)
{
    ChildResult r = RunInChild([] {
        double const first = Blas::Cost(1);
        long const t0 = Blas::GetTicks();
        // Measuring again with this minimum would take very long.
        double const second = Blas::Cost(1000000);
        long const t1 = Blas::GetTicks();
        std::printf("%d %d %d\n", first > 0.0, first == second, t1 - t0 < 50);
    });
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.out, "1 1 1\n");
}

}  // namespace
