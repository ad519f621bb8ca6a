#pragma once
// Runs code or programs in a child process with a given standard input and
// captures what it writes, so tests can check exit statuses and exact bytes.
#include <functional>
#include <string>
#include <vector>

struct ChildResult {
    int exitStatus = -1;  // exit code, or -1 when the child did not exit normally
    std::string out;      // standard output
    std::string err;      // standard error
};

// Calls body in a forked child; returns when the child ends. If body returns,
// the child exits with status 0 after flushing standard I/O.
ChildResult RunInChild(const std::function<void()>& body, const std::string& input = "");

// Runs a program (argv[0] is the path) with the given standard input.
ChildResult RunProgram(const std::vector<std::string>& argv, const std::string& input = "",
                       const std::string& workDir = "");
