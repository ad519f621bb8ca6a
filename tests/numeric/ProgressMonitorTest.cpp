#include <gtest/gtest.h>

#include "numeric/BlasCost.h"
#include "numeric/BlasTiming.h"
#include "numeric/UStrNumer.h"
#include "tests/numeric/NumerTestSupport.h"

namespace {

TEST(ProgressMonitor, DefaultMonitorIsInert)
{
    Blas::UProgressMonitor& pm = Blas::defProgMon;
    EXPECT_EQ(RaisedCode([&] {
                  pm.Start("DGETRF", 0, 100, true);
                  pm.Start("DGEMM", 0x9, 10, 20, 30, false);
                  pm.Test(0);
                  pm.Test(0, 5);
                  pm.DoStep();
                  pm.Add(1e6, true);
                  pm += 5.0;
                  pm.NextStep();
                  pm.Finish(true);
                  pm.Finish(false);
              }),
              0);
    EXPECT_EQ(pm.GetCounter(), nullptr);
    EXPECT_EQ(pm.GetNextReportStep(), -1);
    EXPECT_EQ(pm.GetPendingOps(), 0.0);
    EXPECT_EQ(pm.GetTargetOps(), 1e15);
}

TEST(ProgressMonitor, CallsWithoutAnOpenCounterRaise23003)
{
    RecordingMonitor pm;
    EXPECT_EQ(RaisedCode([&] { pm.Test(0, 1); }), nmProgressCount);
    EXPECT_EQ(RaisedCode([&] { pm.DoStep(); }), nmProgressCount);
    EXPECT_EQ(RaisedCode([&] { pm.Add(1.0, false); }), nmProgressCount);
    EXPECT_EQ(RaisedCode([&] { pm.Finish(false); }), nmProgressCount);
    EXPECT_EQ(RaisedCode([&] { pm.NextStep(); }), nmProgressCount);
    // The inline Test only reports when a counter is open.
    EXPECT_EQ(RaisedCode([&] { pm.Test(-1); }), 0);
}

TEST(ProgressMonitor, RecordingMonitorSeesEveryStepOfNestedCounters)
{
    RecordingMonitor pm;
    pm.Start("DGETRF", 0, 4, true);
    pm.Start("DGETF2", 0, 4, 2, 2, false);
    pm.Test(0);
    pm.Test(1);
    pm.Finish(false);
    pm.Test(0);
    pm.Finish(false);
    EXPECT_EQ(pm.GetCounter(), nullptr);
    EXPECT_EQ(pm.StepsAt(1), std::vector<long>({0}));
    EXPECT_EQ(pm.StepsAt(2), std::vector<long>({0, 1}));
    ASSERT_EQ(pm.events.size(), 5u);
    EXPECT_EQ(pm.events[0].steps, 4);
    EXPECT_EQ(pm.events[0].type, Blas::ptShrinking);
}

}  // namespace
