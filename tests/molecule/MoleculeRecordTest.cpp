#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RaisedCode.h"
#include "tests/support/VectorItems.h"
#include "utilities/UStrUtilities.h"

namespace {

TEST(AtomData, BuildsFromNumberOrSymbol)
{
    UQAtomData none;
    EXPECT_EQ(none.GetAtno(), 0);
    EXPECT_EQ(none.GetMass(), 0.0);
    UQAtomData o(8);
    EXPECT_EQ(o.GetAtno(), 8);
    EXPECT_EQ(o.GetMass(), 15.994915);
    EXPECT_EQ(UQAtomData(-2).GetMass(), 0.0);
    UQAtomData cl("cl");
    EXPECT_EQ(cl.GetAtno(), 17);
    EXPECT_EQ(cl.GetMass(), 34.968853);
    EXPECT_EQ(RaisedCode([] { UQAtomData a("Qq"); }), cmInvalidElement);
    EXPECT_EQ(RaisedCode([] { UQAtomData a(104L); }), umIllegalIndex);
}

TEST(AtomData, NumberAndMassSetters)
{
    UQAtomData a(6);
    a.SetMass(13.0);
    EXPECT_EQ(a.GetMass(), 13.003355);
    a.SetMass(12.75);
    EXPECT_EQ(a.GetMass(), 12.75);
    a.SetAtno(6);  // unchanged number keeps the explicit mass
    EXPECT_EQ(a.GetMass(), 12.75);
    a.SetAtno(1);
    EXPECT_EQ(a.GetMass(), 1.007825);
    a.SetAtno(0);
    EXPECT_EQ(a.GetAtno(), 0);
    EXPECT_EQ(a.GetMass(), 1.007825);
    EXPECT_EQ(RaisedCode([&] { a.SetMass(2.0); }), umIllegalIndex);
    // A failed change leaves the atom whole.
    UQAtomData b(8);
    EXPECT_EQ(RaisedCode([&] { b.SetAtno(120); }), umIllegalIndex);
    EXPECT_EQ(b.GetAtno(), 8);
    EXPECT_EQ(b.GetMass(), 15.994915);
    b.SetCoord(V3(1, 2, 3));
    b.SetGrad(V3(-1, 0, 0));
    EXPECT_EQ(b.GetCoord().y, 2);
    EXPECT_EQ(b.GetGrad().x, -1);
}

TEST(MoleculeRecord, FreshRecordIsEmpty)
{
    UQGeometryData g;
    EXPECT_EQ(g.GetDim(), 0);
    EXPECT_FALSE(g.GetHasCoordinates());
    EXPECT_FALSE(g.GetHasEnergy());
    EXPECT_FALSE(g.GetHasGradients());
    EXPECT_FALSE(g.GetHasHessian());
    EXPECT_FALSE(g.GetHasFrequencies());
    EXPECT_FALSE(g.GetHasVibrations());
    EXPECT_FALSE(g.GetHasConvInfo());
    EXPECT_FALSE(g.GetHasBasis());
    EXPECT_FALSE(g.GetHasEcp());
    EXPECT_EQ(g.GetEnergy(), 0.0);
    EXPECT_EQ(g.GetHessian().GetColDim(), 0);
    EXPECT_EQ(g.GetHessian().GetRowDim(), 0);
    EXPECT_EQ(g.GetBasis()->GetBasisType(), btNone);
    EXPECT_EQ(g.GetBasis()->GetdFuncType(), bfHarmonic);
    EXPECT_FALSE(g.GetHasMos());
    EXPECT_FALSE(g.GetIsUnrestricted());
}

TEST(MoleculeRecord, AddingAtomsSetsFlagsAndDropsSecondDerivatives)
{
    UQGeometryData g;
    g.AddCoordinates(8L, V3(0, 0, 0));
    g.AddCoordinates("H", V3(1.8, 0, 0));
    g.AddCoordinates(1L, V3(0, 1.8, 0));
    EXPECT_TRUE(g.GetHasCoordinates());
    g.MakeDefaultHessian();
    EXPECT_TRUE(g.GetHasHessian());
    g.SetFrequencies(Values({1, 2, 3}));
    g.AddGradients("h", V3(0.1, 0, 0));
    EXPECT_EQ(g.GetDim(), 4);
    EXPECT_FALSE(g.GetHasCoordinates());
    EXPECT_TRUE(g.GetHasGradients());
    EXPECT_FALSE(g.GetHasHessian());
    EXPECT_FALSE(g.GetHasFrequencies());
    EXPECT_EQ(g.GetAtomData()[3].GetGrad().x, 0.1);
    g.AddAtom(6L);
    g.AddAtom("N");
    EXPECT_EQ(g.GetDim(), 6);
    EXPECT_FALSE(g.GetHasGradients());
    EXPECT_EQ(g.GetAtomData()[5].GetAtno(), 7);
    // A symbol that names no element adds nothing.
    EXPECT_EQ(RaisedCode([&] { g.AddCoordinates("Zz", V3()); }), cmInvalidElement);
    EXPECT_EQ(g.GetDim(), 6);
    UVector<long> elements(0, 1);
    g.MakeElementList(elements);
    ASSERT_EQ(elements.GetDim(), 4);
    EXPECT_EQ(elements[0], 8);
    EXPECT_EQ(elements[1], 1);
    EXPECT_EQ(elements[2], 6);
    EXPECT_EQ(elements[3], 7);
}

TEST(MoleculeRecord, PerAtomSettersCheckTheIndexFirst)
{
    UQGeometryData g;
    g.AddAtom(8L);
    g.AddAtom(1L);
    for (long i : {-1L, 2L}) {
        EXPECT_EQ(RaisedCode([&] { g.SetAtom(i, 6L); }), umIndexOutOfRange);
        EXPECT_EQ(RaisedCode([&] { g.SetAtom(i, "Qq"); }), umIndexOutOfRange);
        EXPECT_EQ(RaisedCode([&] { g.SetCoordinates(i, V3()); }), umIndexOutOfRange);
        EXPECT_EQ(RaisedCode([&] { g.SetGradients(i, V3()); }), umIndexOutOfRange);
        EXPECT_EQ(RaisedCode([&] { g.SetMass(i, 2.0); }), umIndexOutOfRange);
    }
    EXPECT_EQ(RaisedCode([&] { g.SetAtom(0, "Qq"); }), cmInvalidElement);
    EXPECT_FALSE(g.GetHasCoordinates());
    g.SetAtom(0, "c");
    EXPECT_EQ(g.GetAtomData()[0].GetAtno(), 6);
    g.SetAtom(1, 7L);
    EXPECT_EQ(g.GetAtomData()[1].GetMass(), 14.003074);
    g.SetMass(1, 15.0);
    EXPECT_EQ(g.GetAtomData()[1].GetMass(), 15.000109);
    g.SetCoordinates(1, V3(0, 0, 2));
    EXPECT_TRUE(g.GetHasCoordinates());
    g.SetGradients(0, V3(0, 0, -1));
    EXPECT_TRUE(g.GetHasGradients());
}

TEST(MoleculeRecord, FlatCoordinateAndGradientVectors)
{
    UQGeometryData g;
    g.AddAtom(1L);
    g.AddAtom(1L);
    g.SetCoordinates(Values({1, 2, 3, 4, 5, 6}));
    g.SetGradients(Values({-1, -2, -3, -4, -5, -6}));
    EXPECT_TRUE(g.GetHasCoordinates());
    EXPECT_TRUE(g.GetHasGradients());
    UVector<double> v(1, 1);
    g.GetCoordinates(v);
    EXPECT_EQ(Items(v), (std::vector<double>{1, 2, 3, 4, 5, 6}));
    g.GetGradients(v);
    EXPECT_EQ(Items(v), (std::vector<double>{-1, -2, -3, -4, -5, -6}));
    EXPECT_EQ(g.GetAtomData()[1].GetCoord().x, 4);
    // A vector too short for every atom is refused before anything changes.
    EXPECT_EQ(RaisedCode([&] {
                  g.SetCoordinates(Values({9, 9, 9, 9}));
              }),
              umIncompatibleDimensions);
    EXPECT_EQ(RaisedCode([&] { g.SetGradients(Values({9})); }), umIncompatibleDimensions);
    EXPECT_EQ(g.GetAtomData()[0].GetCoord().x, 1);
    EXPECT_EQ(g.GetAtomData()[0].GetGrad().x, -1);
}

TEST(MoleculeRecord, HessianIsFilledInPlaceThroughItsView)
{
    UQGeometryData g;
    g.AddAtom(1L);
    g.AddAtom(1L);
    UMatrix<double> h = g.GetHessian();
    ASSERT_EQ(h.GetColDim(), 6);
    ASSERT_EQ(h.GetRowDim(), 6);
    for (long i = 0; i < 6; i++)
        for (long j = 0; j < 6; j++) EXPECT_EQ(h(i, j), 0.0);
    h(2, 3) = 7.5;
    g.SetHasHessian(true);
    EXPECT_EQ(g.GetHessian()(2, 3), 7.5);
    // Setters store copies.
    UMatrix<double> mine(6, 6, -1);
    Mset(mine, 1.0);
    g.SetHessian(mine);
    mine(0, 0) = 5.0;
    EXPECT_EQ(g.GetHessian()(0, 0), 1.0);
}

TEST(MoleculeRecord, HessianSizeRules)
{
    {
        UQGeometryData g;
        UMatrix<double> h(6, 6, -1);
        g.SetHessian(h);
        EXPECT_EQ(g.GetDim(), 2);
        EXPECT_EQ(g.GetAtomData().GetDim(), 2);
        EXPECT_EQ(g.GetAtomData()[1].GetAtno(), 0);
        EXPECT_TRUE(g.GetHasHessian());
    }
    {
        UQGeometryData g;
        UMatrix<double> h(6, 7, -1);
        EXPECT_EQ(RaisedCode([&] { g.SetHessian(h); }), umNotSquare);
        UMatrix<double> h4(4, 4, -1);
        EXPECT_EQ(RaisedCode([&] { g.SetHessian(h4); }), umIncompatibleDimensions);
        EXPECT_EQ(g.GetDim(), 0);
        EXPECT_FALSE(g.GetHasHessian());
    }
    {
        UQGeometryData g;
        for (int i = 0; i < 3; i++) g.AddAtom(1L);
        UMatrix<double> h(6, 6, -1);
        EXPECT_EQ(RaisedCode([&] { g.SetHessian(h); }), umIncompatibleDimensions);
        g.MakeDefaultHessian();
        UMatrix<double> d = g.GetHessian();
        ASSERT_EQ(d.GetColDim(), 9);
        EXPECT_EQ(d(4, 4), 1.0);
        EXPECT_EQ(d(4, 5), 0.0);
        g.ClearHessian();
        EXPECT_FALSE(g.GetHasHessian());
        EXPECT_EQ(g.GetHessian().GetColDim(), 9);
    }
}

TEST(MoleculeRecord, FrequencyAndModeSizeRules)
{
    struct Case {
        long atoms;
        long values;
        bool accepted;
        long dimAfter;
    } cases[] = {{0, 3, true, 1}, {0, 4, true, 2}, {0, 0, true, 0},  {3, 2, false, 3},
                 {3, 3, true, 3}, {3, 9, true, 3}, {3, 10, false, 3}};
    for (auto const& c : cases) {
        UQGeometryData g;
        for (long i = 0; i < c.atoms; i++) g.AddAtom(1L);
        UVector<double> f(c.values, 1);
        int code = RaisedCode([&] { g.SetFrequencies(f); });
        EXPECT_EQ(code, c.accepted ? 0 : umIncompatibleDimensions) << c.atoms << " " << c.values;
        EXPECT_EQ(g.GetHasFrequencies(), c.accepted);
        EXPECT_EQ(g.GetDim(), c.dimAfter);
        EXPECT_EQ(g.GetAtomData().GetDim(), c.dimAfter);
    }
    UQGeometryData g;
    UMatrix<double> modes(9, 4, -1);
    g.SetVibrations(modes);
    EXPECT_EQ(g.GetDim(), 3);
    EXPECT_EQ(g.GetVibrations().GetRowDim(), 4);
    UMatrix<double> wrong(6, 4, -1);
    EXPECT_EQ(RaisedCode([&] { g.SetVibrations(wrong); }), umIncompatibleDimensions);
    UQGeometryData empty;
    UMatrix<double> odd(5, 2, -1);
    EXPECT_EQ(RaisedCode([&] { empty.SetVibrations(odd); }), umIncompatibleDimensions);
}

TEST(MoleculeRecord, LazyModeAndFrequencyViews)
{
    UQGeometryData g;
    g.AddAtom(1L);
    g.AddAtom(8L);
    UVector<double> f = g.GetFrequencies();
    ASSERT_EQ(f.GetDim(), 6);
    f[5] = 3700.0;
    g.SetHasFrequencies(true);
    EXPECT_EQ(g.GetFrequencies()[5], 3700.0);
    UMatrix<double> m = g.GetVibrations();
    ASSERT_EQ(m.GetColDim(), 6);
    ASSERT_EQ(m.GetRowDim(), 6);
    m(1, 5) = 0.5;
    g.SetHasVibrations(true);
    EXPECT_EQ(g.GetVibrations()(1, 5), 0.5);
    g.ClearVibFreq();
    EXPECT_FALSE(g.GetHasVibrations());
    EXPECT_FALSE(g.GetHasFrequencies());
    EXPECT_EQ(g.GetFrequencies()[5], 0.0);
}

// Setters keep their own copy; getters hand out the record's storage.
TEST(MoleculeRecord, SettersCopyAndGettersShare)
{
    UQGeometryData g;
    g.AddAtom(1L);
    UVector<double> source = Values({-0.5, 0.25, 2.0});
    struct VectorMember {
        const char* name;
        void (UQGeometryData::*set)(UVector<double> const&);
        UVector<double> (UQGeometryData::*get)() const;
    } const members[] = {
        {"E", &UQGeometryData::SetE, &UQGeometryData::GetE},
        {"EAlpha", &UQGeometryData::SetEAlpha, &UQGeometryData::GetEAlpha},
        {"EBeta", &UQGeometryData::SetEBeta, &UQGeometryData::GetEBeta},
        {"O", &UQGeometryData::SetO, &UQGeometryData::GetO},
        {"OAlpha", &UQGeometryData::SetOAlpha, &UQGeometryData::GetOAlpha},
        {"OBeta", &UQGeometryData::SetOBeta, &UQGeometryData::GetOBeta},
        {"Frequencies", &UQGeometryData::SetFrequencies, &UQGeometryData::GetFrequencies},
    };
    for (auto const& m : members) {
        (g.*m.set)(source);
        source[0] = 9.0;
        EXPECT_EQ((g.*m.get)()[0], -0.5) << m.name;
        UVector<double> view = (g.*m.get)();
        view[1] = 7.0;
        EXPECT_EQ((g.*m.get)()[1], 7.0) << m.name;
        source[0] = -0.5;
    }

    UMatrix<double> modes(3, 2, -1);
    modes(2, 1) = 0.5;
    g.SetVibrations(modes);
    modes(2, 1) = 0.0;
    EXPECT_EQ(g.GetVibrations()(2, 1), 0.5);
    UMatrix<double> shared = g.GetVibrations();
    shared(0, 0) = 3.0;
    EXPECT_EQ(g.GetVibrations()(0, 0), 3.0);

    UVector<UQAtomData> atoms = g.GetAtomData();
    atoms[0].SetCoord(V3(0, 0, 1.5));
    EXPECT_EQ(g.GetAtomData()[0].GetCoord().z, 1.5);
}

TEST(MoleculeRecord, CoefficientsCanBeHandedOverWithoutACopy)
{
    UQGeometryData g;
    UMatrix<double> owner(2, 2, -1);
    owner(1, 0) = 0.5;
    const double* elements = owner.GetConstData();
    g.SetMos(std::move(owner), otBeta);
    EXPECT_EQ(g.GetBeta().GetConstData(), elements);
    EXPECT_EQ(g.GetBeta()(1, 0), 0.5);
    // A view is copied: the molecule never holds another's storage.
    UMatrix<double> view = g.GetBeta();
    g.SetMos(std::move(view), otAlpha);
    EXPECT_NE(g.GetAlpha().GetConstData(), elements);
    EXPECT_EQ(g.GetAlpha()(1, 0), 0.5);
}

TEST(MoleculeRecord, EnergiesPadOccupations)
{
    UQGeometryData g;
    g.SetO(Values({2, 2, 2, 2}));
    g.SetE(Values({-20, -1, -0.5, -0.4, -0.3, 0.1, 0.2, 0.3, 0.4, 0.5}));
    EXPECT_EQ(Items(g.GetO()), (std::vector<double>{2, 2, 2, 2, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(g.GetE().GetDim(), 10);
    std::vector<double> twelve(12, 1.0);
    g.SetO(Values(twelve));
    EXPECT_EQ(g.GetO().GetDim(), 12);
    g.SetE(Values({1, 2}));
    EXPECT_EQ(g.GetE().GetDim(), 2);
    EXPECT_EQ(g.GetO().GetDim(), 12);
    // The three sets are separate.
    g.SetEAlpha(Values({-1, 0}));
    g.SetOBeta(Values({1}));
    EXPECT_EQ(Items(g.GetOAlpha()), (std::vector<double>{0, 0}));
    EXPECT_EQ(Items(g.GetOBeta()), (std::vector<double>{1}));
    EXPECT_EQ(g.GetEBeta().GetDim(), 0);
    EXPECT_EQ(Items(g.GetEAlpha()), (std::vector<double>{-1, 0}));
    // Views on the record.
    UVector<double> view = g.GetEAlpha();
    view[0] = -9;
    EXPECT_EQ(g.GetE(otAlpha)[0], -9);
}

TEST(MoleculeRecord, OrbitalTypeOutsideTheThreeSets)
{
    UQGeometryData g;
    OrbitalType bad = OrbitalType(3);
    EXPECT_EQ(RaisedCode([&] { g.GetE(bad); }), cmMissingData);
    EXPECT_EQ(RaisedCode([&] { g.GetO(bad); }), cmMissingData);
    EXPECT_EQ(RaisedCode([&] { g.GetMos(bad); }), cmMissingData);
    EXPECT_EQ(RaisedCode([&] { g.SetE(Values({1}), bad); }), cmMissingData);
    EXPECT_EQ(RaisedCode([&] { g.SetO(Values({1}), bad); }), cmMissingData);
    UMatrix<double> m(2, 2, -1);
    EXPECT_EQ(RaisedCode([&] { g.SetMos(m, bad); }), 0);
    EXPECT_FALSE(g.GetHasMos(bad));
    EXPECT_EQ(g.GetE().GetDim(), 0);
}

TEST(MoleculeRecord, CoefficientsAndUnrestrictedCases)
{
    UQGeometryData g;
    UMatrix<double> c(3, 2, -1);
    c(2, 1) = 0.75;
    g.SetAlpha(c);
    c(2, 1) = 0.0;
    EXPECT_TRUE(g.GetHasAlpha());
    EXPECT_FALSE(g.GetHasBeta());
    EXPECT_FALSE(g.GetHasMos());
    EXPECT_EQ(g.GetAlpha()(2, 1), 0.75);
    EXPECT_TRUE(g.GetIsUnrestricted());
    g.SetMos(c);
    EXPECT_FALSE(g.GetIsUnrestricted());
    g.SetBeta(c);
    EXPECT_TRUE(g.GetHasBeta());
    g.ClearOrbitals();
    EXPECT_FALSE(g.GetHasAlpha());
    EXPECT_FALSE(g.GetHasMos());
    g.SetEAlpha(Values({1}));
    EXPECT_TRUE(g.GetIsUnrestricted());
    g.SetE(Values({1}));
    EXPECT_FALSE(g.GetIsUnrestricted());
    UMatrix<double> noRows(0, 4, -1);
    g.SetMos(noRows);
    EXPECT_FALSE(g.GetHasMos());
}

TEST(MoleculeRecord, MixMosRotatesTwoOrbitals)
{
    UQGeometryData g;
    UMatrix<double> c(2, 3, -1);
    c(0, 0) = 1;
    c(1, 0) = 2;
    c(0, 2) = 3;
    c(1, 2) = 4;
    g.SetMos(c);
    g.MixMos(0, 2, 1.0, otRestricted);
    UMatrix<double> m = g.GetMos();
    EXPECT_EQ(m(0, 0), 3);
    EXPECT_EQ(m(1, 0), 4);
    EXPECT_EQ(m(0, 2), 1);
    EXPECT_EQ(m(1, 2), 2);
    g.MixMos(0, 2, 0.0, otRestricted);
    EXPECT_EQ(m(0, 0), 3);
    EXPECT_EQ(m(0, 2), -1);
    EXPECT_EQ(m(1, 2), -2);
    g.SetBeta(c);
    double h = std::sqrt(0.5);
    g.MixMos(0, 2, h, otBeta);
    EXPECT_NEAR(g.GetBeta()(0, 0), h * 1 + h * 3, 1e-15);
    EXPECT_NEAR(g.GetBeta()(0, 2), h * 1 - h * 3, 1e-15);
}

TEST(MoleculeRecord, ConvergenceInformation)
{
    UQGeometryData g;
    g.ClearConvInfo();
    EXPECT_EQ(RaisedCode([&] { g.GetAverageStep(); }), cmMissingData);
    EXPECT_EQ(RaisedCode([&] { g.GetNegEigvals(); }), cmMissingData);
    g.SetAverageStep("0.0012");
    EXPECT_TRUE(g.GetHasConvInfo());
    EXPECT_STREQ(g.GetAverageStep(), "0.0012");
    EXPECT_STREQ(g.GetMaximumStep(), "");
    EXPECT_STREQ(g.GetAverageGradient(), "");
    EXPECT_STREQ(g.GetMaximumGradient(), "");
    EXPECT_STREQ(g.GetEnergyChange(), "");
    EXPECT_STREQ(g.GetAverageConstraint(), "");
    EXPECT_STREQ(g.GetMaximumConstraint(), "");
    EXPECT_EQ(g.GetNegEigvals(), -1);
    g.SetNegEigvals(2);
    g.SetMaximumConstraint("1e-5");
    g.SetEnergyChange("-2e-6");
    EXPECT_EQ(g.GetNegEigvals(), 2);
    EXPECT_STREQ(g.GetMaximumConstraint(), "1e-5");
    EXPECT_STREQ(g.GetEnergyChange(), "-2e-6");
    g.ClearConvInfo();
    EXPECT_FALSE(g.GetHasConvInfo());
    g.SetHasConvInfo(true);
    EXPECT_STREQ(g.GetAverageStep(), "");
}

TEST(MoleculeRecord, SetDimRebuildsEmptyAtoms)
{
    UQGeometryData g;
    g.AddCoordinates(8L, V3(1, 1, 1));
    g.MakeDefaultHessian();
    g.SetDim(3);
    EXPECT_EQ(g.GetDim(), 3);
    EXPECT_FALSE(g.GetHasCoordinates());
    EXPECT_FALSE(g.GetHasHessian());
    EXPECT_EQ(g.GetAtomData().GetDim(), 3);
    EXPECT_EQ(g.GetAtomData()[0].GetAtno(), 0);
    EXPECT_EQ(g.GetAtomData()[0].GetCoord().x, 0.0);
    EXPECT_EQ(g.GetHessian().GetColDim(), 9);
    EXPECT_EQ(g.GetFrequencies().GetDim(), 9);
    EXPECT_EQ(g.GetVibrations().GetRowDim(), 9);
    // The same count changes nothing.
    g.SetCoordinates(0, V3(2, 0, 0));
    g.SetDim(3);
    EXPECT_TRUE(g.GetHasCoordinates());
    EXPECT_EQ(g.GetAtomData()[0].GetCoord().x, 2.0);
    EXPECT_EQ(RaisedCode([&] { g.SetDim(-1); }), cmInvalidDimension);
    EXPECT_EQ(g.GetDim(), 3);
}

TEST(MoleculeRecord, ClearAllKeepsOnlyTheEnergyValue)
{
    UQGeometryData g;
    g.AddCoordinates(6L, V3());
    g.SetEnergy(-37.5);
    g.SetAverageStep("x");
    g.GetBasis()->Add(new UGaussianAtom("c"));
    g.GetEcp()->AddEcp(new UEcp(2, 1, "c"));
    EXPECT_TRUE(g.GetHasBasis());
    EXPECT_TRUE(g.GetHasEcp());
    g.SetE(Values({1, 2}));
    g.ClearAll();
    EXPECT_EQ(g.GetDim(), 0);
    EXPECT_EQ(g.GetAtomData().GetDim(), 0);
    EXPECT_FALSE(g.GetHasEnergy());
    EXPECT_FALSE(g.GetHasCoordinates());
    EXPECT_FALSE(g.GetHasConvInfo());
    EXPECT_FALSE(g.GetHasBasis());
    EXPECT_FALSE(g.GetHasEcp());
    EXPECT_EQ(g.GetE().GetDim(), 0);
    EXPECT_EQ(g.GetEnergy(), -37.5);
    g.SetEnergy(1.0);
    EXPECT_TRUE(g.GetHasEnergy());
}

TEST(MoleculeRecord, IsotopeWarningOncePerAtomBuilt)
{
    ChildResult r = RunInChild([] {
        UQGeometryData g;
        g.AddCoordinates("Tc", V3());
        g.AddAtom(43L);
        g.AddAtom(39L);
        std::printf("%.0f", g.GetAtomData()[0].GetMass());
    });
    std::string w = "Warning: No exact mass available for isotope 98-43\n";
    EXPECT_EQ(r.out, w + w + "98");
}

}  // namespace
