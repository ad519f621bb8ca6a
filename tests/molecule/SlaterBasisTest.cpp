#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

#include "molecule/UQSlater.h"

namespace {

const double pi = 3.141592653589793;

TEST(SlaterPrimitive, QuantumNumbers)
{
    USlaterPrimitive p(1, 0, 0, 0, 2.0, false);
    EXPECT_EQ(p.Getn(), 2);
    EXPECT_EQ(p.Getl(), 1);
    USlaterPrimitive d(1, 1, 0, 2, 1.0, true);
    EXPECT_EQ(d.Getn(), 5);
    EXPECT_EQ(d.Getl(), 2);
    USlaterPrimitive zero;
    EXPECT_EQ(zero.Getn(), 1);
    EXPECT_FALSE(zero.core);
}

TEST(SlaterPrimitive, NormIsTheIntegralOfTheSquare)
{
    EXPECT_NEAR(USlaterPrimitive(1, 0, 0, 0, 2.0, false).GetNorm(), pi / 32, 1e-15);
    EXPECT_NEAR(USlaterPrimitive(0, 0, 0, 0, 1.0, false).GetNorm(), pi, 1e-15);
    // x, y and z of one shell share a norm.
    double px = USlaterPrimitive(1, 0, 0, 1, 1.5, false).GetNorm();
    EXPECT_NEAR(USlaterPrimitive(0, 1, 0, 1, 1.5, false).GetNorm(), px, 1e-14 * px);
    EXPECT_NEAR(USlaterPrimitive(0, 0, 1, 1, 1.5, false).GetNorm(), px, 1e-14 * px);
}

// Independent check: integrate the squared primitive numerically in spherical
// coordinates (midpoint rule on a fine grid).
double NumericNorm(long nx, long ny, long nz, long nr, double e)
{
    const int nrad = 4000, nth = 200, nph = 200;
    double rmax = 60.0 / e;
    double sum = 0;
    for (int a = 0; a < nth; a++) {
        double th = (a + 0.5) * pi / nth;
        for (int b = 0; b < nph; b++) {
            double ph = (b + 0.5) * 2 * pi / nph;
            double ang = std::pow(std::sin(th) * std::cos(ph), 2 * nx) *
                         std::pow(std::sin(th) * std::sin(ph), 2 * ny) *
                         std::pow(std::cos(th), 2 * nz) * std::sin(th);
            sum += ang;
        }
    }
    sum *= (pi / nth) * (2 * pi / nph);
    long s = nx + ny + nz + nr;
    double radial = 0;
    for (int k = 0; k < nrad; k++) {
        double r = (k + 0.5) * rmax / nrad;
        radial += std::pow(r, 2 * s + 2) * std::exp(-2 * e * r);
    }
    radial *= rmax / nrad;
    return sum * radial;
}

TEST(SlaterPrimitive, NormAgreesWithQuadrature)
{
    const long cases[][4] = {{0, 0, 0, 1}, {1, 1, 0, 0}, {2, 0, 0, 0}, {1, 1, 1, 0}, {0, 2, 1, 1}};
    for (auto const& c : cases) {
        double exact = USlaterPrimitive(c[0], c[1], c[2], c[3], 1.3, false).GetNorm();
        double numeric = NumericNorm(c[0], c[1], c[2], c[3], 1.3);
        EXPECT_NEAR(exact, numeric, 1e-4 * exact) << c[0] << c[1] << c[2] << c[3];
    }
}

TEST(Tripel, ValuesInBaseLPlusOne)
{
    EXPECT_EQ(UTripel(0, 1, 0).Getl(), 1);
    EXPECT_EQ(UTripel(0, 1, 0).GetVal(), 2);
    EXPECT_EQ(UTripel(0, 1, 0).GetMaxVal(), 8);
    EXPECT_EQ(UTripel(2, 0, 0).GetVal(), 2);
    EXPECT_EQ(UTripel(2, 0, 0).GetMaxVal(), 27);
    EXPECT_EQ(UTripel(0, 0, 1).GetVal(), 4);
    UTripel start(3);
    EXPECT_EQ(start.nx, 3);
    EXPECT_EQ(start.ny, 0);
    EXPECT_EQ(start.nz, 0);
}

TEST(Tripel, NextYieldsEveryTripleOnceStartIncluded)
{
    for (long l = 0; l <= 6; l++) {
        UTripel t(l);
        std::set<std::tuple<long, long, long>> seen;
        long steps = 0;
        while (t.Next()) {
            ASSERT_LT(++steps, 100) << "no end for l = " << l;
            EXPECT_EQ(t.Getl(), l);
            EXPECT_TRUE(seen.insert({t.nx, t.ny, t.nz}).second);
            if (steps == 1) {
                EXPECT_EQ(t.nx, l);
            }
        }
        EXPECT_EQ(long(seen.size()), (l + 1) * (l + 2) / 2) << l;
        EXPECT_FALSE(t.Next());
    }
    UTripel negative(-1);
    EXPECT_FALSE(negative.Next());
}

TEST(SlaterAtom, NameIsCopiedAndNullBecomesEmpty)
{
    char name[] = "C-dz";
    USlaterAtom a(name);
    name[0] = 'X';
    EXPECT_STREQ(a.GetName(), "C-dz");
    USlaterAtom b(nullptr);
    EXPECT_STREQ(b.GetName(), "");
    EXPECT_FALSE(b.GetHasPrims());
    EXPECT_FALSE(b.GetHasShells());
}

TEST(SlaterAtom, ShellsFromPrimitivesKeepTheFirstOfEachKind)
{
    USlaterAtom a("a");
    a.Add(USlaterPrimitive(1, 0, 0, 0, 1.0, false));
    a.Add(USlaterPrimitive(0, 1, 0, 0, 1.5, false));
    a.Add(USlaterPrimitive(0, 0, 0, 1, 2.0, true));
    a.MakeShellsFromPrims();
    ASSERT_EQ(a.GetShells().GetDim(), 2);
    EXPECT_EQ(a.GetShells()[0].n, 2);
    EXPECT_EQ(a.GetShells()[0].l, 1);
    EXPECT_EQ(a.GetShells()[0].exponent, 1.0);
    EXPECT_FALSE(a.GetShells()[0].core);
    EXPECT_EQ(a.GetShells()[1].n, 2);
    EXPECT_EQ(a.GetShells()[1].l, 0);
    EXPECT_EQ(a.GetShells()[1].exponent, 2.0);
    EXPECT_TRUE(a.GetShells()[1].core);
    a.MakeShellsFromPrims();
    EXPECT_EQ(a.GetShells().GetDim(), 2);
}

TEST(SlaterAtom, CoreElectronsAndMaximumL)
{
    USlaterAtom a("a");
    EXPECT_EQ(a.GetMaxl(), 0);
    EXPECT_EQ(a.GetCore(), 0);
    a.Add(USlaterShell(1, 0, 5.0, true));
    a.Add(USlaterShell(2, 0, 2.0, true));
    a.Add(USlaterShell(2, 1, 2.0, true));
    a.Add(USlaterShell(3, 0, 1.0, false));
    EXPECT_EQ(a.GetCore(), 10);
    EXPECT_EQ(a.GetMaxl(), 1);
}

TEST(SlaterAtom, PrimitivesFromShellsCoverEveryFunction)
{
    USlaterAtom a("a");
    a.Add(USlaterShell(1, 0, 5.0, true));
    a.Add(USlaterShell(2, 1, 2.0, false));
    a.Add(USlaterShell(3, 2, 1.0, false));
    a.MakePrimsFromShells();
    UVector<USlaterPrimitive> const& p = a.GetPrims();
    ASSERT_EQ(p.GetDim(), 1 + 3 + 6);
    // The s shell keeps its primitive.
    EXPECT_EQ(p[0].Getn(), 1);
    EXPECT_EQ(p[0].Getl(), 0);
    EXPECT_TRUE(p[0].core);
    EXPECT_EQ(p[0].exponent, 5.0);
    // p functions in triple order x, y, z, with n from the shell.
    const long px[] = {1, 0, 0}, py[] = {0, 1, 0}, pz[] = {0, 0, 1};
    for (long k = 0; k < 3; k++) {
        EXPECT_EQ(p[1 + k].nx, px[k]);
        EXPECT_EQ(p[1 + k].ny, py[k]);
        EXPECT_EQ(p[1 + k].nz, pz[k]);
        EXPECT_EQ(p[1 + k].Getn(), 2);
        EXPECT_EQ(p[1 + k].nr, 0);
    }
    // d functions ascending by triple value, each with n = 3.
    for (long k = 4; k < 10; k++) {
        EXPECT_EQ(p[k].Getn(), 3);
        EXPECT_EQ(p[k].Getl(), 2);
        if (k > 4) {
            EXPECT_LT(UTripel(p[k - 1].nx, p[k - 1].ny, p[k - 1].nz).GetVal(),
                      UTripel(p[k].nx, p[k].ny, p[k].nz).GetVal());
        }
    }
    // The round trip returns the shells.
    a.MakeShellsFromPrims();
    ASSERT_EQ(a.GetShells().GetDim(), 3);
    EXPECT_EQ(a.GetShells()[2].n, 3);
    EXPECT_EQ(a.GetShells()[2].l, 2);
}

TEST(SlaterAtom, SortOrdersOnlyTheChosenCoreFlag)
{
    USlaterAtom a("a");
    a.Add(USlaterPrimitive(0, 0, 1, 0, 1.0, false));  // z
    a.Add(USlaterPrimitive(0, 0, 1, 0, 3.0, true));   // core z
    a.Add(USlaterPrimitive(1, 0, 0, 0, 1.0, false));  // x
    a.Add(USlaterPrimitive(1, 0, 0, 0, 3.0, true));   // core x
    a.Add(USlaterPrimitive(0, 1, 0, 0, 1.0, false));  // y
    a.SortPrimitives(false);
    UVector<USlaterPrimitive> const& p = a.GetPrims();
    // x moves to the front, shifting the core z behind it.
    EXPECT_EQ(p[0].nx, 1);
    EXPECT_FALSE(p[0].core);
    EXPECT_EQ(p[1].ny, 1);
    EXPECT_FALSE(p[1].core);
    EXPECT_EQ(p[2].nz, 1);
    EXPECT_FALSE(p[2].core);
    EXPECT_EQ(p[3].nz, 1);
    EXPECT_TRUE(p[3].core);
    EXPECT_EQ(p[4].nx, 1);
    EXPECT_TRUE(p[4].core);
    a.SortPrimitives(true);
    EXPECT_EQ(p[3].nx, 1);
    EXPECT_EQ(p[4].nz, 1);
}

TEST(SlaterAtom, SortKeepsDifferentShellsApart)
{
    USlaterAtom a("a");
    a.Add(USlaterPrimitive(0, 0, 1, 0, 1.0, false));  // 2p z
    a.Add(USlaterPrimitive(1, 0, 0, 1, 1.0, false));  // 3p x: other n
    a.Add(USlaterPrimitive(1, 0, 0, 0, 1.0, false));  // 2p x
    a.SortPrimitives(false);
    UVector<USlaterPrimitive> const& p = a.GetPrims();
    EXPECT_EQ(p[0].nx, 1);
    EXPECT_EQ(p[0].Getn(), 2);
    EXPECT_EQ(p[1].nz, 1);
    EXPECT_EQ(p[2].Getn(), 3);
}

TEST(SlaterAtom, ClearEmptiesTheLists)
{
    USlaterAtom a("a");
    a.Add(USlaterShell(1, 0, 1.0, false));
    a.MakePrimsFromShells();
    EXPECT_TRUE(a.GetHasPrims());
    a.ClearPrims();
    EXPECT_FALSE(a.GetHasPrims());
    EXPECT_TRUE(a.GetHasShells());
    a.ClearShells();
    EXPECT_FALSE(a.GetHasShells());
}

}  // namespace
