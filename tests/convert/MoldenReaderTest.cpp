// The Molden readers: records, the section dispatcher, the atom, frequency and
// mode sections with their checks, and real files written by the Molden
// program, psi4 and Open Babel.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "convert/UMolden.h"
#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "tests/convert/TurboTestSupport.h"
#include "tests/support/TempDir.h"
#include "tests/support/VectorItems.h"
#include "utilities/UStrUtilities.h"

namespace {

const double angstrom = 0.529177249;

std::vector<long> ElementsOf(const UQGeometryData& g)
{
    std::vector<long> z;
    UVector<UQAtomData> atoms = g.GetAtomData();
    for (long i = 0; i < g.GetDim(); i++) z.push_back(atoms[i].GetAtno());
    return z;
}

std::vector<double> CoordinatesOf(const UQGeometryData& g)
{
    UVector<double> r(0, 1);
    g.GetCoordinates(r);
    return Items(r);
}

// The normal modes column by column; empty without modes.
std::vector<std::vector<double>> ModesOf(const UQGeometryData& g)
{
    std::vector<std::vector<double>> columns;
    if (!g.GetHasVibrations()) return columns;
    UMatrix<double> modes = g.GetVibrations();
    for (long m = 0; m < modes.GetRowDim(); m++) {
        columns.emplace_back();
        for (long row = 0; row < modes.GetColDim(); row++) columns.back().push_back(modes(row, m));
    }
    return columns;
}

// Both molecules hold the same atoms, frequencies and modes, bit for bit.
void ExpectSameRead(const UQGeometryData& a, const UQGeometryData& b)
{
    EXPECT_EQ(ElementsOf(a), ElementsOf(b));
    EXPECT_EQ(CoordinatesOf(a), CoordinatesOf(b));
    ASSERT_EQ(a.GetHasFrequencies(), b.GetHasFrequencies());
    if (a.GetHasFrequencies()) {
        EXPECT_EQ(Items(a.GetFrequencies()), Items(b.GetFrequencies()));
    }
    EXPECT_EQ(ModesOf(a), ModesOf(b));
}

// A file of the real data beside the repository; "" when it cannot be read.
std::string SharedText(const std::string& relative)
{
    std::ifstream in(SharedPath(relative), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class MoldenReader : public ::testing::Test {
protected:
    void SetUp() override { RegisterMessages(); }

    // Reads text as a whole file into geom; the raised code, 0 when none.
    int Read(const std::string& text) { return ReadInto(geom, text); }

    static int ReadInto(UQGeometryData& into, const std::string& text,
                        std::string* message = nullptr)
    {
        TextStream stream(text);
        UMoldenFilter filter(stream.Get());
        return RaisedCode([&] { filter.ReadGeometry(&into); }, message);
    }

    std::vector<long> Elements() const { return ElementsOf(geom); }

    V3 Coord(long i) const { return geom.GetAtomData()[i].GetCoord(); }

    UQGeometryData geom;
};

TEST_F(MoldenReader, RecordsAreClassifiedByTheirFirstCharacter)
{
    TextStream stream("[Atoms] AU  \n\n  H 1 1\t0 0 0\n[5d7f]\n[5D]\n[Title]\n [ATOMS]\n");
    UMoldenFilter f(stream.Get());
    EXPECT_EQ(-1, f.GetRecordType());
    EXPECT_EQ(-1, f.GetSectionType());
    char buf[UMoldenFilter::recordLength + 1];
    struct Expected {
        long recordType;
        long sectionType;
        const char* text;
    };
    const Expected records[] = {
        {1, mfsAtoms, "[Atoms] AU"},     // trimmed; the header is matched by its start in any case
        {0, mfsAtoms, "  H 1 1 0 0 0"},  // the empty line skipped, the tab a blank, not trimmed
        {1, mfs5D7F, "[5d7f]"},          // found before "[5D]"
        {1, mfs5D, "[5D]"},
        {1, -2, "[Title]"},
        {0, -2, " [ATOMS]"},  // a section line starts with '['
    };
    for (const Expected& e : records) {
        EXPECT_EQ(e.recordType, f.GetRecord(buf, UMoldenFilter::recordLength)) << e.text;
        EXPECT_EQ(e.recordType, f.GetRecordType());
        EXPECT_EQ(e.sectionType, f.GetSectionType()) << e.text;
        EXPECT_STREQ(e.text, buf);
    }
    EXPECT_EQ(cmUnexpectedEof, RaisedCode([&] { f.GetRecord(buf, UMoldenFilter::recordLength); }));
    EXPECT_EQ(-2, f.GetRecordType());
    EXPECT_STREQ("", buf);
}

// Mend: empty lines at the end of a file used to run into the end of the
// stream (25001); now they end the last section like a section line.
TEST_F(MoldenReader, EmptyLinesAtTheEndEndTheFile)
{
    TextStream stream("[FREQ]\n\n\n");
    UMoldenFilter f(stream.Get());
    char buf[UMoldenFilter::recordLength + 1];
    EXPECT_EQ(1, f.GetRecord(buf, UMoldenFilter::recordLength));
    EXPECT_EQ(1, f.GetRecord(buf, UMoldenFilter::recordLength));
    EXPECT_EQ(mfsNone, f.GetSectionType());
    EXPECT_STREQ("", buf);

    const std::string atoms = "[Molden Format]\n[ATOMS] AU\nH 1 1 0 0 0\nH 2 1 0 0 1.4\n";
    for (const char* tail : {"\n", "\n\n\n", "\r\n\r\n"}) {
        UQGeometryData fresh;
        EXPECT_EQ(0, ReadInto(fresh, atoms + tail)) << "tail of " << std::string(tail).size();
        EXPECT_EQ(2, fresh.GetDim());
    }
    // The end of a mode block stays an unexpected end, empty lines or not.
    const std::string modes = atoms + "[FR-NORM-COORD]\nvibration 1\n0 0 1\n";
    for (const char* tail : {"", "\n\n"}) {
        UQGeometryData fresh;
        EXPECT_EQ(cmUnexpectedEof, ReadInto(fresh, modes + tail));
    }
}

TEST_F(MoldenReader, LinesLongerThanARecordAreRefused)
{
    auto lineOf = [](size_t n) { return std::string(n - 1, ' ') + "1"; };
    TextStream stream(lineOf(2047) + "\n" + lineOf(2047) + "\n" + lineOf(2048) + "\n");
    UMoldenFilter f(stream.Get());
    char buf[UMoldenFilter::recordLength + 1];
    EXPECT_EQ(0, f.GetRecord(buf, UMoldenFilter::recordLength));
    EXPECT_EQ(2047u, std::string(buf).size());
    EXPECT_EQ(0, f.GetRecord(buf, UMoldenFilter::recordLength));
    EXPECT_EQ(cmInvalidMoldenFile,
              RaisedCode([&] { f.GetRecord(buf, UMoldenFilter::recordLength); }));
    EXPECT_EQ(umIndexOutOfRange, RaisedCode([&] { f.GetRecord(buf, 0); }));

    const std::string longLine(5000, '1');
    for (const std::string& file :
         {"[FREQ]\n" + longLine + "\n", "[Title]\n" + longLine + "\n[ATOMS]\nH 1 1 0 0 0\n",
          "[" + longLine + "]\n", longLine}) {
        UQGeometryData fresh;
        EXPECT_EQ(cmInvalidMoldenFile, ReadInto(fresh, file)) << file.substr(0, 10);
    }
}

// Mend: every section that the reader does not take is skipped with its data
// lines; it used to refuse the file (25017), so no real file could be read.
TEST_F(MoldenReader, SectionsItDoesNotReadAreSkipped)
{
    const char* file = "[Molden Format]\n[Title]\nwater\n[5D]\n[ATOMS] AU\nO 1 8 0 0 0\n"
                       "[GTO]\n  1 0\ns 1 1.00\n 1.0 1.0\n\n"
                       "[MO]\n Sym= 1a\n Ene= -1.0\n Spin= Alpha\n Occup= 2.0\n 1 1.0\n"
                       "[GEOCONV]\nenergy\n -1.0\n[unknown section]\n[H 1 1 0 0 0]\n"
                       "[INT]\n 0.5\n";
    ASSERT_EQ(0, Read(file));
    EXPECT_EQ(std::vector<long>{8}, Elements());
    EXPECT_FALSE(geom.GetHasFrequencies());
}

TEST_F(MoldenReader, DataOutsideAnySectionIsRefused)
{
    const char* files[] = {
        "H 1 1 0 0 0\n[ATOMS]\nH 1 1 0 0 0\n",
        "[Molden Format]\ntext\n[ATOMS]\nH 1 1 0 0 0\n",
        // Mend: the last line used to go unread, so a file of one line of
        // anything, binary data too, was taken as an empty Molden file.
        "[Molden Format]\ntext\n",
        "junk",
        "\x7f"
        "ELF\x01\x02\x03",
    };
    for (const char* f : files) {
        UQGeometryData fresh;
        EXPECT_EQ(cmInvalidMoldenFile, ReadInto(fresh, f)) << f;
    }
    // Lines of blanks may stand outside the sections.
    ASSERT_EQ(0, Read("   \n[Molden Format]\n  \n[ATOMS]\nH 1 1 0 0 0\n"));
    EXPECT_EQ(1, geom.GetDim());
}

TEST_F(MoldenReader, EmptyFilesEndUnexpectedly)
{
    for (const char* f : {"", "\n", "\n\n\n"}) {
        UQGeometryData fresh;
        EXPECT_EQ(cmUnexpectedEof, ReadInto(fresh, f)) << std::string(f).size();
    }
    // A section line that ends the file has nothing to read.
    ASSERT_EQ(0, Read("[Molden Format]\n[FREQ]\n"));
    EXPECT_FALSE(geom.GetHasFrequencies());
}

TEST_F(MoldenReader, UnitsOfTheAtomsSection)
{
    struct Case {
        const char* header;
        bool angstrom;
    };
    const Case cases[] = {
        {"[ATOMS]", false},
        {"[ATOMS] AU", false},
        {"[atoms] au", false},
        {"[Atoms]   Au  ", false},
        {"[ATOMS] Angs", true},
        {"[ATOMS] (Angs)", true},
        {"[ATOMS] Angstrom", true},
        // Mend: atomic units in parentheses, as some programs write them,
        // used to be taken for Angstrom.
        {"[ATOMS] (AU)", false},
        {"[ATOMS] (au)", false},
    };
    for (const Case& c : cases) {
        UQGeometryData fresh;
        ASSERT_EQ(0, ReadInto(fresh, std::string(c.header) + "\nH 1 1 0.0 -1.5 1.0D+00\n"))
            << c.header;
        V3 r = fresh.GetAtomData()[0].GetCoord();
        EXPECT_DOUBLE_EQ(c.angstrom ? -1.5 / angstrom : -1.5, r.Gety()) << c.header;
        EXPECT_DOUBLE_EQ(c.angstrom ? 1.0 / angstrom : 1.0, r.Getz()) << c.header;
        EXPECT_TRUE(fresh.GetHasCoordinates());
    }
}

TEST_F(MoldenReader, AtomLinesAndTheirElements)
{
    ASSERT_EQ(0, Read("[ATOMS] AU\n"
                      "C    1  6   1.0 2.0 3.0\n"
                      "Xy 2 8 0 0 0\n"            // no such symbol: the atomic number counts
                      "h 3 6 0 0 1.5e-1 extra\n"  // the symbol wins; text after z is ignored
                      "  CL   4 17  -1d0  2.5E+00 0.0  \n"));
    EXPECT_EQ((std::vector<long>{6, 8, 1, 17}), Elements());
    EXPECT_DOUBLE_EQ(3.0, Coord(0).Getz());
    EXPECT_DOUBLE_EQ(0.15, Coord(2).Getz());
    EXPECT_DOUBLE_EQ(-1.0, Coord(3).Getx());
    EXPECT_DOUBLE_EQ(2.5, Coord(3).Gety());

    for (const char* line : {"Xy 1 0 0 0 0", "Xy 1 104 0 0 0"}) {
        UQGeometryData fresh;
        EXPECT_EQ(umIllegalIndex, ReadInto(fresh, std::string("[ATOMS]\n") + line + "\n")) << line;
    }
}

TEST_F(MoldenReader, DamagedAtomLinesAreRefused)
{
    const char* lines[] = {
        // A field missing.
        "H",
        "H 1",
        "H 1 1",
        "H 1 1 0",
        "H 1 1 0 0",
        "   ",
        // Letters in numbers, which "%lf" would have read in part or not at all.
        "H 1 1 0 1,4 0",
        "H 1 1 0 1.4x 0",
        "H 1 1 0 0 nan",
        "H 1 1 x 0 0",
        "H 1 1 0 0 1e999",
        "Xy 1 8.0 0 0 0",
        "Xy 1 O 0 0 0",
    };
    for (const char* line : lines) {
        UQGeometryData fresh;
        EXPECT_EQ(cmInvalidMoldenFile, ReadInto(fresh, std::string("[ATOMS]\n") + line + "\n"))
            << line;
    }
    for (const char* line : {"h", "h 0", "h 0 0", "h 0 x 0"}) {
        UQGeometryData fresh;
        EXPECT_EQ(cmInvalidMoldenFile, ReadInto(fresh, std::string("[FR-COORD]\n") + line + "\n"))
            << line;
    }
}

TEST_F(MoldenReader, AtomSectionsOverwriteTheAtomsOfTheMolecule)
{
    const std::string two = "[ATOMS]\nH 1 1 0 0 0\nH 2 1 0 0 1.4\n";
    ASSERT_EQ(0, Read(two + "[FR-COORD]\nli 0 0 0\nxx 0 0 2\n"));
    EXPECT_EQ((std::vector<long>{3, 1}), Elements());  // an invalid symbol keeps the atom's element
    EXPECT_DOUBLE_EQ(2.0, Coord(1).Getz());

    struct Case {
        std::string second;
        int code;
    };
    const Case cases[] = {
        {"[ATOMS]\nO 1 8 0 0 0\n", umIncompatibleDimensions},
        {"[ATOMS]\nO 1 8 0 0 0\nO 1 8 0 0 0\nO 1 8 0 0 0\n", umIndexOutOfRange},
        {"[FR-COORD]\nli 0 0 0\n", umIncompatibleDimensions},
        {"[FR-COORD]\nli 0 0 0\nli 0 0 0\nli 0 0 0\n", umIndexOutOfRange},
    };
    for (const Case& c : cases) {
        UQGeometryData fresh;
        EXPECT_EQ(c.code, ReadInto(fresh, two + c.second)) << c.second;
        EXPECT_EQ(2, fresh.GetDim());
    }
    // Appended from "[FR-COORD]": the charge of an invalid symbol, -1, as it is.
    UQGeometryData fresh;
    ASSERT_EQ(0, ReadInto(fresh, "[FR-COORD]\nxx 0 0 0\nh 0 0 1\n"));
    EXPECT_EQ(-1, fresh.GetAtomData()[0].GetAtno());
    EXPECT_EQ(1, fresh.GetAtomData()[1].GetAtno());
}

TEST_F(MoldenReader, AtomsAfterFrequenciesReplaceThePlaceholders)
{
    const std::string freq = "[FREQ]\n100.0\n200.0\n300.0\n";
    const std::string atoms = "[ATOMS]\nO 1 8 0 0 0\nH 2 1 0 1.4 1.1\nH 3 1 0 -1.4 1.1\n";
    ASSERT_EQ(0, Read(freq));
    EXPECT_EQ(1, geom.GetDim());
    // Mend: the frequencies stay as the file gave them, as when the atoms
    // come first; appending the atoms used to pad them with zeros to 3N.
    UQGeometryData water;
    ASSERT_EQ(0, ReadInto(water, freq + atoms));
    EXPECT_EQ(3, water.GetDim());
    EXPECT_EQ((std::vector<double>{100, 200, 300}), Items(water.GetFrequencies()));
    EXPECT_TRUE(water.GetHasFrequencies());
    EXPECT_EQ(8, water.GetAtomData()[0].GetAtno());
    UQGeometryData atomsFirst;
    ASSERT_EQ(0, ReadInto(atomsFirst, atoms + freq));
    ExpectSameRead(atomsFirst, water);
    // The same through "[FR-COORD]", whose symbols give the elements.
    UQGeometryData viaFrCoord;
    ASSERT_EQ(0, ReadInto(viaFrCoord, freq + "[FR-COORD]\no 0 0 0\nh 0 1 1\nh 0 -1 1\n"));
    EXPECT_EQ((std::vector<long>{8, 1, 1}), ElementsOf(viaFrCoord));
    EXPECT_EQ((std::vector<double>{100, 200, 300}), Items(viaFrCoord.GetFrequencies()));
    // Three values allow at most (3 + 6) / 3 atoms.
    UQGeometryData tooMany;
    EXPECT_EQ(umIncompatibleDimensions, ReadInto(tooMany, freq + atoms + "H 4 1 0 0 0\n"));

    // Mend: atoms only overwritten leave the frequencies as the file gave
    // them; they used to be padded with zeros to 3N.
    UQGeometryData given;
    ASSERT_EQ(0, ReadInto(given, atoms + freq + "[FR-COORD]\no 0 0 0\nh 0 1 1\nh 0 -1 1\n"));
    EXPECT_EQ((std::vector<double>{100, 200, 300}), Items(given.GetFrequencies()));
}

// k frequencies fit at most (k + 6) / 3 atoms (3N - 6 <= k). The atoms that
// follow them fill the placeholders up to that many; the reader refuses the
// next line itself, before it is stored.
TEST_F(MoldenReader, AtomsAfterFrequenciesStopAtTheMostTheyFit)
{
    const std::string raised =
        "Incompatible vector/matrix dimensions.\nError in file UMolden line ";
    struct Case {
        int frequencies;
        int most;
    };
    for (const Case& c : {Case{2, 2}, Case{5, 3}}) {
        std::string file = "[FREQ]\n";
        for (int i = 0; i < c.frequencies; i++) file += std::to_string(100 * (i + 1)) + "\n";
        file += "[ATOMS]\n";
        for (int i = 0; i < c.most; i++) file += "H 1 1 0 0 " + std::to_string(2 * i) + "\n";
        UQGeometryData fitting;
        ASSERT_EQ(0, ReadInto(fitting, file)) << file;
        EXPECT_EQ(c.most, fitting.GetDim()) << file;
        EXPECT_EQ(c.frequencies, fitting.GetFrequencies().GetDim()) << file;

        file += "H 1 1 0 0 -2\n";
        UQGeometryData tooMany;
        std::string message;
        EXPECT_EQ(umIncompatibleDimensions, ReadInto(tooMany, file, &message)) << file;
        EXPECT_EQ(0u, message.rfind(raised, 0)) << message;
        EXPECT_EQ(c.most, tooMany.GetDim()) << file;
    }
}

TEST_F(MoldenReader, FrequencyCountMustFitTheAtoms)
{
    const std::string two = "[ATOMS]\nH 1 1 0 0 0\nH 2 1 0 0 1.4\n[FREQ]\n";
    struct Case {
        int values;
        int code;
    };
    for (const Case& c : {Case{1, 0}, Case{4, 0}, Case{6, 0}, Case{7, umIncompatibleDimensions}}) {
        std::string file = two;
        for (int i = 0; i < c.values; i++) file += std::to_string(100 * (i + 1)) + ".5\n";
        UQGeometryData fresh;
        EXPECT_EQ(c.code, ReadInto(fresh, file)) << c.values;
        if (c.code == 0) {
            EXPECT_EQ(c.values, fresh.GetFrequencies().GetDim());
        }
    }
    for (const char* line : {"1,5", "12a", "   ", "-"}) {
        UQGeometryData fresh;
        EXPECT_EQ(cmInvalidMoldenFile, ReadInto(fresh, two + line + "\n")) << line;
    }
    // One value per line; what follows it after a blank is ignored.
    ASSERT_EQ(0, Read(two + "  1.5D+02 cm-1\n"));
    EXPECT_EQ(std::vector<double>{150.0}, Items(geom.GetFrequencies()));
}

// The reader checks the count against the atoms itself. The molecule's own
// check raises the same code, but from its own file: only the file tells
// whether the reader still checks.
TEST_F(MoldenReader, FrequencyCountOutsideTheAtomsIsRefusedByTheReader)
{
    const std::string raised =
        "Incompatible vector/matrix dimensions.\nError in file UMolden line ";
    const std::string ammonia = "[FR-COORD]\nn 0 0 0\nh 0 0 1.9\nh 0 1.9 0\nh 1.9 0 0\n";
    struct Case {
        std::string atoms;
        int values;
    };
    const Case cases[] = {
        {"[ATOMS]\nH 1 1 0 0 0\n", 4},  // 3N + 1
        {"[ATOMS]\nH 1 1 0 0 0\nH 2 1 0 0 1.4\n", 7},
        {ammonia, 13},
        {ammonia, 5},  // 3N - 7
    };
    for (const Case& c : cases) {
        std::string file = c.atoms + "[FREQ]\n";
        for (int i = 0; i < c.values; i++) file += std::to_string(100 * (i + 1)) + "\n";
        UQGeometryData fresh;
        std::string message;
        EXPECT_EQ(umIncompatibleDimensions, ReadInto(fresh, file, &message)) << file;
        EXPECT_EQ(0u, message.rfind(raised, 0)) << message;
        EXPECT_FALSE(fresh.GetHasFrequencies()) << file;
    }
}

TEST_F(MoldenReader, NormalModesFillTheirColumns)
{
    const std::string two = "[ATOMS]\nH 1 1 0 0 0\nH 2 1 0 0 1.4\n[FREQ]\n1\n2\n3\n4\n5\n";
    ASSERT_EQ(0, Read(two + "[FR-NORM-COORD]\n"
                            "VIBRATION 1\n 0.1 0.2 0.3\n 0.4 0.5 0.6D+00\n"
                            "vibration   3\n-1 -2 -3 extra\n-4 -5 -6\n"));
    UMatrix<double> modes = geom.GetVibrations();
    ASSERT_EQ(6, modes.GetColDim());
    ASSERT_EQ(5, modes.GetRowDim());  // as many columns as frequencies
    EXPECT_DOUBLE_EQ(0.6, modes(5, 0));
    EXPECT_DOUBLE_EQ(-4.0, modes(3, 2));
    for (long row = 0; row < 6; row++) {
        EXPECT_EQ(0.0, modes(row, 1));
        EXPECT_EQ(0.0, modes(row, 4));
    }
    // Without frequencies the highest mode number sets the count.
    UQGeometryData noFreq;
    ASSERT_EQ(0, ReadInto(noFreq, "[ATOMS]\nH 1 1 0 0 0\n[FR-NORM-COORD]\nvibration 2\n1 2 3\n"));
    EXPECT_EQ(2, noFreq.GetVibrations().GetRowDim());
    EXPECT_TRUE(noFreq.GetHasVibrations());
}

TEST_F(MoldenReader, DamagedModeSectionsAreRefused)
{
    const std::string two = "[ATOMS]\nH 1 1 0 0 0\nH 2 1 0 0 1.4\n[FR-NORM-COORD]\n";
    struct Case {
        std::string modes;
        int code;
    };
    const Case cases[] = {
        {"vibration\n0 0 0\n0 0 0\n", cmInvalidMoldenFile},
        {"mode 1\n0 0 0\n0 0 0\n", cmInvalidMoldenFile},
        {"vibration x\n0 0 0\n0 0 0\n", cmInvalidMoldenFile},
        {"vibration 0\n0 0 0\n0 0 0\n", umIncompatibleDimensions},
        {"vibration 7\n0 0 0\n0 0 0\n", umIncompatibleDimensions},
        {"vibration 1\n0 0 0\n[ATOMS]\n", cmInvalidMoldenFile},
        {"vibration 1\n0 0 0\n0 0\n", cmInvalidMoldenFile},
        {"vibration 1\n0 0 0\n0 0 1;0\n", cmInvalidMoldenFile},
        {"vibration 1\n0 0 0\n", cmUnexpectedEof},
    };
    for (const Case& c : cases) {
        UQGeometryData fresh;
        EXPECT_EQ(c.code, ReadInto(fresh, two + c.modes)) << c.modes;
    }
    EXPECT_EQ(cmInvalidMoldenFile, Read("[FR-NORM-COORD]\nvibration 1\n"));
}

// Columns no block fills cost memory without text: a few lines must not make
// the reader allocate gigabytes. Filled columns cost text in proportion.
TEST_F(MoldenReader, UnfilledModeColumnsAreBounded)
{
    std::string atoms = "[ATOMS]\n";
    for (int i = 0; i < 3000; i++)
        atoms += "H " + std::to_string(i + 1) + " 1 0 0 " + std::to_string(i) + "\n";
    std::string block = "[FR-NORM-COORD]\nvibration 1\n";
    for (int i = 0; i < 3000; i++) block += "0 0 1\n";
    ASSERT_EQ(0, Read(atoms + block));
    EXPECT_EQ(1, geom.GetVibrations().GetRowDim());
    std::string frequencies = "[FREQ]\n";
    for (int i = 0; i < 9000; i++) frequencies += "1\n";
    const std::string damaged[] = {
        atoms + "[FR-NORM-COORD]\nvibration 9000\n0 0 1\n",  // 9000 x 9000 for one line
        frequencies + "[FR-NORM-COORD]\n\n",                 // 3000 placeholder atoms, no modes
    };
    for (const std::string& file : damaged) {
        UQGeometryData fresh;
        EXPECT_EQ(cmInvalidMoldenFile, ReadInto(fresh, file));
        EXPECT_FALSE(fresh.GetHasVibrations());
    }
}

// The Molden program's own file (version 5.7) of divinylbenzene.
TEST_F(MoldenReader, RealFileOfTheMoldenProgram)
{
    if (SharedPath("molden/dvb-ir-molden57.molden").empty())
        GTEST_SKIP() << SharedMissing("molden/dvb-ir-molden57.molden");
    const std::string text = SharedText("molden/dvb-ir-molden57.molden");
    ASSERT_FALSE(text.empty()) << "dvb-ir-molden57.molden missing";
    ASSERT_EQ(0, Read(text));

    const std::vector<long> elements = {6, 6, 6, 6, 6, 6, 1, 1, 1, 1, 6, 6, 1, 1, 6, 6, 1, 1, 1, 1};
    EXPECT_EQ(elements, Elements());
    // "[FR-COORD]" in bohr came last and overwrote "[Atoms] Angs"; both agree.
    EXPECT_NEAR(2.672387, Coord(0).Getx(), 1e-6);
    EXPECT_NEAR(-0.447498, Coord(0).Gety(), 1e-6);
    EXPECT_EQ(0.0, Coord(0).Getz());
    EXPECT_NEAR(1.414166 / angstrom, Coord(0).Getx(), 1e-5);
    EXPECT_DOUBLE_EQ(-0.09099694, Coord(18).Gety());

    std::vector<double> freq = Items(geom.GetFrequencies());
    ASSERT_EQ(54u, freq.size());
    EXPECT_DOUBLE_EQ(47.87, freq.front());
    EXPECT_DOUBLE_EQ(3546.79, freq.back());

    ASSERT_TRUE(geom.GetHasVibrations());
    UMatrix<double> modes = geom.GetVibrations();
    ASSERT_EQ(60, modes.GetColDim());
    ASSERT_EQ(54, modes.GetRowDim());
    EXPECT_DOUBLE_EQ(-0.04456069, modes(2, 0));   // vibration 1, atom 1, z
    EXPECT_DOUBLE_EQ(0.44431747, modes(57, 53));  // vibration 54, atom 20, x
    for (long m = 0; m < 54; m++) {
        double norm = 0;
        for (long row = 0; row < 60; row++) norm += modes(row, m) * modes(row, m);
        EXPECT_GT(norm, 0.01) << "mode " << m + 1;
    }
}

// psi4 writes "[FREQ]" before "[FR-COORD]" and no "[Atoms]": ammonia, 4 atoms
// and 6 modes, whichever of the two sections comes first.
TEST_F(MoldenReader, RealFileOfPsi4WithFrequenciesFirst)
{
    if (SharedPath("molden/psi4-nh3-normal-modes.molden").empty())
        GTEST_SKIP() << SharedMissing("molden/psi4-nh3-normal-modes.molden");
    const std::string text = SharedText("molden/psi4-nh3-normal-modes.molden");
    ASSERT_FALSE(text.empty()) << "psi4-nh3-normal-modes.molden missing";
    ASSERT_EQ(0, Read(text));
    EXPECT_EQ((std::vector<long>{7, 1, 1, 1}), Elements());
    EXPECT_DOUBLE_EQ(0.0000177050, Coord(0).Getx());
    EXPECT_DOUBLE_EQ(0.1427733279, Coord(0).Gety());
    EXPECT_EQ(0.0, Coord(0).Getz());
    EXPECT_DOUBLE_EQ(-1.5393761862, Coord(3).Getz());

    // Mend: the 6 values the file gives; they and the modes used to be padded
    // with zeros to 3N = 12 when the atoms came after the frequencies.
    std::vector<double> freq = Items(geom.GetFrequencies());
    ASSERT_EQ(6u, freq.size());
    EXPECT_DOUBLE_EQ(1409.4770559223, freq.front());
    EXPECT_DOUBLE_EQ(4109.9896814510, freq.back());
    UMatrix<double> modes = geom.GetVibrations();
    ASSERT_EQ(12, modes.GetColDim());
    ASSERT_EQ(6, modes.GetRowDim());
    EXPECT_DOUBLE_EQ(-0.1143773972, modes(1, 0));  // vibration 1, atom 1, y
    EXPECT_DOUBLE_EQ(0.5550808980, modes(11, 5));  // vibration 6, atom 4, z

    // "[FR-COORD]" moved before "[FREQ]".
    size_t freqAt = text.find("[FREQ]");
    size_t coordAt = text.find("[FR-COORD]");
    size_t modesAt = text.find("[FR-NORM-COORD]");
    ASSERT_TRUE(freqAt < coordAt && coordAt < modesAt && modesAt != std::string::npos);
    UQGeometryData coordinatesFirst;
    ASSERT_EQ(0, ReadInto(coordinatesFirst,
                          text.substr(0, freqAt) + text.substr(coordAt, modesAt - coordAt) +
                              text.substr(freqAt, coordAt - freqAt) + text.substr(modesAt)));
    ExpectSameRead(geom, coordinatesFirst);

    // Written and read back: no vibrations of 0 cm-1 appear.
    TextStream written;
    UMoldenFilter writer(written.Get());
    ASSERT_EQ(0, RaisedCode([&] { writer.WriteGeometry(&geom); }));
    UQGeometryData readBack;
    ASSERT_EQ(0, ReadInto(readBack, written.Contents()));
    ExpectSameRead(geom, readBack);
}

// The atoms of a file the xyz file beside it was converted from, in bohr.
void ReadXyz(const std::string& text, std::vector<long>& elements, std::vector<double>& bohr)
{
    const std::map<std::string, long> atomicNumbers = {{"H", 1}, {"C", 6}, {"O", 8}};
    std::istringstream in(text);
    long count = 0;
    std::string line;
    in >> count;
    std::getline(in, line);
    std::getline(in, line);
    for (long i = 0; i < count; i++) {
        std::string symbol;
        double r[3];
        in >> symbol >> r[0] >> r[1] >> r[2];
        elements.push_back(atomicNumbers.at(symbol));
        for (double x : r) bohr.push_back(x / angstrom);
    }
}

// Files of atoms only: psi4's "[Atoms] (AU)" in bohr, Open Babel's "[Atoms]
// Angs" atom by atom as in the xyz file that it was written from.
TEST_F(MoldenReader, RealFilesOfAtomsOnly)
{
    for (const char* file :
         {"molden/psi4-oh-uhf-orbitals.molden", "molden/openbabel-benzoic-acid.molden",
          "molden/openbabel-benzoic-acid.xyz"})
        if (SharedPath(file).empty()) GTEST_SKIP() << SharedMissing(file);
    struct Case {
        const char* file;
        std::vector<long> elements;
        std::vector<double> bohr;
    };
    std::vector<Case> cases = {
        {"psi4-oh-uhf-orbitals.molden", {8, 1}, {0, 0, -0.108651778027, 0, 0, 1.724382563667}},
        {"openbabel-benzoic-acid.molden", {}, {}},
    };
    ReadXyz(SharedText("molden/openbabel-benzoic-acid.xyz"), cases[1].elements, cases[1].bohr);
    ASSERT_EQ(15u, cases[1].elements.size());
    EXPECT_EQ(1.418290 / angstrom, cases[1].bohr[0]);
    for (const Case& c : cases) {
        const std::string text = SharedText(std::string("molden/") + c.file);
        ASSERT_FALSE(text.empty()) << c.file << " missing";
        UQGeometryData fresh;
        ASSERT_EQ(0, ReadInto(fresh, text)) << c.file;
        EXPECT_EQ(c.elements, ElementsOf(fresh)) << c.file;
        std::vector<double> r = CoordinatesOf(fresh);
        ASSERT_EQ(c.bohr.size(), r.size()) << c.file;
        for (size_t i = 0; i < r.size(); i++)
            EXPECT_DOUBLE_EQ(c.bohr[i], r[i]) << c.file << " " << i;
        EXPECT_TRUE(fresh.GetHasCoordinates());
        EXPECT_FALSE(fresh.GetHasFrequencies());
        EXPECT_FALSE(fresh.GetHasVibrations());
    }
}

}  // namespace
