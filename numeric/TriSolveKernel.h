#pragma once
// The eight cases of the triangular solve with several right-hand sides (DTRSM, ZTRSM), shared by
// the real and the complex kernel. B (m x n) is overwritten by X with op(A)*X = alpha*B (left side)
// or X*op(A) = alpha*B (right side); conj selects the conjugate transpose, which the real kernel
// never asks for. The arguments have been checked by the caller and alpha is not zero.
#include "numeric/BlasTiming.h"
#include "numeric/BlasUtils.h"
#include "numeric/ColumnUpdate.h"
#include <complex>

namespace TriSolveDetail {

inline double Conj(double x) { return x; }
inline std::complex<double> Conj(std::complex<double> const& x) { return std::conj(x); }

template <class T>
void Solve(short opt, long m, long n, T const& alpha, T const* a, long lda, T* b, long ldb,
           Blas::UProgressMonitor& pm)
{
    bool const lside = (opt & 0x1) != 0;
    bool const upper = (opt & 0x4) != 0;
    bool const notrans = (opt & 0x10) != 0;
    bool const nounit = (opt & 0x100) != 0;
    T const zero(0.0), one(1.0);
    auto A = [a, lda](long i, long j) -> T const& { return a[i + j * lda]; };
    auto Col = [b, ldb](long j) { return b + j * ldb; };
    auto Scale = [m](T* x, T const& s) {
        for (long i = 0; i < m; ++i) x[i] = s * x[i];
    };
    // The operand of A read by the transposed cases: conjugated or not.
    bool const conj = !notrans && (opt & 0x40) != 0;
    auto OpA = [&](long i, long j) { return conj ? Conj(A(i, j)) : A(i, j); };

    if (lside) {
        for (long j = 0; j < n; ++j) {
            T* bj = Col(j);
            if (notrans) {
                if (alpha != one) Scale(bj, alpha);
                if (upper) {
                    for (long k = m - 1; k >= 0; --k) {
                        if (bj[k] == zero) continue;
                        if (nounit) bj[k] = bj[k] / A(k, k);
                        SubScaledColumn(0, k, bj[k], a + k * lda, bj);
                    }
                } else {
                    for (long k = 0; k < m; ++k) {
                        if (bj[k] == zero) continue;
                        if (nounit) bj[k] = bj[k] / A(k, k);
                        SubScaledColumn(k + 1, m, bj[k], a + k * lda, bj);
                    }
                }
            } else {
                if (upper) {
                    for (long i = 0; i < m; ++i) {
                        T temp = alpha * bj[i];
                        for (long k = 0; k < i; ++k) temp -= OpA(k, i) * bj[k];
                        if (nounit) temp = temp / OpA(i, i);
                        bj[i] = temp;
                    }
                } else {
                    for (long i = m - 1; i >= 0; --i) {
                        T temp = alpha * bj[i];
                        for (long k = i + 1; k < m; ++k) temp -= OpA(k, i) * bj[k];
                        if (nounit) temp = temp / OpA(i, i);
                        bj[i] = temp;
                    }
                }
            }
            pm.Test(j);
        }
        return;
    }

    auto SubCol = [m](T* x, T const& s, T const* y) { SubScaledColumn(0, m, s, y, x); };
    if (notrans) {
        if (upper) {
            for (long j = 0; j < n; ++j) {
                T* bj = Col(j);
                if (alpha != one) Scale(bj, alpha);
                for (long k = 0; k < j; ++k)
                    if (A(k, j) != zero) SubCol(bj, A(k, j), Col(k));
                if (nounit) Scale(bj, one / A(j, j));
                pm.Test(j);
            }
        } else {
            for (long j = n - 1; j >= 0; --j) {
                T* bj = Col(j);
                if (alpha != one) Scale(bj, alpha);
                for (long k = j + 1; k < n; ++k)
                    if (A(k, j) != zero) SubCol(bj, A(k, j), Col(k));
                if (nounit) Scale(bj, one / A(j, j));
                pm.Test(n - 1 - j);
            }
        }
    } else {
        if (upper) {
            for (long k = n - 1; k >= 0; --k) {
                T* bk = Col(k);
                if (nounit) Scale(bk, one / OpA(k, k));
                for (long j = 0; j < k; ++j)
                    if (A(j, k) != zero) SubCol(Col(j), OpA(j, k), bk);
                if (alpha != one) Scale(bk, alpha);
                pm.Test(n - 1 - k);
            }
        } else {
            for (long k = 0; k < n; ++k) {
                T* bk = Col(k);
                if (nounit) Scale(bk, one / OpA(k, k));
                for (long j = k + 1; j < n; ++j)
                    if (A(j, k) != zero) SubCol(Col(j), OpA(j, k), bk);
                if (alpha != one) Scale(bk, alpha);
                pm.Test(k);
            }
        }
    }
}

// The raw form around Solve: the option word (23002), the arguments (23001), the quick return for
// n = 0, B = 0 for alpha = 0 without reading A, then the solve between Start and Finish of the
// counter opened under name. sourceName names the file that raises.
template <class T>
void CheckedSolve(short opt, long m, long n, T const& alpha, T const* a, long lda, T* b, long ldb,
                  Blas::UProgressMonitor& pm, char const* name, char const* sourceName)
{
    Blas::CheckOptions(opt, {0x3, 0xc, 0x70, 0x180}, sourceName, __LINE__);
    long const nrowa = (opt & 0x1) ? m : n;
    Blas::CheckArgument(m >= 0 && n >= 0 && Blas::LeadDimValid(lda, nrowa) &&
                            Blas::LeadDimValid(ldb, m),
                        sourceName, __LINE__);
    if (n == 0) return;
    if (alpha == T(0.0)) {
        for (long j = 0; j < n; ++j)
            for (long i = 0; i < m; ++i) b[i + j * ldb] = T(0.0);
        return;
    }
    pm.Start(name, opt, m, m, n, false);
    Solve<T>(opt, m, n, alpha, a, lda, b, ldb, pm);
    pm.Finish(false);
}

}  // namespace TriSolveDetail
