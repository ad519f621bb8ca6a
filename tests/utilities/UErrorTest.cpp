#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"
#include "utilities/UError.h"

namespace {

const char* const usage = "Tool - does things\n    usage: tool -o <out>\n";

TEST(UError, ErrorWritesBellMessageAndUsageThenExitsWithOne)
{
    ChildResult r = RunInChild([] {
        UError error(usage);
        error.Error("Unknown option %s", "-q");
        std::printf("returned");
    });
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.err, std::string("\aError: Unknown option -q\n") + usage);
    EXPECT_EQ(r.out, "");
}

TEST(UError, ErrorPrintsAMessageWithPercentUnchanged)
{
    ChildResult r = RunInChild([] {
        UError error("u\n");
        error.Error("%s", "100% sure");
    });
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.err, "\aError: 100% sure\nu\n");
}

TEST(UError, UsageWritesOnlyTheUsageText)
{
    ChildResult r = RunInChild([] { UError(usage).Usage(); });
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.err, usage);

    ChildResult none = RunInChild([] { UError(nullptr).Usage(); });
    EXPECT_EQ(none.exitStatus, 1);
    EXPECT_EQ(none.err, "");
}

TEST(UError, WarningReturns)
{
    ChildResult r = RunInChild([] {
        UError error(usage);
        error.Warning("%d atoms", 3);
        std::printf("after");
    });
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.err, "\aWarning: 3 atoms\n");
    EXPECT_EQ(r.out, "after");
}

TEST(UError, WritesToTheChosenErrorFile)
{
    TempDir dir;
    ChildResult r = RunInChild([] {
        FILE* f = std::fopen("errors.txt", "w");
        UError error("usage\n");
        error.SetErrorFile(f);
        error.SetUsage("other usage\n");
        error.Error("bad %s", "input");
    });
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.err, "\a");  // the bell always goes to standard error
    EXPECT_EQ(dir.Read("errors.txt"), "Error: bad input\nother usage\n");
}

}  // namespace
