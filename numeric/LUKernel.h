#pragma once
// The LU routines written once for real and complex elements: LAPackDouble and LAPackComplex call
// these from their own sources, passing the reference routine's name (for Env and the monitor)
// and the source file that their raises name. Lapack is the routine class of the element type,
// Kernels its BLAS class.
#include "numeric/BlasEnv.h"
#include "numeric/BlasTiming.h"
#include "numeric/BlasUtils.h"
#include "numeric/UStrNumer.h"
#include "numeric/Vswap.h"
#include "utilities/CustExcept.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"

namespace LUDetail {

// DLASWP: applies the row interchanges ipiv(k1) .. ipiv(k2) (1-based) to the n columns of A
// (leading dimension lda), one row pair at a time: forwards for incx > 0, taking every incx-th
// pivot from ipiv(k1) on; in reverse order for incx < 0, from ipiv(1 + (1-k2)*incx); not at all
// for incx = 0. Nothing is checked.
template <class T>
void SwapRows(long n, T* a, long lda, long k1, long k2, long const* ipiv, long incx)
{
    if (incx == 0) return;
    if (incx > 0) {
        long ix = k1;
        for (long i = k1; i <= k2; ++i, ix += incx) {
            long const ip = ipiv[ix - 1];
            if (ip != i) Vswap(n, a + (i - 1), lda, a + (ip - 1), lda);
        }
    } else {
        long ix = 1 + (1 - k2) * incx;
        for (long i = k2; i >= k1; --i, ix += incx) {
            long const ip = ipiv[ix - 1];
            if (ip != i) Vswap(n, a + (i - 1), lda, a + (ip - 1), lda);
        }
    }
}

// DGETF2: factorises the m x n matrix A (leading dimension lda) as P*L*U, column by column. The
// pivot of column j is the first element of largest magnitude (Kernels::VgetMax) at or below the
// diagonal; ipiv(j), 1-based, is its row. An exactly zero pivot raises 23013 at once, leaving
// ipiv(1 .. j) written; otherwise the rows are swapped, the column below the pivot is scaled by
// its reciprocal and the trailing matrix takes a rank-one update. Reports Test(j-1) after column j.
template <class Kernels, class T>
void FactorColumns(long m, long n, T* a, long lda, long* ipiv, Blas::UProgressMonitor& pm,
                   char const* name, char const* sourceName)
{
    Blas::CheckArgument(m >= 0 && n >= 0 && Blas::LeadDimValid(lda, m), sourceName, __LINE__);
    if (m == 0 || n == 0) return;
    long const mn = m < n ? m : n;
    auto A = [a, lda](long i, long j) -> T* { return a + (i - 1) + (j - 1) * lda; };

    pm.Start(name, 0, mn, false);
    for (long j = 1; j <= mn; ++j) {
        long const jp = j - 1 + Kernels::VgetMax(m - j + 1, A(j, j), 1);
        ipiv[j - 1] = jp;
        if (*A(jp, j) == T(0.0)) RaiseError(nmSingularMatrix, sourceName, __LINE__);
        if (jp != j) Vswap(n, A(j, 1), lda, A(jp, 1), lda);
        if (j < m) Kernels::Vscale(m - j, T(1.0) / *A(j, j), A(j + 1, j), 1);
        if (j < mn)
            Kernels::VVMmultAdd1(m - j, n - j, T(-1.0), A(j + 1, j), 1, A(j, j + 1), lda,
                                 A(j + 1, j + 1), lda);
        pm.Test(j - 1);
    }
    pm.Finish(false);
}

// DGETRF: factorises the m x n matrix A as P*L*U, results as FactorColumns. With the block size nb
// that Env gives for name between 2 and min(m,n) - 1, panels of nb columns are factorised by
// Lapack::LUfactor2, their pivots made global, their interchanges applied to the columns on either
// side, the block row of U solved (TriMMsolve 0x99) and the trailing matrix updated (MMMmultAdd
// 0x9).
template <class Lapack, class Kernels, class T>
void FactorBlocked(long m, long n, T* a, long lda, long* ipiv, Blas::UProgressMonitor& pm,
                   char const* name, char const* sourceName)
{
    Blas::CheckArgument(m >= 0 && n >= 0 && Blas::LeadDimValid(lda, m), sourceName, __LINE__);
    if (m == 0 || n == 0) return;
    long const mn = m < n ? m : n;
    auto A = [a, lda](long i, long j) { return a + (i - 1) + (j - 1) * lda; };

    long const nb = Blas::Env(Blas::LaEnvBlockSize, name, 0, m, n, -1, -1);
    pm.Start(name, 0, mn, true);
    if (nb <= 1 || nb >= mn) {
        Lapack::LUfactor2(m, n, a, lda, ipiv, pm);
    } else {
        for (long j = 1; j <= mn; j += nb) {
            long const jb = mn - j + 1 < nb ? mn - j + 1 : nb;
            Lapack::LUfactor2(m - j + 1, jb, A(j, j), lda, ipiv + (j - 1), pm);
            long const iend = m < j + jb - 1 ? m : j + jb - 1;
            for (long i = j; i <= iend; ++i) ipiv[i - 1] += j - 1;
            Lapack::MswapRows(j - 1, a, lda, j, j + jb - 1, ipiv, 1);
            if (j + jb <= n) {
                Lapack::MswapRows(n - j - jb + 1, A(1, j + jb), lda, j, j + jb - 1, ipiv, 1);
                Kernels::TriMMsolve(0x99, jb, n - j - jb + 1, T(1.0), A(j, j), lda, A(j, j + jb),
                                    lda, pm);
                if (j + jb <= m)
                    Kernels::MMMmultAdd(0x9, m - j - jb + 1, n - j - jb + 1, jb, T(-1.0),
                                        A(j + jb, j), lda, A(j, j + jb), lda, T(1.0),
                                        A(j + jb, j + jb), lda, pm);
            }
        }
    }
    pm.Finish(false);
}

// DGESV: solves A*X = B for the n x n matrix A and the n x nrhs matrix B (leading dimensions lda,
// ldb): A is overwritten by the factors of P*A, B by X. A null ipiv makes this call allocate the
// pivot vector and release it on every way out; a supplied one keeps the pivots. The counter opened
// under name is finished, forced, only on success.
template <class Lapack, class T>
void Solve(long n, long nrhs, T* a, long lda, long* ipiv, T* b, long ldb,
           Blas::UProgressMonitor& pm, char const* name, char const* sourceName)
{
    bool const ownPivots = ipiv == nullptr;
    Blas::CheckArgument(n >= 0 && nrhs >= 0 && Blas::LeadDimValid(lda, n) &&
                            Blas::LeadDimValid(ldb, n),
                        sourceName, __LINE__);
    if (ownPivots) {
        long size = n;
        Blas::HeapAlloc(n, size, ipiv);
    }
    try {
        pm.Start(name, 0, n, nrhs, 0, true);
        Lapack::LUfactor(n, n, a, lda, ipiv, pm);
        Lapack::LUsolve(0x10, n, nrhs, a, lda, ipiv, b, ldb, pm);
        pm.Finish(true);
    } catch (...) {
        if (ownPivots) Blas::HeapDeAlloc(ipiv);
        throw;
    }
    if (ownPivots) Blas::HeapDeAlloc(ipiv);
}

// The front-ends of DGESV. A must be square (21004) and b as long as A has rows (21003); b must
// have increment 1 (23004), since the solve treats it as n consecutive elements.
template <class Lapack, class T>
void SolveVector(UMatrix<T>& A, UVector<T>& b, Blas::UProgressMonitor& pm, char const* sourceName)
{
    if (A.GetRowDim() != A.GetColDim()) RaiseError(umNotSquare, sourceName, __LINE__);
    if (b.GetDim() != A.GetColDim()) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    if (b.GetInc() != 1) RaiseError(nmIncrementNotOne, sourceName, __LINE__);
    long const n = b.GetDim();
    Lapack::MVsolve(n, 1, A.GetData(), A.GetColSpace(), nullptr, b.GetData(), n, pm);
}

template <class Lapack, class T>
void SolveMatrix(UMatrix<T>& A, UMatrix<T>& B, Blas::UProgressMonitor& pm, char const* sourceName)
{
    if (A.GetRowDim() != A.GetColDim()) RaiseError(umNotSquare, sourceName, __LINE__);
    if (B.GetColDim() != A.GetColDim()) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    Lapack::MVsolve(B.GetColDim(), B.GetRowDim(), A.GetData(), A.GetColSpace(), nullptr,
                    B.GetData(), B.GetColSpace(), pm);
}

}  // namespace LUDetail
