#include "convert/FieldText.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
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

// How many of the 8 characters that bytes holds, the first in its lowest
// byte, are digits before the first one that is not.
long LeadingDigits(uint64_t bytes)
{
    // A digit byte is 0x30 to 0x39: its high half is 3, and so is that of
    // the byte plus 6; y is zero in exactly those bytes. A carry out of a
    // byte above 0xF9, itself no digit, only touches the bytes after it.
    uint64_t const high = 0xF0F0F0F0F0F0F0F0ULL;
    uint64_t const low7 = 0x7F7F7F7F7F7F7F7FULL;
    uint64_t const y =
        ((bytes & high) | (((bytes + 0x0606060606060606ULL) & high) >> 4)) ^ 0x3333333333333333ULL;
    uint64_t const nonZero = (((y & low7) + low7) | y) & ~low7;
    return nonZero == 0 ? 8 : __builtin_ctzll(nonZero) / 8;
}

// The number that the first k digits (1 to 8) of bytes write.
uint64_t DigitsValue(uint64_t bytes, long k)
{
    // Shifted up, the digits are preceded by zero bytes, which count as
    // leading zeros; then neighbouring digits, pairs and quadruples combine.
    uint64_t v = (bytes << (8 * (8 - k))) & 0x0F0F0F0F0F0F0F0FULL;
    v = (v * 10 + (v >> 8)) & 0x00FF00FF00FF00FFULL;
    v = (v * 100 + (v >> 16)) & 0x0000FFFF0000FFFFULL;
    return (v * 10000 + (v >> 32)) & 0xFFFFFFFFULL;
}

// Appends the digits from c on, before end, to significand, up to eight at a
// time, and counts them; returns where they stop. Past 19 digits the
// significand is no longer the number they write.
inline const char* TakeDigits(const char* c, const char* end, uint64_t& significand, long& digits)
{
    static const uint64_t scales[] = {1,      10,      100,      1000,     10000,
                                      100000, 1000000, 10000000, 100000000};
    while (end - c >= 8) {
        uint64_t bytes;
        std::memcpy(&bytes, c, sizeof bytes);
        long const k = LeadingDigits(bytes);
        if (k == 0) return c;
        significand = significand * scales[k] + DigitsValue(bytes, k);
        digits += k;
        c += k;
        if (k < 8) return c;
    }
    for (; c < end && IsDigit(*c); ++c, ++digits)
        significand = significand * 10 + (uint64_t)(*c - '0');
    return c;
}

// The number the text from begin to end writes, as ScanDouble describes it,
// read in place; the rare numbers that need strtod are handed to it with
// their exponent letter adjusted.
bool ScanNumber(const char* begin, const char* end, bool letters, double& value)
{
    const char* c = begin;
    while (c < end && *c == ' ') ++c;
    const char* const number = c;
    bool const negative = c < end && *c == '-';
    if (c < end && (*c == '+' || *c == '-')) ++c;
    // The digits as an integer and the power of ten that scales it.
    uint64_t significand = 0;
    long digits = 0;
    c = TakeDigits(c, end, significand, digits);
    long scale = 0;
    if (c < end && *c == '.') {
        long const before = digits;
        c = TakeDigits(c + 1, end, significand, digits);
        scale = before - digits;
    }
    if (digits == 0) return false;
    long exponent = 0;
    if (c < end && IsExponentMark(*c, letters)) {
        ++c;
        bool down = c < end && *c == '-';
        if (c < end && (*c == '+' || *c == '-')) ++c;
        if (c == end || !IsDigit(*c)) return false;
        for (; c < end && IsDigit(*c); ++c)
            if (exponent < 100000) exponent = exponent * 10 + (*c - '0');
        if (down) exponent = -exponent;
    }
    const char* const written = c;
    while (c < end && *c == ' ') ++c;
    if (c != end) return false;
    // An integer below 2^53 times or divided by an exact power of ten is
    // rounded once, correctly: the very double strtod gives.
    static const double tens[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                  1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    long const power = scale + exponent;
    double v;
    if (digits <= 19 && significand <= (uint64_t(1) << 53) && power >= -22 && power <= 22) {
        v = (double)significand;
        v = power >= 0 ? v * tens[power] : v / tens[-power];
        if (negative) v = -v;
    } else {
        std::string text(number, (size_t)(written - number));
        if (letters) AdjustExponentLetters(&text[0]);
        v = strtod(text.c_str(), nullptr);
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

bool ScanDouble(const char* text, double& value)
{
    return ScanNumber(text, text + strlen(text), false, value);
}

bool ScanNumberField(const char* text, double& value)
{
    return ScanNumber(text, text + strlen(text), true, value);
}

bool ScanNumberField(const char* text, long length, double& value)
{
    return ScanNumber(text, text + length, true, value);
}

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
