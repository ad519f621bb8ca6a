#pragma once
// The command-line error reporter: a failed run ends through Error or Usage,
// which print to the error file and exit with status 1.
#include <cstdarg>
#include <cstdio>

class UError {
public:
    explicit UError(char const* usage);
    ~UError() {}

    void SetUsage(char const* usage) { UsageText = usage; }  // the text is not copied
    void SetErrorFile(FILE* f) { ErrorFile = f; }

    [[noreturn]] void Usage();
    [[noreturn]] void Error(char const* fmt, ...) __attribute__((format(printf, 2, 3)));
    void Warning(char const* fmt, ...) __attribute__((format(printf, 2, 3)));

private:
    // The bell, then kind, the formatted message and a line end.
    void Report(char const* kind, char const* fmt, va_list args)
        __attribute__((format(printf, 3, 0)));

    char const* UsageText;
    FILE* ErrorFile;
};
