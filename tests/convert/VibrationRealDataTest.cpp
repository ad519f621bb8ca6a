// The vibrational, thermochemical and shape analyses of the real divinylbenzene Hessian, read as a
// conversion reads it, against what Turbomole's aoforce printed for that very Hessian.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "convert/UTurbo.h"
#include "molecule/UQGeom.h"
#include "tests/convert/TurboTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

long const kAtoms = 20;
long const kModes = 3 * kAtoms;
long const kRigid = 6;

class DivinylbenzeneHessian : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string folder = "data/dvb-aoforce-sto3g";
        if (SharedPath(folder).empty()) GTEST_SKIP() << SharedMissing(folder);
        RegisterMessages();
        for (const char* name : {"coord", "hessian"}) {
            std::string text = SharedFile(std::string("dvb-aoforce-sto3g/") + name);
            ASSERT_FALSE(text.empty()) << name;
            ASSERT_EQ(0, ReadTurboFile(geom, text)) << name;
        }
        ASSERT_EQ(kAtoms, geom.GetDim());
        ASSERT_TRUE(geom.GetHasHessian());
        expected = NumbersIn(SharedFile("dvb-aoforce-sto3g/expected-vib.json"));
        ASSERT_EQ(size_t(kModes + kModes * kModes), expected.size());
    }

    // aoforce weighed the atoms with the average atomic weights it printed.
    void UseAoforceMasses()
    {
        for (long i = 0; i < kAtoms; i++) {
            double m = geom.GetAtomData()[i].GetAtno() == 6 ? 12.01115 : 1.00797;
            geom.SetMass(i, m);
        }
    }

    double Frequency(long mode) const { return expected[mode]; }
    double Component(long mode, long row) const { return expected[kModes + kModes * mode + row]; }

    UQGeometryData geom;
    std::vector<double> expected;
};

// Two modes whose frequencies lie this close (cm-1) may mix differently in any two solvers.
double const kDegenerate = 0.1;

TEST_F(DivinylbenzeneHessian, FrequenciesAndModesAgreeWithAoforce)
{
    UseAoforceMasses();
    ASSERT_EQ(kModes - kRigid, geom.MakeVibrations(true, true, true));
    UVector<double> f = geom.GetFrequencies();
    UMatrix<double> l = geom.GetVibrations();
    ASSERT_EQ(kModes - kRigid, f.GetDim());
    ASSERT_EQ(kModes, l.GetColDim());
    ASSERT_EQ(kModes - kRigid, l.GetRowDim());
    for (long c = 0; c < kModes - kRigid; c++) {
        long mode = c + kRigid;
        EXPECT_NEAR(Frequency(mode), f[c], 0.1) << "mode " << mode + 1;
        bool degenerate =
            (c > 0 && Frequency(mode) - Frequency(mode - 1) < kDegenerate) ||
            (mode + 1 < kModes && Frequency(mode + 1) - Frequency(mode) < kDegenerate);
        if (degenerate) continue;
        double norm = 0.0, printedNorm = 0.0, overlap = 0.0;
        for (long r = 0; r < kModes; r++) {
            norm += l(r, c) * l(r, c);
            printedNorm += Component(mode, r) * Component(mode, r);
            overlap += l(r, c) * Component(mode, r);
        }
        double scale = (overlap < 0.0 ? -1.0 : 1.0) / std::sqrt(norm);
        for (long r = 0; r < kModes; r++)
            ASSERT_NEAR(Component(mode, r) / std::sqrt(printedNorm), scale * l(r, c), 1e-3)
                << "mode " << mode + 1 << " row " << r;
    }
}

TEST_F(DivinylbenzeneHessian, ZeroPointEnergyAgreesWithAoforce)
{
    UseAoforceMasses();
    geom.MakeVibrations(true, true, true);
    MolThermoInfo info{};
    info.temperature = 298.15;
    info.pressure = 1.0;
    info.zpeScale = info.energyScale = info.entropyScale = 1.0;
    info.frequencyFloor = 0.0;
    info.symmetryNumber = 1;
    info.degeneracy = 1;
    geom.AnalyzeThermo(info, true);
    double const hartreePerMole = 4.3597482e-18 * 6.0221367e23;  // J/mol
    EXPECT_NEAR(0.1725247 * hartreePerMole, info.zeroPointEnergy,
                1e-4 * 0.1725247 * hartreePerMole);
}

TEST_F(DivinylbenzeneHessian, PrincipalMomentsGiveAoforcesRotationalConstants)
{
    UseAoforceMasses();
    MolShapeInfo info;
    geom.AnalyzeShape(info, true, true, true);
    EXPECT_EQ(3, info.rotationalDim);
    // b = h/(8 pi^2 c I) in cm-1; the moments ascend, so the constants descend.
    double const planck = 6.6260755e-34, light = 2.99792458e10, amuBohr2 = 4.6499867872346373e-48;
    double const printed[3] = {0.1525980373, 0.0226505869, 0.0197230371};
    for (long k = 0; k < 3; k++) {
        double b = planck / (8.0 * M_PI * M_PI * light * info.moments[k] * amuBohr2);
        EXPECT_NEAR(printed[k], b, 1e-4 * printed[k]) << k;
    }
}

// With every mode kept, the modes are orthonormal under the masses and the six exact null
// modes come last with frequency 0.
TEST_F(DivinylbenzeneHessian, ModesAreMassOrthonormalWithTheNullModesLast)
{
    UseAoforceMasses();
    ASSERT_EQ(kModes - kRigid, geom.MakeVibrations(true, true, false));
    UVector<double> f = geom.GetFrequencies();
    UMatrix<double> l = geom.GetVibrations();
    ASSERT_EQ(kModes, f.GetDim());
    ASSERT_EQ(kModes, l.GetRowDim());
    UVector<UQAtomData> atoms = geom.GetAtomData();
    for (long a = 0; a < kModes; a++)
        for (long b = 0; b <= a; b++) {
            double product = 0.0;
            for (long r = 0; r < kModes; r++) product += l(r, a) * atoms[r / 3].GetMass() * l(r, b);
            ASSERT_NEAR(a == b ? 1.0 : 0.0, product, 1e-10) << a << "," << b;
        }
    for (long c = 0; c < kModes - kRigid; c++) EXPECT_GT(f[c], 50.0) << c;
    for (long c = kModes - kRigid; c < kModes; c++) EXPECT_EQ(0.0, f[c]) << c;
}

}  // namespace
