#pragma once
// Convenience algebra on whole vectors and matrices for the molecular model: products that may
// write into one of their operands, normalisation, squares, conjugation, inversion, sums and a
// Gram-Schmidt orthonormalisation under the unconjugated bilinear form. Nothing here conjugates
// unless its name says so.
#include <complex>

#include "numeric/BlasTiming.h"
#include "utilities/UMatVec.h"

namespace QuarnNumer {

typedef std::complex<double> Complex;

// P = A*B. P may be the storage of A (B square) or of B (A square), or of both (A square).
void MMmult(UMatrix<double> const& A, UMatrix<double> const& B, UMatrix<double>& P);
void MMmult(UMatrix<Complex> const& A, UMatrix<Complex> const& B, UMatrix<Complex>& P);
// y = A*x and y = x*A; y may be the storage of x.
void MVmult(UMatrix<double> const& A, UVector<double> const& x, UVector<double>& y);
void MVmult(UMatrix<Complex> const& A, UVector<Complex> const& x, UVector<Complex>& y);
void VMmult(UVector<double> const& x, UMatrix<double> const& A, UVector<double>& y);
void VMmult(UVector<Complex> const& x, UMatrix<Complex> const& A, UVector<Complex>& y);

// A = inverse of A, through the LU solver.
void Minvert(UMatrix<double>& A, Blas::UProgressMonitor& pm);
void Minvert(UMatrix<Complex>& A, Blas::UProgressMonitor& pm);

// v scaled to length len (complex: by the unconjugated square sum).
void Vnorm(UVector<double>& v, double len);
void Vnorm(UVector<Complex>& v, Complex const& len);

// Elementwise squares and conjugates.
void Msquare(UMatrix<double>& A);
void Msquare(UMatrix<Complex>& A);
void Vsquare(UVector<double>& v);
void Vsquare(UVector<Complex>& v);
void Mconj(UMatrix<Complex>& A);
// A replaced by its conjugate transpose; B = conjugate transpose of A.
void MconjTrans(UMatrix<Complex>& A);
void MconjTrans(UMatrix<Complex> const& A, UMatrix<Complex>& B);

// Sums of the main diagonal and of all elements.
double Mtrace(UMatrix<double> const& A);
Complex Mtrace(UMatrix<Complex> const& A);
double Vsum(UVector<double> const& v);
Complex Vsum(UVector<Complex> const& v);
double Vsum(long n, double const* x, long incx);
Complex Vsum(long n, Complex const* x, long incx);

// A(i, j) = x(i)*y(j); P += a*B.
void VVdirect(UVector<double> const& x, UVector<double> const& y, UMatrix<double>& A);
void MMadd(double a, UMatrix<double> const& B, UMatrix<double>& P);

double Abs1(Complex const& z);

// The unconjugated bilinear form: sum v(i)*v(i), sum x(i)*y(i), v normalised by it, and the
// columns of a square A made orthonormal under it.
Complex LaoSquare(UVector<Complex>& v);
Complex LaoInner(UVector<Complex>& x, UVector<Complex>& y);
void LaoNorm(UVector<Complex>& v);
void LaoSchmidt(UMatrix<Complex>& A);

}  // namespace QuarnNumer
