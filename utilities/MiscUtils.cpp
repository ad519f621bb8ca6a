#include "utilities/MiscUtils.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>

#include "utilities/UStream.h"

namespace {

bool IsBlank(char c) { return c == ' '; }

// Characters count as signed 8-bit values; toupper is only defined on the
// unsigned range, so convert there and back.
int Upper(char c) { return static_cast<signed char>(std::toupper(static_cast<unsigned char>(c))); }
int Lower(char c) { return static_cast<signed char>(std::tolower(static_cast<unsigned char>(c))); }

long LeadingBlanks(char const* s)
{
    long n = 0;
    while (IsBlank(s[n])) ++n;
    return n;
}

// The length of s without its trailing blanks, never below start.
long EndWithoutTrailingBlanks(char const* s, long start)
{
    long end = static_cast<long>(std::strlen(s));
    while (end > start && IsBlank(s[end - 1])) --end;
    return end;
}

// One component of a dotted version, as "%d" would read it (0 when it does
// not start with a number); moves p past the component and its '.'.
long ReadVersionComponent(char const*& p)
{
    char const* q = p;
    while (*q && *q != '.' && std::isspace(static_cast<unsigned char>(*q))) ++q;
    bool negative = false;
    if (*q == '+' || *q == '-') negative = *q++ == '-';
    long value = 0;
    while (*q >= '0' && *q <= '9') {
        if (value <= INT_MAX) value = value * 10 + (*q - '0');
        ++q;
    }
    if (value > INT_MAX) value = INT_MAX;
    while (*p && *p != '.') ++p;
    if (*p == '.') ++p;
    return negative ? -value : value;
}

}  // namespace

char* strtrim(char* s)
{
    long start = LeadingBlanks(s);
    long end = EndWithoutTrailingBlanks(s, start);
    if (start > 0 && start < end) std::memmove(s, s + start, static_cast<size_t>(end - start));
    s[end - start] = '\0';
    return s;
}

char* strtrimleft(char* s)
{
    long start = LeadingBlanks(s);
    if (start > 0) std::memmove(s, s + start, std::strlen(s + start) + 1);
    return s;
}

char* strtrimright(char* s)
{
    s[EndWithoutTrailingBlanks(s, 0)] = '\0';
    return s;
}

long strtrimlen(char const* s)
{
    long start = LeadingBlanks(s);
    return EndWithoutTrailingBlanks(s, start) - start;
}

char* strsubs(char* s, char from, char to)
{
    // The terminator is never replaced; strchr would find it.
    if (!s || from == '\0') return s;
    for (char* p = std::strchr(s, from); p; p = std::strchr(p + 1, from)) *p = to;
    return s;
}

char* strdetab(char* s) { return strsubs(s, '\t', ' '); }
char* strdecomma(char* s) { return strsubs(s, ',', ' '); }
char* strdeeq(char* s) { return strsubs(s, '=', ' '); }

char* strupr(char* s)
{
    for (char* p = s; *p; ++p) *p = static_cast<char>(Upper(*p));
    return s;
}

char* strlwr(char* s)
{
    for (char* p = s; *p; ++p) *p = static_cast<char>(Lower(*p));
    return s;
}

int stricmp(char const* a, char const* b)
{
    long i = 0;
    for (; b[i]; ++i) {
        int d = Upper(a[i]) - Upper(b[i]);
        if (d) return d;
    }
    return static_cast<signed char>(a[i]);
}

int memicmp(char const* a, char const* b, long n)
{
    for (long i = 0; i < n; ++i) {
        int d = Upper(a[i]) - Upper(b[i]);
        if (d) return d;
    }
    return 0;
}

char const* stristr(char const* hay, char const* needle)
{
    long hayLength = static_cast<long>(std::strlen(hay));
    long needleLength = static_cast<long>(std::strlen(needle));
    int first = Upper(needle[0]);
    for (long i = 0; i <= hayLength - needleLength; ++i)
        if (Upper(hay[i]) == first && memicmp(hay + i + 1, needle + 1, needleLength - 1) == 0)
            return hay + i;
    return nullptr;
}

char* stristr(char* hay, char const* needle)
{
    return const_cast<char*>(stristr(static_cast<char const*>(hay), needle));
}

void Beep() { std::fprintf(stderr, "%c", 7); }

int ShowWarning(char const* text)
{
    std::fprintf(stderr, "Warning: %s\nPress any key to continue\n", text ? text : "");
    return std::getc(stdin);
}

bool ShowQuery(char const* text)
{
    std::fprintf(stderr, "Query: %s\nEnter \"y\" to confirm, any other key to cancel\n",
                 text ? text : "");
    int key = std::getc(stdin);
    return key == 'y' || key == 'Y';
}

long VersionDifference(char const* a, char const* b)
{
    while (*a || *b) {
        long difference = ReadVersionComponent(a) - ReadVersionComponent(b);
        if (difference) return difference;
    }
    return 0;
}

char* MakeCRLF(char const* src, char* dst)
{
    // At most one flag is set at a time: a different line end completes a
    // pair, a repeated one stays pending as the start of the next line end.
    char* out = dst;
    bool pendingLF = false, pendingCR = false;
    for (char const* p = src;; ++p) {
        bool pending = pendingLF || pendingCR;
        if (pending) {
            *out++ = '\r';
            *out++ = '\n';
        }
        if (*p == '\n') {
            if (pending)
                pendingCR = false;
            else
                pendingLF = true;
        } else if (*p == '\r') {
            if (pending)
                pendingLF = false;
            else
                pendingCR = true;
        } else {
            pendingLF = pendingCR = false;
            if (*p == '\0') break;
            *out++ = *p;
        }
    }
    *out = '\0';
    return dst;
}

char* MakeLFOnly(char const* src, char* dst)
{
    char* out = dst;
    for (char const* p = src; *p; ++p)
        if (*p != '\r') *out++ = *p;
    *out = '\0';
    return dst;
}

char* MakeCROnly(char const* src, char* dst)
{
    char* out = dst;
    for (char const* p = src; *p; ++p)
        if (*p != '\n') *out++ = *p;
    *out = '\0';
    return dst;
}

void EnumDirContents(char const* path, UStream* out)
{
    if (!path || !out) return;
    DIR* dir = opendir(path);
    if (!dir) return;
    while (dirent* entry = readdir(dir)) out->printf("%s\n", entry->d_name);
    closedir(dir);
}
