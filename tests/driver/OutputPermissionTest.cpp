// A replaced output keeps the access ACL and extended attributes of the file it replaces, and a
// new one gets what plain creation in its folder gives: the folder's default ACL or the umask.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "tests/driver/OutputTestSupport.h"

namespace {

const char* const setfacl = "/usr/bin/setfacl";
const char* const getfacl = "/usr/bin/getfacl";

// setfacl with options (such as "-m" and the entries) on path.
ChildResult SetAcl(const std::string& path, std::vector<std::string> options)
{
    options.insert(options.begin(), setfacl);
    options.push_back(path);
    return RunProgram(options);
}

// "shared" in dir, with the given default ACL unless null.
bool MadeSharedFolder(const TempDir& dir, const char* defaultAcl)
{
    std::filesystem::create_directory(dir.File("shared"));
    return !defaultAcl || SetAcl(dir.File("shared"), {"-d", "-m", defaultAcl}).exitStatus == 0;
}

// What getfacl shows of path, numeric ids, without the line that names the file.
std::string AclOf(const std::string& path)
{
    ChildResult r = RunProgram({getfacl, "-n", "-p", path});
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    std::string const header = "# file: " + path + "\n";
    return r.out.rfind(header, 0) == 0 ? r.out.substr(header.size()) : r.out;
}

// Every extended attribute of path, the access ACL among them, with its value.
std::map<std::string, std::string> AttributesOf(const std::string& path)
{
    std::vector<char> names(65536);
    ssize_t const length = listxattr(path.c_str(), names.data(), names.size());
    EXPECT_GE(length, 0) << path << ": " << std::strerror(errno);
    std::map<std::string, std::string> attributes;
    for (ssize_t at = 0; at < length; at += std::strlen(&names[at]) + 1) {
        std::vector<char> value(65536);
        ssize_t const size = getxattr(path.c_str(), &names[at], value.data(), value.size());
        EXPECT_GE(size, 0) << &names[at] << ": " << std::strerror(errno);
        attributes[&names[at]] = std::string(value.data(), size < 0 ? 0 : size);
    }
    return attributes;
}

ino_t InodeOf(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

// H2 converted once into "out", in a folder whose file system takes POSIX ACLs and where
// setfacl and getfacl are at hand.
class AclOutput : public ReplacedOutput {
protected:
    void SetUp() override
    {
        if (!FileExists(setfacl) || !FileExists(getfacl))
            GTEST_SKIP() << "no setfacl and getfacl here (Debian's acl package)";
        ReplacedOutput::SetUp();
        dir.Write("probe", "");
        ChildResult r = SetAcl(dir.File("probe"), {"-m", "u:12345:r"});
        std::filesystem::remove(dir.File("probe"));
        if (r.err.find("Operation not supported") != std::string::npos)
            GTEST_SKIP() << "the test folder's file system takes no ACLs: " << r.err;
        ASSERT_EQ(r.exitStatus, 0) << r.err;
    }
};

struct AclCase {
    const char* what;
    const char* fileAcl;    // setfacl -m entries of the replaced file; null: none at all
    const char* folderAcl;  // default ACL of its folder, or none
    unsigned mode;          // before the ACL is set
};

TEST_F(AclOutput, AReplacedFileKeepsItsAclAndMode)
{
    const AclCase cases[] = {
        {"a named user and the mask", "u:12345:rw,g::r,m::rw", nullptr, 0644},
        {"a named group, others shut out", "g:12345:rw,m::rw", nullptr, 0640},
        {"its own ACL under a folder's other one", "u:12345:r,m::r", "u:65534:rw,m::rw", 0600},
        {"no ACL under a folder that has one", nullptr, "u:12345:rw,g::rw,m::rw", 0644},
    };
    for (const AclCase& c : cases) {
        ASSERT_TRUE(MadeSharedFolder(dir, c.folderAcl)) << c.what;
        const std::string out = dir.File("shared/out.molden");
        dir.Write("shared/out.molden", "earlier");
        chmod(out.c_str(), c.mode);
        std::vector<std::string> const fileAcl =
            c.fileAcl ? std::vector<std::string>{"-m", c.fileAcl} : std::vector<std::string>{"-b"};
        ASSERT_EQ(SetAcl(out, fileAcl).exitStatus, 0) << c.what;
        const std::string acl = AclOf(out);
        const std::map<std::string, std::string> attributes = AttributesOf(out);
        unsigned const mode = ModeOf(out);
        std::vector<std::string> args = h2Args;
        args.back() = "shared/out.molden";
        ChildResult r = RunKalvex(args, dir.Path());
        EXPECT_EQ(r.exitStatus, 0) << c.what << r.err;
        EXPECT_EQ(AclOf(out), acl) << c.what;
        EXPECT_EQ(AttributesOf(out), attributes) << c.what;
        EXPECT_EQ(ModeOf(out), mode) << c.what;
        EXPECT_EQ(dir.Read("shared/out.molden"), molden) << c.what;
        EXPECT_EQ(Entries(dir.File("shared")), std::set<std::string>{"out.molden"}) << c.what;
        std::filesystem::remove_all(dir.File("shared"));
    }
}

// What the ACL shows is what the system does: a member of the owning group may not read.
TEST_F(AclOutput, AGroupShutOutByTheAclStaysShutOut)
{
    if (!IsRoot()) GTEST_SKIP() << "needs root to give the file a group and read as its member";
    chmod(dir.Path().c_str(), 0755);
    dir.Write("out", "earlier");
    ASSERT_EQ(chown(dir.File("out").c_str(), 0, testUser), 0);
    chmod(dir.File("out").c_str(), 0644);
    ASSERT_EQ(SetAcl(dir.File("out"), {"-m", "u:65534:r,g::-,m::r"}).exitStatus, 0);
    ChildResult r = RunKalvex(h2Args, dir.Path());
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(dir.Read("out"), molden);
    const std::string out = dir.File("out");
    ChildResult read = RunInChild([&] {
        BecomeUser(testUser);
        _exit(open(out.c_str(), O_RDONLY) < 0 && errno == EACCES ? 0 : 1);
    });
    EXPECT_EQ(read.exitStatus, 0) << "the owning group may read:\n" << AclOf(out);
}

TEST_F(ReplacedOutput, AReplacedFileKeepsItsExtendedAttributes)
{
    dir.Write("out", "earlier");
    const std::string out = dir.File("out");
    const std::map<std::string, std::string> given = {{"user.project", "kalvex H2 runs"},
                                                      {"user.empty", ""}};
    for (const auto& a : given)
        if (setxattr(out.c_str(), a.first.c_str(), a.second.data(), a.second.size(), 0) != 0)
            GTEST_SKIP() << "the test folder's file system takes no user attributes: "
                         << std::strerror(errno);
    const std::map<std::string, std::string> attributes = AttributesOf(out);
    ChildResult r = RunKalvex(h2Args, dir.Path());
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(AttributesOf(out), attributes);
    EXPECT_EQ(dir.Read("out"), molden);
    EXPECT_EQ(Entries(dir.Path()), h2InputsAndOutput);
}

// Both with the umask 027: a default ACL of the folder sets it aside.
TEST_F(AclOutput, ANewFileGetsWhatPlainCreationGives)
{
    for (const char* folderAcl : {static_cast<const char*>(nullptr), "u:12345:rw,g::rw,m::rw"}) {
        ASSERT_TRUE(MadeSharedFolder(dir, folderAcl));
        std::vector<std::string> args = h2Args;
        args.back() = "shared/out.molden";
        ChildResult r = RunPrepared(args, [] {
            umask(027);
            int const fd = open("shared/plain", O_WRONLY | O_CREAT | O_EXCL, 0666);
            if (fd < 0 || close(fd) != 0) std::_Exit(4);
        });
        const char* const what = folderAcl ? folderAcl : "no default ACL";
        EXPECT_EQ(r.exitStatus, 0) << what << r.err;
        const std::string plain = dir.File("shared/plain"), out = dir.File("shared/out.molden");
        EXPECT_EQ(ModeOf(out), ModeOf(plain)) << what;
        EXPECT_EQ(AclOf(out), AclOf(plain)) << what;
        if (folderAcl) {
            EXPECT_NE(AclOf(out).find("\nmask::rw-\n"), std::string::npos) << AclOf(out);
        } else {
            EXPECT_EQ(ModeOf(out), 0640u);
        }
        EXPECT_EQ(AttributesOf(out), AttributesOf(plain)) << what;
        EXPECT_EQ(dir.Read("shared/out.molden"), molden) << what;
        std::filesystem::remove_all(dir.File("shared"));
    }
}

// Root may set any security attribute; another user may read it but not give it to a new file,
// and so writes the file in place, as plain writing would.
TEST_F(ReplacedOutput, AFileWhoseAttributeANewFileMayNotTakeIsWrittenInPlace)
{
    if (!IsRoot()) GTEST_SKIP() << "only root may set a security attribute";
    chmod(dir.Path().c_str(), 0755);
    std::filesystem::create_directory(dir.File("mine"));
    GiveTo(dir.File("mine"), testUser);
    const std::string out = dir.File("mine/out");
    dir.Write("mine/out", "earlier");
    if (setxattr(out.c_str(), "security.kalvextest", "kept", 4, 0) != 0)
        GTEST_SKIP() << "no security attribute can be set here: " << std::strerror(errno);
    GiveTo(out, testUser);
    const std::map<std::string, std::string> attributes = AttributesOf(out);
    ino_t const inode = InodeOf(out);
    std::vector<std::string> args = h2Args;
    args.back() = "mine/out";
    ChildResult r = RunPrepared(args, [] { BecomeUser(testUser); });
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(InodeOf(out), inode);
    EXPECT_EQ(dir.Read("mine/out"), molden);
    EXPECT_EQ(AttributesOf(out), attributes);
    EXPECT_EQ(Entries(dir.File("mine")), std::set<std::string>{"out"});
}

}  // namespace
