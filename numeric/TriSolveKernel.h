#pragma once
// The eight cases of the triangular solve with several right-hand sides (DTRSM, ZTRSM), shared by
// the real and the complex kernel. B (m x n) is overwritten by X with op(A)*X = alpha*B (left side)
// or X*op(A) = alpha*B (right side); the transposed cases read A conjugated when the operands say
// so, which the real kernel never asks for. The arguments have been checked by the caller and
// alpha is not zero.
#include "numeric/ColumnUpdate.h"
#include "numeric/TriKernelFrame.h"

namespace TriSolveDetail {

using TriKernel::Operands;

// A*X = alpha*B, one row of column x of X: x(k) found, unless it is zero, and its multiple of
// column k of A taken off rows first to before last.
template <class T>
void EliminateRow(Operands<T> const& o, T* x, long k, long first, long last)
{
    if (x[k] == T(0.0)) return;
    if (o.nounit) x[k] = x[k] / o.A(k, k);
    SubScaledColumn(first, last, x[k], o.ColA(k), x);
}

// A*X = alpha*B, A upper: each column from the last row up.
template <class T>
void LeftUpper(Operands<T> const& o, Blas::UProgressMonitor& pm)
{
    for (long j = 0; j < o.n; ++j) {
        T* bj = o.Col(j);
        if (o.alpha != T(1.0)) o.Scale(bj, o.alpha);
        for (long k = o.m - 1; k >= 0; --k) EliminateRow(o, bj, k, 0, k);
        pm.Test(j);
    }
}

// A*X = alpha*B, A lower: each column from the first row down.
template <class T>
void LeftLower(Operands<T> const& o, Blas::UProgressMonitor& pm)
{
    for (long j = 0; j < o.n; ++j) {
        T* bj = o.Col(j);
        if (o.alpha != T(1.0)) o.Scale(bj, o.alpha);
        for (long k = 0; k < o.m; ++k) EliminateRow(o, bj, k, k + 1, o.m);
        pm.Test(j);
    }
}

// op(A)*X = alpha*B with op(A) = A**T or A**H, A upper: each column from the first row down.
template <class T>
void LeftUpperTrans(Operands<T> const& o, Blas::UProgressMonitor& pm)
{
    for (long j = 0; j < o.n; ++j) {
        T* bj = o.Col(j);
        for (long i = 0; i < o.m; ++i) {
            T temp = o.alpha * bj[i];
            for (long k = 0; k < i; ++k) temp -= o.OpA(k, i) * bj[k];
            if (o.nounit) temp = temp / o.OpA(i, i);
            bj[i] = temp;
        }
        pm.Test(j);
    }
}

// op(A)*X = alpha*B with op(A) = A**T or A**H, A lower: each column from the last row up.
template <class T>
void LeftLowerTrans(Operands<T> const& o, Blas::UProgressMonitor& pm)
{
    for (long j = 0; j < o.n; ++j) {
        T* bj = o.Col(j);
        for (long i = o.m - 1; i >= 0; --i) {
            T temp = o.alpha * bj[i];
            for (long k = i + 1; k < o.m; ++k) temp -= o.OpA(k, i) * bj[k];
            if (o.nounit) temp = temp / o.OpA(i, i);
            bj[i] = temp;
        }
        pm.Test(j);
    }
}

// X*A = alpha*B, column j of X: alpha times column j of B, less a(k,j) times column k of X for k
// from first to before last (zero elements of A skipped), divided by a(j,j).
template <class T>
void RightColumn(Operands<T> const& o, long j, long first, long last)
{
    T const zero(0.0), one(1.0);
    T* bj = o.Col(j);
    if (o.alpha != one) o.Scale(bj, o.alpha);
    for (long k = first; k < last; ++k)
        if (o.A(k, j) != zero) SubScaledColumn(0, o.m, o.A(k, j), o.Col(k), bj);
    if (o.nounit) o.Scale(bj, one / o.A(j, j));
}

// X*A = alpha*B, A upper: the first column first.
template <class T>
void RightUpper(Operands<T> const& o, Blas::UProgressMonitor& pm)
{
    for (long j = 0; j < o.n; ++j) {
        RightColumn(o, j, 0, j);
        pm.Test(j);
    }
}

// X*A = alpha*B, A lower: the last column first.
template <class T>
void RightLower(Operands<T> const& o, Blas::UProgressMonitor& pm)
{
    for (long j = o.n - 1; j >= 0; --j) {
        RightColumn(o, j, j + 1, o.n);
        pm.Test(o.n - 1 - j);
    }
}

// X*op(A) = alpha*B with op(A) = A**T or A**H, column k of X: column k of B divided by op(a(k,k)),
// then op(a(j,k)) times it taken off column j for j from first to before last (zero elements of A
// skipped), then column k scaled by alpha.
template <class T>
void RightTransColumn(Operands<T> const& o, long k, long first, long last)
{
    T const zero(0.0), one(1.0);
    T* bk = o.Col(k);
    if (o.nounit) o.Scale(bk, one / o.OpA(k, k));
    for (long j = first; j < last; ++j)
        if (o.A(j, k) != zero) SubScaledColumn(0, o.m, o.OpA(j, k), bk, o.Col(j));
    if (o.alpha != one) o.Scale(bk, o.alpha);
}

// X*op(A) = alpha*B with op(A) = A**T or A**H, A upper: the last column first.
template <class T>
void RightUpperTrans(Operands<T> const& o, Blas::UProgressMonitor& pm)
{
    for (long k = o.n - 1; k >= 0; --k) {
        RightTransColumn(o, k, 0, k);
        pm.Test(o.n - 1 - k);
    }
}

// X*op(A) = alpha*B with op(A) = A**T or A**H, A lower: the first column first.
template <class T>
void RightLowerTrans(Operands<T> const& o, Blas::UProgressMonitor& pm)
{
    for (long k = 0; k < o.n; ++k) {
        RightTransColumn(o, k, k + 1, o.n);
        pm.Test(k);
    }
}

// Runs the case that the option word selects.
template <class T>
void Solve(short opt, Operands<T> const& o, Blas::UProgressMonitor& pm)
{
    using Case = void (*)(Operands<T> const&, Blas::UProgressMonitor&);
    // By side (left first), transposition (none first) and triangle (upper first).
    static Case const cases[2][2][2] = {
        {{LeftUpper<T>, LeftLower<T>}, {LeftUpperTrans<T>, LeftLowerTrans<T>}},
        {{RightUpper<T>, RightLower<T>}, {RightUpperTrans<T>, RightLowerTrans<T>}}};
    cases[(opt & 0x1) == 0][(opt & 0x10) == 0][(opt & 0x4) == 0](o, pm);
}

}  // namespace TriSolveDetail
