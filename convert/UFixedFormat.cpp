#include "convert/UFixedFormat.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

const uint64_t tenTo14 = 100000000000000ULL;

// "00" to "99": two digits per division.
const char digitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The count last digits of v, leading zeros included, most significant first.
void PutFixedDigits(char* out, uint64_t v, int count)
{
    while (count >= 2) {
        count -= 2;
        std::memcpy(out + count, digitPairs + 2 * (v % 100), 2);
        v /= 100;
    }
    if (count == 1) out[0] = static_cast<char>('0' + v % 10);
}

// How many digits v has.
int DigitCount(uint64_t v)
{
    int n = 1;
    for (uint64_t limit = 10; v >= limit && n < 20; limit *= 10) ++n;
    return n;
}

// Blanks for the padding of the fields, at least 20.
const char blanks[] = "                    ";

}  // namespace

int FormatFixed20_14(char* out, long size, double x)
{
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    bool const negative = (bits >> 63) != 0;
    int const biased = static_cast<int>((bits >> 52) & 0x7FF);
    uint64_t const fraction = bits & ((uint64_t(1) << 52) - 1);
    // |x| < 2^16 (no NaN, no infinity) is done here; x * 10^14 then fits 64 bits.
    if (biased >= 1023 + 16 || size < 32)
        return std::snprintf(out, static_cast<size_t>(size), "%20.14lf", x);

    // x = m / 2^shift exactly; x * 10^14 is rounded as printf does, to the
    // nearest integer and a tie to the even one.
    uint64_t q = 0;
    uint64_t const m = biased == 0 ? fraction : fraction | (uint64_t(1) << 52);
    int const shift = 1075 - (biased == 0 ? 1 : biased);  // at least 37
    // Beyond 100 the product stays below half a unit: it rounds to 0.
    if (m != 0 && shift <= 100) {
        unsigned __int128 const scaled = static_cast<unsigned __int128>(m) * tenTo14;
        unsigned __int128 const one = 1;
        q = static_cast<uint64_t>(scaled >> shift);
        unsigned __int128 const rest = scaled & ((one << shift) - 1);
        unsigned __int128 const half = one << (shift - 1);
        if (rest > half || (rest == half && (q & 1) != 0)) ++q;
    }

    // The integer part has at most 5 digits; the 14 decimals come in two
    // independent halves.
    uint64_t const whole = q / tenTo14;
    uint64_t const decimals = q % tenTo14;
    int const wholeDigits = DigitCount(whole);
    int const length = (negative ? 1 : 0) + wholeDigits + 15;
    int const pad = length < 20 ? 20 - length : 0;
    std::memcpy(out, blanks, 20);
    char* p = out + pad;
    if (negative) *p++ = '-';
    PutFixedDigits(p, whole, wholeDigits);
    p += wholeDigits;
    *p++ = '.';
    PutFixedDigits(p, decimals / 10000000, 7);
    PutFixedDigits(p + 7, decimals % 10000000, 7);
    p[14] = '\0';
    return pad + length;
}

int FormatCoefficientLine(char* out, long size, long index, double x)
{
    if (index < 0 || size < 64)
        return std::snprintf(out, static_cast<size_t>(size), "%6ld %20.14lf\n", index, x);
    int const n = DigitCount(static_cast<uint64_t>(index));
    int const pad = n < 6 ? 6 - n : 0;
    std::memcpy(out, blanks, 6);
    PutFixedDigits(out + pad, static_cast<uint64_t>(index), n);
    int length = pad + n;
    out[length++] = ' ';
    length += FormatFixed20_14(out + length, size - length - 1, x);
    if (length + 2 > size)
        return std::snprintf(out, static_cast<size_t>(size), "%6ld %20.14lf\n", index, x);
    out[length++] = '\n';
    out[length] = '\0';
    return length;
}
