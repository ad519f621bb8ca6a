#pragma once
// The front-ends of the matrix-matrix kernels, shared by the real and the complex class: they
// derive the raw form's sizes from the objects, check the shapes in their order and hand the option
// word on unchanged. Kernels is BlasDouble or BlasComplex; sourceName names the file that raises.
#include "numeric/BlasTiming.h"
#include "numeric/UStrNumer.h"
#include "utilities/CustExcept.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"

namespace MatrixFrontEnds {

// The leading dimension a front-end hands on: a matrix without rows may have a column space of 0,
// which the raw forms would refuse before their quick return for an empty matrix.
template <class T>
long LeadDim(UMatrix<T> const& A)
{
    return A.GetColSpace() < 1 ? 1 : A.GetColSpace();
}

// MMMmultAdd: C = alpha*op(A)*op(B) + beta*C. m is the row count of op(A) (A's rows with 0x1,
// else its columns), k the other dimension of A, n the column count of op(B) (B's columns with
// 0x8, else its rows). C must be m x n and op(B) k rows high (21003).
template <class Kernels, class T>
void Product(short opt, T const& alpha, UMatrix<T> const& A, UMatrix<T> const& B, T const& beta,
             UMatrix<T>& C, Blas::UProgressMonitor& pm, char const* sourceName)
{
    long const m = (opt & 0x1) ? A.GetColDim() : A.GetRowDim();
    long const k = (opt & 0x1) ? A.GetRowDim() : A.GetColDim();
    long const n = (opt & 0x8) ? B.GetRowDim() : B.GetColDim();
    if (m != C.GetColDim() || n != C.GetRowDim())
        RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    if (k != ((opt & 0x8) ? B.GetColDim() : B.GetRowDim()))
        RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    Kernels::MMMmultAdd(opt, m, n, k, alpha, A.GetConstData(), A.GetColSpace(), B.GetConstData(),
                        B.GetColSpace(), beta, C.GetData(), C.GetColSpace(), pm);
}

// TriMMsolve on one right-hand side b, the m x 1 matrix of its elements: A square (21004); with
// the left side (0x1) A as large as b, with the right side (0x2) 1 x 1 (21003); b of increment 1
// (23004).
template <class Kernels, class T>
void SolveVector(short opt, UMatrix<T> const& A, T const& alpha, UVector<T>& b,
                 Blas::UProgressMonitor& pm, char const* sourceName)
{
    if (A.GetRowDim() != A.GetColDim()) RaiseError(umNotSquare, sourceName, __LINE__);
    long const m = b.GetDim();
    if (((opt & 0x1) && m != A.GetColDim()) || ((opt & 0x2) && A.GetColDim() != 1))
        RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    if (b.GetInc() != 1) RaiseError(nmIncrementNotOne, sourceName, __LINE__);
    Kernels::TriMMsolve(opt, m, 1, alpha, A.GetConstData(), A.GetColSpace(), b.GetData(), m, pm);
}

// TriMMsolve on the m x n matrix B: A square (21004), of order m on the left side (0x1) and n on
// the right side (0x2) (21003).
template <class Kernels, class T>
void SolveMatrix(short opt, UMatrix<T> const& A, T const& alpha, UMatrix<T>& B,
                 Blas::UProgressMonitor& pm, char const* sourceName)
{
    if (A.GetRowDim() != A.GetColDim()) RaiseError(umNotSquare, sourceName, __LINE__);
    long const m = B.GetColDim();
    long const n = B.GetRowDim();
    if (((opt & 0x1) && m != A.GetColDim()) || ((opt & 0x2) && n != A.GetColDim()))
        RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    Kernels::TriMMsolve(opt, m, n, alpha, A.GetConstData(), A.GetColSpace(), B.GetData(),
                        B.GetColSpace(), pm);
}

}  // namespace MatrixFrontEnds
