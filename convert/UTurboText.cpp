#include "convert/UTurboText.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "convert/UFilter.h"
#include "utilities/CustExcept.h"
#include "utilities/MiscUtils.h"

namespace TurboText {

long GetInt(const char* begin, const char* end) {
    long value = 0;
    for (const char* c = begin; c < end && *c >= '0' && *c <= '9'; ++c) {
        value = value * 10 + (*c - '0');
        if (value > maxListIndex) return maxListIndex + 1;
    }
    return value;
}

void AddOcc(long first, long last, UVector<long>& mask) {
    long old = mask.GetDim();
    if (old <= last) {
        mask.SetDim(last + 1);
        for (long i = old; i <= last; ++i) mask[i] = 0;
    }
    for (long i = first < 0 ? 0 : first; i <= last; ++i) mask[i] = 1;
}

bool hasContinue(const char* line) {
    long n = (long)strlen(line);
    while (n > 0 && line[n - 1] == ' ') --n;
    return n > 0 && line[n - 1] == '\\';
}

void strtrim1(char* s) {
    strtrim(s);
    long n = (long)strlen(s);
    if (n > 0 && s[n - 1] == '\\') {
        s[n - 1] = '\0';
        strtrim(s);
    }
}

char* CutWord(char* s) {
    strtrim(s);
    char* blank = strchr(s, ' ');
    if (blank == nullptr) return nullptr;
    *blank = '\0';
    char* rest = blank + 1;
    return strtrim(rest);
}

namespace {

bool OnlyBlanks(const char* s) {
    for (; *s != '\0'; ++s)
        if (*s != ' ') return false;
    return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool ScanDouble(const char* text, double& value) {
    const char* c = text;
    while (*c == ' ') ++c;
    const char* number = c;
    if (*c == '+' || *c == '-') ++c;
    long digits = 0;
    for (; IsDigit(*c); ++c) ++digits;
    if (*c == '.')
        for (++c; IsDigit(*c); ++c) ++digits;
    if (digits == 0) return false;
    if (*c == 'e' || *c == 'E') {
        ++c;
        if (*c == '+' || *c == '-') ++c;
        if (!IsDigit(*c)) return false;
        while (IsDigit(*c)) ++c;
    }
    if (!OnlyBlanks(c)) return false;
    double v = strtod(number, nullptr);
    if (std::isinf(v)) return false;
    value = v;
    return true;
}

bool ScanLong(const char* text, long& value) {
    char* end = nullptr;
    errno = 0;
    long v = strtol(text, &end, 10);
    if (end == text || errno == ERANGE || !OnlyBlanks(end)) return false;
    value = v;
    return true;
}

double NumberField(const UFilter& filter, char* text, int line) {
    filter.AdjustExpChars(text);
    double value;
    if (!ScanDouble(text, value)) RaiseError(25010, "UTurbo", line);
    return value;
}

}  // namespace TurboText
