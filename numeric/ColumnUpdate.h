#pragma once
// The innermost loops of the column-oriented kernels: y(i) += s*x(i) and y(i) -= s*x(i) over
// unit-stride columns that do not overlap. Four independent elements per pass let the compiler
// keep them in flight together; each element is computed exactly as in the plain loop.

template <class T>
inline void AddScaledColumn(long from, long to, T s, T const* __restrict x, T* __restrict y)
{
    long i = from;
    for (; i + 4 <= to; i += 4) {
        y[i] += s * x[i];
        y[i + 1] += s * x[i + 1];
        y[i + 2] += s * x[i + 2];
        y[i + 3] += s * x[i + 3];
    }
    for (; i < to; ++i) y[i] += s * x[i];
}

template <class T>
inline void SubScaledColumn(long from, long to, T s, T const* __restrict x, T* __restrict y)
{
    long i = from;
    for (; i + 4 <= to; i += 4) {
        y[i] -= s * x[i];
        y[i + 1] -= s * x[i + 1];
        y[i + 2] -= s * x[i + 2];
        y[i + 3] -= s * x[i + 3];
    }
    for (; i < to; ++i) y[i] -= s * x[i];
}
