// The convenience algebra of QuarnNumer: plain loops over the elements through the containers'
// element access (increments and leading dimensions honoured), a few delegating to the kernels and
// to the LU solver. Shape errors and forbidden overlaps are raised before anything is written.
#include "numeric/laostuff.h"

#include <cmath>
#include <vector>

#include "numeric/BlasComplex.h"
#include "numeric/BlasDouble.h"
#include "numeric/LAPackComplex.h"
#include "numeric/LAPackDouble.h"
#include "numeric/UStrNumer.h"
#include "utilities/CustExcept.h"
#include "utilities/UStrUtilities.h"

namespace QuarnNumer {

namespace {

const char* const sourceName = "laostuff";

template <class T>
bool SameStorage(UMatrix<T> const& a, UMatrix<T> const& b)
{
    return a.GetConstData() == b.GetConstData();
}

template <class T>
bool IsSquare(UMatrix<T> const& a)
{
    return a.GetColDim() == a.GetRowDim();
}

// Row i of A times column j of B, summed over the inner index in increasing order.
template <class T>
T RowTimesColumn(UMatrix<T> const& A, UMatrix<T> const& B, long i, long j)
{
    T sum(0.0);
    long const inner = A.GetRowDim();
    for (long l = 0; l < inner; ++l) sum += A(i, l) * B(l, j);
    return sum;
}

// The overlaps that the products accept: P on A's storage needs a square B, P on B's a square A,
// P on both all three square of one order; each with one spacing for the shared storage. Tested
// in this order (P with A, A with B, then P with B) before the shapes.
template <class T>
void CheckOverlap(UMatrix<T> const& A, UMatrix<T> const& B, UMatrix<T> const& P)
{
    if (SameStorage(P, A)) {
        bool const fits = SameStorage(A, B) ? IsSquare(A) && IsSquare(B) && IsSquare(P) &&
                                                  A.GetColDim() == B.GetColDim() &&
                                                  A.GetColDim() == P.GetColDim() &&
                                                  A.GetColSpace() == B.GetColSpace() &&
                                                  A.GetColSpace() == P.GetColSpace()
                                            : IsSquare(B) && A.GetColSpace() == P.GetColSpace();
        if (!fits) RaiseError(nmMatrixOverlap, sourceName, __LINE__);
    } else if (SameStorage(P, B)) {
        if (!IsSquare(A) || B.GetColSpace() != P.GetColSpace())
            RaiseError(nmMatrixOverlap, sourceName, __LINE__);
    }
}

template <class T>
void Product(UMatrix<T> const& A, UMatrix<T> const& B, UMatrix<T>& P)
{
    CheckOverlap(A, B, P);
    long const m = A.GetColDim(), n = B.GetRowDim();
    if (A.GetRowDim() != B.GetColDim() || P.GetColDim() != m || P.GetRowDim() != n)
        RaiseError(umIncompatibleDimensions, sourceName, __LINE__);

    if (SameStorage(P, A) && SameStorage(A, B)) {
        // A*A into A: the full product through a temporary of the whole matrix.
        std::vector<T> full(static_cast<size_t>(m * n));
        for (long i = 0; i < m; ++i)
            for (long j = 0; j < n; ++j)
                full[static_cast<size_t>(i + j * m)] = RowTimesColumn(A, B, i, j);
        for (long i = 0; i < m; ++i)
            for (long j = 0; j < n; ++j) P(i, j) = full[static_cast<size_t>(i + j * m)];
        return;
    }
    if (SameStorage(P, A)) {
        // Row i of P is computed from row i of A only, so it waits in a temporary.
        std::vector<T> row(static_cast<size_t>(n));
        for (long i = 0; i < m; ++i) {
            for (long j = 0; j < n; ++j) row[static_cast<size_t>(j)] = RowTimesColumn(A, B, i, j);
            for (long j = 0; j < n; ++j) P(i, j) = row[static_cast<size_t>(j)];
        }
        return;
    }
    if (SameStorage(P, B)) {
        // Column j of P is computed from column j of B only.
        std::vector<T> col(static_cast<size_t>(m));
        for (long j = 0; j < n; ++j) {
            for (long i = 0; i < m; ++i) col[static_cast<size_t>(i)] = RowTimesColumn(A, B, i, j);
            for (long i = 0; i < m; ++i) P(i, j) = col[static_cast<size_t>(i)];
        }
        return;
    }
    for (long i = 0; i < m; ++i)
        for (long j = 0; j < n; ++j) P(i, j) = RowTimesColumn(A, B, i, j);
}

// y = A*x (transposed: y = x*A, that is y(j) = sum over i of x(i)*A(i, j)).
template <class T>
void MatrixVector(UMatrix<T> const& A, UVector<T> const& x, UVector<T>& y, bool transposed)
{
    long const lenx = transposed ? A.GetColDim() : A.GetRowDim();
    long const leny = transposed ? A.GetRowDim() : A.GetColDim();
    if (x.GetDim() != lenx || y.GetDim() != leny)
        RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    auto element = [&](long i) {
        T sum(0.0);
        if (transposed)
            for (long l = 0; l < lenx; ++l) sum += x[l] * A(l, i);
        else
            for (long l = 0; l < lenx; ++l) sum += A(i, l) * x[l];
        return sum;
    };
    if (x.GetConstData() == y.GetConstData()) {
        // In place: every element is computed from the old x before any is stored.
        std::vector<T> result(static_cast<size_t>(leny));
        for (long i = 0; i < leny; ++i) result[static_cast<size_t>(i)] = element(i);
        for (long i = 0; i < leny; ++i) y[i] = result[static_cast<size_t>(i)];
        return;
    }
    for (long i = 0; i < leny; ++i) y[i] = element(i);
}

template <class T, class Solver>
void Invert(UMatrix<T>& A, Blas::UProgressMonitor& pm)
{
    if (!IsSquare(A)) RaiseError(umNotSquare, sourceName, __LINE__);
    long const n = A.GetColDim();
    UMatrix<T> X(n, n, -1);
    Mset(X, T(0.0), T(1.0));
    Solver::MVsolve(A, X, pm);
    Mcopy(X, A);
}

template <class T>
void SquareElements(UMatrix<T>& A)
{
    for (long i = 0; i < A.GetColDim(); ++i)
        for (long j = 0; j < A.GetRowDim(); ++j) A(i, j) = A(i, j) * A(i, j);
}

template <class T>
void SquareElements(UVector<T>& v)
{
    for (long i = 0; i < v.GetDim(); ++i) v[i] = v[i] * v[i];
}

}  // namespace

// MMmult: P = A*B, each element summed in increasing order of the inner index. P may share A's
// storage (B square, equal spacing), B's (A square, equal spacing) or both (all square, equal
// spacing); other overlaps raise 23023, and then shapes that do not conform 21003.
void MMmult(UMatrix<double> const& A, UMatrix<double> const& B, UMatrix<double>& P)
{
    Product(A, B, P);
}
void MMmult(UMatrix<Complex> const& A, UMatrix<Complex> const& B, UMatrix<Complex>& P)
{
    Product(A, B, P);
}

// MVmult: y = A*x; VMmult: y = x*A. y may be the storage of x (21003 for shapes).
void MVmult(UMatrix<double> const& A, UVector<double> const& x, UVector<double>& y)
{
    MatrixVector(A, x, y, false);
}
void MVmult(UMatrix<Complex> const& A, UVector<Complex> const& x, UVector<Complex>& y)
{
    MatrixVector(A, x, y, false);
}
void VMmult(UVector<double> const& x, UMatrix<double> const& A, UVector<double>& y)
{
    MatrixVector(A, x, y, true);
}
void VMmult(UVector<Complex> const& x, UMatrix<Complex> const& A, UVector<Complex>& y)
{
    MatrixVector(A, x, y, true);
}

// Minvert: A = its inverse, solving A*X = I by LU (21004 unless square; 23013 when singular).
void Minvert(UMatrix<double>& A, Blas::UProgressMonitor& pm)
{
    Invert<double, LAPackDouble>(A, pm);
}
void Minvert(UMatrix<Complex>& A, Blas::UProgressMonitor& pm)
{
    Invert<Complex, LAPackComplex>(A, pm);
}

// Vnorm: v scaled to length len; the complex form by the unconjugated square sum.
void Vnorm(UVector<double>& v, double len)
{
    BlasDouble::Vscale(v, len / std::sqrt(BlasDouble::VVmult(v, v)));
}

void Vnorm(UVector<Complex>& v, Complex const& len)
{
    BlasComplex::Vscale(v, len / std::sqrt(BlasComplex::VVmult(v, v)));
}

// Msquare, Vsquare: every element replaced by its square.
void Msquare(UMatrix<double>& A) { SquareElements(A); }
void Msquare(UMatrix<Complex>& A) { SquareElements(A); }
void Vsquare(UVector<double>& v) { SquareElements(v); }
void Vsquare(UVector<Complex>& v) { SquareElements(v); }

// Mconj: every element replaced by its conjugate.
void Mconj(UMatrix<Complex>& A)
{
    for (long i = 0; i < A.GetColDim(); ++i)
        for (long j = 0; j < A.GetRowDim(); ++j) A(i, j) = std::conj(A(i, j));
}

// MconjTrans(A): the square A replaced by its conjugate transpose (21004 unless square).
void MconjTrans(UMatrix<Complex>& A)
{
    if (!IsSquare(A)) RaiseError(umNotSquare, sourceName, __LINE__);
    for (long i = 0; i < A.GetColDim(); ++i) {
        for (long j = 0; j < i; ++j) {
            Complex const t = A(i, j);
            A(i, j) = std::conj(A(j, i));
            A(j, i) = std::conj(t);
        }
        A(i, i) = std::conj(A(i, i));
    }
}

// MconjTrans(A, B): B = the conjugate transpose of A (21003 for shapes); in place when they share
// storage.
void MconjTrans(UMatrix<Complex> const& A, UMatrix<Complex>& B)
{
    if (A.GetColDim() != B.GetRowDim() || A.GetRowDim() != B.GetColDim())
        RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    if (SameStorage(A, B)) {
        if (!IsSquare(A)) RaiseError(umNotSquare, sourceName, __LINE__);
        MconjTrans(B);
        return;
    }
    for (long i = 0; i < A.GetColDim(); ++i)
        for (long j = 0; j < A.GetRowDim(); ++j) B(j, i) = std::conj(A(i, j));
}

// Mtrace: the sum of the min(m, n) elements of the main diagonal.
double Mtrace(UMatrix<double> const& A) { return Vsum(A.BandVector(0, 0, 0)); }
Complex Mtrace(UMatrix<Complex> const& A) { return Vsum(A.BandVector(0, 0, 0)); }

// Vsum: the sum of the elements of v (nothing for a negative increment).
double Vsum(UVector<double> const& v) { return Vsum(v.GetDim(), v.GetConstData(), v.GetInc()); }
Complex Vsum(UVector<Complex> const& v) { return Vsum(v.GetDim(), v.GetConstData(), v.GetInc()); }

// VVdirect: A(i, j) = x(i)*y(j) (21003 unless A is as large as x by y).
void VVdirect(UVector<double> const& x, UVector<double> const& y, UMatrix<double>& A)
{
    if (A.GetColDim() != x.GetDim() || A.GetRowDim() != y.GetDim())
        RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    for (long i = 0; i < x.GetDim(); ++i)
        for (long j = 0; j < y.GetDim(); ++j) A(i, j) = x[i] * y[j];
}

// MMadd: P += a*B, element by element (21003 unless of one shape).
void MMadd(double a, UMatrix<double> const& B, UMatrix<double>& P)
{
    if (P.GetColDim() != B.GetColDim() || P.GetRowDim() != B.GetRowDim())
        RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    for (long i = 0; i < P.GetColDim(); ++i)
        for (long j = 0; j < P.GetRowDim(); ++j) P(i, j) += a * B(i, j);
}

// Abs1: |Re z| + |Im z|.
double Abs1(Complex const& z) { return std::fabs(z.real()) + std::fabs(z.imag()); }

// LaoSquare: the unconjugated square sum of v.
Complex LaoSquare(UVector<Complex>& v)
{
    Complex sum(0.0, 0.0);
    for (long i = 0; i < v.GetDim(); ++i) sum += v[i] * v[i];
    return sum;
}

// LaoInner: the unconjugated sum of x(i)*y(i) (21003 for lengths that differ).
Complex LaoInner(UVector<Complex>& x, UVector<Complex>& y)
{
    if (x.GetDim() != y.GetDim()) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    Complex sum(0.0, 0.0);
    for (long i = 0; i < x.GetDim(); ++i) sum += x[i] * y[i];
    return sum;
}

// LaoNorm: v divided by the complex square root of its unconjugated square sum.
void LaoNorm(UVector<Complex>& v)
{
    Complex const f = Complex(1.0, 0.0) / std::sqrt(LaoSquare(v));
    for (long i = 0; i < v.GetDim(); ++i) v[i] *= f;
}

// LaoSchmidt: the first n columns of the n-row A made orthonormal under the unconjugated form,
// column by column; a matrix with fewer columns than rows raises 21003.
void LaoSchmidt(UMatrix<Complex>& A)
{
    long const n = A.GetColDim();
    // As many columns as rows are treated; a narrower matrix has not got them.
    if (A.GetRowDim() < n) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    for (long j = 1; j < n; ++j) {
        UVector<Complex> col = A.ColVector(j);
        LaoNorm(col);
    }
    for (long i = 0; i < n; ++i) {
        UVector<Complex> ci = A.ColVector(i);
        LaoNorm(ci);
        for (long j = i + 1; j < n; ++j) {
            UVector<Complex> cj = A.ColVector(j);
            Complex const c = LaoInner(cj, ci);
            for (long k = 0; k < n; ++k) cj[k] -= c * ci[k];
        }
    }
}

}  // namespace QuarnNumer
