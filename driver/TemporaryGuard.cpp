// Removing the output's temporary file when a signal ends the run.
#include "driver/TemporaryGuard.h"

#include <csignal>
#include <cstring>

#include <limits.h>
#include <unistd.h>

#include "driver/UniqueFile.h"

namespace {

// The signals whose default action ends the process (SIGKILL, which cannot be caught, aside),
// the real-time ones included.
sigset_t EndingSignals()
{
    int const fixed[] = {SIGHUP,  SIGINT,    SIGQUIT, SIGILL,  SIGTRAP, SIGABRT, SIGBUS,    SIGFPE,
                         SIGUSR1, SIGSEGV,   SIGUSR2, SIGPIPE, SIGALRM, SIGTERM, SIGSTKFLT, SIGXCPU,
                         SIGXFSZ, SIGVTALRM, SIGPROF, SIGIO,   SIGPWR,  SIGSYS};
    sigset_t set;
    sigemptyset(&set);
    for (int signal : fixed) sigaddset(&set, signal);
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; signal++) sigaddset(&set, signal);
    return set;
}

struct sigaction previousActions[NSIG];
bool replacedActions[NSIG];
char pendingTemporary[PATH_MAX];
volatile sig_atomic_t hasPendingTemporary = 0;

extern "C" void RemoveTemporaryAndEnd(int signal)
{
    if (hasPendingTemporary) unlink(pendingTemporary);
    struct sigaction fallback = {};
    fallback.sa_handler = SIG_DFL;
    sigaction(signal, &fallback, nullptr);
    // Delivered with its default action once the handler returns.
    raise(signal);
}

void GuardTemporary(const sigset_t& signals)
{
    hasPendingTemporary = 1;
    struct sigaction remover = {};
    remover.sa_handler = RemoveTemporaryAndEnd;
    sigemptyset(&remover.sa_mask);
    for (int signal = 1; signal < NSIG; signal++) {
        replacedActions[signal] = false;
        if (sigismember(&signals, signal) != 1) continue;
        if (sigaction(signal, nullptr, &previousActions[signal]) != 0) continue;
        if (previousActions[signal].sa_handler != SIG_DFL) continue;
        replacedActions[signal] = sigaction(signal, &remover, nullptr) == 0;
    }
}

}  // namespace

int MakeGuardedTemporary(std::string& path, mode_t mode)
{
    if (path.size() >= sizeof pendingTemporary) return -1;
    std::memcpy(pendingTemporary, path.c_str(), path.size() + 1);
    // Held back until the file is guarded, so that none can end the run between.
    sigset_t const signals = EndingSignals();
    sigset_t previousMask;
    sigprocmask(SIG_BLOCK, &signals, &previousMask);
    int const fd = CreateUniqueFile(pendingTemporary, mode);
    if (fd >= 0) {
        path = pendingTemporary;
        GuardTemporary(signals);
    }
    sigprocmask(SIG_SETMASK, &previousMask, nullptr);
    return fd;
}

void ReleaseTemporary()
{
    if (!hasPendingTemporary) return;
    hasPendingTemporary = 0;
    for (int signal = 1; signal < NSIG; signal++)
        if (replacedActions[signal]) sigaction(signal, &previousActions[signal], nullptr);
}
