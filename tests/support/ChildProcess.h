#pragma once
// Runs code or programs in a child process with a given standard input and
// captures what it writes, so tests can check exit statuses and exact bytes.
#include <functional>
#include <string>
#include <vector>

struct ChildResult {
    int exitStatus = -1;    // exit code, or -1 when the child did not exit normally
    int signal = 0;         // the signal that ended the child, or 0
    bool timedOut = false;  // the child ran past its time and was killed
    std::string out;        // standard output
    std::string err;        // standard error
};

// A child that runs longer is killed with its process group, so that a hanging child fails its
// test in bounded time instead of outliving it.
int const childSeconds = 240;

// Calls body in a forked child, in a process group of its own; returns when the child ends. If
// body returns, the child exits with status 0 after flushing standard I/O.
ChildResult RunInChild(const std::function<void()>& body, const std::string& input = "",
                       int seconds = childSeconds);

// Runs a program (argv[0] is the path) with the given standard input.
ChildResult RunProgram(const std::vector<std::string>& argv, const std::string& input = "",
                       const std::string& workDir = "", int seconds = childSeconds);
