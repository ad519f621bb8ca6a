// A run replaces its output only when the whole Molden file was written: a failure leaves the
// earlier file, or none, and no temporary file behind.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/driver/OutputTestSupport.h"

namespace {

// With the signal ignored, write fails instead of ending the process.
void FullDisk() { LimitFileSize(SIG_IGN); }

void NoLimit() {}

extern "C" void EndAtOnce(int) { _exit(7); }

// In a mount namespace of the caller's own, path covered by a mount of cover, so that a rename
// over path is refused; false when the system gives no such namespace.
bool CoverWithMount(const std::string& cover, const std::string& path)
{
    // Private first, so that the mount never reaches the machine's own namespace.
    return unshare(CLONE_NEWNS) == 0 &&
           mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           mount(cover.c_str(), path.c_str(), nullptr, MS_BIND, nullptr) == 0;
}

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
    const std::string folder = SharedPath("data/dvb-rhf-sto3g");
    if (folder.empty()) GTEST_SKIP() << SharedMissing("data/dvb-rhf-sto3g");
    TempDir dir;
    for (const char* name : {"coord", "basis", "control", "mos"})
        std::filesystem::copy_file(folder + "/" + name, dir.File(name));
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

TEST_F(ReplacedOutput, InADirectoryThatTakesNoNewFileIsWrittenInPlace)
{
    std::filesystem::create_directory(dir.File("closed"));
    dir.Write("closed/out", "earlier");
    chmod(dir.File("closed/out").c_str(), 0666);
    chmod(dir.File("closed").c_str(), 0555);
    chmod(dir.Path().c_str(), 0755);
    std::vector<std::string> args = h2Args;
    args.back() = "closed/out";
    ChildResult r = RunPrepared(args, [] { BecomeUser(otherUser); });
    chmod(dir.File("closed").c_str(), 0755);
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(dir.Read("closed/out"), molden);
    EXPECT_EQ(Entries(dir.File("closed")), std::set<std::string>{"out"});
}

// The run stops mid-write and leaves its temporary to be seen. As an unprivileged user, a
// temporary placed in the root directory instead could not be made at all.
TEST(OutputReplacement, TheTemporaryOfABareNameIsInTheWorkingDirectory)
{
    TempDir dir;
    WriteH2Files(dir);
    GiveTo(dir.Path(), testUser);
    ChildResult r = RunPrepared(h2Args, [] {
        BecomeUser(testUser);
        LimitFileSize(EndAtOnce);
    });
    EXPECT_EQ(r.exitStatus, 7) << r.err;
    std::set<std::string> names = Entries(dir.Path());
    for (const std::string& input : h2Inputs) names.erase(input);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names.begin()->rfind(".kalvex-", 0), 0u) << *names.begin();
}

TEST_F(ReplacedOutput, KeepsTheOwnerAndGroupOfAnotherUsersFile)
{
    if (!IsRoot()) GTEST_SKIP() << "only root can give a file to another user";
    struct Owned {
        uid_t owner;
        gid_t group;
        unsigned mode;
    };
    for (Owned o : {Owned{otherUser, otherUser, 0640}, Owned{0, otherUser, 0660},
                    Owned{otherUser, 0, 0604}}) {
        dir.Write("out", "earlier");
        ASSERT_EQ(chown(dir.File("out").c_str(), o.owner, o.group), 0);
        chmod(dir.File("out").c_str(), o.mode);
        ChildResult r = RunKalvex(h2Args, dir.Path());
        EXPECT_EQ(r.exitStatus, 0) << r.err;
        struct stat info;
        ASSERT_EQ(stat(dir.File("out").c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, o.owner);
        EXPECT_EQ(info.st_gid, o.group);
        EXPECT_EQ(info.st_mode & 07777, o.mode);
        EXPECT_EQ(dir.Read("out"), molden);
    }
    EXPECT_EQ(Entries(dir.Path()), h2InputsAndOutput);
}

// A user who may write another user's file but not give a new one its owner writes it in place,
// as plain writing would: in a sticky directory, which would refuse the rename, and in another.
TEST_F(ReplacedOutput, AnotherUsersWritableFileIsWrittenInPlace)
{
    if (!IsRoot()) GTEST_SKIP() << "needs root to make a second user's file";
    chmod(dir.Path().c_str(), 0755);
    std::vector<std::string> args = h2Args;
    args.back() = "shared/shared.molden";
    for (unsigned directoryMode : {01777u, 0777u}) {
        std::filesystem::create_directory(dir.File("shared"));
        chmod(dir.File("shared").c_str(), directoryMode);
        dir.Write("shared/shared.molden", "earlier");
        GiveTo(dir.File("shared/shared.molden"), otherUser);
        chmod(dir.File("shared/shared.molden").c_str(), 0666);
        ChildResult r = RunPrepared(args, [] { BecomeUser(testUser); });
        EXPECT_EQ(r.exitStatus, 0) << std::oct << directoryMode << r.err;
        EXPECT_EQ(dir.Read("shared/shared.molden"), molden);
        struct stat info;
        ASSERT_EQ(stat(dir.File("shared/shared.molden").c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, otherUser);
        EXPECT_EQ(info.st_mode & 07777, 0666u);
        EXPECT_EQ(Entries(dir.File("shared")), std::set<std::string>{"shared.molden"});
        std::filesystem::remove_all(dir.File("shared"));
    }
}

TEST_F(ReplacedOutput, AWriteProtectedFileOfOnesOwnIsRefused)
{
    chmod(dir.Path().c_str(), 0755);
    std::filesystem::create_directory(dir.File("mine"));
    GiveTo(dir.File("mine"), testUser);
    dir.Write("mine/out", "earlier");
    GiveTo(dir.File("mine/out"), testUser);
    chmod(dir.File("mine/out").c_str(), 0444);
    std::vector<std::string> args = h2Args;
    args.back() = "mine/out";
    ChildResult r = RunPrepared(args, [] { BecomeUser(testUser); });
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.err, ErrorReport("Could not open molden file mine/out"));
    EXPECT_EQ(dir.Read("mine/out"), "earlier");
    EXPECT_EQ(Entries(dir.File("mine")), std::set<std::string>{"out"});
}

TEST_F(ReplacedOutput, ARefusedRenameFailsTheRunAndKeepsTheFile)
{
    dir.Write("out", "earlier");
    dir.Write("cover", "cover");
    const std::string cover = dir.File("cover"), out = dir.File("out");
    ChildResult r = RunPrepared(h2Args, [&] {
        if (!CoverWithMount(cover, out)) std::_Exit(77);
    });
    if (r.exitStatus == 77) GTEST_SKIP() << "no mount namespace of our own here (needs root)";
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("\aError: Stream output error.\nError in file Kalvex", 0), 0u) << r.err;
    EXPECT_EQ(dir.Read("out"), "earlier");
    std::set<std::string> expected = h2InputsAndOutput;
    expected.insert("cover");
    EXPECT_EQ(Entries(dir.Path()), expected);
}

}  // namespace
