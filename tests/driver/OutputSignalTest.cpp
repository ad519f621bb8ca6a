// A signal that ends the run while the output's temporary is written removes the temporary and
// ends the process as the signal would have; signals the caller ignores or handles stay so.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

#include "tests/driver/OutputTestSupport.h"

namespace {

// Every signal whose default action ends the process, but SIGKILL, which cannot be caught.
std::vector<int> EndingSignals()
{
    std::vector<int> signals = {SIGHUP,  SIGINT,  SIGQUIT,   SIGILL,  SIGTRAP, SIGABRT,
                                SIGBUS,  SIGFPE,  SIGUSR1,   SIGSEGV, SIGUSR2, SIGPIPE,
                                SIGALRM, SIGTERM, SIGSTKFLT, SIGXCPU, SIGXFSZ, SIGVTALRM,
                                SIGPROF, SIGIO,   SIGPWR,    SIGSYS};
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; signal++) signals.push_back(signal);
    return signals;
}

volatile sig_atomic_t chosenSignal = 0;

extern "C" void RaiseChosenSignal(int) { raise(chosenSignal); }

extern "C" void NoteSignal(int)
{
    const char note[] = "handled\n";
    if (write(2, note, sizeof note - 1) < 0) return;
}

// In the child: signal raised by the write that passes a file size of 100 bytes, taking the
// given action (the sanitizers handle some signals themselves), and no core file.
void RaiseMidWrite(int signal, void (*action)(int))
{
    rlimit const noCore = {0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    chosenSignal = signal;
    LimitFileSize(signal == SIGXFSZ ? action : RaiseChosenSignal);
    if (signal != SIGXFSZ) std::signal(signal, action);
}

// A child caught in a loop of signals is killed after this long.
int const signalSeconds = 20;

TEST_F(ReplacedOutput, EverySignalThatEndsTheRunRemovesTheTemporary)
{
    for (int signal : EndingSignals()) {
        dir.Write("out", "earlier");
        ChildResult r = RunPrepared(
            h2Args, [signal] { RaiseMidWrite(signal, SIG_DFL); }, signalSeconds);
        ASSERT_FALSE(r.timedOut) << strsignal(signal) << " did not end the run";
        EXPECT_EQ(r.signal, signal) << strsignal(signal) << ": " << r.err;
        EXPECT_EQ(r.out, "") << strsignal(signal);
        EXPECT_EQ(Entries(dir.Path()), h2InputsAndOutput) << strsignal(signal);
        EXPECT_EQ(dir.Read("out"), "earlier") << strsignal(signal);
    }
}

TEST_F(ReplacedOutput, SignalsTheCallerIgnoresOrHandlesStaySo)
{
    struct Kept {
        int signal;
        void (*action)(int);
        const char* noted;
    };
    for (Kept k :
         {Kept{SIGHUP, SIG_IGN, ""}, Kept{SIGINT, SIG_IGN, ""},
          Kept{SIGTERM, NoteSignal, "handled\n"}, Kept{SIGUSR1, NoteSignal, "handled\n"}}) {
        dir.Write("out", "earlier");
        ChildResult r = RunPrepared(
            h2Args, [k] { RaiseMidWrite(k.signal, k.action); }, signalSeconds);
        ASSERT_FALSE(r.timedOut) << strsignal(k.signal);
        // The write then fails, as past any file size limit.
        EXPECT_EQ(r.exitStatus, 1) << strsignal(k.signal);
        EXPECT_EQ(r.err.rfind(std::string(k.noted) + "\aError: Stream output error.", 0), 0u)
            << strsignal(k.signal) << ": " << r.err;
        EXPECT_EQ(Entries(dir.Path()), h2InputsAndOutput) << strsignal(k.signal);
        EXPECT_EQ(dir.Read("out"), "earlier") << strsignal(k.signal);
    }
}

}  // namespace
