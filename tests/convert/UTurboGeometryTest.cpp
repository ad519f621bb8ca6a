// "$coord", "$energy", "$grad" and "$hessian": readers, writers, round trips.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "convert/UTurbo.h"
#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "tests/convert/TurboTestSupport.h"
#include "utilities/UStrUtilities.h"

namespace {

class TurboGeometry : public TurboFileTest {};

const char* waterCoord = "$coord\n"
                         "  0.0 0.0 1.0D-01 h\n"
                         "  1.5d0\t-2.0E+00  3.25 HE\n"
                         "  0.0 0.0 0.0 o f\n"
                         "$end\n";

TEST_F(TurboGeometry, CoordinatesAppendAtoms)
{
    ASSERT_EQ(0, Read(waterCoord));
    ASSERT_EQ(3, geom.GetDim());
    EXPECT_TRUE(geom.GetHasCoordinates());
    UVector<UQAtomData> atoms = geom.GetAtomData();
    EXPECT_EQ(1, atoms[0].GetAtno());
    EXPECT_DOUBLE_EQ(0.1, atoms[0].GetCoord().Getz());
    EXPECT_EQ(2, atoms[1].GetAtno());
    EXPECT_DOUBLE_EQ(1.5, atoms[1].GetCoord().Getx());
    EXPECT_DOUBLE_EQ(-2.0, atoms[1].GetCoord().Gety());
    // A flagged symbol names no element.
    EXPECT_EQ(-1, atoms[2].GetAtno());
}

TEST_F(TurboGeometry, CoordinatesOverwriteAnExistingMolecule)
{
    const char* three = "$coord\n 0 0 0 c\n 1 0 0 c\n 2 0 0 h\n$end\n";
    ASSERT_EQ(0, Read(three));
    ASSERT_EQ(0, Read("$coord\n 5 0 0 o\n 6 0 0 n\n 7 0 0 h\n$end\n"));
    EXPECT_EQ(3, geom.GetDim());
    EXPECT_EQ(8, geom.GetAtomData()[0].GetAtno());
    EXPECT_DOUBLE_EQ(7.0, geom.GetAtomData()[2].GetCoord().Getx());
    EXPECT_EQ(umIndexOutOfRange, Read("$coord\n 0 0 0 c\n 0 0 0 c\n 0 0 0 c\n 0 0 0 c\n$end\n"));
    EXPECT_EQ(umIncompatibleDimensions, Read("$coord\n 0 0 0 c\n 0 0 0 c\n$end\n"));
}

TEST_F(TurboGeometry, Energy)
{
    ASSERT_EQ(0, Read("$energy   SCF  SCFKIN\n  1  -76.1  1.0\n  2  -76.2  1.0\n$end\n"));
    EXPECT_TRUE(geom.GetHasEnergy());
    EXPECT_DOUBLE_EQ(-76.2, geom.GetEnergy());
    ASSERT_EQ(0, Read("$energy\n  3  -7.63E+01\n$end\n"));
    EXPECT_DOUBLE_EQ(-76.3, geom.GetEnergy());
    // The energy is taken as written: what is not a number in full is refused,
    // never read as its leading digits.
    for (const char* last : {"", "  1", "  1  abc", "  1  -7.61D+01  1.0", "  1  -76.1x",
                             "  1.5  -76.1", "  x  -76.1", "  1  nan"}) {
        EXPECT_EQ(cmInvalidTurbomoleFile, Read(std::string("$energy\n") + last + "\n$end\n"))
            << last;
        EXPECT_DOUBLE_EQ(-76.3, geom.GetEnergy()) << last;
    }
}

const char* gradient = "$grad          cartesian gradients\n"
                       "  cycle =      1    SCF energy =     -1.1372759   |dE/dxyz| =  0.000001\n"
                       "    0.0  0.0  -0.7 h\n"
                       "    0.0  0.0   0.7 h\n"
                       "  0.1D-02  0.2D-02 -0.3D-02\n"
                       " -0.1D-02 -0.2D-02  0.3D-02\n"
                       "$end\n";

TEST_F(TurboGeometry, Gradients)
{
    ASSERT_EQ(0, Read(gradient));
    EXPECT_DOUBLE_EQ(-1.1372759, geom.GetEnergy());
    ASSERT_EQ(2, geom.GetDim());
    EXPECT_TRUE(geom.GetHasGradients());
    EXPECT_DOUBLE_EQ(0.002, geom.GetAtomData()[0].GetGrad().Gety());
    EXPECT_DOUBLE_EQ(0.003, geom.GetAtomData()[1].GetGrad().Getz());
}

TEST_F(TurboGeometry, GradientCycleLineEndingWithTheEnergy)
{
    ASSERT_EQ(0, Read("$grad\n cycle = 1 SCF energy =-2.5\n 0 0 0 h\n 1 2 3\n$end\n"));
    EXPECT_DOUBLE_EQ(-2.5, geom.GetEnergy());
    EXPECT_DOUBLE_EQ(3.0, geom.GetAtomData()[0].GetGrad().Getz());
}

TEST_F(TurboGeometry, GradientsOfTwoCyclesAreRefused)
{
    std::string two = gradient;
    two.erase(two.size() - 5);
    std::string cycle = two.substr(two.find('\n') + 1);
    EXPECT_EQ(cmInvalidTurbomoleFile, Read(two + cycle + "$end\n"));
    // The first cycle was stored.
    EXPECT_DOUBLE_EQ(0.002, geom.GetAtomData()[0].GetGrad().Gety());
}

TEST_F(TurboGeometry, ShortGradientCycleStoresNoGradient)
{
    ASSERT_EQ(0, Read("$coord\n 0 0 0 h\n 0 0 1 h\n$end\n"));
    EXPECT_EQ(cmInvalidTurbomoleFile,
              Read("$grad\n cycle = 1 SCF energy = -1.0\n 0 0 0 h\n 0 0 1 h\n 1 2 3\n$end\n"));
    EXPECT_FALSE(geom.GetHasGradients());
    EXPECT_EQ(cmInvalidTurbomoleFile,
              Read("$grad\n cycle = 1 SCF energy = -1.0\n 0 0 0 h\n 0 0 1 h\n$end\n"));
    EXPECT_FALSE(geom.GetHasGradients());
}

TEST_F(TurboGeometry, GradientCoordinatesFollowTheAtomRule)
{
    ASSERT_EQ(0, Read("$coord\n 0 0 0 h\n 0 0 1 h\n$end\n"));
    const char* cycle = "$grad\n cycle = 1 SCF energy = -1.0D+00\n";
    EXPECT_EQ(umIncompatibleDimensions, Read(std::string(cycle) + " 0 0 0 h\n 1 2 3\n$end\n"));
    EXPECT_EQ(umIndexOutOfRange,
              Read(std::string(cycle) + " 0 0 0 h\n 0 0 1 h\n 0 0 2 h\n 1 2 3\n$end\n"));
    EXPECT_FALSE(geom.GetHasGradients());
    ASSERT_EQ(0, Read(std::string(cycle) + " 0 0 0 o\n 0 0 2 h\n 1 2 3\n 4 5 6\n$end\n"));
    EXPECT_DOUBLE_EQ(-1.0, geom.GetEnergy());
    EXPECT_EQ(8, geom.GetAtomData()[0].GetAtno());
    EXPECT_DOUBLE_EQ(2.0, geom.GetAtomData()[1].GetCoord().Getz());
    EXPECT_DOUBLE_EQ(6.0, geom.GetAtomData()[1].GetGrad().Getz());
}

// A gradient line is its three numbers; a comment or a further column after
// them is not read, also on the first gradient line, which ends the coordinates.
TEST_F(TurboGeometry, GradientLinesMayGoOnAfterTheirNumbers)
{
    const char* cycle = "$grad\n cycle = 1 SCF energy = -1.0D+00\n 0 0 0 o\n 0 0 2 h\n";
    const char* endings[][2] = {{" 1 2 3   # first", " 4 5 6 7"}, {" 1 2 3 0.1D-02", " 4 5 6 ! x"}};
    for (auto& lines : endings) {
        UQGeometryData fresh;
        ASSERT_EQ(
            0, ReadTurboFile(fresh, std::string(cycle) + lines[0] + "\n" + lines[1] + "\n$end\n"))
            << lines[0];
        ASSERT_EQ(2, fresh.GetDim());
        EXPECT_EQ(8, fresh.GetAtomData()[0].GetAtno());
        EXPECT_DOUBLE_EQ(3.0, fresh.GetAtomData()[0].GetGrad().Getz());
        EXPECT_DOUBLE_EQ(6.0, fresh.GetAtomData()[1].GetGrad().Getz());
    }
    // The numbers themselves must scan whole.
    for (const char* bad : {" 1 2 3x # first\n 4 5 6\n", " 1 2 3\n 4 5 6x 7\n", " 1 2\n 4 5 6\n"}) {
        UQGeometryData fresh;
        EXPECT_EQ(cmInvalidTurbomoleFile, ReadTurboFile(fresh, std::string(cycle) + bad + "$end\n"))
            << bad;
        EXPECT_FALSE(fresh.GetHasGradients()) << bad;
    }
}

// A Hessian section of n columns with element (r, c) = r + c / 100.
std::string HessianText(long n)
{
    std::string s = "$hessian (projected)\n";
    char buf[64];
    for (long r = 0; r < n; ++r)
        for (long j0 = 0; j0 < n; j0 += 5) {
            snprintf(buf, sizeof buf, "%3ld%2ld", r + 1, j0 / 5 + 1);
            s += buf;
            for (long j = j0; j < n && j < j0 + 5; ++j) {
                snprintf(buf, sizeof buf, "%15.10lf", r + j / 100.0);
                s += buf;
            }
            s += "\n";
        }
    return s + "$end\n";
}

TEST_F(TurboGeometry, HessianCreatesAtoms)
{
    ASSERT_EQ(0, Read(HessianText(6)));
    ASSERT_EQ(2, geom.GetDim());
    ASSERT_TRUE(geom.GetHasHessian());
    UMatrix<double> h = geom.GetHessian();
    EXPECT_DOUBLE_EQ(5.05, h(5, 5));
    EXPECT_DOUBLE_EQ(0.05, h(0, 5));
    EXPECT_DOUBLE_EQ(3.01, h(3, 1));
    EXPECT_EQ(umIncompatibleDimensions, Read(HessianText(9)));
}

TEST_F(TurboGeometry, DamagedHessians)
{
    std::string good = HessianText(6);
    struct Case {
        std::string from, to;
    } cases[] = {
        {"  2 2", "  2 3"},                      // wrong line number
        {"  3 1", "  4 1"},                      // wrong row number
        {"  1 2", "  1 3"},                      // wrong line number in the first row
        {"   5.0400000000", "   5.04x0000000"},  // letters in a value
        {"  6 2   5.0500000000", "  6 2"},       // a value missing
        {"  4 1", " x4 1"},
    };
    for (const Case& c : cases) {
        std::string text = good;
        size_t at = text.find(c.from);
        ASSERT_NE(std::string::npos, at) << c.from;
        text.replace(at, c.from.size(), c.to);
        UQGeometryData fresh;
        TextStream stream(text);
        UTurboFilter filter(stream.Get());
        EXPECT_EQ(cmInvalidTurbomoleFile, RaisedCode([&] { filter.ReadGeometry(&fresh); })) << c.to;
    }
    // Seven columns cannot be three values per atom.
    EXPECT_EQ(umIncompatibleDimensions, Read(HessianText(7)));
}

TEST_F(TurboGeometry, WritersReadBack)
{
    ASSERT_EQ(0, Read("$coord\n 0.1 -0.2 1.5 c\n -1.25 2 3 o\n$end\n"));
    UVector<double> grads(6, 1);
    for (long i = 0; i < 6; ++i) grads[i] = (i - 2.5) * 1.0e-3;
    geom.SetGradients(grads);
    geom.SetEnergy(-113.2171540515);
    UMatrix<double> h = geom.GetHessian();
    for (long r = 0; r < 6; ++r)
        for (long c = 0; c < 6; ++c) h(r, c) = -0.5 + r * 0.1 + c * 0.01;
    geom.SetHasHessian(true);

    TextStream out;
    UTurboFilter writer(out.Get());
    writer.WriteCoordinates(&geom);
    writer.WriteGradients(&geom);
    writer.WriteHessian(&geom);
    std::string written = out.Contents();
    EXPECT_NE(
        std::string::npos,
        written.find("    0.10000000000000     -0.20000000000000      1.50000000000000      c \n"));
    EXPECT_NE(std::string::npos,
              written.find(
                  "$grad          cartesian gradients\n"
                  "  cycle =      1    SCF energy =   -113.2171540515   |dE/dxyz| =  0.000000\n"));
    EXPECT_NE(std::string::npos, written.find("  1 1  -0.5000000000  -0.4900000000"));
    EXPECT_NE(std::string::npos, written.find("\n -2.50000000000000e-03 -1.50000000000000e-03"
                                              " -5.00000000000000e-04\n"));

    // Read each section back into a fresh molecule.
    UQGeometryData back;
    for (const char* header : {"$coord", "$grad", "$hessian"}) {
        size_t from = written.find(header);
        size_t to = written.find("$end\n", from) + 5;
        TextStream in(written.substr(from, to - from));
        UTurboFilter reader(in.Get());
        ASSERT_EQ(0, RaisedCode([&] { reader.ReadGeometry(&back); })) << header;
    }
    ASSERT_EQ(2, back.GetDim());
    for (long i = 0; i < 2; ++i) {
        EXPECT_EQ(geom.GetAtomData()[i].GetAtno(), back.GetAtomData()[i].GetAtno());
        for (long k = 0; k < 3; ++k) {
            EXPECT_DOUBLE_EQ(geom.GetAtomData()[i].GetCoord()[k],
                             back.GetAtomData()[i].GetCoord()[k]);
            EXPECT_DOUBLE_EQ(geom.GetAtomData()[i].GetGrad()[k],
                             back.GetAtomData()[i].GetGrad()[k]);
        }
    }
    EXPECT_DOUBLE_EQ(-113.2171540515, back.GetEnergy());
    UMatrix<double> hb = back.GetHessian();
    for (long r = 0; r < 6; ++r)
        for (long c = 0; c < 6; ++c) EXPECT_NEAR(h(r, c), hb(r, c), 1e-10);
}

TEST_F(TurboGeometry, WritersRefuseWhatWouldShiftColumns)
{
    ASSERT_EQ(0, Read("$coord\n 0 0 0 h\n$end\n"));
    UMatrix<double> h = geom.GetHessian();
    Mset(h, 1.0);
    geom.SetHasHessian(true);
    for (double wide : {1.0e4, -1.0e3, 9999.99999999999}) {
        h(1, 2) = wide;
        TextStream out;
        UTurboFilter writer(out.Get());
        EXPECT_EQ(cmInvalidTurbomoleFile, RaisedCode([&] { writer.WriteHessian(&geom); })) << wide;
    }
    h(1, 2) = 9999.9999999999;
    TextStream fits;
    UTurboFilter writer(fits.Get());
    EXPECT_EQ(0, RaisedCode([&] { writer.WriteHessian(&geom); }));

    geom.SetEnergy(-1.0);
    geom.SetGradients(0, V3(-1.0e-100, 0.0, 0.0));
    TextStream grad;
    UTurboFilter gradWriter(grad.Get());
    EXPECT_EQ(cmInvalidTurbomoleFile, RaisedCode([&] { gradWriter.WriteGradients(&geom); }));
}

TEST_F(TurboGeometry, WritersNeedTheirData)
{
    TextStream out;
    UTurboFilter writer(out.Get());
    EXPECT_EQ(cmMissingData, RaisedCode([&] { writer.WriteCoordinates(&geom); }));
    EXPECT_EQ(cmMissingData, RaisedCode([&] { writer.WriteGradients(&geom); }));
    EXPECT_EQ(cmMissingData, RaisedCode([&] { writer.WriteHessian(&geom); }));
    EXPECT_EQ("", out.Contents());

    // An atom without an element has no symbol to write.
    ASSERT_EQ(0, Read("$coord\n 0 0 0 o f\n$end\n"));
    geom.SetEnergy(-1.0);
    geom.SetGradients(0, V3(0.0, 0.0, 0.0));
    EXPECT_EQ(umIllegalIndex, RaisedCode([&] { writer.WriteCoordinates(&geom); }));
    EXPECT_EQ(umIllegalIndex, RaisedCode([&] { writer.WriteGradients(&geom); }));
}

}  // namespace
