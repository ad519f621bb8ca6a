#include "convert/UFixedFormat.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

const uint64_t tenTo14 = 100000000000000ULL;

// Digits of v, most significant first, into out; returns their count.
int PutDigits(char* out, uint64_t v)
{
    char reversed[20];
    int n = 0;
    do {
        reversed[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    for (int k = 0; k < n; ++k) out[k] = reversed[n - 1 - k];
    return n;
}

}  // namespace

int FormatFixed20_14(char* out, long size, double x)
{
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    bool const negative = (bits >> 63) != 0;
    int const biased = static_cast<int>((bits >> 52) & 0x7FF);
    uint64_t const fraction = bits & ((uint64_t(1) << 52) - 1);
    // |x| < 2^16 (no NaN, no infinity) is done here; x * 10^14 then fits 64 bits.
    if (biased >= 1023 + 16 || size < 32) return std::snprintf(out, static_cast<size_t>(size), "%20.14lf", x);

    // x = m / 2^shift exactly; x * 10^14 is rounded as printf does, to the
    // nearest integer and a tie to the even one.
    uint64_t q = 0;
    uint64_t const m = biased == 0 ? fraction : fraction | (uint64_t(1) << 52);
    int const shift = 1075 - (biased == 0 ? 1 : biased);   // at least 37
    // Beyond 100 the product stays below half a unit: it rounds to 0.
    if (m != 0 && shift <= 100) {
        unsigned __int128 const scaled = static_cast<unsigned __int128>(m) * tenTo14;
        unsigned __int128 const one = 1;
        q = static_cast<uint64_t>(scaled >> shift);
        unsigned __int128 const rest = scaled & ((one << shift) - 1);
        unsigned __int128 const half = one << (shift - 1);
        if (rest > half || (rest == half && (q & 1) != 0)) ++q;
    }

    char text[24];
    int n = 0;
    if (negative) text[n++] = '-';
    n += PutDigits(text + n, q / tenTo14);
    text[n++] = '.';
    uint64_t decimals = q % tenTo14;
    for (int k = 13; k >= 0; --k) {
        text[n + k] = static_cast<char>('0' + decimals % 10);
        decimals /= 10;
    }
    n += 14;
    int const pad = n < 20 ? 20 - n : 0;
    std::memset(out, ' ', static_cast<size_t>(pad));
    std::memcpy(out + pad, text, static_cast<size_t>(n));
    out[pad + n] = '\0';
    return pad + n;
}

int FormatCoefficientLine(char* out, long size, long index, double x)
{
    if (index < 0 || size < 64) return std::snprintf(out, static_cast<size_t>(size), "%6ld %20.14lf\n", index, x);
    char digits[24];
    int const n = PutDigits(digits, static_cast<uint64_t>(index));
    int const pad = n < 6 ? 6 - n : 0;
    std::memset(out, ' ', static_cast<size_t>(pad));
    std::memcpy(out + pad, digits, static_cast<size_t>(n));
    int length = pad + n;
    out[length++] = ' ';
    length += FormatFixed20_14(out + length, size - length - 1, x);
    if (length + 2 > size) return std::snprintf(out, static_cast<size_t>(size), "%6ld %20.14lf\n", index, x);
    out[length++] = '\n';
    out[length] = '\0';
    return length;
}
