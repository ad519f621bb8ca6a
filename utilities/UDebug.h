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

    bool OpenLog();  // true when the log is open afterwards
    void CloseLog();
    void FlushLog();
    void SetLogName(char const* name);

    void puts(char const* s);  // no line end is added
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
    struct InertTag {};
    explicit UDebug(InertTag);  // a log that never opens a file
    friend class UDebugHandle;

    char LogName[2048];
    FILE* LogFile;
    bool Inert;
};

// The global log pointer. Every call through it does nothing while no log
// exists: -> then reaches an inert log instead of a null pointer, so callers
// write Debug->printf(...) without testing it.
class UDebugHandle {
public:
    constexpr UDebugHandle() : Log(nullptr) {}
    UDebugHandle& operator=(UDebug* log)
    {
        Log = log;
        return *this;
    }
    operator UDebug*() const { return Log; }  // null while no log exists
    UDebug* operator->() const { return Log ? Log : InertLog(); }
    UDebug& operator*() const { return *operator->(); }

private:
    static UDebug* InertLog();
    UDebug* Log;
};

// The process-wide log; null until the first UDebug is constructed.
extern UDebugHandle Debug;
