#include "utilities/UDebug.h"

#include <cstring>

UDebug* Debug = nullptr;

namespace {
// Shared by every message; a longer text is cut to fit.
char buffer[15000];
}

UDebug::UDebug() : LogFile(nullptr)
{
    std::strcpy(LogName, "debug.txt");
    if (!Debug) Debug = this;
}

UDebug::~UDebug()
{
    CloseLog();
    if (Debug == this) Debug = nullptr;
}

bool UDebug::OpenLog()
{
    if (!LogFile) LogFile = std::fopen(LogName, "w");
    return LogFile != nullptr;
}

void UDebug::CloseLog()
{
    if (LogFile) std::fclose(LogFile);
    LogFile = nullptr;
}

void UDebug::FlushLog()
{
    if (LogFile) std::fflush(LogFile);
}

void UDebug::SetLogName(char const* name)
{
    if (!name || std::strcmp(name, LogName) == 0) return;
    CloseLog();
    std::snprintf(LogName, sizeof LogName, "%s", name);
}

void UDebug::puts(char const* s)
{
    if (!OpenLog()) return;
    std::fputs(s ? s : "", LogFile);
    FlushLog();
}

void UDebug::printf(char const* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    vprintf(fmt, args);
    va_end(args);
}

void UDebug::vprintf(char const* fmt, va_list args)
{
    std::vsnprintf(buffer, sizeof buffer, fmt, args);
    puts(buffer);
}

bool DebugOpenLog(UDebug* log) { return log && log->OpenLog(); }

void DebugCloseLog(UDebug* log)
{
    if (log) log->CloseLog();
}

void DebugFlushLog(UDebug* log)
{
    if (log) log->FlushLog();
}

void DebugSetLogName(UDebug* log, char const* name)
{
    if (log) log->SetLogName(name);
}

void DebugPuts(UDebug* log, char const* s)
{
    if (log) log->puts(s);
}

void DebugPrintf(UDebug* log, char const* fmt, ...)
{
    if (!log) return;
    va_list args;
    va_start(args, fmt);
    log->vprintf(fmt, args);
    va_end(args);
}

void DebugVprintf(UDebug* log, char const* fmt, va_list args)
{
    if (log) log->vprintf(fmt, args);
}
