#pragma once
// Runs a call that must end in a child process that SIGALRM kills after a time limit, so a call
// that would loop for ever fails its test instead of hanging the suite.
#include <unistd.h>

#include <functional>

#include "tests/support/ChildProcess.h"

// The child's exit status is 0 when body returned in time and -1 when the limit killed it; what
// body prints to standard output is in out.
inline ChildResult RunWithDeadline(std::function<void()> const& body, unsigned seconds = 30)
{
    return RunInChild([&] {
        alarm(seconds);
        body();
    });
}
