#pragma once
// The system's exceptions and its one way of raising an error.

class Exception {
public:
    explicit Exception(char const* text);
    char Text[2048];
};

class CustomException : public Exception {
public:
    CustomException(char const* text, int code);
    int Code;
};

class AbortException : public CustomException {
public:
    AbortException(char const* text, int code);
};

// Composes msg, glue1, file, glue2 and line ("%s%s%s%s%1d") into a shared
// static buffer of 2048 characters, cutting what does not fit. A null text
// counts as "". Valid until the next call.
char* MakeErrorString(char const* msg, char const* glue1, char const* file, char const* glue2,
                      int line);

[[noreturn]] void ThrowException(char const* text);
[[noreturn]] void ThrowCustomException(char const* text, int code);
[[noreturn]] void ThrowAbortException(char const* text, int code);

// The raise pattern: the message of code, ".\nError in file ", file, " line ",
// line, thrown as a CustomException carrying code. Every error goes through it.
[[noreturn]] void RaiseError(int code, char const* file, int line);
