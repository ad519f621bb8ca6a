// Whole files through the two dispatchers, the real Turbomole files of the
// shared data, and damaged input of every kind.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "convert/UTurbo.h"
#include "molecule/UQBasis.h"
#include "molecule/UQGauss.h"
#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "tests/convert/TurboTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

class TurboDispatch : public TurboFileTest {};

TEST_F(TurboDispatch, SectionsOfTurbomoleItselfAreSkipped)
{
    const char* coord =
        "$coord\n 0 0 -1.2 c\n 0 0 0.9 o\n"
        "$redundant\n     number_of_atoms             2\n# definitions\n   1 k  1.0 stre 1 2\n"
        "$intdef\n 1 k 1.0 stre 1 2\n"
        "$user-defined bonds\n"
        "$end\n";
    ASSERT_EQ(0, ReadTurboFile(geom, coord));
    EXPECT_EQ(2, geom.GetDim());
}

// The driver learns from the count whether a file gave anything at all.
TEST_F(TurboDispatch, SkippedSectionsAreNotCountedAsRead)
{
    const struct {
        const char* text;
        long read;
    } cases[] = {
        {"$COORD\n 0 0 0 h\n 0 0 1 h\n$end\n", 0},
        {"$end\n", 0},
        {"$redundant\n 1 k\n$coord\n 0 0 0 h\n$user-defined bonds\n$end\n", 1},
        {"$pople AO\n$energy\n 1 -1.0\n$end\n", 2},
    };
    for (const auto& c : cases) {
        UQGeometryData fresh;
        TextStream text(c.text);
        UTurboFilter filter(text.Get());
        ASSERT_EQ(0, RaisedCode([&] { filter.ReadGeometry(&fresh); })) << c.text;
        EXPECT_EQ(c.read, filter.GetSectionsRead()) << c.text;
    }
}

TEST_F(TurboDispatch, SectionsOfTheControlFileAreRefused)
{
    const char* sections[] = {"$atoms\n",
                              "$closed shells\n a 1\n",
                              "$alpha shells\n a 1\n",
                              "$beta shells\n a 1\n",
                              "$open shells type=1\n a 1\n",
                              "$rundimensions\n natoms=1\n",
                              "$vibrations\n"};
    for (const char* s : sections) {
        UQGeometryData fresh;
        EXPECT_EQ(cmInvalidTurbomoleFile,
                  ReadTurboFile(fresh, std::string("$coord\n 0 0 0 h\n") + s + "$end\n"))
            << s;
    }
    // A data line where a header is due.
    EXPECT_EQ(cmInvalidTurbomoleFile, ReadTurboFile(geom, " 0 0 0 h\n$end\n"));
}

// A control file names the files that hold some of its sections ("$coord    file=coord"):
// there is nothing to read under such a header, and read as an empty "$coord" it met the
// molecule's atoms with a count of 0 (21003). Sections the dispatcher skips stay skipped.
TEST_F(TurboDispatch, HeadersNamingTheirFileAreRefused)
{
    const std::string h2 = "$coord\n 0 0 -0.7 h\n 0 0 0.7 h\n";
    ASSERT_EQ(0, Read(h2 + "$end\n"));
    const char* headers[] = {"$coord    file=coord",  "$grad    file=gradient",
                             "$hessian file=hessian", "$energy    file=energy",
                             "$scfmo   file=mos",     "$uhfmo_alpha   file=alpha",
                             "$basis    file=basis",  "$ecp    file=basis"};
    std::string first;
    for (const char* header : headers) {
        for (bool withAtoms : {true, false}) {
            UQGeometryData fresh;
            std::string message;
            EXPECT_EQ(
                cmInvalidTurbomoleFile,
                ReadTurboFile(withAtoms ? geom : fresh, std::string(header) + "\n$end\n", &message))
                << header;
            // One refusal for all of them, before any reader.
            if (first.empty()) first = message;
            EXPECT_EQ(first, message) << header;
        }
    }
    EXPECT_EQ(2, geom.GetDim());
    EXPECT_TRUE(geom.GetHasCoordinates());

    const std::string control = "$title\n$symmetry c1\n$coord    file=coord\n$atoms\n"
                                "h  1-2                                \\\n"
                                "   basis =h sto-3g\n$closed shells\n a  1  ( 2 )\n"
                                "$hessian (projected)\n  1  1   0.5000000000\n$end\n";
    EXPECT_EQ(cmInvalidTurbomoleFile, Read(control));
    EXPECT_FALSE(geom.GetHasHessian());
    EXPECT_EQ(0, Read(h2 + "$user-defined bonds    file=coord\n$end\n"));
}

TEST_F(TurboDispatch, OneFileCanHoldAnySections)
{
    const char* all = "$pople AO\n"
                      "$coord\n 0 0 0 h\n$end\n";
    ASSERT_EQ(0, ReadTurboFile(geom, all));
    EXPECT_EQ(1, geom.GetDim());
    // Reading stops at the first "$end".
    UQGeometryData other;
    ASSERT_EQ(0,
              ReadTurboFile(other, "$coord\n 0 0 0 h\n$end\n$coord\n 0 0 0 h\n 1 1 1 h\n$end\n"));
    EXPECT_EQ(1, other.GetDim());
}

// A chain, a slab or a crystal is no molecule, wherever the section stands.
TEST_F(TurboDispatch, PeriodicSystemsAreRefused)
{
    const struct {
        const char* periodic;
        int code;
    } cases[] = {
        {"$periodic 0\n", 0},
        {"$periodic 1\n", cmInvalidTurbomoleFile},
        {"$periodic  2\n", cmInvalidTurbomoleFile},
        {"$periodic 3\n", cmInvalidTurbomoleFile},
    };
    for (const auto& c : cases) {
        UQGeometryData control;
        EXPECT_EQ(c.code, ReadControlFile(control, std::string("$title\n") + c.periodic +
                                                       "$closed shells\n a 1 ( 2 )\n$end\n"))
            << c.periodic;
        UQGeometryData coord;
        EXPECT_EQ(c.code,
                  ReadTurboFile(coord, std::string("$coord\n 0 0 0 h\n") + c.periodic + "$end\n"))
            << c.periodic;
        if (c.code == 0) {
            EXPECT_EQ(1, coord.GetDim());
        }
    }
}

TEST_F(TurboDispatch, ControlFileSkipsWhatItDoesNotRead)
{
    ASSERT_EQ(0, ReadControlFile(geom,
                                 "$title\nsome text\n$unknown  x=1\n  y=2\n$hessian (projected)\n"
                                 "  1  1  1.0\n$end\n"));
    EXPECT_EQ(cmUnexpectedEof, ReadControlFile(geom, "$title\n$closed shells\n a 1-2\n"));
}

// A set of files with '#' comment lines where Turbomole and its users put
// them: the revision header of the structure library, notes in the basis
// library, lines commented out, the header of an orbital file.
struct CommentedFiles {
    std::string coord, basis, control, mos;
};

CommentedFiles WithComments()
{
    CommentedFiles f;
    f.coord = "#\n# TURBOMOLE structure library\n#\n# $Id: co,v 1.2 $\n#\n# carbon monoxide\n#\n"
              "$coord\n 0.0 0.0 -1.06 c\n# 0.0 0.0 0.0 o\n 0.0 0.0 1.07 o\n#\n$end\n";
    f.basis = "$basis\n#\n*\nc tiny\n# c (1s1p)\n*\n   1  s\n# 9.0 1.0\n  2.0  1.0\n"
              "#\n   1  p\n  0.5  1.0\n*\n#\n*\no tiny\n*\n   1  s\n  3.0  1.0\n*\n# end of "
              "basis\n$end\n";
    f.control =
        "$title\n# written by define\n$atoms\n#\nc  1  \\\n# jbas  =c tiny \\\n   basis =c tiny\n"
        "o  2  \\\n   basis =o tiny\n#\n$closed shells\n# a 1-3\n a       1-2    ( 2 )\n$end\n";
    f.mos = "$scfmo    scfconv=7   format(4d20.14)\n# SCF total energy is  -1.0 a.u.\n#\n"
            "     1  a      eigenvalue=-.50000000000000D+00   nsaos=5\n"
            "0.10000000000000D+000.20000000000000D+000.30000000000000D+000.40000000000000D+00\n"
            "# a coefficient line commented out\n"
            "0.50000000000000D+00\n"
            "#\n"
            "     2  a      eigenvalue=0.25000000000000D+00   nsaos=5\n"
            "-.10000000000000D+00-.20000000000000D+00-.30000000000000D+00-.40000000000000D+00\n"
            "-.50000000000000D+00\n$end\n";
    return f;
}

std::string WithoutComments(const std::string& text)
{
    std::istringstream in(text);
    std::string out, line;
    while (std::getline(in, line))
        if (line.empty() || line[0] != '#') out += line + "\n";
    return out;
}

void ReadAll(UQGeometryData& geom, const CommentedFiles& f)
{
    ASSERT_EQ(0, ReadTurboFile(geom, f.coord));
    ASSERT_EQ(0, ReadTurboFile(geom, f.basis));
    ASSERT_EQ(0, ReadControlFile(geom, f.control));
    ASSERT_EQ(0, ReadTurboFile(geom, f.mos));
}

TEST_F(TurboDispatch, CommentLinesAreSkippedInEveryFile)
{
    CommentedFiles commented = WithComments();
    CommentedFiles plain{WithoutComments(commented.coord), WithoutComments(commented.basis),
                         WithoutComments(commented.control), WithoutComments(commented.mos)};
    UQGeometryData other;
    ReadAll(geom, commented);
    ReadAll(other, plain);
    ASSERT_EQ(2, geom.GetDim());
    EXPECT_EQ(8, geom.GetAtomData()[1].GetAtno());
    EXPECT_DOUBLE_EQ(1.07, geom.GetAtomData()[1].GetCoord().Getz());
    ASSERT_EQ(2, geom.GetBasis()->GetDim());
    EXPECT_EQ(5, geom.GetBasis()->GetOrbitalDim());
    EXPECT_DOUBLE_EQ(2.0, geom.GetBasis()->GetGaussian(0)->GetShells()[0]->GetPrim()[0].exponent);
    // The commented-out line would have occupied a third orbital.
    EXPECT_EQ(2.0, geom.GetO()[1]);
    EXPECT_EQ(0.0, geom.GetO()[2]);
    UMatrix<double> mos = geom.GetMos(), expected = other.GetMos();
    ASSERT_EQ(5, mos.GetColDim());
    for (long j = 0; j < 2; ++j) {
        EXPECT_EQ(other.GetE()[j], geom.GetE()[j]);
        for (long i = 0; i < 5; ++i) EXPECT_EQ(expected(i, j), mos(i, j)) << i << " " << j;
    }
    // '#' after blanks is not a comment: here a coordinate line that does not scan.
    EXPECT_EQ(cmInvalidTurbomoleFile,
              ReadTurboFile(other, "$coord\n  # 0.0 0.0 0.0 o\n 0 0 0 c\n 0 0 1 o\n$end\n"));
}

// One complete orbital over 40000 functions and nothing after it: the file
// cannot back the 40000 x 40000 matrix that its count announces.
std::string HugeFirstOrbital()
{
    std::string s = "$scfmo\n     1  a      eigenvalue=-.10D+01   nsaos=40000\n";
    std::string line;
    for (int k = 0; k < 4; ++k) line += "  1.234567890123D+00";
    line += "\n";
    for (int i = 0; i < 10000; ++i) s += line;
    return s;
}

// Every kind of damage ends in the system's error and nothing else.
TEST_F(TurboDispatch, BadInputTable)
{
    const char raw[] = "\x7f"
                       "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0>\0\x01\0\0\0\xff\xfe\n\0\0$end";
    std::string binary(raw, sizeof raw - 1);
    struct Case {
        std::string text;
        int code;
        const char* what;
    } cases[] = {
        {"", cmUnexpectedEof, "empty file"},
        {"$coord\n 0 0 0 h\n 1 1 1", cmInvalidTurbomoleFile, "coordinates cut in a line"},
        {"$coord\n 0 0 0 h\n 1 1 1 h", cmUnexpectedEof, "coordinates cut after a line"},
        {"$coord\n 0 0 0 h\n", cmUnexpectedEof, "missing $end"},
        {"$coord\n 0 0 x h\n$end\n", cmInvalidTurbomoleFile, "letters in a coordinate"},
        {"$coord\n 0 0 1.0.0 h\n$end\n", cmInvalidTurbomoleFile, "a malformed number"},
        {"$coord\n 0 0 0\n$end\n", cmInvalidTurbomoleFile, "three fields only"},
        {"$coord\n" + std::string(5000, '1') + "\n$end\n", cmInvalidTurbomoleFile,
         "a line of 5000 digits"},
        {"$coord\n 0 0 0 " + std::string(5000, 'h') + "\n$end\n", cmInvalidTurbomoleFile,
         "a line of 5000 characters"},
        {"$hessian\n  1 1            1.0            2.0            3.0\n"
         "  2 2            1.0            2.0            3.0\n$end\n",
         cmInvalidTurbomoleFile, "wrong Hessian line number"},
        {"$hessian\n  1 1            1.0\n", cmUnexpectedEof, "truncated Hessian"},
        {"$grad\n cycle = 1 SCF energy = -1.0\n 0 0 0 h\n 1 2", cmInvalidTurbomoleFile,
         "truncated gradients"},
        {"$grad\n cycle = 1 SCF energy = -1.0\n 0 0 0 h\n", cmUnexpectedEof,
         "gradients without their end"},
        {"$energy\n 1 -1.0\n", cmUnexpectedEof, "energy without $end"},
        {"$scfmo\n 1 a eigenvalue=-1.0 nsaos=2\n 0.1D+00", cmInvalidTurbomoleFile,
         "truncated orbitals"},
        {"$scfmo\n 1 a eigenvalue=-1.0 nsaos=999999999999\n 0.1D+00\n$end\n",
         cmInvalidTurbomoleFile, "a huge count"},
        {"$basis\n*\nh b\n*\n 3 s\n 1.0 1.0\n", cmUnexpectedEof, "truncated basis"},
        {binary, cmInvalidTurbomoleFile, "binary file"},
        {"$coord\n 0 0 nan h\n$end\n", cmInvalidTurbomoleFile, "nan for a coordinate"},
        {"$coord\n 0 inf 0 h\n$end\n", cmInvalidTurbomoleFile, "inf for a coordinate"},
        {"$coord\n 0 0 1e999 h\n$end\n", cmInvalidTurbomoleFile, "a coordinate beyond a double"},
        {"$energy\n 1 -7.61D+01\n$end\n", cmInvalidTurbomoleFile, "an energy with a D exponent"},
        {"$hessian\n  1 1            nan            2.0            3.0\n$end\n",
         cmInvalidTurbomoleFile, "nan in the Hessian"},
        {"$scfmo\n 1 a eigenvalue=-1.0 nsaos=1\n                 nan\n$end\n",
         cmInvalidTurbomoleFile, "nan for a coefficient"},
        {HugeFirstOrbital(), cmUnexpectedEof,
         "a first orbital of 40000 functions, then the end of the file"},
    };
    for (const Case& c : cases) {
        UQGeometryData fresh;
        std::string message;
        EXPECT_EQ(c.code, ReadTurboFile(fresh, c.text, &message)) << c.what;
        EXPECT_NE(std::string::npos, message.find(".\nError in file U")) << c.what;
    }
    EXPECT_EQ(cmUnexpectedEof, ReadControlFile(geom, ""));
    EXPECT_EQ(cmUnexpectedEof, ReadControlFile(geom, binary.substr(0, 20)));
}

// Real files of the shared data; skipped when it is absent.
class RealTurbomoleFiles : public TurboDispatch {
protected:
    void ReadFile(const std::string& file, bool control = false)
    {
        std::string contents = SharedFile(file);
        ASSERT_FALSE(contents.empty()) << file;
        std::string message;
        TextStream text(contents);
        UTurboFilter filter(text.Get());
        int code = RaisedCode(
            [&] {
                if (control)
                    filter.ReadControl(&geom);
                else
                    filter.ReadGeometry(&geom);
            },
            &message);
        ASSERT_EQ(0, code) << file << ": " << message;
    }
    void SetUp() override
    {
        TurboDispatch::SetUp();
        if (SharedPath("data").empty()) GTEST_SKIP() << SharedMissing("data");
    }
};

TEST_F(RealTurbomoleFiles, DivinylbenzeneRestricted)
{
    const std::string folder = "data/dvb-rhf-sto3g";
    if (SharedPath(folder).empty()) GTEST_SKIP() << SharedMissing(folder);
    ReadFile("dvb-rhf-sto3g/coord");
    ASSERT_EQ(20, geom.GetDim());
    long carbons = 0;
    for (long i = 0; i < 20; ++i) carbons += geom.GetAtomData()[i].GetAtno() == 6;
    EXPECT_EQ(10, carbons);
    EXPECT_DOUBLE_EQ(-2.69176330280845, geom.GetAtomData()[0].GetCoord().Getx());
    ReadFile("dvb-rhf-sto3g/basis");
    ASSERT_EQ(2, geom.GetBasis()->GetDim());
    EXPECT_EQ(3, geom.GetBasis()->GetGaussian(0)->GetShells().GetDim());
    EXPECT_EQ(1, geom.GetBasis()->GetGaussian(1)->GetShells().GetDim());
    ReadFile("dvb-rhf-sto3g/control", true);
    EXPECT_EQ(60, geom.GetBasis()->GetOrbitalDim());
    UVector<double> o = geom.GetO();
    ASSERT_EQ(35, o.GetDim());
    EXPECT_EQ(2.0, o[34]);
    ReadFile("dvb-rhf-sto3g/mos");
    ASSERT_EQ(60, geom.GetE().GetDim());
    EXPECT_DOUBLE_EQ(-9.7461484059799, geom.GetE()[0]);
    UMatrix<double> c = geom.GetMos();
    ASSERT_EQ(60, c.GetColDim());
    EXPECT_DOUBLE_EQ(0.69876828353937, c(0, 0));
    EXPECT_DOUBLE_EQ(0.032405121159405, c(1, 0));
    EXPECT_EQ(60, geom.GetO().GetDim());
}

TEST_F(RealTurbomoleFiles, DivinylbenzeneCation)
{
    const std::string folder = "data/dvb-uhf-cation-sto3g";
    if (SharedPath(folder).empty()) GTEST_SKIP() << SharedMissing(folder);
    ReadFile("dvb-uhf-cation-sto3g/coord");
    ReadFile("dvb-uhf-cation-sto3g/basis");
    ReadFile("dvb-uhf-cation-sto3g/control", true);
    UVector<double> a = geom.GetOAlpha(), b = geom.GetOBeta();
    ASSERT_EQ(35, a.GetDim());
    ASSERT_EQ(34, b.GetDim());
    EXPECT_EQ(1.0, a[34]);
    ReadFile("dvb-uhf-cation-sto3g/alpha");
    ReadFile("dvb-uhf-cation-sto3g/beta");
    EXPECT_EQ(60, geom.GetAlpha().GetRowDim());
    EXPECT_EQ(60, geom.GetBeta().GetRowDim());
    EXPECT_EQ(60, geom.GetEBeta().GetDim());
    EXPECT_TRUE(geom.GetIsUnrestricted());
}

TEST_F(RealTurbomoleFiles, CarbonMonoxideWithDShells)
{
    const std::string folder = "data/co-pbe0-6311gss";
    if (SharedPath(folder).empty()) GTEST_SKIP() << SharedMissing(folder);
    ReadFile("co-pbe0-6311gss/coord");
    ASSERT_EQ(2, geom.GetDim());
    EXPECT_EQ(6, geom.GetAtomData()[0].GetAtno());
    EXPECT_EQ(8, geom.GetAtomData()[1].GetAtno());
    ReadFile("co-pbe0-6311gss/energy");
    EXPECT_DOUBLE_EQ(-113.2171540515, geom.GetEnergy());
    ReadFile("co-pbe0-6311gss/basis");
    UGaussianAtom* c = geom.GetBasis()->GetGaussian(0);
    ASSERT_EQ(10, c->GetShells().GetDim());
    EXPECT_EQ(stD5, c->GetShells()[9]->GetType());
    ReadFile("co-pbe0-6311gss/control", true);
    EXPECT_EQ(44, geom.GetBasis()->GetOrbitalDim());
    EXPECT_EQ(7, geom.GetO().GetDim());
    ReadFile("co-pbe0-6311gss/mos");
    UMatrix<double> mos = geom.GetMos();
    ASSERT_EQ(44, mos.GetColDim());
    ASSERT_EQ(44, mos.GetRowDim());
    EXPECT_DOUBLE_EQ(-19.31513250292, geom.GetE()[0]);
    // s and p functions keep their place; the first is the carbon 1s.
    EXPECT_DOUBLE_EQ(0.56306316870283, mos(0, 1));

    // The same file without a basis set stays in Turbomole order: carbon's d
    // shell (functions 17 to 21) holds m = 0, +1, -1, -2, +2 there and
    // m = 0, +1, -1, +2, -2 in the molecule.
    UQGeometryData plain;
    TextStream text(SharedFile("co-pbe0-6311gss/mos"));
    UTurboFilter filter(text.Get());
    ASSERT_EQ(0, RaisedCode([&] { filter.ReadGeometry(&plain); }));
    UMatrix<double> file = plain.GetMos();
    for (long j = 0; j < 44; ++j) {
        for (long i = 0; i < 20; ++i) EXPECT_DOUBLE_EQ(file(i, j), mos(i, j)) << i << " " << j;
        EXPECT_DOUBLE_EQ(file(21, j), mos(20, j)) << j;
        EXPECT_DOUBLE_EQ(file(20, j), mos(21, j)) << j;
    }

    // Written in Turbomole order again, the section reads back the same.
    TextStream out;
    UTurboFilter writer(out.Get());
    writer.WriteOrbitals(&geom, tfsScfMo);
    UQGeometryData back;
    for (const char* f : {"co-pbe0-6311gss/coord", "co-pbe0-6311gss/basis"}) {
        TextStream in(SharedFile(f));
        UTurboFilter reader(in.Get());
        ASSERT_EQ(0, RaisedCode([&] { reader.ReadGeometry(&back); })) << f;
    }
    TextStream control(SharedFile("co-pbe0-6311gss/control"));
    UTurboFilter controlReader(control.Get());
    ASSERT_EQ(0, RaisedCode([&] { controlReader.ReadControl(&back); }));
    TextStream in(out.Contents());
    UTurboFilter reader(in.Get());
    ASSERT_EQ(0, RaisedCode([&] { reader.ReadGeometry(&back); }));
    UMatrix<double> again = back.GetMos();
    ASSERT_EQ(44, again.GetRowDim());
    for (long j = 0; j < 44; ++j)
        for (long i = 0; i < 44; ++i) EXPECT_NEAR(mos(i, j), again(i, j), 1e-13) << i << " " << j;
}

TEST_F(RealTurbomoleFiles, DivinylbenzeneHessian)
{
    const std::string folder = "data/dvb-aoforce-sto3g";
    if (SharedPath(folder).empty()) GTEST_SKIP() << SharedMissing(folder);
    ReadFile("dvb-aoforce-sto3g/coord");
    ReadFile("dvb-aoforce-sto3g/hessian");
    ASSERT_TRUE(geom.GetHasHessian());
    UMatrix<double> h = geom.GetHessian();
    ASSERT_EQ(60, h.GetColDim());
    EXPECT_DOUBLE_EQ(0.6711059487, h(0, 0));
    double worst = 0.0;
    for (long i = 0; i < 60; ++i)
        for (long j = 0; j < i; ++j) worst = std::fmax(worst, std::fabs(h(i, j) - h(j, i)));
    EXPECT_LT(worst, 1e-6);
    ReadFile("dvb-aoforce-sto3g/basis");
    ReadFile("dvb-aoforce-sto3g/control", true);
    EXPECT_EQ(60, geom.GetBasis()->GetOrbitalDim());
}

// Every Turbomole input of every shared case, in the order a conversion reads them.
TEST_F(RealTurbomoleFiles, EveryCaseReadsInConversionOrder)
{
    const char* const cases[] = {"co-pbe0-6311gss", "dvb-aoforce-sto3g", "dvb-rhf-sto3g",
                                 "dvb-uhf-cation-sto3g"};
    for (const char* name : cases)
        if (SharedPath(std::string("data/") + name).empty())
            GTEST_SKIP() << SharedMissing(std::string("data/") + name);
    for (const char* name : cases) {
        UQGeometryData molecule;
        std::istringstream args(SharedFile(std::string(name) + "/args"));
        std::string option, file, geometryFiles[5], basis, control;
        std::vector<std::string> orbitals;
        const std::string order = "cegh";
        while (args >> option) {
            if (option == "-bo") {
                while (args >> file && file[0] != '-') orbitals.push_back(file);
                if (file[0] != '-') break;
                option = file;
            }
            args >> file;
            if (option.size() == 3 && option[1] == 'i' &&
                order.find(option[2]) != std::string::npos)
                geometryFiles[order.find(option[2])] = file;
            if (option == "-ba") basis = file;
            if (option == "-bc") control = file;
        }
        auto read = [&](const std::string& f, bool isControl) {
            if (f.empty()) return;
            TextStream text(SharedFile(std::string(name) + "/" + f));
            UTurboFilter filter(text.Get());
            std::string message;
            int code = RaisedCode(
                [&] {
                    if (isControl)
                        filter.ReadControl(&molecule);
                    else
                        filter.ReadGeometry(&molecule);
                },
                &message);
            EXPECT_EQ(0, code) << name << "/" << f << ": " << message;
        };
        for (const std::string& f : geometryFiles) read(f, false);
        read(basis, false);
        read(control, true);
        for (const std::string& f : orbitals) read(f, false);

        EXPECT_TRUE(molecule.GetHasCoordinates()) << name;
        long functions = molecule.GetBasis()->GetOrbitalDim();
        EXPECT_GT(functions, 0) << name;
        if (molecule.GetIsUnrestricted()) {
            EXPECT_EQ(functions, molecule.GetAlpha().GetColDim()) << name;
            EXPECT_EQ(functions, molecule.GetBeta().GetColDim()) << name;
        } else {
            EXPECT_EQ(functions, molecule.GetMos().GetColDim()) << name;
        }
    }
}

}  // namespace
