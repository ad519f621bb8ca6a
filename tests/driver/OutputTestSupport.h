#pragma once
// The program's entry run in a child process on H2's files, and what the tests of its output
// file look at.
#include <functional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/types.h>

#include "tests/driver/DriverFixture.h"

// H2's options, with the output "out" last.
extern const std::vector<std::string> h2Args;
extern const std::set<std::string> h2Inputs;
extern const std::set<std::string> h2InputsAndOutput;

// The program's entry in a child process, in the working directory, after prepare.
ChildResult RunPrepared(std::vector<std::string> args, const std::function<void()>& prepare,
                        int seconds = childSeconds);

std::set<std::string> Entries(const std::string& dir);
// The permission bits of path, or 0 when it is not there.
unsigned ModeOf(const std::string& path);
// H2 converted into "out" in dir, and the text written.
std::string Converted(const TempDir& dir);

// Writing stops at a file size of 100 bytes, where SIGXFSZ takes the given action.
void LimitFileSize(void (*action)(int));

bool IsRoot();
// Another user for tests that run as root, which may write any file; the other file owner.
uid_t const testUser = 12345;
uid_t const otherUser = 65534;
// In a child: runs on as user (also its group, without root's groups) when running as root;
// ends the child with status 3 when the system refuses.
void BecomeUser(uid_t user);
// Gives path to user when running as root, so that user may write there.
void GiveTo(const std::string& path, uid_t user);

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
