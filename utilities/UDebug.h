#pragma once
// The debug log: a text file ("debug.txt" in the working directory unless
// renamed) opened by the first message and flushed after every message.
#include <cstdarg>
#include <cstdio>

class UDebug {
public:
    UDebug();
    ~UDebug();
    UDebug(UDebug const&) = delete;
    UDebug& operator=(UDebug const&) = delete;

    bool OpenLog();   // true when the log is open afterwards
    void CloseLog();
    void FlushLog();
    void SetLogName(char const* name);

    void puts(char const* s);   // no line end is added
    void printf(char const* fmt, ...) __attribute__((format(printf, 2, 3)));
    void vprintf(char const* fmt, va_list args);

private:
    char LogName[2048];
    FILE* LogFile;
};

// The process-wide log; null until the first UDebug is constructed.
extern UDebug* Debug;

// Calls through a log pointer that may be null: each does nothing for null,
// so callers write through Debug without testing it.
bool DebugOpenLog(UDebug* log);
void DebugCloseLog(UDebug* log);
void DebugFlushLog(UDebug* log);
void DebugSetLogName(UDebug* log, char const* name);
void DebugPuts(UDebug* log, char const* s);
void DebugPrintf(UDebug* log, char const* fmt, ...) __attribute__((format(printf, 2, 3)));
void DebugVprintf(UDebug* log, char const* fmt, va_list args);
