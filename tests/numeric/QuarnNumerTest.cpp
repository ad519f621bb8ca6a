// The convenience algebra: products in place and their overlap rules, inversion, norms, sums,
// conjugate transposition and the Gram-Schmidt orthonormalisation.
#include <gtest/gtest.h>

#include <cmath>

#include "numeric/UStrNumer.h"
#include "numeric/laostuff.h"
#include "tests/numeric/NumerTestSupport.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"

using namespace QuarnNumer;

namespace {

typedef std::complex<double> cplx;

UMatrix<double> Filled(long rows, long cols, double first, long colspace = -1)
{
    UMatrix<double> m(rows, cols, colspace);
    for (long j = 0; j < cols; ++j)
        for (long i = 0; i < rows; ++i) m(i, j) = first + i * 1.5 - j * 0.75 + i * j * 0.1;
    return m;
}

UMatrix<double> Reference(UMatrix<double> const& A, UMatrix<double> const& B)
{
    UMatrix<double> P(A.GetColDim(), B.GetRowDim(), -1);
    for (long i = 0; i < A.GetColDim(); ++i)
        for (long j = 0; j < B.GetRowDim(); ++j) {
            double s = 0.0;
            for (long l = 0; l < A.GetRowDim(); ++l) s += A(i, l) * B(l, j);
            P(i, j) = s;
        }
    return P;
}

void ExpectSame(UMatrix<double> const& a, UMatrix<double> const& b)
{
    ASSERT_EQ(a.GetColDim(), b.GetColDim());
    ASSERT_EQ(a.GetRowDim(), b.GetRowDim());
    for (long i = 0; i < a.GetColDim(); ++i)
        for (long j = 0; j < a.GetRowDim(); ++j) EXPECT_EQ(a(i, j), b(i, j)) << i << "," << j;
}

}  // namespace

TEST(QuarnNumer, MatrixVectorProductsInPlaceUseTheOldVector)
{
    double const c = std::cos(0.3), s = std::sin(0.3);
    UMatrix<double> R(3, 3, -1);
    Mset(R, 0.0, 1.0);
    R(0, 0) = c, R(0, 1) = -s, R(1, 0) = s, R(1, 1) = c;
    UVector<double> v(3, 1), y(3, 1);
    v[0] = 1.0, v[1] = 2.0, v[2] = 3.0;
    MVmult(R, v, y);
    EXPECT_EQ(y[0], c * 1.0 + -s * 2.0 + 0.0 * 3.0);
    MVmult(R, v, v);
    for (long i = 0; i < 3; ++i) EXPECT_EQ(v[i], y[i]);

    UVector<double> x(3, 1), yt(3, 1);
    x[0] = 1.0, x[1] = 2.0, x[2] = 3.0;
    VMmult(x, R, yt);
    VMmult(x, R, x);
    for (long i = 0; i < 3; ++i) EXPECT_EQ(x[i], yt[i]);
    EXPECT_EQ(yt[1], 1.0 * -s + 2.0 * c + 0.0);

    // Strided views are honoured.
    UVector<double> wide(3, 2), out(3, 1);
    for (long i = 0; i < 3; ++i) wide[i] = y[i];
    MVmult(R, wide, out);
    MVmult(R, y, y);
    for (long i = 0; i < 3; ++i) EXPECT_EQ(out[i], y[i]);

    UMatrix<double> A = Filled(2, 3, 1.0);
    UVector<double> two(2, 1);
    RegisterNumerMessages();
    EXPECT_EQ(RaisedCode([&] { MVmult(A, two, two); }), umIncompatibleDimensions);
    EXPECT_EQ(RaisedCode([&] { VMmult(v, A, two); }), umIncompatibleDimensions);
}

TEST(QuarnNumer, MatrixProductsWithSharedStorage)
{
    UMatrix<double> B = Filled(3, 3, 0.5);
    {
        UMatrix<double> A = Filled(2, 3, 1.0, 4);
        UMatrix<double> expect = Reference(A, B);
        MMmult(A, B, A);
        ExpectSame(A, expect);
    }
    {
        UMatrix<double> A = Filled(3, 3, -1.0), P2 = Filled(3, 2, 2.0);
        UMatrix<double> expect = Reference(A, P2);
        MMmult(A, P2, P2);
        ExpectSame(P2, expect);
    }
    {
        // A*A into A is the full product, also when it is not symmetric.
        UMatrix<double> A = Filled(3, 3, 1.0);
        UMatrix<double> expect = Reference(A, A);
        MMmult(A, A, A);
        ExpectSame(A, expect);
    }
    {
        // Views of one storage from different first elements are not detected and need no
        // temporary.
        UMatrix<double> S = Filled(4, 4, 1.0);
        UMatrix<double> A = S.SubMatrix(0, 0, 2, 2), Bv = S.SubMatrix(2, 2, 2, 2), P(2, 2, -1);
        MMmult(A, Bv, P);
        ExpectSame(P, Reference(A, Bv));
    }
    RegisterNumerMessages();
    UMatrix<double> A = Filled(3, 3, 1.0), B32 = Filled(3, 2, 1.0);
    // The overlap is judged before the shapes: B is not square.
    EXPECT_EQ(RaisedCode([&] { MMmult(A, B32, A); }), nmMatrixOverlap);
    UMatrix<double> B22 = Filled(2, 2, 1.0);
    EXPECT_EQ(RaisedCode([&] { MMmult(A, B22, A); }),
              umIncompatibleDimensions);  // an accepted overlap, shapes that do not conform
    UMatrix<double> A22view(A.GetData(), 2, 2, 3);
    EXPECT_EQ(RaisedCode([&] { MMmult(A, A22view, A22view); }),
              nmMatrixOverlap);  // all one storage, not one order
    UMatrix<double> S = Filled(3, 3, 1.0), B23 = Filled(2, 3, 1.0);
    UMatrix<double> A32 = S.SubMatrix(0, 0, 3, 2);
    EXPECT_EQ(RaisedCode([&] { MMmult(A32, B23, S); }),
              nmMatrixOverlap);  // P on A's storage needs a square B
    UMatrix<double> A23 = Filled(2, 3, 1.0), B3 = Filled(3, 2, 1.0);
    UMatrix<double> Pb = B3.SubMatrix(0, 0, 2, 2);
    EXPECT_EQ(RaisedCode([&] { MMmult(A23, B3, Pb); }),
              nmMatrixOverlap);  // P on B's storage needs a square A
    UMatrix<double> Pwide = Filled(2, 3, 1.0, 5);
    UMatrix<double> Pnarrow(Pwide.GetData(), 2, 3, 2);
    EXPECT_EQ(RaisedCode([&] { MMmult(Pwide, B, Pnarrow); }),
              nmMatrixOverlap);  // same storage, other spacing
    UMatrix<double> Sq = Filled(3, 3, 1.0);
    UMatrix<double> SqView(Sq.GetData(), 2, 2, 3);
    EXPECT_EQ(RaisedCode([&] { MMmult(SqView, Sq.SubMatrix(0, 0, 2, 2), SqView); }), 0);
}

TEST(QuarnNumer, InverseTimesMatrixIsTheIdentity)
{
    UMatrix<double> D(2, 2, -1);
    Mset(D, 0.0, 2.0);
    D(1, 1) = 4.0;
    Minvert(D, Blas::defProgMon);
    EXPECT_EQ(D(0, 0), 0.5);
    EXPECT_EQ(D(1, 1), 0.25);
    EXPECT_EQ(D(0, 1), 0.0);

    UMatrix<double> A = Filled(5, 5, 1.0);
    for (long i = 0; i < 5; ++i) A(i, i) += 6.0;
    UMatrix<double> Ainv(5, 5, -1), I(5, 5, -1);
    Ainv.CloneContentsFrom(A);
    Minvert(Ainv, Blas::defProgMon);
    MMmult(A, Ainv, I);
    for (long i = 0; i < 5; ++i)
        for (long j = 0; j < 5; ++j) EXPECT_NEAR(I(i, j), i == j ? 1.0 : 0.0, 1e-14);

    UMatrix<cplx> Z(3, 3, -1), Zinv(3, 3, -1), ZI(3, 3, -1);
    for (long i = 0; i < 3; ++i)
        for (long j = 0; j < 3; ++j) Z(i, j) = cplx(i == j ? 4.0 : 0.5, 0.25 * (i - j));
    Zinv.CloneContentsFrom(Z);
    Minvert(Zinv, Blas::defProgMon);
    MMmult(Z, Zinv, ZI);
    for (long i = 0; i < 3; ++i)
        for (long j = 0; j < 3; ++j)
            EXPECT_NEAR(std::abs(ZI(i, j) - cplx(i == j ? 1.0 : 0.0)), 0.0, 1e-14);

    RegisterNumerMessages();
    UMatrix<double> singular(2, 2, -1);
    Mset(singular, 1.0);
    EXPECT_EQ(RaisedCode([&] { Minvert(singular, Blas::defProgMon); }), nmSingularMatrix);
    UMatrix<double> rect(2, 3, -1);
    EXPECT_EQ(RaisedCode([&] { Minvert(rect, Blas::defProgMon); }), umNotSquare);
}

TEST(QuarnNumer, NormsSumsAndElementwiseOperations)
{
    UVector<double> v(2, 1);
    v[0] = 3.0, v[1] = 4.0;
    Vnorm(v, 1.0);
    EXPECT_DOUBLE_EQ(v[0], 0.6);
    EXPECT_DOUBLE_EQ(v[1], 0.8);
    v[0] = 3.0, v[1] = 4.0;
    Vnorm(v, 2.0);
    EXPECT_DOUBLE_EQ(v[0], 1.2);
    EXPECT_DOUBLE_EQ(v[1], 1.6);

    UVector<cplx> z(2, 1);
    z[0] = cplx(0, 1), z[1] = cplx(2, 0);  // square sum -1 + 4 = 3
    Vnorm(z, cplx(1, 0));
    EXPECT_NEAR(std::abs(z[0] * z[0] + z[1] * z[1] - cplx(1, 0)), 0.0, 1e-15);

    UMatrix<double> A = Filled(2, 3, 1.0);
    EXPECT_EQ(Mtrace(A), A(0, 0) + A(1, 1));
    UVector<double> s(3, 1);
    s[0] = 1, s[1] = 2, s[2] = 4;
    EXPECT_EQ(Vsum(s), 7.0);
    double raw[3] = {1, 2, 4};
    EXPECT_EQ(Vsum(3, raw, -1), 0.0);
    EXPECT_EQ(Vsum(3, raw, 0), 0.0);
    EXPECT_EQ(Vsum(2, raw, 2), 5.0);

    UMatrix<cplx> Z(2, 2, -1);
    Z(0, 0) = cplx(1, 2), Z(0, 1) = cplx(3, 4), Z(1, 0) = cplx(5, 6), Z(1, 1) = cplx(7, 8);
    EXPECT_EQ(Mtrace(Z), cplx(8, 10));
    Msquare(Z);
    EXPECT_EQ(Z(0, 0), cplx(1, 2) * cplx(1, 2));
    Mconj(Z);
    EXPECT_EQ(Z(0, 0), std::conj(cplx(1, 2) * cplx(1, 2)));
    EXPECT_EQ(Abs1(cplx(-1.5, 2.0)), 3.5);

    UVector<double> x(2, 1), y(3, 1);
    x[0] = 2, x[1] = -1, y[0] = 1, y[1] = 3, y[2] = 5;
    UMatrix<double> O(2, 3, -1);
    VVdirect(x, y, O);
    EXPECT_EQ(O(1, 2), -5.0);
    MMadd(2.0, O, O);
    EXPECT_EQ(O(1, 2), -15.0);
    RegisterNumerMessages();
    EXPECT_EQ(RaisedCode([&] { VVdirect(y, x, O); }), umIncompatibleDimensions);
    UMatrix<double> other(3, 2, -1);
    EXPECT_EQ(RaisedCode([&] { MMadd(1.0, other, O); }), umIncompatibleDimensions);
}

TEST(QuarnNumer, ConjugateTranspose)
{
    UMatrix<cplx> A(2, 3, -1), B(3, 2, -1);
    for (long i = 0; i < 2; ++i)
        for (long j = 0; j < 3; ++j) A(i, j) = cplx(i + 1, j - 2);
    MconjTrans(A, B);
    for (long i = 0; i < 2; ++i)
        for (long j = 0; j < 3; ++j) EXPECT_EQ(B(j, i), std::conj(A(i, j)));
    RegisterNumerMessages();
    EXPECT_EQ(RaisedCode([&] { MconjTrans(A); }), umNotSquare);
    EXPECT_EQ(RaisedCode([&] { MconjTrans(A, A); }), umIncompatibleDimensions);

    UMatrix<cplx> S(3, 3, -1), T(3, 3, -1);
    for (long i = 0; i < 3; ++i)
        for (long j = 0; j < 3; ++j) S(i, j) = cplx(i * 3 + j, i - j + 0.5);
    MconjTrans(S, T);
    MconjTrans(S, S);
    for (long i = 0; i < 3; ++i)
        for (long j = 0; j < 3; ++j) EXPECT_EQ(S(i, j), T(i, j));
}

TEST(QuarnNumer, SchmidtMakesColumnsOrthonormalUnderTheBilinearForm)
{
    UMatrix<cplx> I(3, 3, -1);
    Mset(I, cplx(0, 0), cplx(1, 0));
    LaoSchmidt(I);
    for (long i = 0; i < 3; ++i)
        for (long j = 0; j < 3; ++j) EXPECT_EQ(I(i, j), cplx(i == j ? 1.0 : 0.0, 0.0));

    UMatrix<cplx> A(3, 3, -1);
    for (long i = 0; i < 3; ++i)
        for (long j = 0; j < 3; ++j) A(i, j) = cplx(1.0 + (i == j ? 2.0 : 0.0), 0.3 * (i + 2 * j));
    LaoSchmidt(A);
    for (long i = 0; i < 3; ++i)
        for (long j = 0; j < 3; ++j) {
            UVector<cplx> ci = A.ColVector(i), cj = A.ColVector(j);
            EXPECT_NEAR(std::abs(LaoInner(ci, cj) - cplx(i == j ? 1.0 : 0.0)), 0.0, 1e-13);
        }

    // A zero column gives non-finite values, no error.
    UMatrix<cplx> Zc(2, 2, -1);
    Zc(0, 0) = cplx(1, 0);
    LaoSchmidt(Zc);
    EXPECT_FALSE(std::isfinite(Zc(0, 1).real()));

    // Too few columns: refused before a column that does not exist is touched.
    RegisterNumerMessages();
    UMatrix<cplx> narrow(3, 2, -1);
    EXPECT_EQ(RaisedCode([&] { LaoSchmidt(narrow); }), umIncompatibleDimensions);
    UVector<cplx> a(2, 1), b(3, 1);
    EXPECT_EQ(RaisedCode([&] { LaoInner(a, b); }), umIncompatibleDimensions);
}
