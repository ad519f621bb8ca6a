#include "convert/FieldText.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "utilities/MiscUtils.h"

namespace FieldText {

namespace {

bool IsExponentLetter(char c)
{
    switch (c) {
    case 'e':
    case 'E':
    case 'd':
    case 'D':
    case 'f':
    case 'F':
    case 'g':
    case 'G':
        return true;
    default:
        return false;
    }
}

bool OnlyBlanks(const char* s)
{
    for (; *s != '\0'; ++s)
        if (*s != ' ') return false;
    return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// With letters, any exponent letter marks the exponent, else only e and E.
bool IsExponentMark(char c, bool letters)
{
    return c == 'e' || c == 'E' || (letters && IsExponentLetter(c));
}

// The number text holds, as ScanDouble describes it, read in place; the rare
// numbers that need strtod are handed to it with their exponent letter adjusted.
bool ScanNumber(const char* text, bool letters, double& value)
{
    const char* c = text;
    while (*c == ' ') ++c;
    const char* number = c;
    bool negative = *c == '-';
    if (*c == '+' || *c == '-') ++c;
    // The digits from the first non-zero one as an integer, exact while at
    // most 15 of them, and the power of ten that scales it.
    unsigned long long significand = 0;
    const char* integer = c;
    while (*c == '0') ++c;
    const char* first = c;
    for (; IsDigit(*c); ++c) significand = significand * 10 + (unsigned long long)(*c - '0');
    long significant = c - first;
    long digits = c - integer;
    long scale = 0;
    if (*c == '.') {
        const char* fraction = ++c;
        if (significant == 0)
            while (*c == '0') ++c;
        const char* from = c;
        for (; IsDigit(*c); ++c) significand = significand * 10 + (unsigned long long)(*c - '0');
        significant += c - from;
        digits += c - fraction;
        scale = -(long)(c - fraction);
    }
    if (digits == 0) return false;
    long exponent = 0;
    if (IsExponentMark(*c, letters)) {
        ++c;
        bool down = *c == '-';
        if (*c == '+' || *c == '-') ++c;
        if (!IsDigit(*c)) return false;
        for (; IsDigit(*c); ++c)
            if (exponent < 100000) exponent = exponent * 10 + (*c - '0');
        if (down) exponent = -exponent;
    }
    if (!OnlyBlanks(c)) return false;
    // An exact integer times or divided by an exact power of ten is rounded
    // once, correctly: the very double strtod gives.
    static const double tens[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                  1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    long power = scale + exponent;
    double v;
    if (significant <= 15 && power >= -22 && power <= 22) {
        v = (double)significand;
        v = power >= 0 ? v * tens[power] : v / tens[-power];
        if (negative) v = -v;
    } else {
        std::string written(number, (size_t)(c - number));
        if (letters) AdjustExponentLetters(&written[0]);
        v = strtod(written.c_str(), nullptr);
    }
    if (std::isinf(v)) return false;
    value = v;
    return true;
}

}  // namespace

void AdjustExponentLetters(char* s)
{
    for (; *s != '\0'; ++s)
        if (IsExponentLetter(*s)) *s = 'e';
}

char* CutWord(char* s)
{
    strtrim(s);
    char* blank = strchr(s, ' ');
    if (blank == nullptr) return nullptr;
    *blank = '\0';
    char* rest = blank + 1;
    return strtrim(rest);
}

bool ScanDouble(const char* text, double& value) { return ScanNumber(text, false, value); }

bool ScanNumberField(const char* text, double& value) { return ScanNumber(text, true, value); }

bool ScanLong(const char* text, long& value)
{
    char* end = nullptr;
    errno = 0;
    long v = strtol(text, &end, 10);
    if (end == text || errno == ERANGE || !OnlyBlanks(end)) return false;
    value = v;
    return true;
}

}  // namespace FieldText
