// The aoforce output reader: blocks laid out as aoforce prints them, the real
// divinylbenzene output, and damaged files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "convert/UTurbo.h"
#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "tests/convert/TurboTestSupport.h"
#include "tests/support/TempDir.h"
#include "utilities/UStrUtilities.h"

namespace {

struct Atom {
    const char* symbol;
    double x, y, z;
};

std::string Format(const char* format, double value)
{
    char buf[64];
    snprintf(buf, sizeof buf, format, value);
    return buf;
}

// Text of an aoforce output, block by block, in aoforce's columns.
struct AoforceText {
    std::string text;

    void Lines(const std::vector<std::string>& lines)
    {
        for (const std::string& l : lines) text += l + "\n";
    }

    void AtomicCoordinates(const std::vector<Atom>& atoms)
    {
        text += "              atomic coordinates              atom shells charge pseudo isotop\n";
        for (const Atom& a : atoms) {
            char buf[128];
            snprintf(buf, sizeof buf, "%15.8f%14.8f%14.8f    %-2s     1    1.000    0     0\n", a.x,
                     a.y, a.z, a.symbol);
            text += buf;
        }
        text += "\n";
    }

    void CartesianCoordinates(const std::vector<Atom>& atoms)
    {
        text += "    actual cartesian coordinates   \n";
        text += " atom     x                     y                     z\n";
        for (size_t i = 0; i < atoms.size(); ++i) {
            char buf[128];
            snprintf(buf, sizeof buf, "%4d  %-2s%22.14f%22.14f%22.14f\n", (int)i + 1,
                     atoms[i].symbol, atoms[i].x, atoms[i].y, atoms[i].z);
            text += buf;
        }
        text += "\n";
    }

    void Gradients(const std::vector<std::vector<double>>& g)
    {
        text += "  actual cartesian gradients\n";
        text += " atom     dE/dx                 dE/dy                 dE/dz\n";
        for (size_t i = 0; i < g.size(); ++i) {
            char buf[128];
            snprintf(buf, sizeof buf, "%4d  c %22.14E%22.14E%22.14E\n", (int)i + 1, g[i][0],
                     g[i][1], g[i][2]);
            std::string line = buf;
            // aoforce prints Fortran exponents.
            for (char& c : line)
                if (c == 'E') c = 'D';
            text += line;
        }
        text += "\n";
    }

    // h(r, c) for r >= c as aoforce prints the lower triangle.
    void Hessian(long n, double (*h)(long, long))
    {
        Lines({"          -------------------------------------------------",
               "          CARTESIAN FORCE CONSTANT MATRIX (hartree/bohr**2)",
               "         (translational & rotational space projected out)",
               "          -------------------------------------------------", ""});
        for (long s = 0; s < n; s += 6) {
            Lines({"   ATOM              1 c                           2 c ",
                   "                  dx        dy        dz        dx        dy        dz"});
            for (long r = s; r < n; ++r) {
                char prefix[64];
                snprintf(prefix, sizeof prefix, "%4ld c     d%c ", r / 3 + 1, "xyz"[r % 3]);
                std::string line = prefix;
                for (long c = s; c < std::min(s + 6, r + 1); ++c) line += Format("%10.7f", h(r, c));
                text += line + "\n";
            }
            text += "\n";
        }
        // Three lines follow every block of columns, the last one too.
        Lines({"", ""});
    }

    // freq[c] as printed (for example "i23.45"), mode(r, c).
    void Modes(long n, const std::vector<std::string>& freq, double (*mode)(long, long))
    {
        Lines({"          ---------------------------------------------------",
               "          NORMAL MODES and VIBRATIONAL FREQUENCIES (cm**(-1))",
               "          ---------------------------------------------------", "",
               " imaginary wave numbers indicate a negative curvature of the energy surface.", "",
               ""});
        for (long s = 0; s < n; s += 6) {
            long e = std::min(s + 6, n);
            std::string modeLine = "       mode       ";
            std::string freqLine = "     frequency      ";
            for (long c = s; c < e; ++c) {
                char buf[64];
                snprintf(buf, sizeof buf, "%9ld", c + 1);
                modeLine += buf;
                snprintf(buf, sizeof buf, "%9s", freq[c].c_str());
                freqLine += buf;
            }
            Lines({modeLine, "", freqLine, "", "     symmetry", "", "        IR",
                   "|dDIP/dQ|   (a.u.)", "intensity (km/mol)", "intensity (  %   )", "",
                   "       RAMAN", ""});
            for (long r = 0; r < n; ++r) {
                char prefix[64];
                snprintf(prefix, sizeof prefix, "%3ld   c           %c ", r / 3 + 1, "xyz"[r % 3]);
                std::string line = prefix;
                for (long c = s; c < e; ++c) line += Format("%9.5f", mode(r, c));
                text += line + "\n";
            }
            Lines({"", "reduced mass(g/mol)     1.000", "", ""});
        }
        Lines({" <geterg> : there is no data group $energy ", ""});
    }
};

const std::vector<Atom> water = {
    {"o", 0.0, 0.0, -0.12}, {"h", 0.0, 1.43, 0.98}, {"h", 0.0, -1.43, 0.98}};
const std::vector<std::vector<double>> waterGradients = {
    {1e-5, -2e-5, 3e-5}, {0, 0, -1.5e-3}, {4e-7, 0, 0}};

// Distinct values, so a misplaced element shows.
double HessianValue(long r, long c) { return 0.01 * (r + 1) + 0.0001 * (c + 1); }
double ModeValue(long r, long c) { return -0.5 + 0.01 * r + 0.001 * c; }

const std::vector<std::string> waterFrequencies = {"i23.45", "0.00",    "0.00",   "0.00",   "0.00",
                                                   "0.00",   "1650.12", "3700.5", "3801.99"};

std::string WaterOutput()
{
    AoforceText t;
    t.Lines(
        {" aoforce", "", "              | Atomic coordinate, charge and isotop information |", ""});
    t.AtomicCoordinates(water);
    t.Hessian(9, HessianValue);
    t.Modes(9, waterFrequencies, ModeValue);
    return t.text;
}

void ReadVibrations(const std::string& text, UQGeometryData& geom)
{
    TextStream stream(text);
    UTurboFilter filter(stream.Get());
    filter.ReadVibrations(&geom);
    EXPECT_FALSE(filter.GetSkipEmptyLines());
}

TEST(AoforceOutput, ReadsAtomsHessianFrequenciesAndModesOfThreeAtoms)
{
    RegisterMessages();
    UQGeometryData geom;
    ReadVibrations(WaterOutput(), geom);

    ASSERT_EQ(3, geom.GetDim());
    EXPECT_TRUE(geom.GetHasCoordinates());
    EXPECT_FALSE(geom.GetHasGradients());
    UVector<UQAtomData> atoms = geom.GetAtomData();
    const long elements[] = {8, 1, 1};
    for (long i = 0; i < 3; ++i) {
        EXPECT_EQ(elements[i], atoms[i].GetAtno());
        EXPECT_DOUBLE_EQ(water[i].y, atoms[i].GetCoord().Gety());
        EXPECT_DOUBLE_EQ(water[i].z, atoms[i].GetCoord().Getz());
    }

    // Two column blocks (0-5 and 6-8), stored as a full symmetric matrix.
    ASSERT_TRUE(geom.GetHasHessian());
    UMatrix<double> h = geom.GetHessian();
    ASSERT_EQ(9, h.GetColDim());
    ASSERT_EQ(9, h.GetRowDim());
    for (long r = 0; r < 9; ++r)
        for (long c = 0; c <= r; ++c) {
            EXPECT_NEAR(HessianValue(r, c), h(r, c), 5e-8) << r << "," << c;
            EXPECT_EQ(h(r, c), h(c, r));
        }

    // Two mode blocks (6 and 3 modes); the imaginary frequency is negative.
    ASSERT_TRUE(geom.GetHasFrequencies());
    UVector<double> f = geom.GetFrequencies();
    ASSERT_EQ(9, f.GetDim());
    EXPECT_DOUBLE_EQ(-23.45, f[0]);
    EXPECT_DOUBLE_EQ(0.0, f[5]);
    EXPECT_DOUBLE_EQ(1650.12, f[6]);
    EXPECT_DOUBLE_EQ(3801.99, f[8]);
    ASSERT_TRUE(geom.GetHasVibrations());
    UMatrix<double> m = geom.GetVibrations();
    ASSERT_EQ(9, m.GetColDim());
    ASSERT_EQ(9, m.GetRowDim());
    for (long r = 0; r < 9; ++r)
        for (long c = 0; c < 9; ++c) EXPECT_NEAR(ModeValue(r, c), m(r, c), 5e-6) << r << "," << c;
}

TEST(AoforceOutput, OverwritesTheAtomsOfAnEarlierFile)
{
    RegisterMessages();
    UQGeometryData geom;
    geom.AddCoordinates(6, V3(9.0, 9.0, 9.0));
    geom.AddCoordinates(6, V3(9.0, 9.0, 9.0));
    geom.AddCoordinates(6, V3(9.0, 9.0, 9.0));
    ReadVibrations(WaterOutput(), geom);
    ASSERT_EQ(3, geom.GetDim());
    UVector<UQAtomData> atoms = geom.GetAtomData();
    EXPECT_EQ(8, atoms[0].GetAtno());
    EXPECT_EQ(1, atoms[2].GetAtno());
    EXPECT_DOUBLE_EQ(-1.43, atoms[2].GetCoord().Gety());
    EXPECT_TRUE(geom.GetHasVibrations());
}

TEST(AoforceOutput, CartesianBlocksAndStopAfterAllFourKinds)
{
    RegisterMessages();
    AoforceText t;
    // A heading with further text on its line starts no block.
    t.Lines({"  actual cartesian coordinates of something else", "  1  zz  not a number", ""});
    t.CartesianCoordinates(water);
    t.Gradients(waterGradients);
    t.Hessian(9, HessianValue);
    t.Modes(9, waterFrequencies, ModeValue);
    // Everything after the block that completes the molecule stays unread.
    t.Lines({"    actual cartesian gradients", "", "   1  c   letters instead of numbers"});
    UQGeometryData geom;
    ReadVibrations(t.text, geom);
    ASSERT_EQ(3, geom.GetDim());
    UVector<UQAtomData> atoms = geom.GetAtomData();
    EXPECT_EQ(8, atoms[0].GetAtno());
    EXPECT_DOUBLE_EQ(0.98, atoms[1].GetCoord().Getz());
    EXPECT_TRUE(geom.GetHasGradients());
    EXPECT_DOUBLE_EQ(-1.5e-3, atoms[1].GetGrad().Getz());
    EXPECT_DOUBLE_EQ(4e-7, atoms[2].GetGrad().Getx());
    EXPECT_DOUBLE_EQ(-2e-5, atoms[0].GetGrad().Gety());
    EXPECT_TRUE(geom.GetHasHessian());
    EXPECT_TRUE(geom.GetHasVibrations());
}

TEST(AoforceOutput, StopsAfterTheFirstBlockWhenEverythingIsThere)
{
    RegisterMessages();
    UQGeometryData geom;
    ReadVibrations(WaterOutput(), geom);
    for (long i = 0; i < 3; ++i) geom.SetGradients(i, V3(0.0, 0.0, 0.0));
    AoforceText t;
    t.AtomicCoordinates(water);
    t.Lines({"          CARTESIAN FORCE CONSTANT MATRIX (hartree/bohr**2)", "truncated"});
    ReadVibrations(t.text, geom);
    EXPECT_TRUE(geom.GetHasHessian());
}

// Reads the divinylbenzene output of the shared data, after its coordinate
// file as the driver does, and compares with what aoforce printed.
TEST(AoforceOutput, RealDivinylbenzeneOutput)
{
    const std::string folder = "data/dvb-aoforce-sto3g";
    if (SharedPath(folder).empty()) GTEST_SKIP() << SharedMissing(folder);
    // With the shared data present, a missing or empty file is a failure.
    std::string text = SharedFile("dvb-aoforce-sto3g/aoforce.out");
    std::string expected = SharedFile("dvb-aoforce-sto3g/expected-vib.json");
    ASSERT_FALSE(text.empty());
    ASSERT_FALSE(expected.empty());
    RegisterMessages();
    UQGeometryData geom;
    ReadVibrations(text, geom);

    ASSERT_EQ(20, geom.GetDim());
    UVector<UQAtomData> atoms = geom.GetAtomData();
    long carbons = 0, hydrogens = 0;
    for (long i = 0; i < 20; ++i) {
        carbons += atoms[i].GetAtno() == 6;
        hydrogens += atoms[i].GetAtno() == 1;
    }
    EXPECT_EQ(10, carbons);
    EXPECT_EQ(10, hydrogens);
    EXPECT_DOUBLE_EQ(-2.69176330, atoms[0].GetCoord().Getx());
    EXPECT_DOUBLE_EQ(-4.45456858, atoms[19].GetCoord().Getz());
    EXPECT_EQ(1, atoms[19].GetAtno());

    UMatrix<double> h = geom.GetHessian();
    ASSERT_EQ(60, h.GetColDim());
    ASSERT_EQ(60, h.GetRowDim());
    for (long r = 0; r < 60; ++r)
        for (long c = 0; c < r; ++c) ASSERT_EQ(h(r, c), h(c, r));
    EXPECT_DOUBLE_EQ(0.6711059, h(0, 0));
    EXPECT_DOUBLE_EQ(-0.0242263, h(3, 2));
    EXPECT_DOUBLE_EQ(-0.0242263, h(2, 3));

    // The expected file holds the frequencies and then one list per mode.
    std::vector<double> numbers = NumbersIn(expected);
    ASSERT_EQ(60u + 60u * 60u, numbers.size());
    UVector<double> f = geom.GetFrequencies();
    ASSERT_EQ(60, f.GetDim());
    for (long c = 0; c < 60; ++c) EXPECT_NEAR(numbers[c], f[c], 1e-9) << c;
    UMatrix<double> m = geom.GetVibrations();
    ASSERT_EQ(60, m.GetColDim());
    ASSERT_EQ(60, m.GetRowDim());
    for (long c = 0; c < 60; ++c)
        for (long r = 0; r < 60; ++r)
            ASSERT_NEAR(numbers[60 + 60 * c + r], m(r, c), 1e-9) << r << "," << c;
}

// As a conversion reads them: the coordinate and "$hessian" files first. The
// output's atoms overwrite the same atoms and its printed force constants
// agree with the file's, element by element.
TEST(AoforceOutput, RealOutputAgreesWithTheCoordinateAndHessianFiles)
{
    const std::string folder = "data/dvb-aoforce-sto3g";
    if (SharedPath(folder).empty()) GTEST_SKIP() << SharedMissing(folder);
    std::string coord = SharedFile("dvb-aoforce-sto3g/coord");
    std::string hessian = SharedFile("dvb-aoforce-sto3g/hessian");
    std::string output = SharedFile("dvb-aoforce-sto3g/aoforce.out");
    ASSERT_FALSE(coord.empty());
    ASSERT_FALSE(hessian.empty());
    ASSERT_FALSE(output.empty());
    RegisterMessages();
    UQGeometryData geom;
    for (const std::string* file : {&coord, &hessian}) {
        TextStream stream(*file);
        UTurboFilter filter(stream.Get());
        ASSERT_EQ(0, RaisedCode([&] { filter.ReadGeometry(&geom); }));
    }
    ASSERT_EQ(20, geom.GetDim());
    std::vector<long> elements;
    std::vector<double> coordinates, constants;
    UVector<UQAtomData> before = geom.GetAtomData();
    for (long i = 0; i < 20; ++i) {
        elements.push_back(before[i].GetAtno());
        for (long k = 0; k < 3; ++k) coordinates.push_back(before[i].GetCoord()[k]);
    }
    UMatrix<double> fromFile = geom.GetHessian();
    for (long r = 0; r < 60; ++r)
        for (long c = 0; c < 60; ++c) constants.push_back(fromFile(r, c));

    ReadVibrations(output, geom);
    ASSERT_EQ(20, geom.GetDim());
    UVector<UQAtomData> atoms = geom.GetAtomData();
    for (long i = 0; i < 20; ++i) {
        EXPECT_EQ(elements[i], atoms[i].GetAtno()) << i;
        for (long k = 0; k < 3; ++k)
            EXPECT_NEAR(coordinates[3 * i + k], atoms[i].GetCoord()[k], 1e-8) << i << "," << k;
    }
    // Seven printed decimals; the file's matrix is symmetric to 1e-6 only.
    UMatrix<double> h = geom.GetHessian();
    for (long r = 0; r < 60; ++r)
        for (long c = 0; c < 60; ++c)
            ASSERT_NEAR(constants[60 * r + c], h(r, c), 2e-6) << r << "," << c;
    EXPECT_TRUE(geom.GetHasVibrations());
}

struct DamagedCase {
    const char* name;
    std::string text;
    long atomsBefore;  // atoms the molecule holds before the output is read
    int code;
    const char* message;
};

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    size_t at = text.find(from);
    EXPECT_NE(std::string::npos, at) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

std::string Cut(const std::string& text, const std::string& before)
{
    size_t at = text.find(before);
    EXPECT_NE(std::string::npos, at) << before;
    return text.substr(0, at);
}

std::string BinaryBytes()
{
    std::string bytes;
    unsigned state = 12345;
    for (int i = 0; i < 4096; ++i) {
        state = state * 1103515245u + 12345u;
        bytes += (char)(state >> 16);
    }
    return bytes;
}

std::string ManyAtomsAndAHessian()
{
    AoforceText t;
    std::vector<Atom> atoms(20000, Atom{"c", 1.0, 2.0, 3.0});
    t.AtomicCoordinates(atoms);
    t.Lines({"          CARTESIAN FORCE CONSTANT MATRIX (hartree/bohr**2)", "", "", "", "", "",
             "   1 c     dx  0.6711059"});
    return t.text;
}

std::vector<DamagedCase> DamagedCases()
{
    const std::string good = WaterOutput();
    const char* eof = "Unexpected EOF encountered.\nError in file U";
    const char* invalid = "Invalid Turbomole file header/contents.\nError in file UTurbo line ";
    const char* dims = "Incompatible vector/matrix dimensions.\nError in file UTurbo line ";
    const char* range = "Index out of range.\nError in file UTurbo line ";
    AoforceText modesOnly;
    modesOnly.Modes(9, waterFrequencies, ModeValue);
    AoforceText hessianOnly;
    hessianOnly.Hessian(9, HessianValue);
    AoforceText gradientsOnly;
    gradientsOnly.Gradients(waterGradients);
    AoforceText withGradients;
    withGradients.CartesianCoordinates(water);
    withGradients.Gradients(waterGradients);
    AoforceText fourAtoms;
    fourAtoms.AtomicCoordinates({water[0], water[1], water[2], water[2]});
    AoforceText twoAtoms;
    twoAtoms.AtomicCoordinates({water[0], water[1]});
    return {
        {"empty file", "", 0, cmInvalidTurbomoleFile, invalid},
        {"binary file", BinaryBytes(), 0, cmInvalidTurbomoleFile, invalid},
        {"no block heading", "aoforce ended abnormally\n\n", 0, cmInvalidTurbomoleFile, invalid},
        {"truncated gradients", Cut(withGradients.text, "   3  c "), 0, cmUnexpectedEof, eof},
        {"truncated force constants", Cut(good, "   3 c     dy"), 0, cmUnexpectedEof, eof},
        {"truncated normal modes", Cut(good, "  3   c           y"), 0, cmUnexpectedEof, eof},
        {"no mode line before the end", Cut(good, "       mode "), 0, umIncompatibleDimensions,
         dims},
        {"letters in a coordinate", Replace(good, "1.43000000", "1.43OOOOOO"), 0,
         cmInvalidTurbomoleFile, invalid},
        {"letters in a force constant", Replace(good, "0.0302000", "0.03O2000"), 0,
         cmInvalidTurbomoleFile, invalid},
        {"blank force constant", Replace(good, " 0.0302000", "          "), 0,
         cmInvalidTurbomoleFile, invalid},
        {"letters in a mode", Replace(good, "-0.49900", "-0.4990x"), 0, cmInvalidTurbomoleFile,
         invalid},
        {"letters in a frequency", Replace(good, "1650.12", "1650.xx"), 0, cmInvalidTurbomoleFile,
         invalid},
        {"nan for a force constant", Replace(good, "0.0302000", "      nan"), 0,
         cmInvalidTurbomoleFile, invalid},
        {"nan for a mode", Replace(good, "-0.49900", "     nan"), 0, cmInvalidTurbomoleFile,
         invalid},
        {"nan for a frequency", Replace(good, "1650.12", "    nan"), 0, cmInvalidTurbomoleFile,
         invalid},
        {"5000 characters in the force constants",
         Replace(good, "   3 c     dy", std::string(5000, 'x')), 0, cmInvalidTurbomoleFile,
         invalid},
        {"gradients without atoms", gradientsOnly.text, 0, umIncompatibleDimensions, dims},
        {"force constants without atoms", hessianOnly.text, 0, umIncompatibleDimensions, dims},
        {"normal modes without atoms", modesOnly.text, 0, umIncompatibleDimensions, dims},
        {"more coordinate lines than atoms", fourAtoms.text, 3, umIndexOutOfRange, range},
        {"fewer coordinate lines than atoms", twoAtoms.text, 3, umIncompatibleDimensions, dims},
        {"force constants of more atoms than the file holds", ManyAtomsAndAHessian(), 0,
         cmUnexpectedEof, "Unexpected EOF encountered.\nError in file UTurbo line "},
    };
}

TEST(AoforceOutput, DamagedFilesRaiseTheSystemsError)
{
    RegisterMessages();
    for (const DamagedCase& c : DamagedCases()) {
        SCOPED_TRACE(c.name);
        UQGeometryData geom;
        for (long i = 0; i < c.atomsBefore; ++i) geom.AddCoordinates(6, V3(0.0, 0.0, 0.0));
        std::string message;
        EXPECT_EQ(c.code, RaisedCode([&] { ReadVibrations(c.text, geom); }, &message));
        EXPECT_EQ(0u, message.find(c.message)) << message;
    }
}

TEST(AoforceOutput, LongLinesAndNoiseBetweenBlocksAreIgnored)
{
    RegisterMessages();
    std::string text = std::string(5000, 'x') + "\n" + BinaryBytes() + "\n\n" + WaterOutput();
    UQGeometryData geom;
    ReadVibrations(text, geom);
    EXPECT_EQ(3, geom.GetDim());
    EXPECT_TRUE(geom.GetHasVibrations());
}

}  // namespace
