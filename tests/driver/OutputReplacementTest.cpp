// A run replaces its output only when the whole Molden file was written: a failure leaves the
// earlier file, or none, and no temporary file behind.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "KalvexDriver.h"
#include "tests/driver/DriverFixture.h"

namespace {

const std::vector<std::string> h2Args = {"-ic",     "coord", "-ba", "basis", "-bc",
                                         "control", "-bo",   "mos", "-o",    "out"};

// The program's entry run in a child process, in the working directory, after prepare.
ChildResult RunPrepared(std::vector<std::string> args, const std::function<void()>& prepare)
{
    args.insert(args.begin(), "Kalvex");
    return RunInChild([&] {
        prepare();
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(&a[0]);
        argv.push_back(nullptr);
        std::exit(RunKalvex(static_cast<int>(args.size()), argv.data()));
    });
}

std::set<std::string> Entries(const std::string& dir)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    return names;
}

const std::set<std::string> h2Inputs = {"basis", "control", "coord", "mos"};
const std::set<std::string> h2InputsAndOutput = {"basis", "control", "coord", "mos", "out"};

unsigned ModeOf(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

std::string Converted(const TempDir& dir)
{
    EXPECT_EQ(RunKalvex(h2Args, dir.Path()).exitStatus, 0);
    return dir.Read("out");
}

// Writing stops at a file size of 100 bytes, where SIGXFSZ takes the given action.
void LimitFileSize(void (*action)(int))
{
    std::signal(SIGXFSZ, action);
    rlimit const limit = {100, 100};
    setrlimit(RLIMIT_FSIZE, &limit);
}

// With the signal ignored, write fails instead of ending the process.
void FullDisk() { LimitFileSize(SIG_IGN); }

void NoLimit() {}

struct FailedRun {
    const char* what;
    bool frozenAtom;  // else the file size limit
    bool earlierOutput;
    const char* message;
};

TEST(OutputReplacement, AFailedRunLeavesTheOutputAsItWas)
{
    const FailedRun cases[] = {
        {"frozen atom, no output yet", true, false, "Illegal index access.\nError in file "},
        {"frozen atom over an earlier output", true, true, "Illegal index access.\nError in file "},
        {"full disk, no output yet", false, false, "Stream output error.\nError in file Kalvex"},
        {"full disk over an earlier output", false, true,
         "Stream output error.\nError in file Kalvex"},
    };
    for (const FailedRun& c : cases) {
        TempDir dir;
        WriteH2Files(dir);
        const std::string earlier = c.earlierOutput ? Converted(dir) : "";
        // A frozen-atom flag after the symbol is not an element the Molden file can name.
        if (c.frozenAtom) dir.Write("coord", "$coord\n 0.0 0.0 -0.7 h f\n 0.0 0.0 0.7 h\n$end\n");
        ChildResult r = RunPrepared(h2Args, c.frozenAtom ? NoLimit : FullDisk);
        EXPECT_EQ(r.exitStatus, 1) << c.what;
        EXPECT_EQ(r.out, "") << c.what;
        EXPECT_EQ(r.err.rfind(std::string("\aError: ") + c.message, 0), 0u) << c.what << r.err;
        EXPECT_EQ(Entries(dir.Path()), c.earlierOutput ? h2InputsAndOutput : h2Inputs) << c.what;
        if (c.earlierOutput) {
            EXPECT_EQ(dir.Read("out"), earlier) << c.what;
        }
    }
}

TEST(OutputReplacement, ARealConversionThatFailsKeepsTheEarlierFile)
{
    const std::string shared = SharedDir();
    if (shared.empty()) GTEST_SKIP() << "no shared data beside the repository";
    TempDir dir;
    for (const char* name : {"coord", "basis", "control", "mos"})
        std::filesystem::copy_file(shared + "/data/dvb-rhf-sto3g/" + name, dir.File(name));
    const std::vector<std::string> args = {"-ic",     "coord", "-ba", "basis", "-bc",
                                           "control", "-bo",   "mos", "-o",    "out.molden"};
    ASSERT_EQ(RunKalvex(args, dir.Path()).exitStatus, 0);
    const std::string earlier = dir.Read("out.molden");
    std::string coord = dir.Read("coord");
    std::filesystem::permissions(dir.File("coord"), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    dir.Write("coord", coord.replace(coord.find(" c\n"), 3, " c f\n"));
    ChildResult r = RunKalvex(args, dir.Path());
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.err.rfind("\aError: Illegal index access.\n", 0), 0u) << r.err;
    EXPECT_EQ(dir.Read("out.molden"), earlier);
    EXPECT_EQ(Entries(dir.Path()).size(), 5u);
}

TEST(OutputReplacement, ASignalThatEndsTheRunRemovesTheTemporary)
{
    TempDir dir;
    WriteH2Files(dir);
    const std::string earlier = Converted(dir);
    // Past the limit, write raises SIGXFSZ, whose default action ends the process.
    ChildResult r = RunPrepared(h2Args, [] { LimitFileSize(SIG_DFL); });
    EXPECT_EQ(r.exitStatus, -1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Entries(dir.Path()), h2InputsAndOutput);
    EXPECT_EQ(dir.Read("out"), earlier);
}

// H2's files in a directory of their own, converted once into "out".
class ReplacedOutput : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteH2Files(dir);
        molden = Converted(dir);
    }
    TempDir dir;
    std::string molden;
};

TEST_F(ReplacedOutput, KeepsItsModeAndANewOneGetsTheUmasks)
{
    for (unsigned mode : {0600u, 0640u, 0755u}) {
        dir.Write("out", "earlier");
        chmod(dir.File("out").c_str(), mode);
        EXPECT_EQ(RunKalvex(h2Args, dir.Path()).exitStatus, 0);
        EXPECT_EQ(ModeOf(dir.File("out")), mode);
        EXPECT_EQ(dir.Read("out"), molden);
    }
    for (unsigned mask : {022u, 027u, 0u}) {
        std::filesystem::remove(dir.File("out"));
        ChildResult r = RunPrepared(h2Args, [mask] { umask(mask); });
        EXPECT_EQ(r.exitStatus, 0) << r.err;
        EXPECT_EQ(ModeOf(dir.File("out")), 0666u & ~mask);
    }
    EXPECT_EQ(Entries(dir.Path()), h2InputsAndOutput);
}

TEST_F(ReplacedOutput, NamedThroughALinkIsTheFileItNames)
{
    std::filesystem::create_directory(dir.File("real"));
    dir.Write("real/target", "earlier");
    std::filesystem::remove(dir.File("out"));
    std::filesystem::create_symlink("real/target", dir.File("out"));
    ChildResult r = RunKalvex(h2Args, dir.Path());
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("out")));
    EXPECT_EQ(std::filesystem::read_symlink(dir.File("out")), "real/target");
    EXPECT_EQ(dir.Read("real/target"), molden);
    EXPECT_EQ(Entries(dir.File("real")), std::set<std::string>{"target"});
}

TEST_F(ReplacedOutput, DevicesAndPipesAreWrittenInPlace)
{
    std::vector<std::string> args = h2Args;
    args.back() = "/dev/null";
    ChildResult toNull = RunKalvex(args, dir.Path());
    EXPECT_EQ(toNull.exitStatus, 0) << toNull.err;
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    // The test's standard output is a pipe.
    args.back() = "/dev/stdout";
    ChildResult toPipe = RunKalvex(args, dir.Path());
    EXPECT_EQ(toPipe.exitStatus, 0) << toPipe.err;
    EXPECT_EQ(toPipe.out, molden + "Kalvex exits...\n");
    EXPECT_EQ(Entries(dir.Path()), h2InputsAndOutput);
}

// Run as an unprivileged user where the test runs as root, which may write any directory.
void DropPrivileges()
{
    if (geteuid() != 0) return;
    if (setgid(65534) != 0 || setuid(65534) != 0) std::_Exit(3);
}

TEST_F(ReplacedOutput, InADirectoryThatTakesNoNewFileIsWrittenInPlace)
{
    std::filesystem::create_directory(dir.File("closed"));
    dir.Write("closed/out", "earlier");
    chmod(dir.File("closed/out").c_str(), 0666);
    chmod(dir.File("closed").c_str(), 0555);
    chmod(dir.Path().c_str(), 0755);
    std::vector<std::string> args = h2Args;
    args.back() = "closed/out";
    ChildResult r = RunPrepared(args, DropPrivileges);
    chmod(dir.File("closed").c_str(), 0755);
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(dir.Read("closed/out"), molden);
    EXPECT_EQ(Entries(dir.File("closed")), std::set<std::string>{"out"});
}

}  // namespace
