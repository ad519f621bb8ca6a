#pragma once
// Conversions between the library's vectors and std::vector for comparisons.
#include <vector>

#include "utilities/UMatVec.h"

template <class T>
std::vector<T> Items(UVector<T> const& v)
{
    std::vector<T> out;
    for (long i = 0; i < v.GetDim(); i++) out.push_back(v[i]);
    return out;
}

inline UVector<double> Values(std::vector<double> const& v)
{
    UVector<double> out(0, 1);
    for (double x : v) out.Add(x);
    return out;
}
