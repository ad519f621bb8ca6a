// The checks of the kernels and the LU routines: front-end shapes before option words, option
// words before arguments, and the codes and texts they raise.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>

#include "numeric/BlasComplex.h"
#include "numeric/BlasDouble.h"
#include "numeric/LAPackComplex.h"
#include "numeric/LAPackDouble.h"
#include "numeric/UStrNumer.h"
#include "tests/numeric/NumerTestSupport.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"

namespace {

typedef std::complex<double> cplx;
Blas::UProgressMonitor& pm = Blas::defProgMon;

UMatrix<double> Filled(long rows, long cols, double first)
{
    UMatrix<double> m(rows, cols, -1);
    for (long j = 0; j < cols; ++j)
        for (long i = 0; i < rows; ++i) m(i, j) = first + i + 10.0 * j;
    return m;
}

}  // namespace

TEST(KernelChecks, RaisedTextNamesTheSourceFile)
{
    RegisterNumerMessages();
    double x[2] = {1, 2};
    try {
        BlasDouble::MVVmultAdd(0x3, 1, 1, 1.0, x, 1, x, 1, 0.0, x, 1);
        FAIL() << "no exception";
    } catch (CustomException const& e) {
        EXPECT_EQ(e.Code, nmIllegalOptions);
        EXPECT_EQ(
            std::strncmp(e.Text, "Illegal Option Combination.\nError in file dgemv line ", 53), 0)
            << e.Text;
    }
}

TEST(KernelChecks, OptionWordsOfEveryKernel)
{
    double a[16] = {0}, b[16] = {0};
    cplx z[16], w[16];
    struct Case {
        char const* what;
        short opt;
        int code;
    };
    // Missing groups, two bits in a group and bits outside the groups are all refused.
    Case const cases[] = {
        {"dgemv none", 0, nmIllegalOptions},
        {"dgemv two", 0x3, nmIllegalOptions},
        {"dgemv ok", 0x4, 0},
        {"dgemm no B", 0x1, nmIllegalOptions},
        {"dgemm outside", 0x48, nmIllegalOptions},
        {"dgemm ok", 0xc, 0},
        {"dtrsm no diag", 0x15, nmIllegalOptions},
        {"dtrsm ok", 0x115, 0},
        {"dtrsm outside", 0x315, nmIllegalOptions},
        {"dsyr2k C", 0x54, nmIllegalOptions},
        {"dsyr2k ok", 0x14, 0},
        {"dtrmv outside", 0x1 | 0x4 | 0x20 | 0x80, nmIllegalOptions},
        {"dtrmv ok", 0x1 | 0x4 | 0x20, 0},
        {"dgetrs none", 0, nmIllegalOptions},
        {"dgetrs two", 0x30, nmIllegalOptions},
        {"dgetrs C", 0x40, 0},
    };
    for (Case const& c : cases) {
        std::string what = c.what;
        int code = RaisedCode([&] {
            if (what.rfind("dgemv", 0) == 0)
                BlasDouble::MVVmultAdd(c.opt, 2, 2, 1.0, a, 2, b, 1, 0.0, b + 4, 1);
            if (what.rfind("dgemm", 0) == 0)
                BlasDouble::MMMmultAdd(c.opt, 2, 2, 2, 1.0, a, 2, a, 2, 0.0, b, 2, pm);
            if (what.rfind("dtrsm", 0) == 0) {
                a[0] = a[3] = 1.0;
                BlasDouble::TriMMsolve(c.opt, 2, 2, 1.0, a, 2, b, 2, pm);
                BlasDouble::TriMMmult(c.opt, 2, 2, 1.0, a, 2, b, 2, pm);
                z[0] = z[3] = 1.0;
                BlasComplex::TriMMsolve(c.opt, 2, 2, cplx(1, 0), z, 2, w, 2, pm);
            }
            if (what.rfind("dsyr2k", 0) == 0)
                BlasDouble::SymMMMmultAdd(c.opt, 2, 2, 1.0, a, 2, a, 2, 0.0, b, 2, pm);
            if (what.rfind("dtrmv", 0) == 0) BlasDouble::TriMVmult(c.opt, 2, a, 2, b, 1);
            if (what.rfind("dgetrs", 0) == 0) {
                long piv[2] = {1, 2};
                a[0] = a[3] = 1.0;
                LAPackDouble::LUsolve(c.opt, 2, 1, a, 2, piv, b, 2, pm);
                LAPackComplex::LUsolve(c.opt, 2, 1, z, 2, piv, w, 2, pm);
            }
        });
        EXPECT_EQ(code, c.code) << c.what;
    }
    EXPECT_EQ(RaisedCode([&] { BlasDouble::SymMVVmultAdd(0xc, 2, 1.0, a, 2, b, 1, 0.0, b, 1); }),
              nmIllegalOptions);
    EXPECT_EQ(RaisedCode([&] { BlasDouble::SymVVMmultAdd(0x2, 2, 1.0, a, 1, b, 1, b, 2); }),
              nmIllegalOptions);
    EXPECT_EQ(
        RaisedCode([&] { BlasComplex::MMMmultAdd(0x2c, 2, 2, 2, 1.0, z, 2, z, 2, 0.0, w, 2, pm); }),
        nmIllegalOptions);
    EXPECT_EQ(
        RaisedCode([&] { BlasComplex::MMMmultAdd(0x24, 2, 2, 2, 1.0, z, 2, z, 2, 0.0, w, 2, pm); }),
        0);
}

TEST(KernelChecks, ArgumentChecksComeAfterTheOptionWord)
{
    double a[4] = {1, 0, 0, 1}, x[4] = {0};
    long piv[2];
    // An empty problem still needs a leading dimension of at least 1.
    EXPECT_EQ(RaisedCode([&] { BlasDouble::MVVmultAdd(0x1, 0, 0, 1.0, a, 0, x, 1, 0.0, x, 1); }),
              nmIllegalParameter);
    EXPECT_EQ(RaisedCode([&] { BlasDouble::MVVmultAdd(0x1, 2, 2, 1.0, a, 2, x, 0, 0.0, x, 1); }),
              nmIllegalParameter);
    EXPECT_EQ(RaisedCode([&] { BlasDouble::MVVmultAdd(0x0, 0, 0, 1.0, a, 0, x, 0, 0.0, x, 1); }),
              nmIllegalOptions);
    EXPECT_EQ(
        RaisedCode([&] { BlasDouble::MMMmultAdd(0x9, 2, 2, -1, 1.0, a, 2, a, 2, 0.0, x, 2, pm); }),
        nmIllegalParameter);
    EXPECT_EQ(
        RaisedCode([&] { BlasDouble::MMMmultAdd(0x12, 2, 2, 3, 1.0, a, 2, a, 2, 0.0, x, 2, pm); }),
        nmIllegalParameter);
    EXPECT_EQ(RaisedCode([&] { BlasDouble::TriMMsolve(0x116, 2, 3, 1.0, a, 2, x, 2, pm); }),
              nmIllegalParameter);
    EXPECT_EQ(RaisedCode([&] { BlasDouble::VVMmultAdd1(2, 2, 1.0, x, 1, x, 1, a, 1); }),
              nmIllegalParameter);
    EXPECT_EQ(RaisedCode([&] { BlasDouble::SymVVMmultAdd(0x4, -1, 1.0, x, 1, x, 1, a, 2); }),
              nmIllegalParameter);
    EXPECT_EQ(RaisedCode([&] { BlasDouble::TriMVmult(0x45, 2, a, 2, x, 0); }), nmIllegalParameter);
    EXPECT_EQ(RaisedCode([&] { LAPackDouble::LUfactor(2, 2, a, 1, piv, pm); }), nmIllegalParameter);
    EXPECT_EQ(RaisedCode([&] { LAPackDouble::LUfactor2(-1, 2, a, 1, piv, pm); }),
              nmIllegalParameter);
    EXPECT_EQ(RaisedCode([&] { LAPackDouble::MVsolve(2, 1, a, 2, piv, x, 1, pm); }),
              nmIllegalParameter);
    EXPECT_EQ(RaisedCode([&] { LAPackDouble::LUsolve(0x10, 2, -1, a, 2, piv, x, 2, pm); }),
              nmIllegalParameter);
}

TEST(KernelChecks, FrontEndShapesAreCheckedFirst)
{
    UMatrix<double> A = Filled(2, 3, 1.0), B = Filled(3, 2, 1.0), C(2, 3, -1);
    UVector<double> v2(2, 1), v3(3, 1), v4(4, 1);
    // A wrong C is refused before the malformed option word is looked at.
    EXPECT_EQ(RaisedCode([&] { BlasDouble::MMMmultAdd(0x3, 1.0, A, B, 0.0, C, pm); }),
              umIncompatibleDimensions);
    EXPECT_EQ(RaisedCode([&] { BlasDouble::MVVmultAdd(0x1, 1.0, A, v2, 0.0, v2); }),
              umIncompatibleDimensions);
    EXPECT_EQ(RaisedCode([&] { BlasDouble::MVVmultAdd(0x2, 1.0, A, v2, 0.0, v3); }), 0);
    EXPECT_EQ(RaisedCode([&] { BlasDouble::VVmult(v3, v4); }), umIncompatibleDimensions);
    EXPECT_EQ(RaisedCode([&] { BlasDouble::VVadd(1.0, v3, v4); }), umIncompatibleDimensions);
    EXPECT_EQ(RaisedCode([&] { BlasDouble::VVMmultAdd1(1.0, v3, v2, A); }),
              umIncompatibleDimensions);
    EXPECT_EQ(RaisedCode([&] { BlasDouble::TriMVmult(0x45, A, v2); }), umIncompatibleDimensions);
    EXPECT_EQ(RaisedCode([&] { BlasDouble::TriMMsolve(0x115, A, 1.0, v2, pm); }), umNotSquare);
    EXPECT_EQ(RaisedCode([&] { BlasDouble::TriMMmult(0x115, 1.0, A, B, pm); }),
              umIncompatibleDimensions);
    EXPECT_EQ(RaisedCode([&] { LAPackDouble::MVsolve(A, v2, pm); }), umNotSquare);

    UMatrix<double> S = Filled(3, 3, 1.0);
    UVector<double> strided(3, 2);
    EXPECT_EQ(RaisedCode([&] { BlasDouble::TriMMsolve(0x115, S, 1.0, v2, pm); }),
              umIncompatibleDimensions);
    EXPECT_EQ(RaisedCode([&] { BlasDouble::TriMMsolve(0x115, S, 1.0, strided, pm); }),
              nmIncrementNotOne);
    EXPECT_EQ(RaisedCode([&] { BlasDouble::TriMMsolve(0x116, S, 1.0, v3, pm); }),
              umIncompatibleDimensions);  // right side: 1 x 1 A
    EXPECT_EQ(RaisedCode([&] { LAPackDouble::MVsolve(S, v2, pm); }), umIncompatibleDimensions);
    EXPECT_EQ(RaisedCode([&] { LAPackDouble::MVsolve(S, A, pm); }), umIncompatibleDimensions);

    // A strided right-hand side would be read and written past its view.
    UVector<double> rhs(3, 2);
    for (long i = 0; i < 3; ++i) rhs[i] = 1.0;
    EXPECT_EQ(RaisedCode([&] { LAPackDouble::MVsolve(S, rhs, pm); }), nmIncrementNotOne);
    UMatrix<cplx> Z(3, 3, -1);
    UVector<cplx> zr(3, 2);
    EXPECT_EQ(RaisedCode([&] { LAPackComplex::MVsolve(Z, zr, pm); }), nmIncrementNotOne);

    // A matrix without rows has spacing 0, which no leading-dimension check accepts.
    UMatrix<double> noRows(0, 2, -1), C02(0, 2, -1);
    EXPECT_EQ(RaisedCode([&] {
                  BlasDouble::MMMmultAdd(0x9, 1.0, noRows, Filled(2, 2, 1.0), 0.0, C02, pm);
              }),
              nmIllegalParameter);
    UMatrix<cplx> ZA(2, 3, -1), ZB(2, 2, -1), ZC(3, 3, -1);
    EXPECT_EQ(
        RaisedCode([&] { BlasComplex::MMMmultAdd(0x9, cplx(1, 0), ZA, ZB, cplx(0, 0), ZC, pm); }),
        umIncompatibleDimensions);
    EXPECT_EQ(RaisedCode([&] { BlasComplex::TriMMsolve(0x115, ZA, cplx(1, 0), ZB, pm); }),
              umNotSquare);
    EXPECT_EQ(RaisedCode([&] { BlasComplex::TriMMsolve(0x116, ZC, cplx(1, 0), ZB, pm); }),
              umIncompatibleDimensions);

    // An empty system through the vector front-end has leading dimension 0.
    UMatrix<double> E(0, 0, -1);
    UVector<double> e(0, 1);
    EXPECT_EQ(RaisedCode([&] { LAPackDouble::MVsolve(E, e, pm); }), nmIllegalParameter);
}

TEST(KernelChecks, QuickReturnsTouchNothing)
{
    double const nan = std::nan("");
    double a[4] = {nan, nan, nan, nan}, c[4] = {nan, nan, nan, nan}, y[2] = {nan, nan};
    // alpha = 0 and beta = 1: C and y stay as they are, A is not read.
    BlasDouble::MMMmultAdd(0x9, 2, 2, 2, 0.0, a, 2, a, 2, 1.0, c, 2, pm);
    BlasDouble::MVVmultAdd(0x1, 2, 2, 0.0, a, 2, a, 1, 1.0, y, 1);
    for (double v : c) EXPECT_TRUE(std::isnan(v));
    // alpha = 0 in a triangular solve zeroes B without reading A.
    BlasDouble::TriMMsolve(0x115, 2, 2, 0.0, a, 2, c, 2, pm);
    for (double v : c) EXPECT_EQ(v, 0.0);
    // VVadd with a = 0 leaves y alone even when x holds NaN.
    double yy[2] = {1.0, 2.0};
    BlasDouble::VVadd(2, 0.0, a, 1, yy, 1);
    EXPECT_EQ(yy[0], 1.0);
    // beta = 0 replaces y without reading it.
    double full[4] = {1.0, 2.0, 3.0, 4.0}, x2[2] = {1.0, 1.0};
    BlasDouble::MVVmultAdd(0x1, 2, 2, 1.0, full, 2, x2, 1, 0.0, y, 1);
    EXPECT_EQ(y[0], 4.0);
    EXPECT_EQ(y[1], 6.0);
    // k = 0 with beta = 0 clears C.
    double c2[4] = {nan, nan, nan, nan};
    BlasDouble::MMMmultAdd(0x9, 2, 2, 0, 1.0, a, 2, a, 1, 0.0, c2, 2, pm);
    for (double v : c2) EXPECT_EQ(v, 0.0);
}

TEST(KernelChecks, FrontEndResults)
{
    UVector<double> v(3, 1), w(3, 1);
    for (long i = 0; i < 3; ++i) v[i] = i + 1.0, w[i] = i + 4.0;
    // Increments 1 and -1 pair the first element with the last.
    EXPECT_EQ(BlasDouble::VVmult(3, v.GetConstData(), 1, w.GetConstData(), -1), 28.0);
    UVector<double> m(3, 1);
    m[0] = 1, m[1] = -3, m[2] = 3;
    EXPECT_EQ(BlasDouble::VgetMax(m), 1);
    UVector<double> strided(3, 2);
    strided[0] = 1, strided[1] = -3, strided[2] = 3;
    EXPECT_EQ(BlasDouble::VgetMax(strided), 1);
    UVector<double> empty(0, 1);
    EXPECT_EQ(BlasDouble::VgetMax(empty), -1);
    UVector<cplx> z(3, 1);
    z[0] = cplx(1, 1), z[1] = cplx(0, -2), z[2] = cplx(1.5, 0);
    EXPECT_EQ(BlasComplex::VgetMax(z), 0);
    UVector<double> big(2, 1);
    big[0] = 1e200, big[1] = 1e200;
    EXPECT_DOUBLE_EQ(BlasDouble::VgetNorm(big), std::sqrt(2.0) * 1e200);

    // The mixed complex products take the real operands first; the result does not depend on it.
    UVector<cplx> zc(3, 1);
    for (long i = 0; i < 3; ++i) zc[i] = cplx(i, 1.0);
    cplx const r = BlasComplex::VVVmult(zc, v, w);
    EXPECT_EQ(BlasComplex::VVVmult(v, zc, w), r);
    EXPECT_EQ(BlasComplex::VVVmult(v, w, zc), r);
    EXPECT_EQ(BlasComplex::VVmult(zc, v), BlasComplex::VVmult(v, zc));

    // Aᵀ·Bᵀ with A 3 x 2 and B 2 x 3; C for A means T on real data.
    UMatrix<double> A = Filled(3, 2, 1.0), B = Filled(2, 3, 2.0), C1(2, 2, -1), C2(2, 2, -1);
    BlasDouble::MMMmultAdd(0x12, 1.0, A, B, 0.0, C1, pm);
    for (long i = 0; i < 2; ++i)
        for (long j = 0; j < 2; ++j) {
            double s = 0.0;
            for (long l = 0; l < 3; ++l) s += A(l, i) * B(j, l);
            EXPECT_EQ(C1(i, j), s);
        }
    BlasDouble::MMMmultAdd(0x14, 1.0, A, B, 0.0, C2, pm);
    for (long i = 0; i < 2; ++i)
        for (long j = 0; j < 2; ++j) EXPECT_EQ(C1(i, j), C2(i, j));

    // Complex Aᴴ·B differs from Aᵀ·B exactly by the conjugation of A.
    UMatrix<cplx> ZA(2, 2, -1), ZB(2, 2, -1), ZH(2, 2, -1), ZT(2, 2, -1), ZC(2, 2, -1);
    for (long i = 0; i < 2; ++i)
        for (long j = 0; j < 2; ++j)
            ZA(i, j) = cplx(i + 1, j - 1), ZB(i, j) = cplx(j, i + 2),
                  ZC(i, j) = std::conj(ZA(i, j));
    BlasComplex::MMMmultAdd(0xc, cplx(1, 0), ZA, ZB, cplx(0, 0), ZH, pm);
    BlasComplex::MMMmultAdd(0xa, cplx(1, 0), ZC, ZB, cplx(0, 0), ZT, pm);
    for (long i = 0; i < 2; ++i)
        for (long j = 0; j < 2; ++j) EXPECT_EQ(ZH(i, j), ZT(i, j));
}

TEST(KernelChecks, BackwardViewsKeepTheirElementOrder)
{
    // A view with increment -1 runs from its first element downwards in memory; the kernels see
    // element i of the view as their element i and stay inside its storage.
    double store[3] = {4.0, 5.0, 6.0};
    UVector<double> back(store + 2, 3, -1), fwd(3, 1);
    for (long i = 0; i < 3; ++i) fwd[i] = i + 1.0;
    EXPECT_EQ(BlasDouble::VVmult(fwd, back), 1.0 * 6.0 + 2.0 * 5.0 + 3.0 * 4.0);
    BlasDouble::VVadd(1.0, fwd, back);
    EXPECT_EQ(store[2], 7.0);
    EXPECT_EQ(store[0], 7.0);
    UMatrix<double> A = Filled(3, 3, 1.0);
    UVector<double> y(3, 1);
    BlasDouble::MVVmultAdd(0x1, 1.0, A, back, 0.0, y);
    for (long i = 0; i < 3; ++i) {
        double s = 0.0;
        for (long j = 0; j < 3; ++j) s += A(i, j) * back[j];
        EXPECT_EQ(y[i], s);
    }
}

TEST(KernelChecks, ZeroMultipliersAreSkipped)
{
    // A column of A that meets a zero of B is never read: its NaN does not reach C.
    double const nan = std::nan("");
    double a[4] = {1.0, 2.0, nan, nan}, b[4] = {3.0, 0.0, 4.0, 0.0}, c[4];
    BlasDouble::MMMmultAdd(0x9, 2, 2, 2, 1.0, a, 2, b, 2, 0.0, c, 2, pm);
    EXPECT_EQ(c[0], 3.0);
    EXPECT_EQ(c[3], 8.0);
    double y[2], x0[2] = {2.0, 0.0};
    BlasDouble::MVVmultAdd(0x1, 2, 2, 1.0, a, 2, x0, 1, 0.0, y, 1);
    EXPECT_EQ(y[0], 2.0);
    EXPECT_EQ(y[1], 4.0);
}

namespace {

struct Raise {
    int code;
    std::string source;  // the file named in the text
};

Raise RaisedWhere(std::function<void()> const& body)
{
    RegisterNumerMessages();
    try {
        body();
    } catch (CustomException const& e) {
        std::string const text = e.Text, key = "Error in file ";
        size_t const from = text.find(key);
        if (from == std::string::npos) return {e.Code, "?"};
        size_t const start = from + key.size();
        return {e.Code, text.substr(start, text.find(" line", start) - start)};
    }
    return {0, ""};
}

}  // namespace

TEST(KernelChecks, EachCallFailsAtItsFirstCheckInTheSourceThatMadeIt)
{
    // Every call breaks several checks at once; only the first in order may answer: the front-end's
    // 21004, 21003 and 23004, then the raw form's option word (23002), then its arguments (23001).
    UMatrix<double> rect = Filled(2, 3, 1.0), sq = Filled(3, 3, 1.0), empty(0, 0, -1),
                    noRows(0, 3, -1);
    UVector<double> v2(2, 1), v3(3, 1), s2(2, 2), s3(3, 2), e0(0, 1);
    UMatrix<cplx> zrect(2, 3, -1), zsq(3, 3, -1), zempty(0, 0, -1);
    UVector<cplx> z2(2, 2), z3(3, 1), zs3(3, 2), ze0(0, 1);
    double a[9] = {0}, b[9] = {0};
    cplx za[9], zb[9];
    long piv[3] = {1, 2, 3};
    short const bad = 0x3;  // two bits in the first group of every option word below
    short const badTri = 0x1 | 0xc | 0x10 | 0x100;  // left side, but both triangles

    struct Case {
        char const* what;
        std::function<void()> call;
        int code;
        char const* source;
    };
    Case const cases[] = {
        // Front-ends: square before shape before increment, all before the option word.
        {"dtrsm vector, not square", [&] { BlasDouble::TriMMsolve(bad, rect, 1.0, s3, pm); },
         umNotSquare, "dtrsm"},
        {"dtrsm vector, wrong length",
         [&] { BlasDouble::TriMMsolve(short(0x3 | 0x4), sq, 1.0, s2, pm); },
         umIncompatibleDimensions, "dtrsm"},
        {"dtrsm vector, strided", [&] { BlasDouble::TriMMsolve(badTri, sq, 1.0, s3, pm); },
         nmIncrementNotOne, "dtrsm"},
        {"dtrsm vector, option", [&] { BlasDouble::TriMMsolve(badTri, empty, 1.0, e0, pm); },
         nmIllegalOptions, "dtrsm"},
        {"dtrsm vector, empty", [&] { BlasDouble::TriMMsolve(0x115, empty, 1.0, e0, pm); },
         nmIllegalParameter, "dtrsm"},
        {"dtrsm matrix, not square", [&] { BlasDouble::TriMMsolve(bad, rect, 1.0, rect, pm); },
         umNotSquare, "dtrsm"},
        {"dtrsm matrix, left side", [&] { BlasDouble::TriMMsolve(badTri, sq, 1.0, rect, pm); },
         umIncompatibleDimensions, "dtrsm"},
        {"ztrsm vector, not square", [&] { BlasComplex::TriMMsolve(bad, zrect, 1.0, zs3, pm); },
         umNotSquare, "ztrsm"},
        {"ztrsm vector, wrong length", [&] { BlasComplex::TriMMsolve(0x1, zsq, 1.0, z2, pm); },
         umIncompatibleDimensions, "ztrsm"},
        {"ztrsm vector, strided", [&] { BlasComplex::TriMMsolve(badTri, zsq, 1.0, zs3, pm); },
         nmIncrementNotOne, "ztrsm"},
        {"ztrsm vector, option", [&] { BlasComplex::TriMMsolve(badTri, zempty, 1.0, ze0, pm); },
         nmIllegalOptions, "ztrsm"},
        {"dgesv vector, not square", [&] { LAPackDouble::MVsolve(rect, s3, pm); }, umNotSquare,
         "dgesv"},
        {"dgesv vector, wrong length", [&] { LAPackDouble::MVsolve(sq, s2, pm); },
         umIncompatibleDimensions, "dgesv"},
        {"dgesv vector, strided", [&] { LAPackDouble::MVsolve(sq, s3, pm); }, nmIncrementNotOne,
         "dgesv"},
        {"dgesv vector, empty", [&] { LAPackDouble::MVsolve(empty, e0, pm); }, nmIllegalParameter,
         "dgesv"},
        {"dgesv matrix, not square", [&] { LAPackDouble::MVsolve(rect, rect, pm); }, umNotSquare,
         "dgesv"},
        {"dgesv matrix, rows", [&] { LAPackDouble::MVsolve(sq, rect, pm); },
         umIncompatibleDimensions, "dgesv"},
        {"zgesv vector, not square", [&] { LAPackComplex::MVsolve(zrect, zs3, pm); }, umNotSquare,
         "zgesv"},
        {"zgesv vector, wrong length", [&] { LAPackComplex::MVsolve(zsq, z2, pm); },
         umIncompatibleDimensions, "zgesv"},
        {"zgesv vector, strided", [&] { LAPackComplex::MVsolve(zsq, zs3, pm); }, nmIncrementNotOne,
         "zgesv"},
        {"zgesv vector, empty", [&] { LAPackComplex::MVsolve(zempty, ze0, pm); },
         nmIllegalParameter, "zgesv"},
        {"zgesv matrix, rows", [&] { LAPackComplex::MVsolve(zsq, zrect, pm); },
         umIncompatibleDimensions, "zgesv"},
        {"dgemm, shape", [&] { BlasDouble::MMMmultAdd(bad, 1.0, rect, rect, 0.0, sq, pm); },
         umIncompatibleDimensions, "dgemm"},
        {"dgemm, option", [&] { BlasDouble::MMMmultAdd(0x3, 1.0, noRows, sq, 0.0, noRows, pm); },
         nmIllegalOptions, "dgemm"},
        {"zgemm, shape", [&] { BlasComplex::MMMmultAdd(bad, 1.0, zrect, zrect, 0.0, zsq, pm); },
         umIncompatibleDimensions, "zgemm"},
        {"dgemv, shape", [&] { BlasDouble::MVVmultAdd(bad, 1.0, rect, v2, 0.0, v3); },
         umIncompatibleDimensions, "dgemv"},
        {"dgemv, option", [&] { BlasDouble::MVVmultAdd(0x0, 1.0, noRows, e0, 0.0, v3); },
         nmIllegalOptions, "dgemv"},
        {"dtrmv, shape", [&] { BlasDouble::TriMVmult(bad, rect, v3); }, umIncompatibleDimensions,
         "dtrmv"},
        {"dtrmv, option", [&] { BlasDouble::TriMVmult(bad, empty, e0); }, nmIllegalOptions,
         "dtrmv"},
        {"dtrmm, shape", [&] { BlasDouble::TriMMmult(bad, 1.0, sq, rect, pm); },
         umIncompatibleDimensions, "dtrmm"},
        {"dtrmm, option", [&] { BlasDouble::TriMMmult(bad, 1.0, empty, empty, pm); },
         nmIllegalOptions, "dtrmm"},
        {"daxpy, shape", [&] { BlasDouble::VVadd(1.0, v2, v3); }, umIncompatibleDimensions,
         "daxpy"},
        {"ddot, shape", [&] { BlasDouble::VVVmult(v3, v3, v2); }, umIncompatibleDimensions, "ddot"},
        {"drot, shape", [&] { BlasDouble::Vrotate(0.6, 0.8, v2, v3); }, umIncompatibleDimensions,
         "drot"},
        {"dger, shape", [&] { BlasDouble::VVMmultAdd1(1.0, v3, v3, rect); },
         umIncompatibleDimensions, "dger"},
        {"dger, argument", [&] { BlasDouble::VVMmultAdd1(1.0, e0, v3, noRows); },
         nmIllegalParameter, "dger"},
        {"zdotu, shape", [&] { BlasComplex::VVVmult(z3, v3, z2); }, umIncompatibleDimensions,
         "zdotu"},
        {"zgeru, shape", [&] { BlasComplex::VVMmultAdd1(1.0, z3, z3, zrect); },
         umIncompatibleDimensions, "zgeru"},
        // Raw forms: the option word before any argument.
        {"dgemm raw",
         [&] { BlasDouble::MMMmultAdd(bad, -1, 2, 2, 1.0, a, 0, b, 0, 0.0, b, 0, pm); },
         nmIllegalOptions, "dgemm"},
        {"zgemm raw",
         [&] { BlasComplex::MMMmultAdd(bad, -1, 2, 2, 1.0, za, 0, zb, 0, 0.0, zb, 0, pm); },
         nmIllegalOptions, "zgemm"},
        {"dgemv raw", [&] { BlasDouble::MVVmultAdd(bad, -1, 2, 1.0, a, 0, b, 0, 0.0, b, 0); },
         nmIllegalOptions, "dgemv"},
        {"dsymv raw", [&] { BlasDouble::SymMVVmultAdd(bad, -1, 1.0, a, 0, b, 0, 0.0, b, 0); },
         nmIllegalOptions, "dsymv"},
        {"dsymv argument", [&] { BlasDouble::SymMVVmultAdd(0x4, 2, 1.0, a, 2, b, 1, 0.0, b, 0); },
         nmIllegalParameter, "dsymv"},
        {"dsyr2 raw", [&] { BlasDouble::SymVVMmultAdd(bad, -1, 1.0, a, 0, b, 0, b, 0); },
         nmIllegalOptions, "dsyr2"},
        {"dsyr2 argument", [&] { BlasDouble::SymVVMmultAdd(0x8, 3, 1.0, a, 1, b, 1, b, 2); },
         nmIllegalParameter, "dsyr2"},
        {"dtrmv raw", [&] { BlasDouble::TriMVmult(bad, -1, a, 0, b, 0); }, nmIllegalOptions,
         "dtrmv"},
        {"dtrsm raw", [&] { BlasDouble::TriMMsolve(bad, -1, 2, 1.0, a, 0, b, 0, pm); },
         nmIllegalOptions, "dtrsm"},
        {"dtrsm argument", [&] { BlasDouble::TriMMsolve(0x116, 2, 3, 1.0, a, 2, b, 2, pm); },
         nmIllegalParameter, "dtrsm"},
        {"ztrsm raw", [&] { BlasComplex::TriMMsolve(bad, -1, 2, 1.0, za, 0, zb, 0, pm); },
         nmIllegalOptions, "ztrsm"},
        {"ztrsm argument", [&] { BlasComplex::TriMMsolve(0x115, 3, 1, 1.0, za, 2, zb, 3, pm); },
         nmIllegalParameter, "ztrsm"},
        {"dtrmm raw", [&] { BlasDouble::TriMMmult(bad, -1, 2, 1.0, a, 0, b, 0, pm); },
         nmIllegalOptions, "dtrmm"},
        {"dtrmm argument", [&] { BlasDouble::TriMMmult(0x115, 2, 2, 1.0, a, 2, b, 1, pm); },
         nmIllegalParameter, "dtrmm"},
        {"dsyr2k raw",
         [&] { BlasDouble::SymMMMmultAdd(0x40 | 0x14, -1, 2, 1.0, a, 0, b, 0, 0.0, b, 0, pm); },
         nmIllegalOptions, "dsyr2k"},
        {"dsyr2k argument",
         [&] { BlasDouble::SymMMMmultAdd(0x24, 3, 2, 1.0, a, 1, b, 2, 0.0, b, 3, pm); },
         nmIllegalParameter, "dsyr2k"},
        {"dgetrs raw", [&] { LAPackDouble::LUsolve(0x30, -1, 1, a, 0, piv, b, 0, pm); },
         nmIllegalOptions, "dgetrs"},
        {"dgetrs argument", [&] { LAPackDouble::LUsolve(0x20, 3, 1, a, 3, piv, b, 2, pm); },
         nmIllegalParameter, "dgetrs"},
        {"zgetrs raw", [&] { LAPackComplex::LUsolve(0, -1, 1, za, 0, piv, zb, 0, pm); },
         nmIllegalOptions, "zgetrs"},
        {"zgetrs argument", [&] { LAPackComplex::LUsolve(0x40, 3, -1, za, 3, piv, zb, 3, pm); },
         nmIllegalParameter, "zgetrs"},
        {"dgesv raw", [&] { LAPackDouble::MVsolve(3, 1, a, 2, nullptr, b, 3, pm); },
         nmIllegalParameter, "dgesv"},
        {"zgesv raw", [&] { LAPackComplex::MVsolve(3, 1, za, 3, nullptr, zb, 2, pm); },
         nmIllegalParameter, "zgesv"},
        {"dgetrf raw", [&] { LAPackDouble::LUfactor(3, -1, a, 3, piv, pm); }, nmIllegalParameter,
         "dgetrf"},
        {"zgetrf raw", [&] { LAPackComplex::LUfactor(3, 3, za, 2, piv, pm); }, nmIllegalParameter,
         "zgetrf"},
        {"dgetf2 raw", [&] { LAPackDouble::LUfactor2(-1, 3, a, 3, piv, pm); }, nmIllegalParameter,
         "dgetf2"},
        {"zgetf2 raw", [&] { LAPackComplex::LUfactor2(3, 3, za, 2, piv, pm); }, nmIllegalParameter,
         "zgetf2"},
        {"zgetf2 singular", [&] { LAPackComplex::LUfactor2(2, 2, za, 2, piv, pm); },
         nmSingularMatrix, "zgetf2"},
        {"dgetf2 singular", [&] { LAPackDouble::LUfactor2(2, 2, a, 2, piv, pm); }, nmSingularMatrix,
         "dgetf2"},
    };
    for (Case const& c : cases) {
        Raise const r = RaisedWhere(c.call);
        EXPECT_EQ(r.code, c.code) << c.what;
        EXPECT_EQ(r.source, c.source) << c.what;
    }
}
