#include <gtest/gtest.h>

#include <complex>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"
#include "utilities/UDebug.h"
#include "utilities/UMatVec.h"

namespace {

// A log in a fresh directory; Logged() is what it has written so far.
struct UDebugPrint : ::testing::Test {
    TempDir dir;
    UDebug log;
    std::string Logged() { return dir.Read("debug.txt"); }
};

std::string Repeat(const std::string& s, int n)
{
    std::string r;
    for (int i = 0; i < n; ++i) r += s;
    return r;
}

TEST_F(UDebugPrint, DoubleVectorSixToALine)
{
    UVector<double> v(7, 1);
    for (long i = 0; i < 7; ++i) v[i] = i + 0.5;
    log.Print(v);
    EXPECT_EQ(Logged(), "Double vector Dim = 7, Inc = 1\n"
                        "   0.5000    1.5000    2.5000    3.5000    4.5000    5.5000 \n"
                        "   6.5000 \n");
}

TEST_F(UDebugPrint, LabelComesFirstOnTheHeaderLine)
{
    UVector<double> v(1, 1);
    v[0] = -2.0;
    log.Print(v, "Step");
    EXPECT_EQ(Logged(), "Step: Double vector Dim = 1, Inc = 1\n  -2.0000 \n");
}

TEST_F(UDebugPrint, FullLineHasNoExtraEmptyLine)
{
    UVector<unsigned char> bytes(12, 1);
    for (long i = 0; i < 12; ++i) bytes[i] = static_cast<unsigned char>(250 + i % 6);
    log.Print(bytes);
    EXPECT_EQ(Logged(), "Byte vector Dim = 12, Inc = 1\n" +
                            Repeat(" 250  251  252  253  254  255 ", 2) + "\n");
}

TEST_F(UDebugPrint, EmptyVectorPrintsOnlyTheHeader)
{
    UVector<long> empty(0, 1);
    log.Print(empty);
    EXPECT_EQ(Logged(), "Int32 vector Dim = 0, Inc = 1\n");
}

TEST_F(UDebugPrint, ViewsShowTheirIncrement)
{
    std::vector<long> data = {1, -2, 3, -4, 5, -6};
    UVector<long> strided(data.data(), 3, 2);
    log.Print(strided);
    EXPECT_EQ(Logged(), "Int32 vector Dim = 3, Inc = 2\n     1      3      5 \n");
}

TEST_F(UDebugPrint, ElementFormatsOfEveryKind)
{
    UVector<signed char> int8(2, 1);
    int8[0] = -128;
    int8[1] = 7;
    log.Print(int8);
    UVector<long> int32(9, 1);
    for (long i = 0; i < 9; ++i) int32[i] = i * 1000 - 1;
    log.Print(int32);
    UVector<float> single(1, 1);
    single[0] = 0.25f;
    log.Print(single);
    UVector<std::complex<double>> complex(4, 1);
    for (long i = 0; i < 4; ++i) complex[i] = {1.0 * i, -0.5};
    log.Print(complex);
    EXPECT_EQ(Logged(), "Int8 vector Dim = 2, Inc = 1\n"
                        "-128    7 \n"
                        "Int32 vector Dim = 9, Inc = 1\n"
                        "    -1    999   1999   2999   3999   4999   5999   6999 \n"
                        "  7999 \n"
                        "Float vector Dim = 1, Inc = 1\n"
                        "   0.2500 \n"
                        "Complex vector Dim = 4, Inc = 1\n"
                        "(   0.0000,  -0.5000) (   1.0000,  -0.5000) (   2.0000,  -0.5000) \n"
                        "(   3.0000,  -0.5000) \n");
}

TEST_F(UDebugPrint, MatrixInBlocksOfColumns)
{
    UMatrix<double> m(2, 8, -1);
    for (long i = 0; i < 2; ++i)
        for (long j = 0; j < 8; ++j) m(i, j) = 10.0 * i + j;
    log.Print(m);
    EXPECT_EQ(Logged(), "Double matrix ColDim = 2, RowDim = 8, ColSpace = 2\n"
                        "   0.0000    1.0000    2.0000    3.0000    4.0000    5.0000 \n"
                        "  10.0000   11.0000   12.0000   13.0000   14.0000   15.0000 \n"
                        "\n"
                        "   6.0000    7.0000 \n"
                        "  16.0000   17.0000 \n");
}

TEST_F(UDebugPrint, RawArraysPrintAsViews)
{
    const double column_major[] = {1, 2, 99, 3, 4, 99};  // 2 x 2 with leading dimension 3
    log.Print(2L, 2L, 3L, column_major, "A");
    log.Print(3L, column_major);
    const unsigned char bytes[] = {1, 2};
    log.Print(1L, 2L, 0L, bytes);  // a leading dimension below the rows is widened
    EXPECT_EQ(Logged(), "A: Double matrix ColDim = 2, RowDim = 2, ColSpace = 3\n"
                        "   1.0000    3.0000 \n"
                        "   2.0000    4.0000 \n"
                        "Double vector Dim = 3, Inc = 1\n"
                        "   1.0000    2.0000   99.0000 \n"
                        "Byte matrix ColDim = 1, RowDim = 2, ColSpace = 1\n"
                        "   1    2 \n");
}

TEST_F(UDebugPrint, EmptyMatrixPrintsOnlyTheHeader)
{
    UMatrix<std::complex<double>> m(3, 0, -1);
    log.Print(m, "none");
    EXPECT_EQ(Logged(), "none: Complex matrix ColDim = 3, RowDim = 0, ColSpace = 3\n");
}

TEST_F(UDebugPrint, ThroughTheGlobalLog)
{
    UVector<double> v(1, 1);
    v[0] = 0.125;
    ASSERT_TRUE(Debug == &log);
    Debug->Print(v, "g");
    EXPECT_EQ(Logged(), "g: Double vector Dim = 1, Inc = 1\n   0.1250 \n");
}

}  // namespace
