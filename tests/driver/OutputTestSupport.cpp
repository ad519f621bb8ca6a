#include "tests/driver/OutputTestSupport.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "driver/KalvexDriver.h"

const std::vector<std::string> h2Args = {"-ic",     "coord", "-ba", "basis", "-bc",
                                         "control", "-bo",   "mos", "-o",    "out"};
const std::set<std::string> h2Inputs = {"basis", "control", "coord", "mos"};
const std::set<std::string> h2InputsAndOutput = {"basis", "control", "coord", "mos", "out"};

ChildResult RunPrepared(std::vector<std::string> args, const std::function<void()>& prepare,
                        int seconds)
{
    args.insert(args.begin(), "Kalvex");
    return RunInChild(
        [&] {
            prepare();
            std::vector<char*> argv;
            for (std::string& a : args) argv.push_back(&a[0]);
            argv.push_back(nullptr);
            std::exit(RunKalvex(static_cast<int>(args.size()), argv.data()));
        },
        "", seconds);
}

std::set<std::string> Entries(const std::string& dir)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    return names;
}

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

void LimitFileSize(void (*action)(int))
{
    std::signal(SIGXFSZ, action);
    rlimit const limit = {100, 100};
    setrlimit(RLIMIT_FSIZE, &limit);
}

bool IsRoot() { return geteuid() == 0; }

void BecomeUser(uid_t user)
{
    if (!IsRoot()) return;
    if (setgroups(0, nullptr) != 0 || setgid(user) != 0 || setuid(user) != 0) std::_Exit(3);
}

void GiveTo(const std::string& path, uid_t user)
{
    if (IsRoot() && chown(path.c_str(), user, user) != 0) ADD_FAILURE() << "chown " << path;
}
