#pragma once
// The debug log: a text file ("debug.txt" in the working directory unless
// renamed) opened by the first message and flushed after every message.
#include <cstdarg>
#include <cstdio>

#include "utilities/UMatVec.h"

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

    // Vectors and matrices of unsigned char, signed char, long, float, double
    // and std::complex<double>: an optional label, a header line with the
    // shape, then the elements in a fixed layout.
    template <class T>
    void Print(UVector<T> const& v, char const* label = "");
    template <class T>
    void Print(UMatrix<T> const& m, char const* label = "");
    // A raw array as a vector of n elements with increment 1.
    template <class T>
    void Print(long n, T const* data, char const* label = "");
    // A raw column-major matrix with leading dimension colspace.
    template <class T>
    void Print(long coldim, long rowdim, long colspace, T const* data, char const* label = "");

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

template <class T>
void DebugPrint(UDebug* log, UVector<T> const& v, char const* label = "")
{
    if (log) log->Print(v, label);
}

template <class T>
void DebugPrint(UDebug* log, UMatrix<T> const& m, char const* label = "")
{
    if (log) log->Print(m, label);
}

template <class T>
void DebugPrint(UDebug* log, long n, T const* data, char const* label = "")
{
    if (log) log->Print(n, data, label);
}

template <class T>
void DebugPrint(UDebug* log, long coldim, long rowdim, long colspace, T const* data,
                char const* label = "")
{
    if (log) log->Print(coldim, rowdim, colspace, data, label);
}
