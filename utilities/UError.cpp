#include "utilities/UError.h"

#include <cstdlib>

#include "utilities/MiscUtils.h"

UError::UError(char const* usage)
{
    SetUsage(usage);
    SetErrorFile(stderr);
}

void UError::Usage()
{
    // The usage text is printed as it stands, even should it hold a '%'.
    if (UsageText) std::fputs(UsageText, ErrorFile);
    std::exit(1);
}

void UError::Report(char const* kind, char const* fmt, va_list args)
{
    Beep();
    std::fputs(kind, ErrorFile);
    std::vfprintf(ErrorFile, fmt, args);
    std::fputs("\n", ErrorFile);
}

void UError::Error(char const* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    Report("Error: ", fmt, args);
    va_end(args);
    Usage();
}

void UError::Warning(char const* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    Report("Warning: ", fmt, args);
    va_end(args);
}
