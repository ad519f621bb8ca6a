// MgetNorm and SymMgetNorm against the reference DLANGE and DLANSY. The max-abs, one- and
// infinity-norms did not change after 2.0 and must agree to the bit; the Frobenius norms run
// through DLASSQ, which 3.10 rewrote, so they agree to rounding.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "numeric/LAPackDouble.h"
#include "numeric/UStrNumer.h"
#include "tests/numeric/NumerTestSupport.h"
#include "tests/numeric/OracleSupport.h"
#include "tests/numeric/RefLapackAux.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"

using namespace oracle;

namespace {

struct Norm {
    Blas::LaPackMatNormOptions bits;
    char letter;
};
Norm const norms[] = {{Blas::LaNormMaxAbs, 'M'},
                      {Blas::LaNormOne, 'O'},
                      {Blas::LaNormInf, 'I'},
                      {Blas::LaNormFrobenius, 'F'}};

Blas::LaPackMatNormOptions NormOf(long bits)
{
    return static_cast<Blas::LaPackMatNormOptions>(bits);
}

// Values over many magnitudes, so that the sums of squares need their scaling.
std::vector<double> WideRangeMatrix(long m, long n, long lda)
{
    std::vector<double> a = PaddedMatrix<double>(m, n, lda);
    for (long j = 0; j < n; ++j)
        for (long i = 0; i < m; ++i)
            a[i + j * lda] *= std::pow(10.0, double((i * 7 + j * 3) % 11) * 30.0 - 150.0);
    return a;
}

void ExpectSameNorm(char letter, double ours, double ref)
{
    if (letter == 'F')
        EXPECT_TRUE(Close(ours, ref, 4, 0.0)) << ours << " vs " << ref;
    else
        EXPECT_EQ(ours, ref);
}

// A symmetric n x n matrix held by one triangle; the other holds NaN, so reading it shows.
std::vector<double> OneTriangle(bool upper, long n, long lda)
{
    std::vector<double> a = PaddedMatrix<double>(n, n, lda);
    for (long j = 0; j < n; ++j)
        for (long i = 0; i < n; ++i)
            if (upper ? i > j : i < j) a[i + j * lda] = NaN;
    return a;
}

}  // namespace

TEST(AuxNorm, GeneralNormsEqualReference)
{
    struct Shape {
        long m, n;
    } const shapes[] = {{1, 1}, {1, 6}, {6, 1}, {5, 8}, {8, 5}, {40, 33}};
    for (Shape const& s : shapes)
        for (bool wide : {false, true})
            for (Norm const& norm : norms) {
                SCOPED_TRACE(testing::Message()
                             << norm.letter << " m " << s.m << " n " << s.n << " wide " << wide);
                long const lda = s.m + 2;
                std::vector<double> a =
                    wide ? WideRangeMatrix(s.m, s.n, lda) : PaddedMatrix<double>(s.m, s.n, lda);
                std::vector<double> work(s.m, NaN), refWork(s.m, NaN);
                double const ours =
                    LAPackDouble::MgetNorm(norm.bits, s.m, s.n, a.data(), lda, work.data());
                int m = int(s.m), n = int(s.n), ld = int(lda);
                ExpectSameNorm(norm.letter, ours,
                               dlange_(&norm.letter, &m, &n, a.data(), &ld, refWork.data(), 1));
            }
}

TEST(AuxNorm, GeneralNormsOfASmallMatrix)
{
    UMatrix<double> A(2, 2, -1);
    A(0, 0) = 1;
    A(0, 1) = -2;
    A(1, 0) = 3;
    A(1, 1) = 4;
    double work[2];
    EXPECT_EQ(LAPackDouble::MgetNorm(Blas::LaNormMaxAbs, A, nullptr), 4.0);
    EXPECT_EQ(LAPackDouble::MgetNorm(Blas::LaNormOne, A, nullptr), 6.0);
    EXPECT_EQ(LAPackDouble::MgetNorm(Blas::LaNormInf, A, work), 7.0);
    EXPECT_DOUBLE_EQ(LAPackDouble::MgetNorm(Blas::LaNormFrobenius, A, nullptr), std::sqrt(30.0));
}

TEST(AuxNorm, FrobeniusNormNeitherOverflowsNorUnderflows)
{
    for (double big : {1e300, 1e-300}) {
        std::vector<double> a(6, big);
        EXPECT_DOUBLE_EQ(LAPackDouble::MgetNorm(Blas::LaNormFrobenius, 2, 3, a.data(), 2, nullptr),
                         big * std::sqrt(6.0));
        EXPECT_DOUBLE_EQ(
            LAPackDouble::SymMgetNorm(Blas::LaNormFrobenius | 0x10, 2, a.data(), 2, nullptr),
            big * 2.0);
    }
}

TEST(AuxNorm, NaNIsPassedOverByTheMaximaButNotByTheFrobeniusNorm)
{
    double const a[4] = {1.0, NaN, -3.0, 2.0};
    double work[2];
    EXPECT_EQ(LAPackDouble::MgetNorm(Blas::LaNormMaxAbs, 2, 2, a, 2, nullptr), 3.0);
    EXPECT_EQ(LAPackDouble::MgetNorm(Blas::LaNormOne, 2, 2, a, 2, nullptr), 5.0);
    EXPECT_EQ(LAPackDouble::MgetNorm(Blas::LaNormInf, 2, 2, a, 2, work), 4.0);
    EXPECT_TRUE(std::isnan(LAPackDouble::MgetNorm(Blas::LaNormFrobenius, 2, 2, a, 2, nullptr)));
}

TEST(AuxNorm, InfiniteElementsGiveAnInfiniteFrobeniusNorm)
{
    double const inf = std::numeric_limits<double>::infinity();
    double const a[4] = {inf, 1.0, -inf, 2.0};
    EXPECT_EQ(LAPackDouble::MgetNorm(Blas::LaNormFrobenius, 2, 2, a, 2, nullptr), inf);
    EXPECT_EQ(LAPackDouble::SymMgetNorm(Blas::LaNormFrobenius | 0x20, 2, a, 2, nullptr), inf);
}

TEST(AuxNorm, GeneralNormChecks)
{
    RegisterNumerMessages();
    double const a[4] = {1, 2, 3, 4};
    for (long bits : {0L, 0x3L, 0x5L, 0xcL, 0x10L, 0x11L, 0x8008L})
        EXPECT_EQ(RaisedCode([&] { LAPackDouble::MgetNorm(NormOf(bits), 2, 2, a, 2, nullptr); }),
                  nmIllegalOptions)
            << bits;
    // The selection is checked even for an empty matrix, the workspace only for a non-empty one.
    EXPECT_EQ(RaisedCode([&] { LAPackDouble::MgetNorm(NormOf(0x3), 0, 0, a, 1, nullptr); }),
              nmIllegalOptions);
    EXPECT_EQ(RaisedCode([&] { LAPackDouble::MgetNorm(Blas::LaNormInf, 2, 2, a, 2, nullptr); }),
              nmNoWorkspace);
    for (Norm const& norm : norms) {
        EXPECT_EQ(LAPackDouble::MgetNorm(norm.bits, 0, 3, a, 1, nullptr), 0.0);
        EXPECT_EQ(LAPackDouble::MgetNorm(norm.bits, 3, 0, a, 3, nullptr), 0.0);
    }
    std::string text;
    RaisedCode([&] { LAPackDouble::MgetNorm(Blas::LaNormInf, 2, 2, a, 2, nullptr); }, &text);
    EXPECT_NE(text.find("Error in file dlange line "), std::string::npos) << text;
}

TEST(AuxNorm, SymmetricNormsEqualReferenceAndReadOneTriangle)
{
    for (long n : {1L, 2L, 5L, 17L})
        for (bool upper : {false, true})
            for (Norm const& norm : norms) {
                SCOPED_TRACE(testing::Message() << norm.letter << " n " << n << " upper " << upper);
                long const lda = n + 3;
                std::vector<double> a = OneTriangle(upper, n, lda);
                std::vector<double> work(n, NaN), refWork(n, NaN);
                short const opt = short(norm.bits | (upper ? 0x20 : 0x10));
                double const ours = LAPackDouble::SymMgetNorm(opt, n, a.data(), lda, work.data());
                int nn = int(n), ld = int(lda);
                char const uplo = upper ? 'U' : 'L';
                ExpectSameNorm(
                    norm.letter, ours,
                    dlansy_(&norm.letter, &uplo, &nn, a.data(), &ld, refWork.data(), 1, 1));
            }
}

TEST(AuxNorm, SymmetricNormsOfASmallMatrix)
{
    for (bool upper : {false, true}) {
        UMatrix<double> A(2, 2, -1);
        A(0, 0) = 1;
        A(1, 1) = 4;
        A(upper ? 0 : 1, upper ? 1 : 0) = -2;
        A(upper ? 1 : 0, upper ? 0 : 1) = NaN;
        short const uplo = upper ? 0x20 : 0x10;
        double work[2];
        EXPECT_EQ(LAPackDouble::SymMgetNorm(short(Blas::LaNormMaxAbs | uplo), A, nullptr), 4.0);
        EXPECT_EQ(LAPackDouble::SymMgetNorm(short(Blas::LaNormOne | uplo), A, work), 6.0);
        EXPECT_EQ(LAPackDouble::SymMgetNorm(short(Blas::LaNormInf | uplo), A, work), 6.0);
        EXPECT_EQ(LAPackDouble::SymMgetNorm(short(Blas::LaNormFrobenius | uplo), A, nullptr), 5.0);
    }
}

TEST(AuxNorm, SymmetricNormChecks)
{
    RegisterNumerMessages();
    double const a[4] = {1, 2, 2, 4};
    for (long opt : {0x1L, 0x10L, 0x31L, 0x13L, 0x0L, 0x51L, 0x91L})
        EXPECT_EQ(RaisedCode([&] { LAPackDouble::SymMgetNorm(short(opt), 2, a, 2, nullptr); }),
                  nmIllegalOptions)
            << opt;
    EXPECT_EQ(
        RaisedCode([&] { LAPackDouble::SymMgetNorm(Blas::LaNormOne | 0x10, 2, a, 2, nullptr); }),
        nmNoWorkspace);
    EXPECT_EQ(
        RaisedCode([&] { LAPackDouble::SymMgetNorm(Blas::LaNormInf | 0x20, 2, a, 2, nullptr); }),
        nmNoWorkspace);
    EXPECT_EQ(LAPackDouble::SymMgetNorm(Blas::LaNormInf | 0x10, 0, a, 1, nullptr), 0.0);
    UMatrix<double> wide(2, 3, -1);
    EXPECT_EQ(
        RaisedCode([&] { LAPackDouble::SymMgetNorm(Blas::LaNormMaxAbs | 0x10, wide, nullptr); }),
        umNotSquare);
    std::string text;
    RaisedCode([&] { LAPackDouble::SymMgetNorm(0x31, 2, a, 2, nullptr); }, &text);
    EXPECT_NE(text.find("Error in file dlansy line "), std::string::npos) << text;
}
