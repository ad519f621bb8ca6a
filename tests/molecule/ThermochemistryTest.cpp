// Thermochemistry: the ideal-gas, rigid-rotor and harmonic-oscillator terms against their
// textbook forms, the frequency floor, the warnings, and the masses it refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "tests/molecule/AnalysisSupport.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RaisedCode.h"
#include "tests/support/VectorItems.h"

namespace {

// The 1986 constants that the analysis is built on.
double const R = 8.3145112119486, kB = 1.380658e-23, h = 6.6260755e-34;
double const amuBohr2 = 4.6499867872346373e-48, cmJ = 11.963;

MolThermoInfo Conditions(double temperature, long sigma)
{
    MolThermoInfo info{};
    info.temperature = temperature;
    info.pressure = 1.0;
    info.zpeScale = info.energyScale = info.entropyScale = 1.0;
    info.frequencyFloor = 0.0;
    info.symmetryNumber = sigma;
    info.degeneracy = 1;
    return info;
}

// Every field, inputs and outputs.
std::vector<double> Fields(MolThermoInfo const& i)
{
    return {i.temperature,
            i.pressure,
            i.zpeScale,
            i.energyScale,
            i.entropyScale,
            i.frequencyFloor,
            static_cast<double>(i.symmetryNumber),
            static_cast<double>(i.degeneracy),
            i.zeroPointEnergy,
            i.translationalEnergy,
            i.rotationalEnergy,
            i.vibrationalEnergy,
            i.rtTerm,
            i.translationalEntropy,
            i.rotationalEntropy,
            i.vibrationalEntropy,
            i.electronicEntropy};
}

// Each rotation's 8 pi^2 k T I / h^2.
double RotorTerm(double moment, double t)
{
    return 8.0 * M_PI * M_PI * kB * t * moment * amuBohr2 / (h * h);
}

TEST(Thermochemistry, ExpFunctions)
{
    EXPECT_EQ(0.0, expfun1(101.0));
    EXPECT_EQ(1.0, expfun2(101.0));
    EXPECT_DOUBLE_EQ(1.0 / (M_E - 1.0), expfun1(1.0));
    EXPECT_DOUBLE_EQ(M_E / (M_E - 1.0), expfun2(1.0));
    EXPECT_DOUBLE_EQ(1.0 / (std::exp(100.0) - 1.0), expfun1(100.0));
    EXPECT_DOUBLE_EQ(1.0, expfun2(100.0));
}

TEST(Thermochemistry, ModifyFrequency)
{
    struct Case {
        long i;
        double nu, floor;
        bool quiet;
        double result;
        std::string warning;
    };
    std::vector<Case> cases = {
        {0, 150.0, 100.0, false, 150.0, ""},
        {2, 100.5, 100.0, false, 100.0 + std::exp(-0.5),
         "Warning: vibration 3 changed from 100.50 to 100.61 cm-1\n"},
        {2, 100.5, 100.0, true, 100.0 + std::exp(-0.5), ""},
        {0, -50.0, 100.0, false, 100.0 + std::exp(-151.0),
         "Warning: vibration 1 changed from -50.00 to 100.00 cm-1\n"},
        {9, 101.0, 100.0, false, 101.0,
         "Warning: vibration 10 changed from 101.00 to 101.00 cm-1\n"},
    };
    UQGeometryData g;
    for (Case const& c : cases) {
        EXPECT_DOUBLE_EQ(c.result, g.ModifyFrequency(c.i, c.nu, c.floor, true)) << c.nu;
        ChildResult r = RunInChild([&] { g.ModifyFrequency(c.i, c.nu, c.floor, c.quiet); });
        EXPECT_EQ(c.warning, r.out) << c.nu;
    }
}

// Sackur-Tetrode for argon at 298.15 K and 1 atm; no rotation, no vibration.
TEST(Thermochemistry, MonatomicGas)
{
    UQGeometryData g;
    Build(Argon(), g);
    MolThermoInfo info = Conditions(298.15, 1);
    ChildResult silent = RunInChild([&] { g.AnalyzeThermo(info, false); });
    EXPECT_EQ("", silent.out);
    g.AnalyzeThermo(info, false);
    EXPECT_NEAR(154.74, info.translationalEntropy, 0.005);
    EXPECT_DOUBLE_EQ(1.5 * R * 298.15, info.translationalEnergy);
    EXPECT_DOUBLE_EQ(R * 298.15, info.rtTerm);
    EXPECT_EQ(0.0, info.rotationalEnergy);
    EXPECT_EQ(0.0, info.rotationalEntropy);
    EXPECT_EQ(0.0, info.zeroPointEnergy);
    EXPECT_EQ(0.0, info.vibrationalEnergy);
    EXPECT_EQ(0.0, info.vibrationalEntropy);
    EXPECT_EQ(0.0, info.electronicEntropy);
    // 1/sigma^2 in floating point: ln(1/4), not the ln 0 of an integer quotient.
    info.symmetryNumber = 2;
    g.AnalyzeThermo(info, true);
    EXPECT_DOUBLE_EQ(-R * std::log(2.0), info.rotationalEntropy);
}

// Away from 1 atm and from sigma = 1: the translational entropy is Sackur-Tetrode at that
// pressure, R ln(P / 1 atm) below its value at 1 atm, and the rotational entropy is R ln sigma
// below its value for sigma = 1 (for an atom, -R ln sigma); the energies do not change.
TEST(Thermochemistry, PressureAndSymmetryNumber)
{
    double const t = 350.0, pressure = 7.5, atm = 101325.0, u = 1.660540186674939e-27;
    struct Case {
        Molecule molecule;
        long sigma;
    } cases[] = {{Argon(), 6}, {LinearCarbonDioxide(), 4}, {Water(), 12}};
    for (Case const& c : cases) {
        SCOPED_TRACE(c.molecule.name);
        UQGeometryData g;
        Build(c.molecule, g);
        MolThermoInfo standard = Conditions(t, 1);
        g.AnalyzeThermo(standard, true);
        MolThermoInfo info = Conditions(t, c.sigma);
        info.pressure = pressure;
        g.AnalyzeThermo(info, true);

        double mass = 0.0;
        for (long a = 0; a < g.GetDim(); a++) mass += g.GetAtomData()[a].GetMass() * u;
        double kT = kB * t;
        double sackurTetrode = R * (2.5 + std::log(std::pow(2.0 * M_PI * mass * kT / (h * h), 1.5) *
                                                   kT / (pressure * atm)));
        EXPECT_NEAR(sackurTetrode, info.translationalEntropy, 1e-12 * sackurTetrode);
        EXPECT_NEAR(standard.translationalEntropy - R * std::log(pressure),
                    info.translationalEntropy, 1e-12 * sackurTetrode);
        double drop = R * std::log(static_cast<double>(c.sigma));
        EXPECT_NEAR(standard.rotationalEntropy - drop, info.rotationalEntropy, 1e-12 * drop);
        if (c.molecule.rotations == 0) {
            EXPECT_NEAR(-drop, info.rotationalEntropy, 1e-12 * drop);
        }
        EXPECT_EQ(standard.translationalEnergy, info.translationalEnergy);
        EXPECT_EQ(standard.rotationalEnergy, info.rotationalEnergy);
    }
}

TEST(Thermochemistry, LinearRotor)
{
    UQGeometryData g;
    Build(LinearCarbonDioxide(), g);
    MolThermoInfo info = Conditions(400.0, 2);
    g.AnalyzeThermo(info, true);
    double moment = 2.0 * 15.994915 * 2.2 * 2.2;
    EXPECT_NEAR(R * (1.0 + std::log(RotorTerm(moment, 400.0) / 2.0)), info.rotationalEntropy, 1e-9);
    EXPECT_NEAR(R * 400.0, info.rotationalEnergy, 1e-9);
}

TEST(Thermochemistry, NonLinearRotor)
{
    UQGeometryData g;
    Build(Water(), g);
    MolShapeInfo shape;
    g.AnalyzeShape(shape, true, true, true);
    MolThermoInfo info = Conditions(298.15, 2);
    g.AnalyzeThermo(info, true);
    double product = 1.0;
    for (long k = 0; k < 3; k++) product *= RotorTerm(shape.moments[k], 298.15);
    EXPECT_NEAR(R * (1.5 + std::log(std::sqrt(M_PI) / 2.0 * std::sqrt(product))),
                info.rotationalEntropy, 1e-9);
    EXPECT_NEAR(1.5 * R * 298.15, info.rotationalEnergy, 1e-9);
}

// Harmonic oscillators with separate scale factors, against S = sum of
// eps_S/T/(e^x - 1) - R ln(1 - e^-x), x = eps_E/(R T).
TEST(Thermochemistry, HarmonicOscillators)
{
    UQGeometryData g;
    Build(Water(), g);
    std::vector<double> nu = {1600.0, 3700.0, 3800.0};
    g.SetFrequencies(Values(nu));
    MolThermoInfo info = Conditions(500.0, 2);
    info.zpeScale = 0.9;
    info.energyScale = 0.95;
    info.entropyScale = 0.97;
    info.degeneracy = 2;
    g.AnalyzeThermo(info, true);
    double zpe = 0.0, energy = 0.0, entropy = 0.0, rt = R * 500.0;
    for (double v : nu) {
        zpe += 0.5 * 0.9 * cmJ * v;
        double e = 0.95 * cmJ * v, s = 0.97 * cmJ * v, x = e / rt;
        energy += e / std::expm1(x);
        entropy += s / 500.0 / std::expm1(x) - R * std::log(-std::expm1(-x));
    }
    EXPECT_NEAR(zpe, info.zeroPointEnergy, 1e-9 * zpe);
    EXPECT_NEAR(energy, info.vibrationalEnergy, 1e-9 * energy);
    EXPECT_NEAR(entropy, info.vibrationalEntropy, 1e-9 * entropy);
    EXPECT_DOUBLE_EQ(std::log(2.0), info.electronicEntropy);
}

// Low and imaginary frequencies are left out with a warning, a frequency of exactly 0 silently,
// those below the floor are raised; a temperature below 0.001 is computed as 0.001.
TEST(Thermochemistry, WarningsInOrder)
{
    UQGeometryData g;
    Build(Pyramid(), g);
    g.SetFrequencies(Values({0.0, -200.0, 0.5, 50.0, 3000.0, 1.0}));
    MolThermoInfo info = Conditions(0.0, 3);
    info.frequencyFloor = 100.0;
    ChildResult loud = RunInChild([&] { g.AnalyzeThermo(info, false); });
    EXPECT_EQ("Warning: vibration 2 (-200.00 cm-1) excluded from analysis\n"
              "Warning: vibration 3 (0.50 cm-1) excluded from analysis\n"
              "Warning: vibration 4 changed from 50.00 to 100.00 cm-1\n"
              "Warning: vibration 6 (1.00 cm-1) excluded from analysis\n"
              "Warning: T too small - set to 0.001\n",
              loud.out);
    ChildResult quiet = RunInChild([&] { g.AnalyzeThermo(info, true); });
    EXPECT_EQ("", quiet.out);
    g.AnalyzeThermo(info, true);
    EXPECT_EQ(0.0, info.temperature);
    EXPECT_DOUBLE_EQ(R * 0.001, info.rtTerm);
    EXPECT_NEAR(0.5 * cmJ * (100.0 + std::exp(-51.0) + 3000.0), info.zeroPointEnergy, 1e-9);
}

// The translational entropy takes the logarithm of the total mass and the shape analysis divides
// by it: without atoms that gave an entropy of minus infinity, one atom of mass 0 a convergence
// failure of the eigensolver. Refused before any work, the record left as it was.
TEST(Thermochemistry, UnusableTotalMassRaisesBeforeAnyWork)
{
    struct Case {
        const char* what;
        double waterHydrogenMass;  // set on water when not 0; else the atoms below
        std::vector<long> atoms;   // atomic numbers along x
    } cases[] = {
        {"no atoms", 0.0, {}},
        {"one atom of mass 0", 0.0, {0}},
        {"only atoms of mass 0", 0.0, {0, 0}},
        {"a mass of NaN", std::numeric_limits<double>::quiet_NaN(), {}},
        {"an infinite mass", std::numeric_limits<double>::infinity(), {}},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.what);
        UQGeometryData g;
        if (c.waterHydrogenMass != 0.0) {
            Build(Water(), g);
            g.SetMass(1, c.waterHydrogenMass);
        }
        for (size_t a = 0; a < c.atoms.size(); a++)
            g.AddCoordinates(c.atoms[a], V3(1.5 * static_cast<double>(a), 0, 0));
        MolThermoInfo info = Conditions(298.15, 1);
        info.zeroPointEnergy = info.translationalEntropy = info.electronicEntropy = 7.0;
        std::vector<double> before = Fields(info);
        EXPECT_EQ(cmMissingData, RaisedCode([&] { g.AnalyzeThermo(info, true); }));
        EXPECT_EQ(before, Fields(info));
    }
}

// An atom without an element beside atoms with mass adds nothing to the mass or the moments: the
// results are those of the molecule without it.
TEST(Thermochemistry, MasslessAtomBesideOthersChangesNothing)
{
    std::vector<double> nu = {1600.0, 3700.0, 3800.0, 0.0, 0.0, 0.0};
    UQGeometryData water, withGhost;
    Build(Water(), water);
    Build(Water(), withGhost);
    withGhost.AddCoordinates(0L, V3(1.0, 2.0, 3.0));
    water.SetFrequencies(Values(nu));
    withGhost.SetFrequencies(Values(nu));
    MolThermoInfo expected = Conditions(298.15, 2), info = Conditions(298.15, 2);
    water.AnalyzeThermo(expected, true);
    withGhost.AnalyzeThermo(info, true);
    EXPECT_EQ(Fields(expected), Fields(info));
    EXPECT_TRUE(std::isfinite(info.translationalEntropy));
    EXPECT_GT(info.vibrationalEntropy, 0.0);
}

}  // namespace
