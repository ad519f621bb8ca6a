#pragma once
// The typed stream members of one element kind, reached by its type, and
// sample values of every kind, so that a test runs once over all eight kinds.
#include <cmath>
#include <complex>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "utilities/UStream.h"

template <class T>
struct Kind;

// Put, Get and Skip of the kind Name for the type Type. The container forms
// are templates, so that Bool, which has only std::vector forms, compiles.
#define TYPED_KIND(Name, Type)                                                                     \
    template <>                                                                                    \
    struct Kind<Type> {                                                                            \
        static char const* name() { return #Name; }                                                \
        static void Put(UStream& s, Type const& x) { s.Put##Name(x); }                             \
        static Type Get(UStream& s) { return s.Get##Name(); }                                      \
        template <class C>                                                                         \
        static void PutPlain(UStream& s, C const& c)                                               \
        {                                                                                          \
            s.Put##Name(c);                                                                        \
        }                                                                                          \
        template <class C>                                                                         \
        static void PutSized(UStream& s, C const& c)                                               \
        {                                                                                          \
            s.Put##Name##WithSize(c);                                                              \
        }                                                                                          \
        template <class C>                                                                         \
        static void GetPlain(UStream& s, C& c)                                                     \
        {                                                                                          \
            s.Get##Name(c);                                                                        \
        }                                                                                          \
        template <class C>                                                                         \
        static void GetSized(UStream& s, C& c)                                                     \
        {                                                                                          \
            s.Get##Name##WithSize(c);                                                              \
        }                                                                                          \
        static void Skip(UStream& s, long n) { s.Skip##Name(n); }                                  \
        static void SkipVector(UStream& s) { s.Skip##Name##Vector(); }                             \
        template <class S>                                                                         \
        static void SkipMatrix(S& s)                                                               \
        {                                                                                          \
            s.Skip##Name##Matrix();                                                                \
        }                                                                                          \
    };

TYPED_KIND(Bool, bool)
TYPED_KIND(Byte, unsigned char)
TYPED_KIND(Int8, signed char)
TYPED_KIND(Int16, short)
TYPED_KIND(Int32, long)
TYPED_KIND(Float, float)
TYPED_KIND(Double, double)
TYPED_KIND(Complex, std::complex<double>)
#undef TYPED_KIND

// Bytes of one element in the data: an Int32 is four, whatever a long holds.
template <class T>
long WireBytes()
{
    return std::is_same<T, long>::value ? 4 : static_cast<long>(sizeof(T));
}

// Element k of a sequence that runs through each kind's whole range: both
// signs, the extremes, and reals of widely different magnitudes.
template <class T>
T Sample(long k);

template <>
inline bool Sample<bool>(long k)
{
    return k % 3 == 0;
}

template <>
inline unsigned char Sample<unsigned char>(long k)
{
    return static_cast<unsigned char>(k * 37 + 11);
}

template <>
inline signed char Sample<signed char>(long k)
{
    return static_cast<signed char>(static_cast<unsigned char>(k * 37 + 11));
}

template <>
inline short Sample<short>(long k)
{
    return static_cast<short>(static_cast<std::uint16_t>(k * 7919 + 32767));
}

template <>
inline long Sample<long>(long k)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(k * 2654435761L + 2147483647L));
}

template <>
inline float Sample<float>(long k)
{
    return std::ldexp(static_cast<float>(k % 1000) * 0.37f - 185.0f,
                      static_cast<int>(k % 200) - 100);
}

template <>
inline double Sample<double>(long k)
{
    return std::ldexp(static_cast<double>(k % 1000) * 1.234567 - 617.0,
                      static_cast<int>(k % 1600) - 800);
}

template <>
inline std::complex<double> Sample<std::complex<double>>(long k)
{
    return {Sample<double>(k), -Sample<double>(k + 7)};
}

// n samples from first on.
template <class T>
std::vector<T> Samples(long n, long first = 0)
{
    std::vector<T> v;
    for (long k = 0; k < n; ++k) v.push_back(Sample<T>(first + k));
    return v;
}
