#pragma once
// How a front-end hands a UVector to a raw form. With a negative increment the reference kernels
// start at the stored element of lowest address and run backwards from it; for a UVector that is
// its last element, so passing it keeps element i of the view as element i of the kernel.
#include "utilities/UMatVec.h"

template <class T>
T* RawStart(UVector<T>& v)
{
    return v.GetInc() < 0 && v.GetDim() > 0 ? &v[v.GetDim() - 1] : v.GetData();
}

template <class T>
T const* RawStart(UVector<T> const& v)
{
    return v.GetInc() < 0 && v.GetDim() > 0 ? &v[v.GetDim() - 1] : v.GetConstData();
}
