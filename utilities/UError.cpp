#include "utilities/UError.h"

#include <cstdarg>
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

void UError::Error(char const* fmt, ...)
{
    Beep();
    std::fputs("Error: ", ErrorFile);
    va_list args;
    va_start(args, fmt);
    std::vfprintf(ErrorFile, fmt, args);
    va_end(args);
    std::fputs("\n", ErrorFile);
    Usage();
}

void UError::Warning(char const* fmt, ...)
{
    Beep();
    std::fputs("Warning: ", ErrorFile);
    va_list args;
    va_start(args, fmt);
    std::vfprintf(ErrorFile, fmt, args);
    va_end(args);
    std::fputs("\n", ErrorFile);
}
