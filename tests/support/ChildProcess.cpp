#include "tests/support/ChildProcess.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Pipes {
    int in[2], out[2], err[2];
};

void ChildSide(Pipes& p)
{
    setpgid(0, 0);
    dup2(p.in[0], 0);
    dup2(p.out[1], 1);
    dup2(p.err[1], 2);
    for (int fd : {p.in[0], p.in[1], p.out[0], p.out[1], p.err[0], p.err[1]}) close(fd);
}

using Clock = std::chrono::steady_clock;

// Milliseconds left before the deadline, at least 0.
int MillisecondsLeft(Clock::time_point deadline)
{
    auto const left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// The child's status once it has ended, killed at the deadline when it has not.
int WaitForChild(pid_t pid, Clock::time_point deadline, ChildResult& result)
{
    int status = 0;
    while (!result.timedOut) {
        pid_t const ended = waitpid(pid, &status, WNOHANG);
        if (ended != 0) return status;
        if (MillisecondsLeft(deadline) > 0) {
            usleep(1000);
            continue;
        }
        kill(-pid, SIGKILL);
        result.timedOut = true;
    }
    waitpid(pid, &status, 0);
    return status;
}

ChildResult ParentSide(pid_t pid, Pipes& p, const std::string& input, int seconds)
{
    setpgid(pid, pid);
    Clock::time_point const deadline = Clock::now() + std::chrono::seconds(seconds);
    close(p.in[0]);
    close(p.out[1]);
    close(p.err[1]);
    ChildResult result;
    size_t written = 0;
    int inFd = p.in[1];
    if (input.empty()) {
        close(inFd);
        inFd = -1;
    } else {
        fcntl(inFd, F_SETFL, O_NONBLOCK);
    }
    bool outOpen = true, errOpen = true;
    char buffer[65536];
    while (outOpen || errOpen) {
        pollfd fds[3];
        int n = 0;
        if (outOpen) fds[n++] = {p.out[0], POLLIN, 0};
        if (errOpen) fds[n++] = {p.err[0], POLLIN, 0};
        if (inFd >= 0) fds[n++] = {inFd, POLLOUT, 0};
        // Past the deadline, WaitForChild kills the child.
        if (poll(fds, n, MillisecondsLeft(deadline)) <= 0) break;
        for (int i = 0; i < n; ++i) {
            if (!fds[i].revents) continue;
            if (fds[i].fd == inFd) {
                ssize_t w = write(inFd, input.data() + written, input.size() - written);
                if (w > 0) written += size_t(w);
                if (w < 0 || written == input.size()) {
                    close(inFd);
                    inFd = -1;
                }
                continue;
            }
            ssize_t r = read(fds[i].fd, buffer, sizeof buffer);
            std::string& sink = fds[i].fd == p.out[0] ? result.out : result.err;
            if (r > 0) {
                sink.append(buffer, size_t(r));
            } else {
                close(fds[i].fd);
                (fds[i].fd == p.out[0] ? outOpen : errOpen) = false;
            }
        }
    }
    if (inFd >= 0) close(inFd);
    if (outOpen) close(p.out[0]);
    if (errOpen) close(p.err[0]);
    int const status = WaitForChild(pid, deadline, result);
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return result;
}

bool MakePipes(Pipes& p) { return pipe(p.in) == 0 && pipe(p.out) == 0 && pipe(p.err) == 0; }

}  // namespace

ChildResult RunInChild(const std::function<void()>& body, const std::string& input, int seconds)
{
    Pipes p;
    if (!MakePipes(p)) return {};
    fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        ChildSide(p);
        body();
        fflush(nullptr);
        _exit(0);
    }
    return ParentSide(pid, p, input, seconds);
}

ChildResult RunProgram(const std::vector<std::string>& argv, const std::string& input,
                       const std::string& workDir, int seconds)
{
    Pipes p;
    if (!MakePipes(p)) return {};
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        ChildSide(p);
        if (!workDir.empty() && chdir(workDir.c_str()) != 0) _exit(127);
        execv(args[0], args.data());
        _exit(127);
    }
    return ParentSide(pid, p, input, seconds);
}
