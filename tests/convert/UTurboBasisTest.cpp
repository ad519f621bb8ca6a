// "$basis", "$ecp", "$pople" and the control-file sections.
#include <gtest/gtest.h>

#include <string>

#include "convert/UTurbo.h"
#include "molecule/UQBasis.h"
#include "molecule/UQEcp.h"
#include "molecule/UQGauss.h"
#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "tests/convert/TurboTestSupport.h"
#include "utilities/UStrUtilities.h"

namespace {

class TurboBasis : public TurboFileTest {
protected:
    UBasisSet* Basis() { return geom.GetBasis(); }
};

const char* twoSets = "$basis\n"
                      "*\n"
                      "c my-basis\n"
                      "# c  (2s1p1d)\n"
                      "*\n"
                      "   1  d\n"
                      "  0.8  1.0\n"
                      "   2  s\n"
                      "  71.6D+00   0.154\n"
                      "  13.0       0.535\n"
                      "   1  sp\n"
                      "  2.9  -0.1  0.15\n"
                      "*\n"
                      "h my-basis\n"
                      "*\n"
                      "   1  s\n"
                      "  3.4  1.0\n"
                      "*\n"
                      "$end\n";

TEST_F(TurboBasis, NamedSetsWithSortedShells)
{
    ASSERT_EQ(0, Read(twoSets));
    ASSERT_EQ(2, Basis()->GetDim());
    UGaussianAtom* c = Basis()->GetGaussian(0);
    EXPECT_STREQ("c my-basis", c->GetName());
    ASSERT_EQ(3, c->GetShells().GetDim());
    EXPECT_EQ(stS, c->GetShells()[0]->GetType());
    EXPECT_EQ(stSP, c->GetShells()[1]->GetType());
    UGaussianShell* s = c->GetShells()[0];
    ASSERT_EQ(2, s->GetPrim().GetDim());
    EXPECT_DOUBLE_EQ(71.6, s->GetPrim()[0].exponent);
    EXPECT_DOUBLE_EQ(0.535, s->GetPrim()[1].coefficient);
    UGaussianShell* sp = c->GetShells()[1];
    EXPECT_DOUBLE_EQ(-0.1, sp->GetPrim()[0].coefficient);
    EXPECT_DOUBLE_EQ(0.15, sp->GetPrim()[0].coefficient2);
    EXPECT_STREQ("h my-basis", Basis()->GetGaussian(1)->GetName());
}

TEST_F(TurboBasis, DShellFollowsTheDeclaredForm)
{
    ShellType before = UQGeometryData().GetBasis()->GetdFuncType() == bfCartesian ? stD6 : stD5;
    ASSERT_EQ(0, Read(twoSets));
    EXPECT_EQ(before, Basis()->GetGaussian(0)->GetShells()[2]->GetType());
    // "$pople" retags what was read and sets the form of later shells.
    ASSERT_EQ(0, Read("$pople CAO\n$end\n"));
    EXPECT_EQ(stD6, Basis()->GetGaussian(0)->GetShells()[2]->GetType());
    ASSERT_EQ(0, Read("$pople AO\n$end\n"));
    EXPECT_EQ(stD5, Basis()->GetGaussian(0)->GetShells()[2]->GetType());
    ASSERT_EQ(0, Read("$pople --none--\n$pople XYZ\n$pople\n$end\n"));
    EXPECT_EQ(stD5, Basis()->GetGaussian(0)->GetShells()[2]->GetType());
}

TEST_F(TurboBasis, DamagedBasisSets)
{
    struct Case {
        const char* text;
        int code;
        long complete = 0;
    } cases[] = {
        {"$basis\n*\nx b\n*\n 1 h\n 1.0 1.0\n*\n$end\n", cmInvalidTurbomoleFile},  // unknown shell
        {"$basis\n*\nx b\n*\n 1 s\n 1.0 1.0\n*\n$pople AO\n$end\n", cmInvalidTurbomoleFile, 1},
        {"$basis\n*\nx b\n*\n 1s\n 1.0 1.0\n*\n$end\n", cmInvalidTurbomoleFile},  // no blank
        {"$basis\n*\nx b\n*\n a s\n 1.0 1.0\n*\n$end\n",
         cmInvalidTurbomoleFile},  // count not a number
        {"$basis\n*\nx b\n*\n 2 s\n 1.0 1.0\n$end\n",
         cmInvalidTurbomoleFile},  // header among primitives
        {"$basis\n*\nx b\n*\n 1 s\n 1.0 abc\n*\n$end\n",
         cmInvalidTurbomoleFile},  // letters in a value
        {"$basis\n*\nx b\n*\n 1 sp\n 1.0 0.5\n*\n$end\n",
         cmInvalidTurbomoleFile},  // sp needs three
        {"$basis\n*\nx b\n*\n 1 s\n 1.0 0.5x 0.2\n*\n$end\n", cmInvalidTurbomoleFile},
        {"$basis\n*\nx b\n*\n 1 s\n 1.0\n*\n$end\n", cmInvalidTurbomoleFile},
        {"$basis\n*\nx b\n*\n 1 s\n 1.0 nan\n*\n$end\n", cmInvalidTurbomoleFile},
        {"$basis\n*\nx b\n*\n 1 s\n 1.0-100 1.0\n*\n$end\n", cmInvalidTurbomoleFile},
        {"$basis\n*\nx b\n$end\n", cmInvalidTurbomoleFile},
        {"$basis\n*\nx b\n*\n 1 s\n", cmUnexpectedEof},
    };
    for (const Case& c : cases) {
        UQGeometryData fresh;
        TextStream text(c.text);
        UTurboFilter filter(text.Get());
        EXPECT_EQ(c.code, RaisedCode([&] { filter.ReadGeometry(&fresh); })) << c.text;
        // A set interrupted by an error is not added.
        EXPECT_EQ(c.complete, fresh.GetBasis()->GetDim()) << c.text;
    }
}

// The fields a primitive line needs are read; what follows them is not.
TEST_F(TurboBasis, PrimitiveLinesMayGoOnAfterTheirFields)
{
    ASSERT_EQ(0, Read("$basis\n*\nx b\n*\n"
                      " 2 s\n 71.6D+00 0.154 0.0\n 13.0 0.535   # tight\n"
                      " 1 sp\n 2.9 -0.1 0.15 0.7\n*\n$end\n"));
    UGaussianAtom* x = Basis()->GetGaussian(0);
    ASSERT_EQ(2, x->GetShells().GetDim());
    const UVector<UGaussianPrimitive>& s = x->GetShells()[0]->GetPrim();
    ASSERT_EQ(2, s.GetDim());
    EXPECT_DOUBLE_EQ(71.6, s[0].exponent);
    EXPECT_DOUBLE_EQ(0.154, s[0].coefficient);
    EXPECT_DOUBLE_EQ(0.0, s[0].coefficient2);
    EXPECT_DOUBLE_EQ(0.535, s[1].coefficient);
    const UGaussianPrimitive& sp = x->GetShells()[1]->GetPrim()[0];
    EXPECT_DOUBLE_EQ(-0.1, sp.coefficient);
    EXPECT_DOUBLE_EQ(0.15, sp.coefficient2);
}

const char* potentials = "$ecp\n"
                         "*\n"
                         "rb ecp-28\n"
                         "*\n"
                         "  NCORE = 28   LMAX = 2\n"
                         "#  coefficient   r^n  exponent\n"
                         "d\n"
                         "   -10.0   1   3.5\n"
                         "     2.5   2   1.25\n"
                         "s-d\n"
                         "     1.0   0   2.0\n"
                         "p-d\n"
                         "# a comment among the terms\n"
                         "     3.0   2   4.0\n"
                         "*\n"
                         "$end\n";

TEST_F(TurboBasis, CorePotentials)
{
    ASSERT_EQ(0, Read(potentials));
    UEcpSet* ecps = geom.GetEcp();
    ASSERT_EQ(1, ecps->GetDim());
    UEcp* ecp = ecps->GetEcp(0);
    EXPECT_STREQ("rb ecp-28", ecp->GetName());
    EXPECT_EQ(28, ecp->GetCoreElec());
    EXPECT_EQ(3, ecp->Getlmax());
    ASSERT_EQ(3, ecp->GetParts().GetDim());
    EXPECT_EQ(-1, ecp->GetParts()[0]->Getl());
    EXPECT_EQ(1, ecp->GetParts()[2]->Getl());
    const UVector<UEcpTerm>& terms = ecp->GetParts()[0]->GetTerms();
    ASSERT_EQ(2, terms.GetDim());
    EXPECT_EQ(2, terms[1].n);
    EXPECT_DOUBLE_EQ(1.25, terms[1].exponent);
    EXPECT_DOUBLE_EQ(2.5, terms[1].coefficient);
    EXPECT_EQ(1, ecp->GetParts()[2]->GetTerms().GetDim());
}

// Turbomole writes spin-orbit potentials with a third count after lmax, and
// the count is read as far as its first word; so are term lines.
TEST_F(TurboBasis, CountsAndTermsAreTheirFirstWords)
{
    ASSERT_EQ(0, Read("$ecp\n*\nbi ecp-60\n*\n  ncore = 60   lmax = 1   lmaxso = 1\n"
                      "p\n   -10.0   1   3.5   # local\n s-p\n  1.0  0  2.0\n*\n$end\n"));
    UEcp* ecp = geom.GetEcp()->GetEcp(0);
    EXPECT_EQ(60, ecp->GetCoreElec());
    EXPECT_EQ(2, ecp->Getlmax());
    ASSERT_EQ(2, ecp->GetParts().GetDim());
    const UVector<UEcpTerm>& terms = ecp->GetParts()[0]->GetTerms();
    ASSERT_EQ(1, terms.GetDim());
    EXPECT_EQ(1, terms[0].n);
    EXPECT_DOUBLE_EQ(3.5, terms[0].exponent);
    EXPECT_DOUBLE_EQ(-10.0, terms[0].coefficient);
}

TEST_F(TurboBasis, BasisThenPotentialsInOneFile)
{
    std::string both = std::string(twoSets);
    both.erase(both.size() - 5);
    ASSERT_EQ(0, Read(both + potentials));
    EXPECT_EQ(2, Basis()->GetDim());
    EXPECT_EQ(1, geom.GetEcp()->GetDim());
}

TEST_F(TurboBasis, DamagedPotentials)
{
    const char* cases[] = {
        "$ecp\n*\nx\n*\n ncore=10\nd\n 1 1 1\n*\n$end\n",  // no blank after the count
        "$ecp\n*\nx\n*\n core = 10 lmax = 0\nd\n 1 1 1\n*\n$end\n",
        "$ecp\n*\nx\n*\n ncore = 10 lmax = 2\nd\n 1 1 1\ns-d\n 1 1 1\n*\n$end\n",  // third label
                                                                                   // missing
        "$ecp\n*\nx\n*\n ncore = 10 lmax = 0\nd\n 1.0 x 1\n*\n$end\n",
        "$ecp\n*\nx\n*\n ncore = ten lmax = 0\nd\n 1 1 1\n*\n$end\n",
        "$ecp\n*\nx\n*\n ncore = 10 lmax = 99999999999999999999\nd\n 1 1 1\n*\n$end\n",
        // Terms are a number, an integer and a number, taken as written.
        "$ecp\n*\nx\n*\n ncore = 10 lmax = 0\nd\n 1.0 2.5 3.0\n*\n$end\n",
        "$ecp\n*\nx\n*\n ncore = 10 lmax = 0\nd\n 1.0 2 3.5D+00\n*\n$end\n",
        "$ecp\n*\nx\n*\n ncore = 10 lmax = 0\nd\n 1.0 2\n*\n$end\n",
        "$ecp\n*\nx\n*\n ncore = 10 lmax = 0\nd\n 1.0 2 3.0x 4.0\n*\n$end\n",
        "$ecp\n*\nx\n*\n ncore = 10 lmax = 1x lmaxso = 1\nd\n 1 1 1\n*\n$end\n",
        "$ecp\n*\nx\n*\n ncore = 10 lmax =\nd\n 1 1 1\n*\n$end\n",
    };
    for (const char* c : cases) {
        UQGeometryData fresh;
        TextStream text(c);
        UTurboFilter filter(text.Get());
        EXPECT_EQ(cmInvalidTurbomoleFile, RaisedCode([&] { filter.ReadGeometry(&fresh); })) << c;
        EXPECT_EQ(0, fresh.GetEcp()->GetDim()) << c;
    }
}

const char* control = "$title\n"
                      "$symmetry c1\n"
                      "$coord    file=coord\n"
                      "$atoms\n"
                      "c  1,3                                   \\\n"
                      "   jbas  =c universal                    \\\n"
                      "   basis =c my-basis                     \\\n"
                      "   ecp   =c no-such-potential\n"
                      "h  2,4-\\\n"
                      "5\\\n"
                      "   basis =h my-basis\n"
                      "$closed shells\n"
                      " a       1-3,5                                  ( 2 )\n"
                      " b       7\n"
                      "$alpha shells\n"
                      " a       1-3,5                                  ( 1 )\n"
                      "$rundimensions\n"
                      "   natoms=5\n"
                      "   nbf(AO)=9\n"
                      "$pople CAO\n"
                      "$scfconv   6\n"
                      "  stray data\n"
                      "$end\n";

TEST_F(TurboBasis, ControlFile)
{
    ASSERT_EQ(0, Read(twoSets));
    ASSERT_EQ(0, ReadControl(control));
    UVector<long> list(0, 1);
    Basis()->MakeListForAtom(0, list);
    ASSERT_EQ(1, list.GetDim());
    EXPECT_EQ(0, list[0]);
    for (long atom : {1, 3, 4}) {
        Basis()->MakeListForAtom(atom, list);
        ASSERT_EQ(1, list.GetDim()) << atom;
        EXPECT_EQ(1, list[0]) << atom;
    }
    Basis()->MakeListForAtom(2, list);
    EXPECT_EQ(0, list[0]);
    EXPECT_EQ(0, geom.GetEcp()->GetMatches().GetDim());

    // Every line counts; one without a number occupies its orbitals twice.
    UVector<double> o = geom.GetO();
    ASSERT_EQ(7, o.GetDim());
    EXPECT_EQ(2.0, o[0]);
    EXPECT_EQ(0.0, o[3]);
    EXPECT_EQ(2.0, o[4]);
    EXPECT_EQ(0.0, o[5]);
    EXPECT_EQ(2.0, o[6]);
    UVector<double> a = geom.GetOAlpha();
    ASSERT_EQ(5, a.GetDim());
    EXPECT_EQ(1.0, a[2]);
    EXPECT_EQ(0.0, a[3]);
    EXPECT_EQ(stD6, Basis()->GetGaussian(0)->GetShells()[2]->GetType());
}

// An entry gives each atom it lists its basis once and in ascending order,
// however its ranges overlap or are ordered.
TEST_F(TurboBasis, AtomsListedTwiceInAnEntryGetOneBasis)
{
    ASSERT_EQ(0, Read(twoSets));
    ASSERT_EQ(0, ReadControl("$atoms\nh  5,1-2,2-3,3,6-5 \\\n   basis =h my-basis\n$end\n"));
    const UVector<UPair>& pairs = Basis()->GetMatches();
    ASSERT_EQ(4, pairs.GetDim());
    const long atoms[] = {0, 1, 2, 4};
    for (long k = 0; k < 4; ++k) {
        EXPECT_EQ(atoms[k], pairs[k].atom) << k;
        EXPECT_EQ(1, pairs[k].entry) << k;
    }
}

TEST_F(TurboBasis, AtomsNamePotentialsThatExist)
{
    ASSERT_EQ(0, Read(potentials));
    ASSERT_EQ(0, Read(twoSets));
    ASSERT_EQ(0, ReadControl("$atoms\nrb 1 \\\n  basis =c my-basis \\\n  ecp =rb ecp-28\n$end\n"));
    EXPECT_EQ(0, geom.GetEcp()->FindAtom(0));
}

// Once the molecule has atoms, "$atoms" must fit them: each entry's element is
// that of the atoms it lists, no entry lists an atom beyond them, and every atom
// gets a basis set.
TEST_F(TurboBasis, ControlFileOfAnotherMoleculeIsRefused)
{
    const char* basis =
        "$basis\n*\nc tiny\n*\n 1 s\n 1.0 1.0\n*\no tiny\n*\n 1 s\n 2.0 1.0\n*\n$end\n";
    const std::string c1 = "c  1 \\\n   basis =c tiny\n", o2 = "o  2 \\\n   basis =o tiny\n";
    struct Case {
        std::string atoms;
        int code;
        const char* what;
    } cases[] = {
        {c1 + o2, 0, "both atoms"},
        {"C  1 \\\n   basis =c tiny\nO  2 \\\n   basis =o tiny\n", 0, "symbols in upper case"},
        {"o  1 \\\n   basis =o tiny\n" + o2, cmInvalidElement,
         "an oxygen basis on the carbon atom"},
        {c1 + "c  2 \\\n   basis =c tiny\n", cmInvalidElement,
         "a carbon entry for the oxygen atom"},
        {c1 + "o  2-3 \\\n   basis =o tiny\n", umIndexOutOfRange, "an atom beyond the molecule"},
        {c1, cmMissingData, "an atom without a basis set"},
        {"", cmMissingData, "no entry at all"},
    };
    for (const Case& c : cases) {
        UQGeometryData fresh;
        ASSERT_EQ(0, ReadTurboFile(fresh, "$coord\n 0 0 0 c\n 0 0 2.1 o\n$end\n"));
        ASSERT_EQ(0, ReadTurboFile(fresh, basis));
        EXPECT_EQ(c.code, ReadControlFile(fresh, "$title\n$atoms\n" + c.atoms +
                                                     "$closed shells\n a 1 ( 2 )\n$end\n"))
            << c.what;
    }
    // Read before the coordinates there is nothing to compare with.
    UQGeometryData none;
    ASSERT_EQ(0, ReadTurboFile(none, basis));
    EXPECT_EQ(0, ReadControlFile(none, "$atoms\no  1-3 \\\n   basis =o tiny\n$end\n"));
    // Atoms whose element is not known (from a Hessian) take any entry.
    UQGeometryData unknown;
    ASSERT_EQ(0, ReadTurboFile(unknown,
                               "$hessian\n  1 1            1.0            0.0            0.0\n"
                               "  2 1            0.0            1.0            0.0\n"
                               "  3 1            0.0            0.0            1.0\n$end\n"));
    ASSERT_EQ(0, ReadTurboFile(unknown, basis));
    EXPECT_EQ(0, ReadControlFile(unknown, "$atoms\no  1 \\\n   basis =o tiny\n$end\n"));
}

TEST_F(TurboBasis, DamagedControlFiles)
{
    // Atoms before any basis set.
    EXPECT_EQ(cmInvalidTurbomoleFile, ReadControl("$atoms\nc 1 \\\n basis =c my-basis\n$end\n"));
    ASSERT_EQ(0, Read(twoSets));
    const char* cases[] = {
        "$atoms\nc 1 \\\n basis =c other\n$end\n",  // a set the basis file lacks
        "$atoms\nc 1\n$end\n",                      // no basis key
        "$atoms\nc\n$end\n",
        "$atoms\nc 1 \\\n$end\n",  // continuation into a header
        "$atoms\nc 1-20000000 \\\n basis =c my-basis\n$end\n",
        "$closed shells\n a\n$end\n",
    };
    for (const char* c : cases) EXPECT_EQ(cmInvalidTurbomoleFile, ReadControl(c)) << c;
    EXPECT_EQ(cmUnexpectedEof, ReadControl("$title\n$atoms\n"));
}

}  // namespace
