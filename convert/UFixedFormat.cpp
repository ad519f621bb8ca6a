#include "convert/UFixedFormat.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

const uint64_t tenTo8 = 100000000ULL;
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

// The 8 digits of v < 10^8, leading zeros included, as the 8 characters
// that a store of the result writes (the first in the lowest byte).
uint64_t EightDigitText(uint64_t v)
{
    // Two halves of four digits in 32-bit lanes, each split into hundreds and
    // the rest in 16-bit lanes, each of those into tens and units in bytes.
    // Every quotient is a multiplication and a shift that is exact below the
    // lane's bound, and no lane carries into the next.
    uint64_t x = v / 10000 | (v % 10000) << 32;
    uint64_t const hundreds = (x * 10486) >> 20 & 0x0000007F0000007FULL;
    x = hundreds | (x - hundreds * 100) << 16;
    uint64_t const tens = (x * 103) >> 10 & 0x000F000F000F000FULL;
    x = tens | (x - tens * 10) << 8;
    return x | 0x3030303030303030ULL;
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

// x * 10^14 rounded as printf rounds it, to the nearest integer and a tie to
// the even one, for |x| < 2^16 (bits without the sign, biased exponent below
// 1023 + 16).
uint64_t ScaledBy10To14(uint64_t bits)
{
    int const biased = static_cast<int>((bits >> 52) & 0x7FF);
    uint64_t const fraction = bits & ((uint64_t(1) << 52) - 1);
    // x = m / 2^shift exactly; x * 10^14 then fits 64 bits.
    uint64_t const m = biased == 0 ? fraction : fraction | (uint64_t(1) << 52);
    int const shift = 1075 - (biased == 0 ? 1 : biased);  // at least 37
    // Beyond 100 the product stays below half a unit: it rounds to 0.
    if (m == 0 || shift > 100) return 0;
    unsigned __int128 const scaled = static_cast<unsigned __int128>(m) * tenTo14;
    // A rest above half a unit, or of half a unit when q is odd, rounds up.
    if (shift < 64) {
        // The usual magnitudes: the rest lies in the lower word.
        uint64_t const high = static_cast<uint64_t>(scaled >> 64);
        uint64_t const low = static_cast<uint64_t>(scaled);
        uint64_t const q = high << (64 - shift) | low >> shift;
        uint64_t const rest = low & ((uint64_t(1) << shift) - 1);
        return q + (rest + (q & 1) > uint64_t(1) << (shift - 1) ? 1 : 0);
    }
    unsigned __int128 const one = 1;
    uint64_t const q = static_cast<uint64_t>(scaled >> shift);
    unsigned __int128 const rest = scaled & ((one << shift) - 1);
    return q + (rest + (q & 1) > one << (shift - 1) ? 1 : 0);
}

}  // namespace

int FormatFixed20_14(char* out, long size, double x)
{
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    bool const negative = (bits >> 63) != 0;
    // |x| < 2^16 (no NaN, no infinity) is done here.
    if (((bits >> 52) & 0x7FF) >= 1023 + 16 || size < 32)
        return std::snprintf(out, static_cast<size_t>(size), "%20.14lf", x);
    uint64_t const q = ScaledBy10To14(bits);

    // The integer part has at most 5 digits; the 14 decimals are written as
    // the last 6 digits of their upper part and the 8 of their lower part.
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
    uint64_t const upper = EightDigitText(decimals / tenTo8) >> 16;
    uint64_t const lower = EightDigitText(decimals % tenTo8);
    std::memcpy(p, &upper, 8);  // its last two bytes are written over next
    std::memcpy(p + 6, &lower, 8);
    p[14] = '\0';
    return pad + length;
}

int FormatCoefficientLine(char* out, long size, long index, double x)
{
    if (index < 0 || index >= 1000000 || size < 64)
        return std::snprintf(out, static_cast<size_t>(size), "%6ld %20.14lf\n", index, x);
    // The index's 8 digits less the first two, whose leading zeros but the
    // last become blanks.
    int const n =
        1 + (index >= 10) + (index >= 100) + (index >= 1000) + (index >= 10000) + (index >= 100000);
    uint64_t text = EightDigitText(static_cast<uint64_t>(index)) >> 16;
    uint64_t const zeros = (uint64_t(1) << (8 * (6 - n))) - 1;
    text ^= zeros & 0x1010101010101010ULL;
    std::memcpy(out, &text, 8);  // its last two bytes are written over next
    out[6] = ' ';
    int length = 7 + FormatFixed20_14(out + 7, size - 8, x);
    if (length + 2 > size)
        return std::snprintf(out, static_cast<size_t>(size), "%6ld %20.14lf\n", index, x);
    out[length++] = '\n';
    out[length] = '\0';
    return length;
}
