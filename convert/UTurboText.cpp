#include "convert/UTurboText.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

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

}  // namespace

bool ScanDouble(const char* text, double& value) {
    char* end = nullptr;
    double v = strtod(text, &end);
    if (end == text || !OnlyBlanks(end)) return false;
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

}  // namespace TurboText
