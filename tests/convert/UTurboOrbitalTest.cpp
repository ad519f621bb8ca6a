// Orbital sections: formats, limits of the section, writer round trips.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "convert/UTurbo.h"
#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "tests/convert/TurboTestSupport.h"
#include "tests/support/ChildProcess.h"
#include "utilities/UStrUtilities.h"

namespace {

// Coefficient (i, j) of the test orbitals.
double Coefficient(long i, long j) { return (i + 1) * 0.125 - (j + 1) * 0.0625; }

// An orbital section of n orbitals over n functions, perLine fields of width
// characters, written with D exponents.
std::string OrbitalText(const char* header, long n, long perLine, long width, long orbitals = -1)
{
    if (orbitals < 0) orbitals = n;
    std::string s = std::string(header) + "\n# a comment\n#\n";
    char buf[256];
    for (long j = 0; j < orbitals; ++j) {
        snprintf(buf, sizeof buf, "%6ld  a      eigenvalue=%20.14lE   nsaos=%ld\n", j + 1,
                 -20.551614518074 + j, n);
        s += buf;
        for (long i = 0; i < n; ++i) {
            snprintf(buf, sizeof buf, "%*.*lE", (int)width, (int)width - 7, Coefficient(i, j));
            for (char* c = buf; *c; ++c)
                if (*c == 'E') *c = 'D';
            s += buf;
            if (i % perLine == perLine - 1 || i == n - 1) s += "\n";
        }
    }
    return s + "$end\n";
}

class TurboOrbitals : public TurboFileTest {
protected:
    void ExpectTestOrbitals(OrbitalType type, long n)
    {
        UVector<double> e = geom.GetE(type);
        UMatrix<double> c = geom.GetMos(type);
        ASSERT_EQ(n, e.GetDim());
        ASSERT_EQ(n, c.GetColDim());
        ASSERT_EQ(n, c.GetRowDim());
        for (long j = 0; j < n; ++j) {
            EXPECT_NEAR(-20.551614518074 + j, e[j], 1e-12);
            for (long i = 0; i < n; ++i) EXPECT_NEAR(Coefficient(i, j), c(i, j), 1e-12);
        }
    }
};

TEST_F(TurboOrbitals, FormatsAndSets)
{
    ASSERT_EQ(0, Read(OrbitalText("$scfmo    scfconv=7   format(4d20.14)", 6, 4, 20)));
    ExpectTestOrbitals(otRestricted, 6);
    ASSERT_EQ(0, Read(OrbitalText("$uhfmo_alpha  format(3D25.16)", 5, 3, 25)));
    ExpectTestOrbitals(otAlpha, 5);
    ASSERT_EQ(0, Read(OrbitalText("$uhfmo_beta", 7, 4, 20)));
    ExpectTestOrbitals(otBeta, 7);
}

TEST_F(TurboOrbitals, FewerOrbitalsThanFunctionsLeaveZeroColumns)
{
    ASSERT_EQ(0, Read(OrbitalText("$scfmo", 5, 4, 20, 3)));
    UMatrix<double> c = geom.GetMos();
    ASSERT_EQ(5, c.GetRowDim());
    EXPECT_NEAR(Coefficient(4, 2), c(4, 2), 1e-12);
    EXPECT_EQ(0.0, c(0, 3));
    EXPECT_EQ(0.0, geom.GetE()[4]);
}

TEST_F(TurboOrbitals, OrbitalsBeyondOneStorageBlockKeepTheirPlace)
{
    // Enough coefficients that the reader keeps them in more than one block.
    const long n = 730;
    ASSERT_EQ(0, Read(OrbitalText("$scfmo    scfconv=7   format(4d20.14)", n, 4, 20)));
    ExpectTestOrbitals(otRestricted, n);
}

TEST_F(TurboOrbitals, LaterOrbitalLineWithoutCount)
{
    std::string text = OrbitalText("$scfmo", 2, 4, 20);
    size_t second = text.find("     2  a");
    size_t count = text.find("   nsaos=2", second);
    text.erase(count, strlen("   nsaos=2"));
    ASSERT_EQ(0, Read(text));
    ExpectTestOrbitals(otRestricted, 2);
}

TEST_F(TurboOrbitals, DamagedSections)
{
    std::string good = OrbitalText("$scfmo", 6, 4, 20);
    struct Case {
        std::string text;
        const char* what;
    } cases[] = {
        {OrbitalText("$scfmo format(4d20.14", 2, 4, 20), "no closing parenthesis"},
        {OrbitalText("$scfmo format(four)", 2, 4, 20), "format without numbers"},
        {OrbitalText("$scfmo format(0d20.14)", 2, 4, 20), "no field per line"},
        {OrbitalText("$scfmo format(200d20.14)", 2, 4, 20), "line beyond one record"},
        {"$scfmo\n#\n$end\n", "no orbital"},
        {"$scfmo\n 1 a eigenvalue=-1.0\n 0.1D+00\n$end\n", "first orbital without count"},
        {"$scfmo\n 1 a eigenvalue=-1.0 nsaos=x\n$end\n", "count not a number"},
        {"$scfmo\n 1 a eigenvalue=-1.0 nsaos=0\n$end\n", "no functions"},
        {OrbitalText("$scfmo", 3, 4, 20, 4), "more orbitals than functions"},
        {good.substr(0, good.size() - 5) + "$coord\n$end\n", "another section before $end"},
        {good.substr(0, good.size() - 5), "missing $end"},
        {"$scfmo\n 1 a1 eigenvalue=-1.0 nsaos=2\n             0.1D+00             0.2D+00\n"
         " 2 a1 eigenvalue=-0.5 nsaos=2\n             0.1D+00             0.2D+00\n"
         " 1 b1 eigenvalue=-0.2 nsaos=1\n             1.0D+00\n$end\n",
         "orbitals per irreducible representation"},
    };
    for (const Case& c : cases) {
        UQGeometryData fresh;
        TextStream text(c.text);
        UTurboFilter filter(text.Get());
        int code = RaisedCode([&] { filter.ReadGeometry(&fresh); });
        EXPECT_EQ(std::string(c.what) == "missing $end" ? cmUnexpectedEof : cmInvalidTurbomoleFile,
                  code)
            << c.what;
        // Nothing is stored unless the whole section was read.
        EXPECT_EQ(0, fresh.GetE().GetDim()) << c.what;
    }
}

TEST_F(TurboOrbitals, DamagedCoefficientLines)
{
    std::string good = OrbitalText("$scfmo", 6, 4, 20);
    size_t line = good.find('\n', good.find("eigenvalue=")) + 1;
    struct Case {
        size_t at, length;
        std::string by;
        const char* what;
    } cases[] = {
        {line + 20, 20, "", "a field missing at the end of a line"},
        {line + 79, 1, "", "the line's last field cut by one character"},
        {line + 25, 3, "abc", "letters in a field"},
        {line + 20, 20, "                    ", "a blank field"},
        {good.find("eigenvalue=") + 11, 3, "xyz", "letters in an eigenvalue"},
        {good.find("nsaos=", good.find("     2  a")) + 6, 1, "7", "an orbital of another count"},
    };
    for (const Case& c : cases) {
        std::string text = good;
        text.replace(c.at, c.length, c.by);
        UQGeometryData fresh;
        TextStream stream(text);
        UTurboFilter filter(stream.Get());
        EXPECT_EQ(cmInvalidTurbomoleFile, RaisedCode([&] { filter.ReadGeometry(&fresh); }))
            << c.what;
    }
}

// Fields are written at their full width, right-aligned: a last field that
// lost its final character must not read as a coefficient 10^7 too large,
// while blanks after the last field change nothing.
TEST_F(TurboOrbitals, OnlyWholeFieldsAreCoefficients)
{
    const std::string head = "$scfmo    scfconv=6   format(4d20.14)\n"
                             "     1  a      eigenvalue=-.97461484059799D+01   nsaos=2\n";
    const std::string whole = "0.69876828353937D+000.11894488005744D-07";
    ASSERT_EQ(0, Read(head + whole + "\n$end\n"));
    EXPECT_DOUBLE_EQ(0.11894488005744e-07, geom.GetMos()(1, 0));
    ASSERT_EQ(0, Read(head + whole + "      \n$end\n"));
    EXPECT_DOUBLE_EQ(0.11894488005744e-07, geom.GetMos()(1, 0));

    UQGeometryData fresh;
    std::string cut = whole.substr(0, whole.size() - 1);
    EXPECT_EQ(cmInvalidTurbomoleFile, ReadTurboFile(fresh, head + cut + "\n$end\n"));
    EXPECT_EQ(0, fresh.GetE().GetDim());
}

TEST_F(TurboOrbitals, ShortLineAfterALongOneLeavesNoStaleField)
{
    // The second coefficient line of the first orbital is cut after one field;
    // its second field must not come from the longer line before it.
    std::string good = OrbitalText("$scfmo", 6, 4, 20);
    size_t first = good.find('\n', good.find("eigenvalue=")) + 1;
    size_t second = good.find('\n', first) + 1;
    std::string text = good;
    text.erase(second + 20, 20);
    UQGeometryData fresh;
    TextStream stream(text);
    UTurboFilter filter(stream.Get());
    EXPECT_EQ(cmInvalidTurbomoleFile, RaisedCode([&] { filter.ReadGeometry(&fresh); }));
}

TEST_F(TurboOrbitals, WriterReadsBack)
{
    ASSERT_EQ(0, Read(OrbitalText("$uhfmo_beta", 6, 4, 20)));
    // The last two orbitals are all zero: they are not written.
    UMatrix<double> c = geom.GetBeta();
    for (long i = 0; i < 6; ++i) c(i, 4) = c(i, 5) = 0.0;
    TextStream out;
    UTurboFilter writer(out.Get());
    writer.WriteOrbitals(&geom, tfsUhfMoBeta);
    std::string written = out.Contents();
    EXPECT_EQ(0u, written.find("$uhfmo_beta   scfconv=6   format(4d20.14)\n"
                               "# molecular orbitals of project :\n#  --->  Dranvel  <---\n"
                               "# no SCF total energy available\n#\n"
                               "     1  a      eigenvalue=-2.05516145180740e+01   nsaos=6\n"));
    EXPECT_EQ(std::string::npos, written.find("     5  a"));

    UQGeometryData back;
    TextStream in(written);
    UTurboFilter reader(in.Get());
    ASSERT_EQ(0, RaisedCode([&] { reader.ReadGeometry(&back); }));
    UMatrix<double> b = back.GetBeta();
    for (long j = 0; j < 6; ++j)
        for (long i = 0; i < 6; ++i) EXPECT_NEAR(c(i, j), b(i, j), 1e-13);
    EXPECT_NEAR(-17.551614518074, back.GetEBeta()[3], 1e-12);
}

TEST_F(TurboOrbitals, WrittenHeaderCarriesTheEnergy)
{
    ASSERT_EQ(0, Read(OrbitalText("$scfmo", 2, 4, 20)));
    geom.SetEnergy(-113.2171540515);
    TextStream out;
    UTurboFilter writer(out.Get());
    writer.WriteOrbitals(&geom, tfsScfMo);
    EXPECT_EQ(0u, out.Contents().find("$scfmo   scfconv=6   format(4d20.14)\n"
                                      "# molecular orbitals of project :\n#  --->  Dranvel  <---\n"
                                      "# SCF total energy is     -113.2171540515 a.u.\n#\n"
                                      "     1  a      eigenvalue=-2.05516145180740e+01   nsaos=2\n"
                                      " 6.2500000000000e-02 1.8750000000000e-01\n"))
        << out.Contents();
}

TEST_F(TurboOrbitals, GShellsCannotBeReordered)
{
    const char* basis = "$basis\n*\nh g-basis\n*\n 1 s\n 1.0 1.0\n 1 g\n 1.0 1.0\n*\n$end\n";
    ASSERT_EQ(0, Read("$coord\n 0 0 0 h\n$end\n"));
    ASSERT_EQ(0, Read(basis));
    TextStream control("$atoms\nh 1 \\\n basis =h g-basis\n$end\n");
    UTurboFilter filter(control.Get());
    filter.ReadControl(&geom);
    EXPECT_EQ(cmMissingData, Read(OrbitalText("$scfmo", 16, 4, 20)));
    EXPECT_EQ(0, geom.GetE().GetDim());
}

TEST_F(TurboOrbitals, BasisOfAnotherSizeIsRefused)
{
    ASSERT_EQ(0, Read("$coord\n 0 0 0 h\n$end\n"));
    ASSERT_EQ(0, Read("$basis\n*\nh one-s\n*\n 1 s\n 1.0 1.0\n*\n$end\n"));
    TextStream control("$atoms\nh 1 \\\n basis =h one-s\n$end\n");
    UTurboFilter filter(control.Get());
    filter.ReadControl(&geom);
    EXPECT_EQ(umIncompatibleDimensions, Read(OrbitalText("$scfmo", 2, 4, 20)));
    EXPECT_EQ(0, geom.GetE().GetDim());
    ASSERT_EQ(0, Read(OrbitalText("$scfmo", 1, 4, 20)));
    EXPECT_EQ(1, geom.GetE().GetDim());
}

// A count that does not fit the basis is refused before the square matrix is
// made: 60000 one-digit coefficients would otherwise demand 29 GB.
TEST_F(TurboOrbitals, CountOfAnotherBasisIsRefusedBeforeTheMatrix)
{
    ASSERT_EQ(0, Read("$coord\n 0 0 0 h\n$end\n"));
    ASSERT_EQ(0, Read("$basis\n*\nh one-s\n*\n 1 s\n 1.0 1.0\n*\n$end\n"));
    ASSERT_EQ(0, ReadControl("$atoms\nh 1 \\\n basis =h one-s\n$end\n"));
    const long n = 60000;
    std::string mos =
        "$scfmo  format(1000d2.0)\n     1  a      eigenvalue=-.5D+00   nsaos=" + std::to_string(n) +
        "\n";
    for (long i = 0; i < n; i += 1000) {
        for (long k = 0; k < 1000; ++k) mos += " 1";
        mos += "\n";
    }
    mos += "$end\n";
    ChildResult r = RunInChild(
        [&] { _exit(Read(mos) == umIncompatibleDimensions && geom.GetE().GetDim() == 0 ? 0 : 1); });
    EXPECT_EQ(0, r.exitStatus) << r.err;
}

TEST_F(TurboOrbitals, WriterRefusesWhatWouldShiftColumns)
{
    ASSERT_EQ(0, Read(OrbitalText("$scfmo", 2, 4, 20)));
    geom.SetEnergy(-1.5);
    geom.GetMos()(1, 0) = -1.0e-120;
    TextStream out;
    UTurboFilter writer(out.Get());
    EXPECT_EQ(cmInvalidTurbomoleFile, RaisedCode([&] { writer.WriteOrbitals(&geom, tfsScfMo); }));
    EXPECT_EQ(cmMissingData, RaisedCode([&] { writer.WriteOrbitals(&geom, tfsCoord); }));
}

}  // namespace
