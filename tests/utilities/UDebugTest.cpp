#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"
#include "utilities/UDebug.h"

namespace {

bool Exists(const std::string& name) { return std::filesystem::exists(name); }

TEST(UDebug, FirstLogBecomesTheGlobalOne)
{
    ChildResult r = RunInChild([] {
        if (Debug) std::_Exit(2);
        {
            UDebug first;
            UDebug second;
            if (Debug != &first) std::_Exit(3);
        }
        if (Debug) std::_Exit(4);
    });
    EXPECT_EQ(r.exitStatus, 0);
}

TEST(UDebug, LogFileIsCreatedByTheFirstMessage)
{
    TempDir dir;
    dir.Write("debug.txt", "old contents\n");
    UDebug log;
    EXPECT_EQ(dir.Read("debug.txt"), "old contents\n");
    log.printf("step %d: %s\n", 1, "start");
    EXPECT_EQ(dir.Read("debug.txt"), "step 1: start\n");  // truncated, flushed
    log.puts("no line end");
    log.printf("%5.2f|", 3.14159);
    EXPECT_EQ(dir.Read("debug.txt"), "step 1: start\nno line end 3.14|");
}

TEST(UDebug, NewLogNameStartsANewFile)
{
    TempDir dir;
    UDebug log;
    log.puts("a");
    log.SetLogName("debug.txt");  // same name: the open file stays
    log.puts("b");
    EXPECT_EQ(dir.Read("debug.txt"), "ab");

    log.SetLogName("other.log");
    EXPECT_FALSE(Exists("other.log"));
    log.puts("c");
    EXPECT_EQ(dir.Read("other.log"), "c");
    EXPECT_EQ(dir.Read("debug.txt"), "ab");

    log.SetLogName("debug.txt");
    log.puts("d");
    EXPECT_EQ(dir.Read("debug.txt"), "d");
}

TEST(UDebug, UnopenableLogWritesNothingAndRetries)
{
    TempDir dir;
    UDebug log;
    log.SetLogName("missing/debug.txt");
    EXPECT_FALSE(log.OpenLog());
    log.puts("lost");
    std::filesystem::create_directory("missing");
    log.puts("kept");
    EXPECT_EQ(dir.Read("missing/debug.txt"), "kept");
}

TEST(UDebug, OverlongMessageIsCut)
{
    TempDir dir;
    UDebug log;
    std::string big(20000, 'x');
    log.printf("%s", big.c_str());
    EXPECT_EQ(dir.Read("debug.txt"), std::string(14999, 'x'));

    std::string longName(3000, 'n');
    log.SetLogName(longName.c_str());  // cut to fit; must not overrun
    log.CloseLog();
}

TEST(UDebug, CallsThroughTheGlobalDoNothingWhileNoLogExists)
{
    TempDir dir;
    ASSERT_TRUE(Debug == nullptr);
    EXPECT_FALSE(Debug->OpenLog());
    Debug->puts("x");
    Debug->printf("%d", 1);
    Debug->SetLogName("other.log");
    Debug->puts("y");
    Debug->FlushLog();
    (*Debug).CloseLog();
    double raw[2] = {1, 2};
    Debug->Print(2L, raw, "r");
    EXPECT_FALSE(Exists("debug.txt"));
    EXPECT_FALSE(Exists("other.log"));
    EXPECT_TRUE(Debug == nullptr);

    {
        UDebug log;
        ASSERT_TRUE(Debug == &log);
        Debug->printf("%s=%ld\n", "n", 5L);
        Debug->puts("done");
        EXPECT_EQ(dir.Read("debug.txt"), "n=5\ndone");
    }
    EXPECT_TRUE(Debug == nullptr);
    Debug->puts("after");
    EXPECT_EQ(dir.Read("debug.txt"), "n=5\ndone");
}

}  // namespace
