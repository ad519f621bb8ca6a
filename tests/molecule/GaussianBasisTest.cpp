#include <gtest/gtest.h>

#include <vector>

#include "molecule/UQBasis.h"
#include "molecule/UQEcp.h"
#include "molecule/UStrChem.h"
#include "tests/support/RaisedCode.h"
#include "tests/support/VectorItems.h"

namespace {

UGaussianShell* Shell(ShellType t, int primitives = 1)
{
    UGaussianShell* s = new UGaussianShell(t);
    for (int i = 0; i < primitives; i++) s->Add(UGaussianPrimitive(1.0 + i, 0.5, 0.0));
    return s;
}

UGaussianAtom* Atom(const char* name, std::vector<ShellType> const& types)
{
    UGaussianAtom* a = new UGaussianAtom(name);
    for (ShellType t : types) a->Add(Shell(t));
    return a;
}

TEST(GaussianBasis, ShellDimensions)
{
    const long expected[] = {1, 3, 4, 5, 6, 7, 10, 15};
    for (int t = stS; t <= stG; t++) EXPECT_EQ(ShellDim(ShellType(t)), expected[t]);
    EXPECT_EQ(ShellDim(ShellType(8)), 0);
    EXPECT_EQ(ShellDim(ShellType(-1)), 0);
    EXPECT_TRUE(LessThan(stS, stP));
    EXPECT_FALSE(LessThan(stP, stP));
}

TEST(GaussianBasis, PrimitivesAndShells)
{
    UGaussianPrimitive zero;
    EXPECT_EQ(zero.exponent, 0.0);
    EXPECT_EQ(zero.coefficient2, 0.0);
    UGaussianShell s(stSP);
    s.Add(UGaussianPrimitive(3.0, 0.1, 0.2));
    s.Add(UGaussianPrimitive(1.0, 0.3, 0.4));
    ASSERT_EQ(s.GetPrim().GetDim(), 2);
    EXPECT_EQ(s.GetPrim()[1].exponent, 1.0);
    EXPECT_EQ(s.GetPrim()[1].coefficient2, 0.4);
    s.SetType(stD6);
    EXPECT_EQ(s.GetType(), stD6);
    EXPECT_EQ(s.GetPrim().GetDim(), 2);
}

TEST(GaussianBasis, SortShellsIsStableByType)
{
    UGaussianAtom a("c def2-SVP");
    UGaussianShell* d = Shell(stD5, 1);
    UGaussianShell* s1 = Shell(stS, 1);
    UGaussianShell* p = Shell(stP, 1);
    UGaussianShell* s2 = Shell(stS, 2);
    UGaussianShell* f = Shell(stF7, 1);
    UGaussianShell* sp = Shell(stSP, 1);
    for (UGaussianShell* x : {d, s1, p, s2, f, sp}) a.Add(x);
    a.SortShells();
    std::vector<UGaussianShell*> order;
    for (long i = 0; i < a.GetShells().GetDim(); i++) order.push_back(a.GetShells()[i]);
    EXPECT_EQ(order, (std::vector<UGaussianShell*>{s1, s2, p, sp, d, f}));
    EXPECT_STREQ(a.GetName(), "c def2-SVP");
}

TEST(BasisSet, NewSetStartsEmptyWithSphericalForms)
{
    UBasisSet b(btNone);
    EXPECT_EQ(b.GetBasisType(), btNone);
    EXPECT_EQ(b.GetdFuncType(), bfHarmonic);
    EXPECT_EQ(b.GetfFuncType(), bfHarmonic);
    EXPECT_EQ(b.GetDim(), 0);
    EXPECT_EQ(b.GetAtomDim(), 1);
    EXPECT_EQ(b.GetOrbitalDim(), 0);
    EXPECT_EQ(b.TestdFuncType(), bfNone);
    EXPECT_EQ(b.TestfFuncType(), bfNone);
    EXPECT_EQ(b.Find("c"), -1);
    EXPECT_FALSE(b.GetHasPrims());
}

TEST(BasisSet, CountsFunctionsOverAssignedAtoms)
{
    UBasisSet b(btNone);
    b.Add(Atom("o", {stS, stS, stP, stD5}));  // 1 + 1 + 3 + 5 = 10
    EXPECT_EQ(b.GetBasisType(), btGaussian);
    b.Add(Atom("h", {stS, stP}));  // 4
    b.Add(0, 0);
    b.Add(2, 0);
    b.Add(0, 1);
    EXPECT_EQ(b.GetDim(), 2);
    EXPECT_EQ(b.GetAtomDim(), 3);
    UVector<long> list(0, 1);
    b.MakeListForAtom(0, list);
    EXPECT_EQ(Items(list), (std::vector<long>{0, 1}));
    b.MakeListForAtom(1, list);
    EXPECT_EQ(list.GetDim(), 0);
    b.MakeListForShell(0, list);
    EXPECT_EQ(Items(list), (std::vector<long>{0, 2}));
    EXPECT_EQ(b.GetOrbitalDim(), 10 + 4 + 10);
}

TEST(BasisSet, SphericalCarbonMonoxideHasFortyFourFunctions)
{
    // 6-311++G** on C and O: 5s4p1d per atom, d spherical by default.
    UBasisSet b(btNone);
    for (const char* name : {"c 6-311++G**", "o 6-311++G**"})
        b.Add(Atom(name, {stS, stS, stS, stS, stS, stP, stP, stP, stP, stD5}));
    b.Add(0, 0);
    b.Add(1, 1);
    EXPECT_EQ(b.TestdFuncType(), bfHarmonic);
    EXPECT_EQ(b.GetOrbitalDim(), 44);
    b.ChangedFuncType(bfCartesian);
    EXPECT_EQ(b.GetOrbitalDim(), 46);
}

TEST(BasisSet, PairsNamingNoBasisCountNothing)
{
    UBasisSet b(btNone);
    b.Add(Atom("h", {stS}));
    b.Add(0, 0);
    b.Add(1, 5);
    b.Add(2, -1);
    EXPECT_EQ(b.GetOrbitalDim(), 1);
    // Only atoms from 0 count; a far one counts like any other.
    b.Add(-3, 0);
    EXPECT_EQ(b.GetOrbitalDim(), 1);
    b.Add(1L << 22, 0);
    EXPECT_EQ(b.GetOrbitalDim(), 2);
}

TEST(BasisSet, ChangeFormRetagsOnlyItsShells)
{
    UBasisSet b(btNone);
    b.Add(Atom("a", {stS, stD5, stF7}));
    b.Add(Atom("b", {stD5}));
    b.ChangedFuncType(bfCartesian);
    EXPECT_EQ(b.GetdFuncType(), bfCartesian);
    EXPECT_EQ(b.GetGaussian(0)->GetShells()[1]->GetType(), stD6);
    EXPECT_EQ(b.GetGaussian(1)->GetShells()[0]->GetType(), stD6);
    EXPECT_EQ(b.GetGaussian(0)->GetShells()[2]->GetType(), stF7);
    EXPECT_EQ(b.TestdFuncType(), bfCartesian);
    EXPECT_EQ(b.TestfFuncType(), bfHarmonic);
    b.ChangedFuncType(bfNone);
    EXPECT_EQ(b.GetdFuncType(), bfNone);
    EXPECT_EQ(b.GetGaussian(0)->GetShells()[1]->GetType(), stD6);
    b.ChangefFuncType(bfCartesian);
    EXPECT_EQ(b.GetGaussian(0)->GetShells()[2]->GetType(), stF10);
    b.ChangefFuncType(bfHarmonic);
    b.ChangedFuncType(bfHarmonic);
    EXPECT_EQ(b.GetGaussian(0)->GetShells()[2]->GetType(), stF7);
    EXPECT_EQ(b.GetGaussian(1)->GetShells()[0]->GetType(), stD5);
    // Set only declares.
    b.SetdFuncType(bfCartesian);
    EXPECT_EQ(b.GetGaussian(1)->GetShells()[0]->GetType(), stD5);
}

TEST(BasisSet, TestsIgnoreDeclaredFormsAndDetectMixing)
{
    UBasisSet sp(btNone);
    sp.Add(Atom("h", {stS, stP}));
    sp.SetdFuncType(bfCartesian);
    EXPECT_EQ(sp.TestdFuncType(), bfNone);
    EXPECT_EQ(sp.TestfFuncType(), bfNone);

    struct Case {
        std::vector<ShellType> first, second;
        bool d;
    } cases[] = {{{stD5}, {stD6}, true},
                 {{stD6}, {stD5}, true},
                 {{stD5, stD6}, {}, true},
                 {{stF7}, {stF10}, false},
                 {{stF10}, {stS, stF7}, false}};
    for (auto const& c : cases) {
        UBasisSet b(btNone);
        b.Add(Atom("a", c.first));
        b.Add(Atom("b", c.second));
        if (c.d) {
            EXPECT_EQ(RaisedCode([&] { b.TestdFuncType(); }), cmInvalidBasisOperation);
            EXPECT_EQ(b.TestfFuncType(), bfNone);
        } else {
            EXPECT_EQ(RaisedCode([&] { b.TestfFuncType(); }), cmInvalidBasisOperation);
            EXPECT_EQ(b.TestdFuncType(), bfNone);
        }
    }
}

TEST(BasisSet, KindsDoNotMixAndAFailedAddLeavesOwnership)
{
    UBasisSet g(btNone);
    g.Add(Atom("c", {stS}));
    USlaterAtom* slater = new USlaterAtom("c");
    EXPECT_EQ(RaisedCode([&] { g.Add(slater); }), cmInvalidBasisOperation);
    delete slater;  // still the caller's
    EXPECT_EQ(g.GetDim(), 1);
    for (auto op : {&UBasisSet::ClearPrims, &UBasisSet::ClearShells,
                    &UBasisSet::MakeShellsFromPrims, &UBasisSet::MakePrimsFromShells})
        EXPECT_EQ(RaisedCode([&] { (g.*op)(); }), cmInvalidBasisOperation);
    EXPECT_EQ(g.GetBasisType(), btGaussian);
    EXPECT_FALSE(g.GetHasShells());

    UBasisSet s(btNone);
    s.MakePrimsFromShells();
    EXPECT_EQ(s.GetBasisType(), btSlater);
    UGaussianAtom* gauss = Atom("c", {stS});
    EXPECT_EQ(RaisedCode([&] { s.Add(gauss); }), cmInvalidBasisOperation);
    delete gauss;
    EXPECT_EQ(s.GetDim(), 0);
}

TEST(BasisSet, SlaterSetsCountPrimitives)
{
    UBasisSet b(btNone);
    USlaterAtom* a = new USlaterAtom("c dz");
    a->Add(USlaterShell(1, 0, 5.0, true));
    a->Add(USlaterShell(2, 1, 1.5, false));
    b.Add(a);
    EXPECT_EQ(b.GetBasisType(), btSlater);
    EXPECT_FALSE(b.GetHasPrims());
    EXPECT_TRUE(b.GetHasShells());
    b.MakePrimsFromShells();
    EXPECT_TRUE(b.GetHasPrims());
    b.Add(0, 0);
    b.Add(1, 0);
    EXPECT_EQ(b.GetOrbitalDim(), 8);
    EXPECT_EQ(b.TestdFuncType(), bfNone);
    EXPECT_EQ(b.Find("c dz"), 0);
    b.ClearShells();
    EXPECT_FALSE(b.GetHasShells());
    b.ClearPrims();
    EXPECT_FALSE(b.GetHasPrims());
}

TEST(BasisSet, FindIsCaseSensitive)
{
    UBasisSet b(btNone);
    b.Add(Atom("c", {stS}));
    b.Add(Atom("C", {stS}));
    b.Add(Atom("C", {stP}));
    EXPECT_EQ(b.Find("C"), 1);
    EXPECT_EQ(b.Find("c"), 0);
    EXPECT_EQ(b.Find("o"), -1);
}

TEST(BasisSet, ClearKeepsDeclaredFormsAndMatchesAreViews)
{
    UBasisSet b(btNone);
    b.Add(Atom("c", {stD6}));
    b.Add(0, 0);
    b.SetdFuncType(bfCartesian);
    UVector<UPair> m = b.GetMatches();
    m[0].entry = 3;
    EXPECT_EQ(b.GetMatches()[0].entry, 3);
    b.Clear();
    EXPECT_EQ(b.GetBasisType(), btNone);
    EXPECT_EQ(b.GetDim(), 0);
    EXPECT_EQ(b.GetMatches().GetDim(), 0);
    EXPECT_EQ(b.GetdFuncType(), bfCartesian);
    EXPECT_EQ(b.GetfFuncType(), bfHarmonic);
    b.Add(new USlaterAtom("c"));
    EXPECT_EQ(b.GetBasisType(), btSlater);
}

}  // namespace
