// Temporary files made from one pattern: each a new file of a new name, with the mode the caller
// asked for less the umask.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <set>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "driver/UniqueFile.h"
#include "tests/driver/OutputTestSupport.h"

namespace {

TEST(UniqueFile, EachFileOfAPatternIsNewWithTheModeAskedFor)
{
    TempDir dir;
    mode_t const previous = umask(027);
    std::set<std::string> names;
    for (int i = 0; i < 300; i++) {
        std::string path = dir.File("t-XXXXXX");
        int const fd = CreateUniqueFile(&path[0], 0666);
        ASSERT_GE(fd, 0) << std::strerror(errno);
        close(fd);
        EXPECT_EQ(ModeOf(path), 0640u) << path;
        names.insert(path.substr(dir.Path().size() + 1));
    }
    umask(previous);
    EXPECT_EQ(Entries(dir.Path()), names);
    EXPECT_EQ(names.size(), 300u);
    const char* const letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (const std::string& name : names) {
        EXPECT_EQ(name.size(), 8u) << name;
        EXPECT_EQ(name.find_first_not_of(letters, 2), std::string::npos) << name;
    }
    std::string unpatterned = dir.File("t-XXXXX");
    EXPECT_EQ(CreateUniqueFile(&unpatterned[0], 0600), -1);
    EXPECT_EQ(errno, EINVAL);
    EXPECT_EQ(Entries(dir.Path()).size(), 300u);
}

}  // namespace
