#pragma once
// What the triangular kernels with several right-hand sides (DTRMM, DTRSM, ZTRSM) share: their
// operands once the arguments are checked, and the raw form around their eight cases.
#include <complex>

#include "numeric/BlasTiming.h"
#include "numeric/BlasUtils.h"

namespace TriKernel {

inline double Conj(double x) { return x; }
inline std::complex<double> Conj(std::complex<double> const& x) { return std::conj(x); }

// The triangular A, the m x n matrix B that the result overwrites, alpha, whether A's diagonal is
// read (non-unit) or taken as 1, and whether the transposed cases read A conjugated.
template <class T>
struct Operands {
    long m, n;
    T alpha;
    T const* a;
    long lda;
    T* b;
    long ldb;
    bool nounit, conj;

    T const& A(long i, long j) const { return a[i + j * lda]; }
    T OpA(long i, long j) const { return conj ? Conj(A(i, j)) : A(i, j); }
    T const* ColA(long j) const { return a + j * lda; }
    T* Col(long j) const { return b + j * ldb; }
    // x := s*x over the m elements of a column of B.
    void Scale(T* x, T const& s) const
    {
        for (long i = 0; i < m; ++i) x[i] = s * x[i];
    }
};

// The raw form of a triangular kernel: the option word (23002), the arguments (23001), the quick
// return for n = 0, B = 0 for alpha = 0 without reading A, then the case that kernel picks for the
// option word, between Start and Finish of the counter opened under name. sourceName names the
// file that raises.
template <class T, class Kernel>
void Run(short opt, long m, long n, T const& alpha, T const* a, long lda, T* b, long ldb,
         Blas::UProgressMonitor& pm, char const* name, char const* sourceName, Kernel kernel)
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
    kernel(opt, Operands<T>{m, n, alpha, a, lda, b, ldb, (opt & 0x100) != 0, (opt & 0x40) != 0},
           pm);
    pm.Finish(false);
}

}  // namespace TriKernel
