// The command line's errors, as Kalvex reports them: bell, "Error: ", message, usage,
// exit status 1, and no output file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <unistd.h>

#include "tests/driver/DriverFixture.h"

namespace {

struct ErrorCase {
    std::vector<std::string> args;
    std::string message;
};

// Every case runs in a directory where the files coord, basis, control and mos exist and
// make a valid H2 run, "empty" is empty, and no other file exists.
const ErrorCase optionCases[] = {
    {{}, "No input file specified"},
    {{"-o", "out"}, "No input file specified"},
    {{"-bc", "control", "-o", "out"}, "No input file specified"},
    {{"-bc", "control", "-bo", "mos", "-o", "out"}, "No input file specified"},
    {{"-ic", "coord"}, "No output file specified"},
    {{"-ic", "coord", "-o"}, "No output file specified"},
    {{"-ba", "basis", "-bc", "control", "-o", "out"}, "Incomplete basisset information"},
    {{"-ic", "coord", "-bo", "mos", "-o", "out"}, "Incomplete basisset information"},
    {{"-ba", "basis", "-bo", "mos", "-o", "out"}, "Incomplete basisset information"},
    {{"coord"}, "Unknown option coord"},
    {{"-"}, "Unknown option -"},
    {{""}, "Unknown option "},
    {{"-i", "coord"}, "Unknown option -i"},
    {{"-b", "basis"}, "Unknown option -b"},
    {{"-ix", "coord"}, "Unknown option -ix"},
    {{"-bx", "coord"}, "Unknown option -bx"},
    {{"-q"}, "Unknown option -q"},
    {{"-ic", "-o", "out"}, "Unknown option out"},
    {{"-ic", "-?", "-o", "out"},
     "Could not open incoord file -?"},  // the name is the next argument
    {{"-bo", "a", "b", "c"}, "Unknown option c"},
    {{"coord", "-?"}, "Unknown option coord"},
    {{"-ic", "a", "-ic", "b"}, "Duplicate incoord file"},
    {{"-ic", "a", "-ICx", "b"}, "Duplicate incoord file"},
    {{"-ie", "a", "-ie", "b"}, "Duplicate inenergy file"},
    {{"-ig", "a", "-ig", "b"}, "Duplicate ingrad file"},
    {{"-ih", "a", "-ih", "b"}, "Duplicate inhess file"},
    {{"-ia", "a", "-ia", "b"}, "Duplicate aoforce file"},
    {{"-ba", "a", "-ba", "b"}, "Duplicate basisset file"},
    {{"-bc", "a", "-bc", "b"}, "Duplicate control file"},
    {{"-bo", "a", "-bo", "b"}, "Duplicate mos file"},
    {{"-bo", "a", "b", "-bo", "c"}, "Duplicate mos file"},
    {{"-o", "a", "-o", "b"}, "Duplicate molden file"},
    {{"-o", "a", "-output", "b"}, "Duplicate molden file"},
    {{"-ic", "missing", "-o", "out"}, "Could not open incoord file missing"},
    {{"-IC", "missing", "-o", "out"}, "Could not open incoord file missing"},
    {{"-Ic", "missing", "-o", "out"}, "Could not open incoord file missing"},
    {{"-icoord", "missing", "-o", "out"}, "Could not open incoord file missing"},
    {{"-ie", "missing", "-o", "out"}, "Could not open inenergy file missing"},
    {{"-ig", "missing", "-o", "out"}, "Could not open ingrad file missing"},
    {{"-ih", "missing", "-o", "out"}, "Could not open inhess file missing"},
    {{"-ia", "missing", "-o", "out"}, "Could not open aoforce file missing"},
    {{"-ba", "missing", "-bc", "control", "-bo", "mos", "-o", "out"},
     "Could not open basisset file missing"},
    {{"-ba", "basis", "-bc", "missing", "-bo", "mos", "-o", "out"},
     "Could not open control file missing"},
    {{"-ba", "basis", "-bc", "control", "-bo", "missing", "-o", "out"},
     "Could not open mos file missing"},
    {{"-ic", "coord", "-ba", "basis", "-bc", "control", "-bo", "mos", "missing", "-o", "out"},
     "Could not open mos_b file missing"},
    // The fixed read order: the coordinate file is opened before the aoforce output,
    // whatever the order of the options.
    {{"-ia", "missing2", "-ic", "missing", "-o", "out"}, "Could not open incoord file missing"},
    {{"-ia", "a", "-ih", "h", "-ig", "g", "-ie", "e", "-o", "out"},
     "Could not open inenergy file e"},
    {{"-ia", "a", "-ih", "h", "-ig", "g", "-o", "out"}, "Could not open ingrad file g"},
    {{"-ia", "a", "-ih", "h", "-o", "out"}, "Could not open inhess file h"},
    {{"-bo", "missing", "-ia", "a", "-o", "out"}, "Could not open aoforce file a"},
    {{"-bo", "m", "-bc", "c", "-ba", "b", "-o", "out"}, "Could not open basisset file b"},
    {{"-bo", "m", "-bc", "c", "-ba", "basis", "-o", "out"}, "Could not open control file c"},
    // All three are opened before any of them is read.
    {{"-ba", "empty", "-bc", "empty", "-bo", "missing", "-o", "out"},
     "Could not open mos file missing"},
    {{"-ic", "coord", "-o", "nodir/out"}, "Could not open molden file nodir/out"},
};

TEST(DriverErrors, EveryOptionErrorIsReportedWithTheUsageText)
{
    TempDir dir;
    WriteH2Files(dir);
    dir.Write("empty", "");
    for (const ErrorCase& c : optionCases) {
        std::string line;
        for (const std::string& a : c.args) line += " " + a;
        ChildResult r = RunKalvex(c.args, dir.Path());
        EXPECT_EQ(r.exitStatus, 1) << line;
        EXPECT_EQ(r.out, "") << line;
        EXPECT_EQ(r.err, ErrorReport(c.message)) << line;
        EXPECT_FALSE(FileExists(dir.File("out"))) << line;
    }
}

TEST(DriverErrors, QuestionMarkPrintsOnlyTheUsageText)
{
    const std::vector<std::string> cases[] = {
        {"-?"}, {"-?x"}, {"-ic", "coord", "-?", "-o", "out"}, {"-?", "unknown"}};
    TempDir dir;
    WriteH2Files(dir);
    for (const std::vector<std::string>& args : cases) {
        ChildResult r = RunKalvex(args, dir.Path());
        EXPECT_EQ(r.exitStatus, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, kalvexUsage);
        EXPECT_FALSE(FileExists(dir.File("out")));
    }
}

TEST(DriverErrors, UsageTextHasItsFixedLength) { EXPECT_EQ(std::string(kalvexUsage).size(), 754u); }

TEST(DriverErrors, AnOutputThatIsAnInputIsRefusedBeforeAnythingIsRead)
{
    TempDir dir;
    WriteH2Files(dir);
    dir.Write("beta", dir.Read("mos"));
    ASSERT_EQ(link(dir.File("coord").c_str(), dir.File("coord-link").c_str()), 0);
    ASSERT_EQ(link(dir.File("beta").c_str(), dir.File("beta-link").c_str()), 0);
    const std::vector<std::string> all = {"-ic",     "coord", "-ba", "basis", "-bc",
                                          "control", "-bo",   "mos", "beta",  "-o"};
    const char* const names[] = {"coord",   "basis", "control",    "mos",      "beta",
                                 "./coord", "./mos", "coord-link", "beta-link"};
    const std::string files[] = {"coord", "basis", "control", "mos", "beta"};
    std::vector<std::string> before;
    for (const std::string& f : files) before.push_back(dir.Read(f));
    for (const char* name : names) {
        std::vector<std::string> args = all;
        args.push_back(name);
        ChildResult r = RunKalvex(args, dir.Path());
        EXPECT_EQ(r.exitStatus, 1) << name;
        EXPECT_EQ(r.out, "") << name;
        EXPECT_EQ(r.err, ErrorReport(std::string("Could not open molden file ") + name)) << name;
        for (size_t k = 0; k < before.size(); ++k) EXPECT_EQ(dir.Read(files[k]), before[k]) << name;
    }
    // A single input, named one way and the output another.
    ChildResult r = RunKalvex({"-ic", "./coord", "-o", "coord-link"}, dir.Path());
    EXPECT_EQ(r.err, ErrorReport("Could not open molden file coord-link"));
    EXPECT_EQ(dir.Read("coord"), before[0]);
    // A copy is another file: it is replaced as any older output is.
    dir.Write("copy", before[0]);
    EXPECT_EQ(RunKalvex({"-ic", "coord", "-o", "copy"}, dir.Path()).exitStatus, 0);
    EXPECT_EQ(dir.Read("coord"), before[0]);
    EXPECT_NE(dir.Read("copy"), before[0]);
}

TEST(DriverErrors, AnInputThatFailsToReadLeavesNoOutputFile)
{
    TempDir dir;
    WriteH2Files(dir);
    dir.Write("empty", "");
    dir.Write("broken", "$coord\n    0.0 0.0 0.0 h\n");  // no "$end"
    const std::vector<std::string> cases[] = {
        {"-ic", "empty", "-o", "out"},
        {"-ic", "broken", "-o", "out"},
        {"-ic", "coord", "-ba", "basis", "-bc", "control", "-bo", "mos", "broken", "-o", "out"},
        // The beta file is opened only after the other three were read.
        {"-ic", "coord", "-ba", "basis", "-bc", "control", "-bo", "broken", "missing", "-o", "out"},
    };
    for (const std::vector<std::string>& args : cases) {
        ChildResult r = RunKalvex(args, dir.Path());
        EXPECT_EQ(r.exitStatus, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(
            r.err.rfind("\aError: Unexpected EOF encountered.\nError in file UFilter line ", 0), 0u)
            << r.err;
        EXPECT_NE(r.err.find(std::string("\n") + kalvexUsage), std::string::npos);
        EXPECT_FALSE(FileExists(dir.File("out")));
    }
}

}  // namespace
