#include "utilities/CustExcept.h"

#include <cstdio>

#include "utilities/UStrLoad.h"
#include "utilities/UStrUtilities.h"

namespace {
char internalbuffer[2048];

char const* OrEmpty(char const* s) { return s ? s : ""; }
}  // namespace

Exception::Exception(char const* text) { std::snprintf(Text, sizeof Text, "%s", OrEmpty(text)); }

CustomException::CustomException(char const* text, int code) : Exception(text), Code(code) {}

AbortException::AbortException(char const* text, int code) : CustomException(text, code) {}

char* MakeErrorString(char const* msg, char const* glue1, char const* file, char const* glue2,
                      int line)
{
    std::snprintf(internalbuffer, sizeof internalbuffer, "%s%s%s%s%1d", OrEmpty(msg),
                  OrEmpty(glue1), OrEmpty(file), OrEmpty(glue2), line);
    return internalbuffer;
}

void ThrowException(char const* text) { throw Exception(text); }

void ThrowCustomException(char const* text, int code) { throw CustomException(text, code); }

void ThrowAbortException(char const* text, int code) { throw AbortException(text, code); }

void RaiseError(int code, char const* file, int line)
{
    ThrowCustomException(MakeErrorString(LoadStringFromTable(code),
                                         LoadStringFromTable(umErrorInFile), file,
                                         LoadStringFromTable(umLine), line),
                         code);
}
