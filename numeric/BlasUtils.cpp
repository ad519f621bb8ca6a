#include "numeric/BlasUtils.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <ctime>
#include <new>

#include "numeric/UStrNumer.h"
#include "utilities/CustExcept.h"
#include "utilities/UStrUtilities.h"

namespace Blas {

namespace {
template <class T>
void Allocate(long size, T*& p)
{
    p = new (std::nothrow) T[size];
    if (p == nullptr) RaiseError(umNewReturnedNull, "BlasUtils", __LINE__);
}

template <class T>
void Release(T*& p)
{
    if (p != nullptr) {
        delete[] p;
        p = nullptr;
    }
}

double startTicks = -1.0;
}  // namespace

// HeapAlloc: p = a new array of size elements (min, the reference minimum, is not used); a null
// result raises 21058. HeapDeAlloc: releases p when it is not null and nulls it.
void HeapAlloc(long, long& size, long*& p) { Allocate(size, p); }
void HeapAlloc(long, long& size, double*& p) { Allocate(size, p); }
// std::complex value-initialises its elements to (0, 0).
void HeapAlloc(long, long& size, std::complex<double>*& p) { Allocate(size, p); }

void HeapDeAlloc(long*& p) { Release(p); }
void HeapDeAlloc(double*& p) { Release(p); }
void HeapDeAlloc(std::complex<double>*& p) { Release(p); }

// OptionsValid: exactly one bit of opt in every group of groups and none outside their union.
bool OptionsValid(short opt, std::initializer_list<unsigned short> groups)
{
    unsigned short all = 0;
    for (unsigned short group : groups) {
        if (BitCount(static_cast<short>(opt & group)) != 1) return false;
        all |= group;
    }
    return (static_cast<unsigned short>(opt) & static_cast<unsigned short>(~all)) == 0;
}

// CheckOptions, CheckArgument, CheckWorkspace: raise 23002, 23001, and 23015 or 23006 under the
// name source and the caller's line.
void CheckOptions(short opt, std::initializer_list<unsigned short> groups, char const* sourceName,
                  int line)
{
    if (!OptionsValid(opt, groups)) RaiseError(nmIllegalOptions, sourceName, line);
}

void CheckArgument(bool valid, char const* sourceName, int line)
{
    if (!valid) RaiseError(nmIllegalParameter, sourceName, line);
}

void CheckWorkspace(void const* work, long length, long minLength, char const* sourceName, int line)
{
    if (work == nullptr) RaiseError(nmNoWorkspace, sourceName, line);
    if (length < minLength) RaiseError(nmWorkspaceTooSmall, sourceName, line);
}

// AllFinite: column by column over the rows that part selects; stops at the first bad element.
bool AllFinite(LaPackMatTypeOptions part, long m, long n, double const* a, long lda)
{
    for (long j = 0; j < n; ++j) {
        long const first = part == LaMatLower ? j : 0;
        long const end = part == LaMatUpper ? std::min(j + 1, m) : m;
        for (long i = first; i < end; ++i)
            if (!std::isfinite(a[i + j * lda])) return false;
    }
    return true;
}

// BitCount: the number of 1-bits among the 16 bits of w.
long BitCount(short w)
{
    unsigned short bits = static_cast<unsigned short>(w);
    long count = 0;
    for (; bits != 0; bits >>= 1) count += bits & 1;
    return count;
}

// GetTicks: milliseconds of the real-time clock since the first call, truncated towards zero.
long GetTicks()
{
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    double ms = static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) * 1e-6;
    if (startTicks < 0.0) startTicks = ms;
    return static_cast<long>(ms - startTicks);
}

// IsPowerOf2: whether n >= 1 has a single 1-bit (shifted right while even, then compared with 1).
bool IsPowerOf2(long n)
{
    if (n < 1) return false;
    while ((n & 1) == 0) n >>= 1;
    return n == 1;
}

// ToPowerOf2: 0 for n < 1, else the smallest power of two >= n, found by doubling from 1.
long ToPowerOf2(long n)
{
    if (n < 1) return 0;
    // Stops at the largest power of two a long holds instead of overflowing.
    long p = 1;
    while (p < n && p <= (LONG_MAX >> 1)) p <<= 1;
    return p;
}

// Log2, Log10: ln(x) times the constant of the base.
double Log2(double x) { return std::log(x) * 1.4426950408889634; }

double Log10(double x) { return std::log(x) * 0.4342944819032518; }

// RoundDtoI: x rounded half away from zero.
long RoundDtoI(double x)
{
    if (x >= 0.0) return static_cast<long>(std::floor(x + 0.5));
    return -static_cast<long>(std::floor(0.5 - x));
}

// Power(x, n): x to the integer power n by binary powering; n < 0 powers 1/x. Power(x, y): pow(x,
// y).
double Power(double x, long n)
{
    if (n == 0) return 1.0;
    // Unsigned so that the most negative long negates without overflow.
    unsigned long e = static_cast<unsigned long>(n);
    if (n < 0) {
        x = 1.0 / x;
        e = 0UL - e;
    }
    double result = 1.0;
    for (;;) {
        if (e & 1UL) result *= x;
        e >>= 1;
        if (e == 0) break;
        x = x * x;
    }
    return result;
}

double Power(double x, double y) { return std::pow(x, y); }

}  // namespace Blas
