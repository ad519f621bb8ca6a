// Mscale against the reference DLASCL (unchanged after 2.0 for finite factors), its check order
// and codes, and its end for factors that are not finite.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "numeric/LAPackDouble.h"
#include "numeric/UStrNumer.h"
#include "tests/numeric/Deadline.h"
#include "tests/numeric/NumerTestSupport.h"
#include "tests/numeric/OracleSupport.h"
#include "tests/numeric/RefLapackAux.h"
#include "utilities/UMatVec.h"

using namespace oracle;

namespace {

Blas::LaPackMatTypeOptions TypeOf(long bits)
{
    return static_cast<Blas::LaPackMatTypeOptions>(bits);
}

struct Kind {
    Blas::LaPackMatTypeOptions type;
    char letter;
};
Kind const kinds[] = {{Blas::LaMatGeneral, 'G'},      {Blas::LaMatLower, 'L'},
                      {Blas::LaMatUpper, 'U'},        {Blas::LaMatHessenberg, 'H'},
                      {Blas::LaMatSymBandLower, 'B'}, {Blas::LaMatSymBandUpper, 'Q'},
                      {Blas::LaMatBand, 'Z'}};

// A shape that the type accepts, with the band widths and a leading dimension above the least.
struct Case {
    long m, n, kl, ku, lda;
};

std::vector<Case> CasesFor(Blas::LaPackMatTypeOptions type)
{
    if (type <= Blas::LaMatHessenberg)
        return {{1, 1, 0, 0, 1}, {4, 6, 0, 0, 5}, {6, 4, 0, 0, 8}, {7, 7, 0, 0, 7}};
    if (type == Blas::LaMatSymBandLower) return {{1, 1, 0, 0, 1}, {6, 6, 2, 2, 4}, {5, 5, 4, 4, 5}};
    if (type == Blas::LaMatSymBandUpper) return {{1, 1, 0, 0, 2}, {6, 6, 2, 2, 3}, {5, 5, 0, 0, 1}};
    return {{1, 1, 0, 0, 1}, {6, 4, 2, 1, 6}, {4, 6, 1, 3, 7}, {7, 7, 6, 6, 19}};
}

struct Factor {
    double cfrom, cto;
};
// Ordinary quotients, and quotients that take several safe steps either way.
Factor const factors[] = {{3.0, -2.0},     {1.0, 0.0},      {-7.0, 1e-3},
                          {1e-300, 1e300}, {1e300, 1e-300}, {1e-310, 1e200},
                          {5e-324, 1.0},   {1.0, 5e-324},   {1e308, 1e-308}};

}  // namespace

TEST(AuxScale, EqualsReferenceForEveryTypeAndFactor)
{
    for (Kind const& kind : kinds)
        for (Case const& c : CasesFor(kind.type))
            for (Factor const& f : factors) {
                SCOPED_TRACE(testing::Message() << kind.letter << " m " << c.m << " n " << c.n
                                                << " kl " << c.kl << " ku " << c.ku << " lda "
                                                << c.lda << " " << f.cfrom << " -> " << f.cto);
                std::vector<double> ours = PaddedMatrix<double>(c.lda, c.n, c.lda);
                std::vector<double> ref = ours;
                LAPackDouble::Mscale(kind.type, c.kl, c.ku, f.cfrom, f.cto, c.m, c.n, ours.data(),
                                     c.lda);
                int kl = int(c.kl), ku = int(c.ku), m = int(c.m), n = int(c.n), lda = int(c.lda),
                    info = -1;
                dlascl_(&kind.letter, &kl, &ku, &f.cfrom, &f.cto, &m, &n, ref.data(), &lda, &info,
                        1);
                ASSERT_EQ(info, 0);
                EXPECT_EQ(std::memcmp(ours.data(), ref.data(), ours.size() * sizeof(double)), 0);
            }
}

TEST(AuxScale, FrontEndsScaleSafely)
{
    UMatrix<double> A(2, 3, 4);
    for (long j = 0; j < 3; ++j)
        for (long i = 0; i < 2; ++i) A(i, j) = 1.0 + i - 2.0 * j;
    LAPackDouble::Mscale(A, 2.0);
    for (long j = 0; j < 3; ++j)
        for (long i = 0; i < 2; ++i) EXPECT_EQ(A(i, j), 2.0 * (1.0 + i - 2.0 * j));

    // 1e300/1e-300 overflows; two passes reach 1e290 without an infinite step.
    UMatrix<double> tiny(1, 1, -1);
    tiny(0, 0) = 1e-310;
    LAPackDouble::Mscale(Blas::LaMatGeneral, 1e-300, 1e300, tiny, 0, 0);
    EXPECT_NEAR(tiny(0, 0), 1e290, 1e290 * 1e-13);

    // The front-end takes the band widths last and hands them on first.
    UMatrix<double> band(3, 3, 2);
    for (long j = 0; j < 3; ++j)
        for (long i = 0; i < 2; ++i) band(i, j) = 1.0;
    LAPackDouble::Mscale(Blas::LaMatSymBandLower, 1.0, 3.0, band, 1, 1);
    EXPECT_EQ(band(0, 0), 3.0);
    EXPECT_EQ(band(1, 1), 3.0);
    EXPECT_EQ(band(1, 2), 1.0) << "outside the band of the last column";
}

TEST(AuxScale, ChecksComeInTheirOrderAndWriteNothing)
{
    RegisterNumerMessages();
    struct Bad {
        char const* what;
        long type, kl, ku;
        double cfrom, cto;
        long m, n, lda;
        int code;
    } const cases[] = {
        {"unknown type before all else", 0x3, -1, -1, 0.0, 1.0, -1, -1, 0, nmIllegalOptions},
        {"type 0", 0x0, 0, 0, 1.0, 1.0, 2, 2, 2, nmIllegalOptions},
        {"type 0x80", 0x80, 0, 0, 1.0, 1.0, 2, 2, 2, nmIllegalOptions},
        {"zero divisor before dimensions", Blas::LaMatGeneral, 0, 0, 0.0, 1.0, -1, 2, 0,
         nmZeroDenominator},
        {"negative m", Blas::LaMatGeneral, 0, 0, 1.0, 1.0, -1, 2, 1, nmIllegalParameter},
        {"negative n", Blas::LaMatSymBandLower, 0, 0, 1.0, 1.0, 2, -1, 1, nmIllegalParameter},
        {"lda below m", Blas::LaMatLower, 0, 0, 1.0, 1.0, 3, 2, 2, nmIllegalParameter},
        {"lda 0 for no rows", Blas::LaMatHessenberg, 0, 0, 1.0, 1.0, 0, 2, 0, nmIllegalParameter},
        {"symmetric band not square", Blas::LaMatSymBandUpper, 0, 0, 1.0, 1.0, 3, 2, 5,
         nmIllegalBandMatrix},
        {"kl negative", Blas::LaMatBand, -1, 0, 1.0, 1.0, 3, 3, 5, nmIllegalBandMatrix},
        {"kl above m-1", Blas::LaMatBand, 3, 0, 1.0, 1.0, 3, 3, 9, nmIllegalBandMatrix},
        {"ku above n-1", Blas::LaMatBand, 0, 3, 1.0, 1.0, 3, 3, 9, nmIllegalBandMatrix},
        {"ku negative", Blas::LaMatBand, 0, -1, 1.0, 1.0, 3, 3, 9, nmIllegalBandMatrix},
        {"symmetric widths differ", Blas::LaMatSymBandLower, 1, 0, 1.0, 1.0, 3, 3, 5,
         nmIllegalBandMatrix},
        {"widths before band lda", Blas::LaMatSymBandUpper, 1, 2, 1.0, 1.0, 3, 3, 1,
         nmIllegalBandMatrix},
        {"lower band lda", Blas::LaMatSymBandLower, 1, 1, 1.0, 1.0, 3, 3, 1, nmIllegalParameter},
        {"upper band lda", Blas::LaMatSymBandUpper, 2, 2, 1.0, 1.0, 3, 3, 2, nmIllegalParameter},
        {"general band lda", Blas::LaMatBand, 1, 1, 1.0, 1.0, 3, 3, 3, nmIllegalParameter},
        {"band lda for no rows", Blas::LaMatBand, 0, 0, 1.0, 1.0, 0, 0, 0, nmIllegalParameter},
    };
    for (Bad const& c : cases) {
        std::vector<double> a(40, 5.0);
        EXPECT_EQ(RaisedCode([&] {
                      LAPackDouble::Mscale(TypeOf(c.type), c.kl, c.ku, c.cfrom, c.cto, c.m, c.n,
                                           a.data(), c.lda);
                  }),
                  c.code)
            << c.what;
        EXPECT_EQ(a, std::vector<double>(40, 5.0)) << c.what;
    }
    std::string text;
    RaisedCode([] { LAPackDouble::Mscale(Blas::LaMatGeneral, 0, 0, 0.0, 1.0, 1, 1, nullptr, 1); },
               &text);
    EXPECT_NE(text.find("Error in file dlascl line "), std::string::npos) << text;
}

TEST(AuxScale, EmptyMatricesAreLeftAlone)
{
    double a[3] = {1, 2, 3};
    for (Kind const& kind : kinds) {
        LAPackDouble::Mscale(kind.type, 0, 0, 1.0, 2.0, 0, 0, a, 1);
        if (kind.type != Blas::LaMatSymBandLower && kind.type != Blas::LaMatSymBandUpper)
            LAPackDouble::Mscale(kind.type, 0, 0, 1.0, 2.0, 1, 0, a, 1);
    }
    LAPackDouble::Mscale(Blas::LaMatGeneral, 0, 0, 1.0, 2.0, 0, 3, a, 1);
    EXPECT_EQ(a[0], 1.0);
    EXPECT_EQ(a[1], 2.0);
    EXPECT_EQ(a[2], 3.0);
    UMatrix<double> noColumns(3, 0, -1);
    LAPackDouble::Mscale(noColumns, 4.0);
    // A matrix without rows has a column space of 0; the front-end still leaves it alone.
    UMatrix<double> noRows(0, 3, -1);
    EXPECT_EQ(RaisedCode([&] { LAPackDouble::Mscale(noRows, 4.0); }), 0);
}

TEST(AuxScale, NonFiniteFactorsAreRefusedInsteadOfLoopingForEver)
{
    RegisterNumerMessages();
    double const inf = std::numeric_limits<double>::infinity();
    Factor const bad[] = {{inf, 1.0}, {-inf, 1.0}, {1.0, inf}, {1.0, -inf}, {inf, inf},
                          {NaN, 1.0}, {1.0, NaN},  {NaN, NaN}, {inf, 0.0},  {NaN, 0.0}};
    ChildResult const r = RunWithDeadline([&] {
        for (Factor const& f : bad) {
            double a[4] = {1, 2, 3, 4};
            int const code = RaisedCode([&] {
                LAPackDouble::Mscale(Blas::LaMatGeneral, 0, 0, f.cfrom, f.cto, 2, 2, a, 2);
            });
            bool const untouched = a[0] == 1 && a[1] == 2 && a[2] == 3 && a[3] == 4;
            std::printf("%d%s ", code, untouched ? "" : "!");
        }
    });
    EXPECT_EQ(r.exitStatus, 0) << "did not end in time";
    EXPECT_EQ(r.out, "23001 23001 23001 23001 23001 23001 23001 23001 23001 23001 ");
}
