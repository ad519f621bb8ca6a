// The driver's entry linked into a test: a conversion in process gives what the program gives.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "driver/KalvexDriver.h"
#include "tests/driver/DriverFixture.h"

namespace {

// RunKalvex on args (argv[0] is "Kalvex") in a child process, since its errors end the process.
ChildResult RunEntryInChild(std::vector<std::string> args)
{
    args.insert(args.begin(), "Kalvex");
    return RunInChild([&] {
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(&a[0]);
        argv.push_back(nullptr);
        std::exit(RunKalvex(static_cast<int>(args.size()), argv.data()));
    });
}

TEST(DriverEntry, ConvertsInProcessAsTheProgramDoes)
{
    TempDir dir;
    WriteH2Files(dir);
    ChildResult program =
        RunKalvex({"-ic", "coord", "-ba", "basis", "-bc", "control", "-bo", "mos", "-o", "program"},
                  dir.Path());
    ChildResult entry = RunEntryInChild(
        {"-ic", "coord", "-ba", "basis", "-bc", "control", "-bo", "mos", "-o", dir.File("entry")});
    EXPECT_EQ(entry.exitStatus, 0) << entry.err;
    EXPECT_EQ(entry.out, "Kalvex exits...\n");
    EXPECT_EQ(entry.err, "");
    EXPECT_EQ(program.exitStatus, 0) << program.err;
    EXPECT_EQ(dir.Read("entry"), dir.Read("program"));
}

TEST(DriverEntry, ReportsErrorsAndEndsWithStatusOne)
{
    TempDir dir;
    ChildResult unknown = RunEntryInChild({"-x", "file", "-o", dir.File("out")});
    EXPECT_EQ(unknown.exitStatus, 1);
    EXPECT_EQ(unknown.err, ErrorReport("Unknown option -x"));
    // A library error travels as an exception to the same report.
    dir.Write("coord", "$coord\n 0 0 x h\n$end\n");
    ChildResult damaged = RunEntryInChild({"-ic", dir.File("coord"), "-o", dir.File("out")});
    EXPECT_EQ(damaged.exitStatus, 1);
    EXPECT_EQ(damaged.err.rfind("\aError: Invalid Turbomole file header/contents.\n", 0), 0u)
        << damaged.err;
    EXPECT_FALSE(FileExists(dir.File("out")));
}

}  // namespace
