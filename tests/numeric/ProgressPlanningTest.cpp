#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "numeric/BlasCost.h"
#include "numeric/BlasTiming.h"
#include "tests/numeric/NumerTestSupport.h"

namespace {

// A monitor with a callback that keeps what it was told, and a way to give
// the current counter another work model.
class ProbeMonitor : public Blas::UProgressMonitor {
public:
    ProbeMonitor() : UProgressMonitor(&Keep, this) {}

    void Retype(Blas::ProgressType type)
    {
        Counter->Type = type;
        Counter->Step = -1;
        NextStep();
    }

    std::vector<double> reports;
    bool throwOnReport = false;

private:
    static void Keep(double ops, Blas::UProgressMonitor&, void* user)
    {
        ProbeMonitor* self = static_cast<ProbeMonitor*>(user);
        self->reports.push_back(ops);
        if (self->throwOnReport) throw 42;
    }
};

// Fixes the report interval at a known number of operations. The cost per
// operation is measured once, cheaply, before any monitor asks for it.
class ProgressPlanning : public ::testing::Test {
protected:
    static constexpr double target = 450.0;

    void SetUp() override
    {
        RegisterNumerMessages();
        double const cost = PrimeCostModel();
        Blas::UProgressMonitor::SetTargetTicks(target * cost, 200.0);
        ProbeMonitor pm;
        pm.GetTargetOps();  // the report threshold of Add becomes target/16
    }

    void TearDown() override { Blas::UProgressMonitor::SetTargetTicks(700.0, 200.0); }

    // The report steps planned for the open counter until it runs out.
    static std::vector<long> ReportSteps(ProbeMonitor& pm)
    {
        std::vector<long> steps;
        for (long j = 0; j < pm.GetCounter()->Steps; ++j) {
            if (pm.GetNextReportStep() == j) steps.push_back(j);
            pm.Test(j);
        }
        return steps;
    }
};

TEST_F(ProgressPlanning, TargetFollowsTheTicksAndTheMeasuredCost)
{
    ProbeMonitor pm;
    EXPECT_NEAR(pm.GetTargetOps(), target, 1e-9 * target);
    EXPECT_EQ(Blas::UProgressMonitor::GetTargetTicks(), target * Blas::Cost(300));
}

TEST_F(ProgressPlanning, UniformWorkReportsEveryFewSteps)
{
    ProbeMonitor pm;
    pm.Start("DGEMM", 0x9, 10, 10, 10, false);  // 2000 operations over 10 steps
    ASSERT_NE(pm.GetCounter(), nullptr);
    EXPECT_EQ(pm.GetCounter()->OpsTotal, 2000.0);
    EXPECT_EQ(pm.GetCounter()->Steps, 10);
    EXPECT_EQ(pm.GetCounter()->Type, Blas::ptUniform);
    EXPECT_EQ(ReportSteps(pm), std::vector<long>({1, 3, 5, 7, 9}));
    EXPECT_EQ(pm.reports, std::vector<double>({400.0, 400.0, 400.0, 400.0, 400.0}));
    pm.Finish(false);
    EXPECT_EQ(pm.GetCounter(), nullptr);
    EXPECT_EQ(pm.reports.size(), 5u);  // nothing was left to report
}

TEST_F(ProgressPlanning, ShrinkingWorkReportsOftenerAtTheStart)
{
    ProbeMonitor pm;
    pm.Start("DGETF2", 0, 30, false);
    EXPECT_EQ(pm.GetCounter()->OpsTotal, 18000.0);
    EXPECT_EQ(pm.GetCounter()->CoefB, 0.6);
    EXPECT_EQ(ReportSteps(pm), std::vector<long>({0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                                                  12, 13, 14, 15, 16, 17, 18, 20, 22, 26, 29}));
    EXPECT_NEAR(pm.reports[0], 1765.345884565133, 1e-6);
    pm.Finish(true);
}

TEST_F(ProgressPlanning, GrowingWorkReportsOftenerAtTheEnd)
{
    ProbeMonitor pm;
    pm.Start("DGETF2", 0, 30, false);
    pm.Retype(Blas::ptGrowing);
    EXPECT_EQ(ReportSteps(pm),
              std::vector<long>({7, 10, 12, 14, 16, 18, 20, 22, 23, 24, 25, 26, 27, 28, 29}));
    EXPECT_NEAR(pm.reports[0], 555.0709341572747, 1e-6);
    pm.Finish(true);
}

TEST_F(ProgressPlanning, FftPassesAreLogOfTheLength)
{
    ProbeMonitor pm;
    pm.Start("LAFFT", 0, 1024, false);
    EXPECT_EQ(pm.GetCounter()->Steps, 10);
    EXPECT_DOUBLE_EQ(pm.GetCounter()->OpsTotal, 10 * 1024 * 8.1);
    EXPECT_EQ(pm.GetCounter()->CoefA, pm.GetCounter()->OpsTotal);
    pm.Finish(false);
    // Lengths below 1 have no passes; Log2 would give -inf or NaN there.
    for (long k : {0L, -5L}) {
        pm.Start("LAFFT", 0x2, k, false);
        EXPECT_EQ(pm.GetCounter()->Steps, 0) << k;
        EXPECT_EQ(pm.GetCounter()->OpsTotal, 0.0) << k;
        pm.Test(0);
        pm.Finish(false);
    }
}

TEST_F(ProgressPlanning, DriversCountOneBoundedBlock)
{
    ProbeMonitor pm;
    pm.Start("DGESV", 0, 3, 1, 0, false);
    EXPECT_EQ(pm.GetCounter()->OpsTotal, 24.0);
    EXPECT_TRUE(pm.GetCounter()->Bounded);
    EXPECT_EQ(pm.GetCounter()->Steps, -1);
    EXPECT_EQ(pm.GetNextReportStep(), -1);
    // A nested routine's count is clipped to what the driver has left.
    pm.Start("DGETRF", 0, 3, false);
    EXPECT_EQ(pm.GetCounter()->OpsTotal, 18.0);
    pm.Add(10.0, false);
    pm.Finish(false);
    EXPECT_EQ(pm.GetCounter()->OpsDone, 18.0);
    EXPECT_TRUE(pm.reports.empty());
    EXPECT_EQ(pm.GetPendingOps(), 18.0);
    // Not in the table: no work of its own. Starting drops what was pending.
    pm.Start("DGETRS", 0, 3, false);
    EXPECT_EQ(pm.GetCounter()->OpsTotal, 0.0);
    EXPECT_EQ(pm.GetPendingOps(), 0.0);
    pm.Finish(false);
    pm.Finish(true);
    EXPECT_EQ(pm.reports, std::vector<double>({6.0}));
}

TEST_F(ProgressPlanning, TrevcWithBothSidesCountsHalf)
{
    ProbeMonitor pm;
    pm.Start("DTREVC", 0x4, 10, false);
    EXPECT_EQ(pm.GetCounter()->OpsTotal, 500.0);
    pm.Finish(false);
    pm.Start("ZTREVC", 0x1, 10, false);
    EXPECT_EQ(pm.GetCounter()->OpsTotal, 4000.0);
    pm.Finish(false);
}

TEST_F(ProgressPlanning, BlockTestReportsTheStepsInsideTheBlock)
{
    ProbeMonitor pm;
    pm.Start("DGEMM", 0x9, 10, 10, 10, false);
    pm.Test(0, 4);
    EXPECT_EQ(pm.reports.size(), 2u);  // steps 1 and 3
    EXPECT_EQ(pm.GetNextReportStep(), 5);
    pm.Test(0, 2);  // a block behind the next report
    EXPECT_EQ(pm.reports.size(), 2u);
    pm.Test(4, 6);  // the last step is never reported by a block
    EXPECT_EQ(pm.reports.size(), 4u);
    EXPECT_EQ(pm.GetNextReportStep(), 9);
    pm.Finish(false);
}

TEST_F(ProgressPlanning, AddCountsOnlyTheRemainderAndThrottles)
{
    ProbeMonitor pm;
    pm.Start("DGEMM", 0x9, 10, 10, 10, false);
    pm.Add(10.0, false);  // below target/16: kept back
    pm += 10.0;
    EXPECT_TRUE(pm.reports.empty());
    EXPECT_EQ(pm.GetPendingOps(), 20.0);
    pm.Add(10.0, false);  // 30 > 28.125
    EXPECT_EQ(pm.reports, std::vector<double>({30.0}));
    EXPECT_EQ(pm.GetPendingOps(), 0.0);
    pm.Add(1e9, false);  // only the 1970 still to do count
    EXPECT_EQ(pm.reports.back(), 1970.0);
    EXPECT_EQ(pm.GetCounter()->OpsDone, 2000.0);
    pm.Add(5.0, true);  // nothing left, but forced
    EXPECT_EQ(pm.reports.back(), 0.0);
    pm.Finish(false);
}

TEST_F(ProgressPlanning, FinishHandsTheCountToTheParent)
{
    ProbeMonitor pm;
    pm.Start("DGEMM", 0x9, 10, 10, 10, false);
    pm.Test(0);
    pm.Test(1);
    long const parentStep = pm.GetNextReportStep();
    EXPECT_EQ(parentStep, 3);
    pm.Start("DGETF2", 0, 30, false);
    EXPECT_EQ(pm.GetNextReportStep(), 0);
    pm.Finish(false);
    EXPECT_EQ(pm.GetNextReportStep(), parentStep);
    // The parent's count holds its own 400 and all of the child's 18000,
    // which is not clipped because neither is bounded.
    EXPECT_EQ(pm.GetCounter()->OpsDone, 18400.0);
    pm.Finish(false);
}

TEST_F(ProgressPlanning, CallbackExceptionsPassAndLeaveTheCounterOpen)
{
    ProbeMonitor pm;
    pm.Start("DGEMM", 0x9, 10, 10, 10, false);
    pm.throwOnReport = true;
    EXPECT_THROW(pm.Test(1), int);
    EXPECT_NE(pm.GetCounter(), nullptr);
    EXPECT_THROW(pm.Finish(true), int);
    EXPECT_NE(pm.GetCounter(), nullptr);
    pm.throwOnReport = false;
    pm.Start("DGETF2", 0, 30, false);
    // The monitor deletes what is still open when it goes.
}

TEST(ProgressCounter, BoundedParentsClipTheTotal)
{
    Blas::UProgressCounter parent(1000.0, nullptr, true);
    parent.OpsDone = 600.0;
    {
        Blas::UProgressCounter child(1000.0, &parent, false);
        EXPECT_EQ(child.OpsTotal, 400.0);
        EXPECT_TRUE(child.Bounded);
        EXPECT_EQ(child.Step, -1);
        EXPECT_EQ(child.Steps, -1);
        child.OpsDone = 50.0;
    }
    EXPECT_EQ(parent.OpsDone, 650.0);
    Blas::UProgressCounter small(300.0, &parent, false);
    EXPECT_EQ(small.OpsTotal, 300.0);

    Blas::UProgressCounter free(1000.0, nullptr, false);
    free.OpsDone = 900.0;
    Blas::UProgressCounter unclipped(1000.0, &free, false);
    EXPECT_EQ(unclipped.OpsTotal, 1000.0);
    EXPECT_FALSE(unclipped.Bounded);
    Blas::UProgressCounter clipped(1000.0, &free, true);
    EXPECT_EQ(clipped.OpsTotal, 100.0);
    // Without a parent nothing is clipped.
    Blas::UProgressCounter top(1e20, nullptr, true);
    EXPECT_EQ(top.OpsTotal, 1e20);
}

}  // namespace
