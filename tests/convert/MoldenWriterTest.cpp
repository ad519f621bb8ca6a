// The Molden writer on small hand-built molecules: exact lines of every section.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <string>
#include <utility>

#include "convert/UMolden.h"
#include "molecule/UQBasis.h"
#include "molecule/UQEcp.h"
#include "molecule/UQGauss.h"
#include "molecule/UQGeom.h"
#include "molecule/UQSlater.h"
#include "molecule/UStrChem.h"
#include "molecule/siChemistry.h"
#include "numeric/siNumer.h"
#include "tests/convert/TurboTestSupport.h"
#include "utilities/CustExcept.h"
#include "utilities/UStrUtilities.h"
#include "utilities/UStream.h"
#include "utilities/siUtilities.h"

namespace {

class MoldenWriter : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        InitUtilities();
        InitNumer();
        InitChemistry();
    }

    // Runs body on a filter over a temporary file and returns what it wrote, also when it
    // raised; the code of a raise goes to *code (0 when none).
    static std::string Written(const std::function<void(UMoldenFilter&)>& body, int* code = nullptr)
    {
        TextStream text;
        text.Get()->SetTextMode(true);
        UMoldenFilter filter(text.Get());
        int const raised = RaisedCode([&] { body(filter); });
        if (code)
            *code = raised;
        else
            EXPECT_EQ(raised, 0);
        return text.Contents();
    }

    static void AddShell(UGaussianAtom* atom, ShellType type,
                         std::initializer_list<UGaussianPrimitive> prims)
    {
        UGaussianShell* shell = new UGaussianShell(type);
        for (const UGaussianPrimitive& p : prims) shell->Add(p);
        atom->Add(shell);
    }

    // One Gaussian atom basis with one shell of each type given, each of one primitive.
    static UGaussianAtom* BasisOfShells(const char* name, std::initializer_list<ShellType> types)
    {
        UGaussianAtom* atom = new UGaussianAtom(name);
        for (ShellType t : types) AddShell(atom, t, {UGaussianPrimitive(1.5, 1.0, 0.0)});
        return atom;
    }

    static void SetRestricted(UQGeometryData& geom, const UMatrix<double>& mos,
                              std::initializer_list<double> energies,
                              std::initializer_list<double> occupations)
    {
        UVector<double> e(0, 1), o(0, 1);
        for (double x : energies) e.Add(x);
        for (double x : occupations) o.Add(x);
        geom.SetE(e);
        geom.SetO(o);
        geom.SetMos(mos);
    }
};

TEST_F(MoldenWriter, SectionLinesEndInABlankWhenTheirTextIsEmpty)
{
    EXPECT_EQ(Written([](UMoldenFilter& f) {
                  f.PutSection(mfsMoldenFormat, "");
                  f.PutSection(mfsAtoms, "AU");
                  f.PutData("x");
              }),
              "[Molden Format] \n[ATOMS] AU\nx\n");
}

TEST_F(MoldenWriter, AtomsAndFrequencyCoordinates)
{
    UQGeometryData geom;
    geom.AddCoordinates(1, V3(0.0, 0.0, 1.4));
    geom.AddCoordinates(17, V3(-1.25, 2.5, 0.0));
    EXPECT_EQ(Written([&](UMoldenFilter& f) { f.WriteGeometry(&geom); }),
              "[Molden Format] \n"
              "[ATOMS] AU\n"
              "H    1   1     0.00000000000000     0.00000000000000     1.40000000000000\n"
              "Cl   2  17    -1.25000000000000     2.50000000000000     0.00000000000000\n");
    EXPECT_EQ(Written([&](UMoldenFilter& f) { f.WriteFreqCoordinates(&geom); }),
              "[FR-COORD] \n"
              "h      0.00000000000000     0.00000000000000     1.40000000000000\n"
              "cl    -1.25000000000000     2.50000000000000     0.00000000000000\n");
}

TEST_F(MoldenWriter, GeometryWithNormalModes)
{
    UQGeometryData geom;
    geom.AddCoordinates(1, V3(0.0, 0.0, -0.7));
    geom.AddCoordinates(1, V3(0.0, 0.0, 0.7));
    UVector<double> freq(0, 1);
    for (int i = 0; i < 6; i++) freq.Add(i == 5 ? 4401.25 : 0.0);
    geom.SetFrequencies(freq);
    UMatrix<double> modes(6, 6, -1);
    Mset(modes, 0.0);
    // x, y and z all differ, so that components written in another order show.
    modes(0, 5) = 0.125;
    modes(1, 5) = -0.25;
    modes(2, 5) = -0.5;
    modes(3, 5) = -0.375;
    modes(4, 5) = 0.25;
    modes(5, 5) = 0.5;
    geom.SetVibrations(modes);
    EXPECT_EQ(Written([&](UMoldenFilter& f) { f.WriteGeometry(&geom); }),
              "[Molden Format] \n"
              "[ATOMS] AU\n"
              "H    1   1     0.00000000000000     0.00000000000000    -0.70000000000000\n"
              "H    2   1     0.00000000000000     0.00000000000000     0.70000000000000\n"
              "[FREQ] \n"
              "    0.00000000000000\n    0.00000000000000\n    0.00000000000000\n"
              "    0.00000000000000\n    0.00000000000000\n 4401.25000000000000\n"
              "[FR-COORD] \n"
              "h      0.00000000000000     0.00000000000000    -0.70000000000000\n"
              "h      0.00000000000000     0.00000000000000     0.70000000000000\n"
              "[FR-NORM-COORD] \n"
              "vibration 1\n"
              "    0.00000000000000     0.00000000000000     0.00000000000000\n"
              "    0.00000000000000     0.00000000000000     0.00000000000000\n"
              "vibration 2\n"
              "    0.00000000000000     0.00000000000000     0.00000000000000\n"
              "    0.00000000000000     0.00000000000000     0.00000000000000\n"
              "vibration 3\n"
              "    0.00000000000000     0.00000000000000     0.00000000000000\n"
              "    0.00000000000000     0.00000000000000     0.00000000000000\n"
              "vibration 4\n"
              "    0.00000000000000     0.00000000000000     0.00000000000000\n"
              "    0.00000000000000     0.00000000000000     0.00000000000000\n"
              "vibration 5\n"
              "    0.00000000000000     0.00000000000000     0.00000000000000\n"
              "    0.00000000000000     0.00000000000000     0.00000000000000\n"
              "vibration 6\n"
              "    0.12500000000000    -0.25000000000000    -0.50000000000000\n"
              "   -0.37500000000000     0.25000000000000     0.50000000000000\n");
}

TEST_F(MoldenWriter, FrequenciesWithoutNormalModesAreNotWritten)
{
    UQGeometryData geom;
    geom.AddCoordinates(1, V3(0.0, 0.0, 1.4));
    UVector<double> freq(0, 1);
    freq.Add(4401.25);
    geom.SetFrequencies(freq);
    EXPECT_EQ(Written([&](UMoldenFilter& f) { f.WriteGeometry(&geom); }),
              "[Molden Format] \n"
              "[ATOMS] AU\n"
              "H    1   1     0.00000000000000     0.00000000000000     1.40000000000000\n");
}

TEST_F(MoldenWriter, NumbersAsWideAsADoubleGetsAreWrittenInFull)
{
    const double wide = -std::numeric_limits<double>::max();
    UQGeometryData geom;
    geom.AddCoordinates(1, V3(wide, wide, wide));
    geom.AddCoordinates(1, V3(0.0, 0.0, wide));
    UVector<double> freq(0, 1);
    for (int i = 0; i < 6; i++) freq.Add(wide);
    geom.SetFrequencies(freq);
    UMatrix<double> modes(6, 6, -1);
    Mset(modes, wide);
    geom.SetVibrations(modes);
    std::string w(1024, '\0');
    w.resize(std::snprintf(&w[0], w.size(), "%20.14lf", wide));
    const std::string three = w + " " + w + " " + w + "\n";
    std::string expected = "[Molden Format] \n[ATOMS] AU\n"
                           "H    1   1 " +
                           three + "H    2   1 " + "    0.00000000000000 " +
                           "    0.00000000000000 " + w + "\n[FREQ] \n";
    for (int i = 0; i < 6; i++) expected += w + "\n";
    expected += "[FR-COORD] \nh  " + three + "h      0.00000000000000     0.00000000000000 " + w +
                "\n[FR-NORM-COORD] \n";
    for (int m = 0; m < 6; m++)
        expected += "vibration " + std::to_string(m + 1) + "\n" + three + three;
    EXPECT_EQ(Written([&](UMoldenFilter& f) { f.WriteGeometry(&geom); }), expected);
}

TEST_F(MoldenWriter, TrailingZeroModesAreLeftOutDownToThreeNMinusSix)
{
    struct Case {
        int zeroFrequencies;  // at the end of 9
        int zeroColumns;      // at the end of 9
        bool withModes;
        long expected;
    };
    const Case cases[] = {
        {6, 6, true, 3},  // triatomic: never fewer than 3N - 6 = 3
        {2, 2, true, 7},
        {2, 0, true, 9},  // a zero frequency with a non-zero mode stops the trimming
        {2, 1, true, 8},
        {6, 0, false, 3},  // without modes only the frequencies count
        {0, 0, true, 9},
    };
    for (const Case& c : cases) {
        UQGeometryData geom;
        for (int a = 0; a < 3; a++) geom.AddCoordinates(8, V3(a, 0.0, 0.0));
        UVector<double> freq(0, 1);
        for (int i = 0; i < 9; i++) freq.Add(i < 9 - c.zeroFrequencies ? 100.0 * (i + 1) : 0.0);
        geom.SetFrequencies(freq);
        if (c.withModes) {
            UMatrix<double> modes(9, 9, -1);
            Mset(modes, 0.0);
            for (int m = 0; m < 9 - c.zeroColumns; m++) modes(m, m) = 1.0;
            geom.SetVibrations(modes);
        }
        UMoldenFilter filter(nullptr);  // counting writes nothing
        EXPECT_EQ(filter.GetReducedDim(&geom), c.expected)
            << c.zeroFrequencies << " zero frequencies, " << c.zeroColumns << " zero columns";
    }
}

TEST_F(MoldenWriter, MissingDataRaises25007)
{
    UQGeometryData empty;
    const std::function<void(UMoldenFilter&)> calls[] = {
        [&](UMoldenFilter& f) { f.WriteCoordinates(&empty); },
        [&](UMoldenFilter& f) { f.WriteFreqCoordinates(&empty); },
        [&](UMoldenFilter& f) { f.WriteFrequencies(&empty); },
        [&](UMoldenFilter& f) { f.WriteVibrations(&empty); },
        [&](UMoldenFilter& f) { f.GetReducedDim(&empty); },
    };
    for (const auto& call : calls) {
        int code = 0;
        EXPECT_EQ(Written(call, &code), "");
        EXPECT_EQ(code, cmMissingData);
    }
}

TEST_F(MoldenWriter, FewerModeColumnsThanFrequenciesRaiseInsteadOfReadingPastThem)
{
    UQGeometryData geom;
    geom.AddCoordinates(1, V3(0.0, 0.0, 0.0));
    geom.AddCoordinates(1, V3(0.0, 0.0, 1.4));
    UVector<double> freq(0, 1);
    for (int i = 0; i < 6; i++) freq.Add(1.0 + i);
    geom.SetFrequencies(freq);
    UMatrix<double> modes(6, 2, -1);
    Mset(modes, 1.0);
    geom.SetVibrations(modes);
    int code = 0;
    Written([&](UMoldenFilter& f) { f.WriteVibrations(&geom); }, &code);
    EXPECT_EQ(code, umIncompatibleDimensions);
}

TEST_F(MoldenWriter, BasisTypeLineFollowsTheShells)
{
    struct Case {
        std::initializer_list<ShellType> shells;
        const char* header;
    };
    const Case cases[] = {
        {{stS, stP}, "[6D10F]\n"},  {{stS, stD5}, "[5D10F]\n"},   {{stD6, stF7}, "[6D7F]\n"},
        {{stD5, stF7}, "[5D7F]\n"}, {{stD6, stF10}, "[6D10F]\n"}, {{stP, stF7}, "[6D7F]\n"},
    };
    for (const Case& c : cases) {
        UQGeometryData geom;
        geom.AddCoordinates(6, V3());
        geom.GetBasis()->Add(BasisOfShells("c test", c.shells));
        geom.GetBasis()->Add(0, 0);
        std::string text = Written([&](UMoldenFilter& f) { f.WriteBasis(&geom); });
        EXPECT_EQ(text.substr(0, text.find('\n') + 1), c.header);
    }
}

TEST_F(MoldenWriter, GaussianBasisSection)
{
    UQGeometryData geom;
    for (int a = 0; a < 3; a++) geom.AddCoordinates(a == 1 ? 1 : 6, V3(a, 0.0, 0.0));
    UBasisSet* basis = geom.GetBasis();
    UGaussianAtom* carbon = new UGaussianAtom("c test");
    AddShell(carbon, stS,
             {UGaussianPrimitive(71.6168370, 0.15432897, 0.0),
              UGaussianPrimitive(13.0450960, 0.53532814, 0.0)});
    AddShell(carbon, stSP,
             {UGaussianPrimitive(2.9412494, -0.09996723, 0.15591627),
              UGaussianPrimitive(0.6834831, 0.39951283, 0.60768372),
              UGaussianPrimitive(0.2222899, 0.70011547, 0.39195739)});
    AddShell(carbon, stD5, {UGaussianPrimitive(0.8, 1.0, 0.0)});
    basis->Add(carbon);
    basis->Add(BasisOfShells("h test", {stS}));
    basis->Add(0, 0);
    basis->Add(2, 0);  // atom 1 has no basis of its own here and gets no block
    const std::string carbonShells = "s 2 1.00\n"
                                     "   71.61683700    0.1543289700\n"
                                     "   13.04509600    0.5353281400\n"
                                     "sp 3 1.00\n"
                                     "    2.94124940   -0.0999672300    0.1559162700\n"
                                     "    0.68348310    0.3995128300    0.6076837200\n"
                                     "    0.22228990    0.7001154700    0.3919573900\n"
                                     "d 1 1.00\n"
                                     "    0.80000000    1.0000000000\n"
                                     "\n";
    EXPECT_EQ(Written([&](UMoldenFilter& f) { f.WriteBasis(&geom); }),
              "[5D10F]\n[GTO]\n1 0\n" + carbonShells + "3 0\n" + carbonShells);
}

TEST_F(MoldenWriter, EveryShellTypeHasItsLabel)
{
    // g shells are written too, though their orbitals cannot be reordered.
    const std::pair<ShellType, const char*> cases[] = {
        {stS, "s"},  {stP, "p"},  {stSP, "sp"}, {stD5, "d"},
        {stD6, "d"}, {stF7, "f"}, {stF10, "f"}, {stG, "g"},
    };
    for (const auto& c : cases) {
        UQGeometryData geom;
        geom.AddCoordinates(6, V3());
        geom.GetBasis()->Add(BasisOfShells("c test", {c.first}));
        geom.GetBasis()->Add(0, 0);
        std::string text = Written([&](UMoldenFilter& f) { f.WriteBasis(&geom); });
        const std::string atomLine = "[GTO]\n1 0\n";
        size_t block = text.find(atomLine);
        ASSERT_NE(block, std::string::npos) << text;
        std::string shell = text.substr(block + atomLine.size());
        EXPECT_EQ(shell.substr(0, shell.find('\n') + 1), std::string(c.second) + " 1 1.00\n")
            << c.second;
    }
}

TEST_F(MoldenWriter, NoBasisWritesNothing)
{
    UQGeometryData geom;
    geom.AddCoordinates(1, V3());
    EXPECT_EQ(Written([&](UMoldenFilter& f) { f.WriteBasis(&geom); }), "");
}

TEST_F(MoldenWriter, MixedDFormsRaise25018)
{
    UQGeometryData geom;
    geom.AddCoordinates(6, V3());
    geom.GetBasis()->Add(BasisOfShells("a", {stD5}));
    geom.GetBasis()->Add(BasisOfShells("b", {stD6}));
    geom.GetBasis()->Add(0, 0);
    int code = 0;
    Written([&](UMoldenFilter& f) { f.WriteBasis(&geom); }, &code);
    EXPECT_EQ(code, cmInvalidBasisOperation);
}

TEST_F(MoldenWriter, PseudoChargesCoverTheAtomsWithBasisPairs)
{
    UQGeometryData geom;
    geom.AddCoordinates(53, V3(0.0, 0.0, 0.0));
    geom.AddCoordinates(6, V3(0.0, 0.0, 4.0));
    geom.AddCoordinates(1, V3(0.0, 0.0, 6.0));
    geom.GetBasis()->Add(BasisOfShells("i", {stS}));
    geom.GetBasis()->Add(0, 0);
    geom.GetBasis()->Add(1, 0);
    UEcp* core = new UEcp(28, 4, "ecp-28");
    geom.GetEcp()->AddEcp(core);
    geom.GetEcp()->Add(0, 0);
    std::string text = Written([&](UMoldenFilter& f) { f.WriteBasis(&geom); });
    EXPECT_EQ(text.substr(text.find("[PSEUDO]")), "[PSEUDO]\nI    1  25\nC    2   6\n");
}

TEST_F(MoldenWriter, BasisPairsForAnAtomTheMoleculeLacksRaise21055)
{
    // Atom 3 of the pairs does not exist: neither its basis nor its core charge can be written.
    struct Case {
        bool slater;
        bool corePotential;
    };
    const Case cases[] = {{false, false}, {false, true}, {true, false}, {true, true}};
    for (const Case& c : cases) {
        UQGeometryData geom;
        geom.AddCoordinates(53, V3());
        if (c.slater) {
            USlaterAtom* iodine = new USlaterAtom("i");
            iodine->Add(USlaterShell(1, 0, 50.0, true));
            iodine->Add(USlaterPrimitive(0, 0, 0, 0, 50.0, true));
            geom.GetBasis()->Add(iodine);
        } else {
            geom.GetBasis()->Add(BasisOfShells("i", {stS}));
        }
        geom.GetBasis()->Add(0, 0);
        geom.GetBasis()->Add(3, 0);
        if (c.corePotential) {
            geom.GetEcp()->AddEcp(new UEcp(28, 4, "ecp-28"));
            geom.GetEcp()->Add(0, 0);
        }
        int code = 0;
        EXPECT_EQ(Written([&](UMoldenFilter& f) { f.WriteBasis(&geom); }, &code), "")
            << c.slater << c.corePotential;
        EXPECT_EQ(code, umIndexOutOfRange) << c.slater << c.corePotential;
    }
}

TEST_F(MoldenWriter, BasisWithoutPairsInAMoleculeWithoutAtoms)
{
    // No atom has a basis, so "[GTO]" is empty; the core charges still have a line for
    // atom 1, which the molecule lacks.
    for (bool corePotential : {false, true}) {
        UQGeometryData geom;
        geom.GetBasis()->Add(BasisOfShells("h", {stS}));
        if (corePotential) geom.GetEcp()->AddEcp(new UEcp(0, 1, "ecp-0"));
        int code = 0;
        EXPECT_EQ(Written([&](UMoldenFilter& f) { f.WriteBasis(&geom); }, &code),
                  "[6D10F]\n[GTO]\n");
        EXPECT_EQ(code, corePotential ? umIndexOutOfRange : 0);
    }
}

TEST_F(MoldenWriter, SlaterBasisAndCoreCharges)
{
    UQGeometryData geom;
    geom.AddCoordinates(11, V3());
    geom.AddCoordinates(1, V3(0.0, 0.0, 3.0));
    USlaterAtom* sodium = new USlaterAtom("na");
    sodium->Add(USlaterShell(1, 0, 10.5, true));
    sodium->Add(USlaterShell(2, 1, 4.0, true));
    sodium->Add(USlaterPrimitive(0, 0, 0, 0, 10.5, true));
    sodium->Add(USlaterPrimitive(1, 0, 0, 0, 2.0, true));
    USlaterAtom* hydrogen = new USlaterAtom("h");
    hydrogen->Add(USlaterShell(1, 0, 1.0, false));
    hydrogen->Add(USlaterPrimitive(0, 0, 0, 0, 1.0, false));
    geom.GetBasis()->Add(sodium);
    geom.GetBasis()->Add(hydrogen);
    geom.GetBasis()->Add(0, 0);
    geom.GetBasis()->Add(1, 1);
    // Norms: 1s with exponent 10.5 is pi / 10.5^3; 2p x with exponent 2 is pi / 32.
    char expected[512];
    std::snprintf(expected, sizeof expected,
                  "[STO]\n1 0 0 0 0 %14.8lf %15.10lf\n1 1 0 0 0 %14.8lf %15.10lf\n"
                  "2 0 0 0 0 %14.8lf %15.10lf\n[PSEUDO]\nNa   1   3\nH    2   1\n",
                  10.5, 1.0 / std::sqrt(M_PI / (10.5 * 10.5 * 10.5)), 2.0,
                  1.0 / std::sqrt(M_PI / 32.0), 1.0, 1.0 / std::sqrt(M_PI));
    EXPECT_EQ(Written([&](UMoldenFilter& f) { f.WriteBasis(&geom); }), expected);
}

TEST_F(MoldenWriter, OrbitalsLeaveOutZeroCoefficientsAndEmptyOrbitals)
{
    UQGeometryData geom;
    geom.AddCoordinates(1, V3(0.0, 0.0, -0.7));
    geom.AddCoordinates(1, V3(0.0, 0.0, 0.7));
    geom.GetBasis()->Add(BasisOfShells("h", {stS}));
    geom.GetBasis()->Add(0, 0);
    geom.GetBasis()->Add(1, 0);
    UMatrix<double> mos(2, 3, -1);
    mos(0, 0) = 0.5489;
    mos(1, 0) = -0.0;  // a negative zero is a zero
    mos(0, 1) = 0.0;   // orbital 2 is all zeros
    mos(1, 1) = 0.0;
    mos(0, 2) = std::numeric_limits<double>::quiet_NaN();
    mos(1, 2) = -1.2115;
    SetRestricted(geom, mos, {-0.578, 0.1, 0.670}, {2.0});
    EXPECT_EQ(Written([&](UMoldenFilter& f) { f.WriteOrbitals(&geom); }),
              "[MO]\n"
              " Sym=     1a\n Ene=    -0.57800000000000\n Spin= Alpha\n Occup=    2.00000\n"
              "     1     0.54890000000000\n"
              " Sym=     3a\n Ene=     0.67000000000000\n Spin= Alpha\n Occup=    0.00000\n"
              "     1                  nan\n"
              "     2    -1.21150000000000\n");
}

TEST_F(MoldenWriter, LongOrbitalsKeepEveryCoefficientLine)
{
    // Enough rows, some of them as wide as a double gets, to fill several batches of lines.
    const long rows = 700;
    UQGeometryData geom;
    UMatrix<double> mos(rows, 1, -1);
    std::string expected = "[MO]\n Sym=     1a\n Ene=     0.00000000000000\n Spin= Alpha\n"
                           " Occup=    0.00000\n";
    char line[512];
    for (long j = 0; j < rows; j++) {
        double c = j % 7 == 0 ? -std::numeric_limits<double>::max() : (j % 3 == 0 ? 0.0 : j * 1e-3);
        mos(j, 0) = c;
        if (c == 0.0) continue;
        std::snprintf(line, sizeof line, "%6ld %20.14lf\n", j + 1, c);
        expected += line;
    }
    SetRestricted(geom, mos, {0.0}, {0.0});
    EXPECT_EQ(Written([&](UMoldenFilter& f) { f.WriteOrbitals(&geom); }), expected);
}

TEST_F(MoldenWriter, UnrestrictedOrbitalsAreWrittenAlphaThenBeta)
{
    UQGeometryData geom;
    geom.AddCoordinates(1, V3());
    geom.GetBasis()->Add(BasisOfShells("h", {stS}));
    geom.GetBasis()->Add(0, 0);
    UMatrix<double> one(1, 1, -1);
    one(0, 0) = 1.0;
    UVector<double> e(0, 1), oa(0, 1), ob(0, 1);
    e.Add(-0.5);
    oa.Add(1.0);
    ob.Add(0.0);
    geom.SetEAlpha(e);
    geom.SetOAlpha(oa);
    geom.SetAlpha(one);
    geom.SetEBeta(e);
    geom.SetOBeta(ob);
    geom.SetBeta(one);
    EXPECT_EQ(Written([&](UMoldenFilter& f) { f.WriteOrbitals(&geom); }),
              "[MO]\n"
              " Sym=     1a\n Ene=    -0.50000000000000\n Spin= Alpha\n Occup=    1.00000\n"
              "     1     1.00000000000000\n"
              " Sym=     1a\n Ene=    -0.50000000000000\n Spin= Beta\n Occup=    0.00000\n"
              "     1     1.00000000000000\n");
}

TEST_F(MoldenWriter, CartesianFFunctionsAreReorderedForMolden)
{
    UQGeometryData geom;
    geom.AddCoordinates(6, V3());
    geom.GetBasis()->Add(BasisOfShells("c", {stS, stF10}));
    geom.GetBasis()->Add(0, 0);
    UMatrix<double> mos(11, 1, -1);
    for (int i = 0; i < 11; i++) mos(i, 0) = i;  // s function 0, then f in internal order
    mos(0, 0) = 0.25;
    SetRestricted(geom, mos, {-1.0}, {2.0});
    std::string text = Written([&](UMoldenFilter& f) { f.WriteOrbitals(&geom); });
    std::string rows = text.substr(text.find("Occup=    2.00000\n") + 18);
    // xxx yyy zzz xyy xxy xxz xzz yzz yyz xyz
    const int order[] = {1, 2, 3, 6, 4, 5, 8, 9, 7, 10};
    std::string expected = "     1     0.25000000000000\n";
    char line[64];
    for (int j = 0; j < 10; j++) {
        std::snprintf(line, sizeof line, "%6d %20.14lf\n", j + 2, double(order[j]));
        expected += line;
    }
    EXPECT_EQ(rows, expected);
}

TEST_F(MoldenWriter, EveryOrbitalOfAManyOrbitalSetIsReordered)
{
    // Orbitals are reordered a few at a time: more of them than fit one batch,
    // each coefficient telling its internal row and its orbital.
    const long atoms = 14, functions = 11 * atoms;
    UQGeometryData geom;
    geom.GetBasis()->Add(BasisOfShells("c", {stS, stF10}));
    for (long a = 0; a < atoms; a++) {
        geom.AddCoordinates(6, V3(0.0, 0.0, 2.0 * a));
        geom.GetBasis()->Add(a, 0);
    }
    UMatrix<double> mos(functions, functions, -1);
    for (long j = 0; j < functions; j++)
        for (long i = 0; i < functions; i++) mos(i, j) = (i + 1) + 0.001 * (j + 1);
    UVector<double> e(functions, 1), o(functions, 1);
    Vset(e, -1.0);
    Vset(o, 2.0);
    geom.SetE(e);
    geom.SetO(o);
    geom.SetMos(mos);
    // xxx yyy zzz xyy xxy xxz xzz yzz yyz xyz
    const int order[] = {0, 1, 2, 3, 6, 4, 5, 8, 9, 7, 10};
    std::string expected = "[MO]\n";
    char line[128];
    for (long j = 0; j < functions; j++) {
        std::snprintf(line, sizeof line,
                      " Sym= %5lda\n Ene=    -1.00000000000000\n Spin= Alpha\n"
                      " Occup=    2.00000\n",
                      j + 1);
        expected += line;
        for (long i = 0; i < functions; i++) {
            std::snprintf(line, sizeof line, "%6ld %20.14lf\n", i + 1,
                          mos(11 * (i / 11) + order[i % 11], j));
            expected += line;
        }
    }
    EXPECT_EQ(Written([&](UMoldenFilter& f) { f.WriteOrbitals(&geom); }), expected);
}

TEST_F(MoldenWriter, OrbitalFailuresKeepWhatWasWritten)
{
    {  // g functions cannot be reordered: the section line stands, then 25007
        UQGeometryData geom;
        geom.AddCoordinates(6, V3());
        geom.GetBasis()->Add(BasisOfShells("c", {stG}));
        geom.GetBasis()->Add(0, 0);
        UMatrix<double> mos(15, 1, -1);
        Mset(mos, 1.0);
        SetRestricted(geom, mos, {-1.0}, {2.0});
        int code = 0;
        EXPECT_EQ(Written([&](UMoldenFilter& f) { f.WriteOrbitals(&geom); }, &code), "[MO]\n");
        EXPECT_EQ(code, cmMissingData);
    }
    {  // a basis set but no orbitals
        UQGeometryData geom;
        geom.AddCoordinates(1, V3());
        geom.GetBasis()->Add(BasisOfShells("h", {stS}));
        geom.GetBasis()->Add(0, 0);
        int code = 0;
        EXPECT_EQ(Written([&](UMoldenFilter& f) { f.WriteOrbitals(&geom); }, &code), "[MO]\n");
        EXPECT_EQ(code, umIncompatibleDimensions);
    }
    {  // more energies than coefficient columns
        UQGeometryData geom;
        geom.AddCoordinates(1, V3());
        geom.GetBasis()->Add(BasisOfShells("h", {stS}));
        geom.GetBasis()->Add(0, 0);
        UMatrix<double> mos(1, 1, -1);
        mos(0, 0) = 1.0;
        SetRestricted(geom, mos, {-0.5, 0.5}, {1.0, 0.0});
        int code = 0;
        EXPECT_EQ(Written([&](UMoldenFilter& f) { f.WriteOrbitals(&geom); }, &code), "[MO]\n");
        EXPECT_EQ(code, umIncompatibleDimensions);
    }
}

TEST_F(MoldenWriter, OrbitalsWithoutBasisAreWrittenAsStored)
{
    UQGeometryData geom;
    UMatrix<double> mos(2, 1, -1);
    mos(0, 0) = 0.75;
    mos(1, 0) = -0.25;
    SetRestricted(geom, mos, {-0.3}, {2.0});
    EXPECT_EQ(Written([&](UMoldenFilter& f) { f.WriteOrbitals(&geom); }),
              "[MO]\n Sym=     1a\n Ene=    -0.30000000000000\n Spin= Alpha\n Occup=    2.00000\n"
              "     1     0.75000000000000\n     2    -0.25000000000000\n");
}

}  // namespace
