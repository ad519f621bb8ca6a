// Outputs that are not files to replace: a descriptor that the caller handed over, written at its
// position, and devices and pipes, written in place. The devices are nodes made in the test's own
// folder, never the machine's.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/driver/OutputTestSupport.h"

namespace {

// A shell script run in dir, with the program's H2 conversion as "$@" after "$1" names the output.
ChildResult RunScript(const TempDir& dir, const std::string& script)
{
    const std::string conversion =
        "k() { \"" KALVEX_EXECUTABLE "\" -ic coord -ba basis -bc control -bo mos -o \"$1\"; }\n";
    return RunProgram({"/bin/sh", "-c", conversion + script}, "", dir.Path());
}

struct Handed {
    const char* what;
    const char* script;
    const char* file;
    const char* before;  // what the file holds before the Molden text
    const char* after;   // and after it
};

const char* const closing = "Kalvex exits...\n";

TEST_F(ReplacedOutput, ADescriptorHandedOverIsWrittenAtItsPosition)
{
    std::filesystem::remove(dir.File("out"));
    const Handed cases[] = {
        {"appended to a log", "echo 'earlier log line' > log; k /dev/stdout >> log", "log",
         "earlier log line\n", closing},
        {"between the lines of a group", "{ echo header; k /dev/stdout; echo footer; } > log",
         "log", "header\n", "Kalvex exits...\nfooter\n"},
        {"/dev/fd/1", "{ echo header; k /dev/fd/1; echo footer; } > log", "log", "header\n",
         "Kalvex exits...\nfooter\n"},
        {"/proc/self/fd/1", "{ echo header; k /proc/self/fd/1; echo footer; } > log", "log",
         "header\n", "Kalvex exits...\nfooter\n"},
        {"/dev/stderr", "{ echo header >&2; k /dev/stderr; echo footer >&2; } 2> log", "log",
         "header\n", "footer\n"},
        {"/dev/fd/3", "exec 3> log; echo header >&3; k /dev/fd/3; echo footer >&3", "log",
         "header\n", "footer\n"},
        {"a link to /dev/stdout",
         "ln -s /dev/stdout link; { echo header; k link; echo footer; } > log", "log", "header\n",
         "Kalvex exits...\nfooter\n"},
    };
    for (const Handed& c : cases) {
        ChildResult r = RunScript(dir, c.script);
        EXPECT_EQ(r.exitStatus, 0) << c.what << ": " << r.err;
        EXPECT_EQ(dir.Read(c.file), c.before + molden + c.after) << c.what;
        std::set<std::string> names = Entries(dir.Path());
        names.erase("link");
        std::set<std::string> expected = h2Inputs;
        expected.insert(c.file);
        EXPECT_EQ(names, expected) << c.what;
        std::filesystem::remove(dir.File(c.file));
        std::filesystem::remove(dir.File("link"));
    }
}

// Standard output a file: a warning printed while reading comes before the Molden text.
TEST(OutputDescriptor, WhatTheRunPrintedBeforeComesFirst)
{
    TempDir dir;
    dir.Write("coord", "$coord\n 0.0 0.0 0.0 tc\n 0.0 0.0 4.0 h\n$end\n");
    ASSERT_EQ(RunKalvex({"-ic", "coord", "-o", "out"}, dir.Path()).exitStatus, 0);
    ChildResult r =
        RunProgram({"/bin/sh", "-c", "\"" KALVEX_EXECUTABLE "\" -ic coord -o /dev/stdout > log"},
                   "", dir.Path());
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(dir.Read("log"), "Warning: No exact mass available for isotope 98-43\n" +
                                   dir.Read("out") + "Kalvex exits...\n");
}

TEST_F(ReplacedOutput, ADescriptorOpenOnlyForReadingIsRefused)
{
    ChildResult r = RunScript(dir, "echo keep > kept; k /dev/stdin < kept");
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.err, ErrorReport("Could not open molden file /dev/stdin"));
    EXPECT_EQ(dir.Read("kept"), "keep\n");
}

// The test's standard output is a pipe.
TEST_F(ReplacedOutput, StandardOutputIntoAPipe)
{
    std::vector<std::string> args = h2Args;
    args.back() = "/dev/stdout";
    ChildResult r = RunKalvex(args, dir.Path());
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(r.out, molden + closing);
    EXPECT_EQ(Entries(dir.Path()), h2InputsAndOutput);
}

// The node written to is still there and of its kind, beside H2's files and "out" alone.
void ExpectNodeStays(const TempDir& dir, const std::string& name, mode_t kind)
{
    struct stat info;
    ASSERT_EQ(lstat(dir.File(name).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & S_IFMT, kind) << name;
    std::set<std::string> expected = h2InputsAndOutput;
    expected.insert(name);
    EXPECT_EQ(Entries(dir.Path()), expected);
}

TEST_F(ReplacedOutput, AFifoIsWrittenInPlace)
{
    ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);
    // Opened for reading first, so that the program's open does not wait; the Molden text fits
    // into the pipe's buffer, so the program does not wait for a read either.
    int const reader = open(dir.File("fifo").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    std::vector<std::string> args = h2Args;
    args.back() = "fifo";
    ChildResult r = RunKalvex(args, dir.Path());
    std::string got;
    char buffer[4096];
    for (ssize_t n; (n = read(reader, buffer, sizeof buffer)) > 0;) got.append(buffer, n);
    close(reader);
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(got, molden);
    ExpectNodeStays(dir, "fifo", S_IFIFO);
}

TEST_F(ReplacedOutput, ANullDeviceIsWrittenInPlace)
{
    if (!MakeDeviceNode(dir.File("null"), 3)) GTEST_SKIP() << "cannot make a device node here";
    std::vector<std::string> args = h2Args;
    args.back() = "null";
    ChildResult r = RunKalvex(args, dir.Path());
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    ExpectNodeStays(dir, "null", S_IFCHR);
}

}  // namespace
