// The optimisation-history writers: their exact texts, their refusals, and a
// history loaded by a real client, Jmol, when it is installed.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "convert/UMolden.h"
#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "tests/convert/TurboTestSupport.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"
#include "utilities/UStrUtilities.h"

namespace {

const double angstrom = 0.529177249;

class MoldenHistory : public ::testing::Test {
protected:
    void SetUp() override { RegisterMessages(); }

    // What body writes through a filter; the code of a raise goes to *code.
    static std::string Written(const std::function<void(UMoldenFilter&)>& body, int* code = nullptr)
    {
        TextStream text;
        UMoldenFilter filter(text.Get());
        int raised = RaisedCode([&] { body(filter); });
        if (code)
            *code = raised;
        else
            EXPECT_EQ(0, raised);
        return text.Contents();
    }

    // Water in bohr; step s stretches both O-H bonds.
    static void SetWater(UQGeometryData& geom, int step)
    {
        double y = 1.43 + 0.02 * step;
        if (geom.GetDim() == 0) {
            geom.AddCoordinates(8, V3(0.0, 0.0, 0.22));
            geom.AddCoordinates(1, V3(0.0, y, -0.88));
            geom.AddCoordinates(1, V3(0.0, -y, -0.88));
            return;
        }
        geom.SetCoordinates(1, V3(0.0, y, -0.88));
        geom.SetCoordinates(2, V3(0.0, -y, -0.88));
    }
};

TEST_F(MoldenHistory, EnergySectionAndItsCriteria)
{
    UQGeometryData geom;
    geom.SetEnergy(-76.02663273);
    geom.SetMaximumGradient("0.0123");
    geom.SetAverageGradient("  1.5e-4 hartree/bohr");
    geom.SetMaximumStep("-2");
    geom.SetAverageStep("0.25");
    EXPECT_EQ(
        Written([&](UMoldenFilter& f) {
            f.StartEnergySection();
            f.AddToEnergySection(&geom);
            for (MoldenEnergySubsection s : {mesMaxForce, mesRmsForce, mesMaxStep, mesRmsStep}) {
                f.StartEnergySubsection(s);
                f.AddToEnergySubsection(&geom, s);
            }
        }),
        "[GEOCONV] \n"
        "energy\n"
        "  -76.02663273000000\n"
        "max-force\n"
        "    0.01230000000000\n"
        "rms-force\n"
        "    0.00015000000000\n"
        "max-step\n"
        "   -2.00000000000000\n"
        "rms-step\n"
        "    0.25000000000000\n");
}

TEST_F(MoldenHistory, GeometryFramesAndForceBlocks)
{
    UQGeometryData geom;
    geom.AddCoordinates(1, V3(0.0, 0.0, 1.0 / angstrom));
    geom.AddCoordinates(17, V3(-2.0, 0.5, 0.0));
    EXPECT_EQ(Written([&](UMoldenFilter& f) {
                  f.StartGeometriesSection();
                  f.AddToGeometriesSection(&geom);
              }),
              "[GEOMETRIES] XYZ\n"
              "2\n"
              "\n"
              "h      0.00000000000000     0.00000000000000     1.00000000000000\n"
              "cl    -1.05835449800000     0.26458862450000     0.00000000000000\n");
    geom.SetGradients(0, V3(0.01, -0.02, 0.0));
    geom.SetGradients(1, V3(0.0, 0.0, -1.0));
    // The first point is number 1.
    EXPECT_EQ(Written([&](UMoldenFilter& f) {
                  f.StartForcesSection();
                  f.AddToForcesSection(&geom, 0);
                  f.AddToForcesSection(&geom, 4);
              }),
              "[FORCES] \n"
              "  point 1\n"
              "2\n"
              "       0.00529177249000    -0.01058354498000     0.00000000000000\n"
              "       0.00000000000000     0.00000000000000    -0.52917724900000\n"
              "  point 5\n"
              "2\n"
              "       0.00529177249000    -0.01058354498000     0.00000000000000\n"
              "       0.00000000000000     0.00000000000000    -0.52917724900000\n");
}

TEST_F(MoldenHistory, MissingDataIsRefused)
{
    UQGeometryData empty;
    UQGeometryData noGradients;
    SetWater(noGradients, 0);
    UQGeometryData oneCriterion;
    oneCriterion.SetMaximumStep("0.1");
    struct Case {
        const char* what;
        std::function<void(UMoldenFilter&)> body;
        int code;
    };
    const Case cases[] = {
        {"energy", [&](UMoldenFilter& f) { f.AddToEnergySection(&empty); }, cmMissingData},
        {"criterion", [&](UMoldenFilter& f) { f.AddToEnergySubsection(&empty, mesMaxForce); },
         cmMissingData},
        // A criterion stored without a number.
        {"empty criterion",
         [&](UMoldenFilter& f) { f.AddToEnergySubsection(&oneCriterion, mesRmsStep); },
         cmMissingData},
        {"coordinates", [&](UMoldenFilter& f) { f.AddToGeometriesSection(&empty); }, cmMissingData},
        {"gradients", [&](UMoldenFilter& f) { f.AddToForcesSection(&noGradients, 0); },
         cmMissingData},
        // No name to write for a criterion beyond the four.
        {"subsection",
         [&](UMoldenFilter& f) { f.StartEnergySubsection(MoldenEnergySubsection(4)); },
         umIndexOutOfRange},
        {"subsection value",
         [&](UMoldenFilter& f) {
             f.AddToEnergySubsection(&oneCriterion, MoldenEnergySubsection(-1));
         },
         umIndexOutOfRange},
    };
    for (const Case& c : cases) {
        int code = 0;
        EXPECT_EQ("", Written(c.body, &code)) << c.what;
        EXPECT_EQ(c.code, code) << c.what;
    }
}

// A short optimisation history as the writers make it loads in Jmol as the
// start geometry and one model per step, with the right atoms in place.
TEST_F(MoldenHistory, JmolLoadsTheHistory)
{
    const std::string java = "/usr/bin/java";
    const std::string jar = "/usr/share/jmol/JmolData.jar";
    if (RunProgram({"/bin/sh", "-c", "test -x " + java + " && test -f " + jar}).exitStatus != 0)
        GTEST_SKIP() << "Jmol is not installed (Debian package jmol)";
    TempDir dir;
    UQGeometryData geom;
    SetWater(geom, 0);
    std::string history = Written([&](UMoldenFilter& f) {
        f.WriteGeometry(&geom);
        f.StartEnergySection();
        for (int step = 1; step <= 3; step++) {
            geom.SetEnergy(-76.0 - 0.001 * step);
            f.AddToEnergySection(&geom);
        }
        f.StartEnergySubsection(mesMaxForce);
        for (const char* force : {"0.05", "0.01", "0.001"}) {
            geom.SetMaximumGradient(force);
            f.AddToEnergySubsection(&geom, mesMaxForce);
        }
        f.StartGeometriesSection();
        for (int step = 1; step <= 3; step++) {
            SetWater(geom, step);
            f.AddToGeometriesSection(&geom);
        }
    });
    dir.Write("history.molden", history);
    dir.Write("models.spt", "load \"" + dir.File("history.molden") +
                                "\";\n"
                                "print \"models=\" + getProperty(\"modelInfo.modelCount\");\n"
                                "print {*}.label(\"atom %M %e %.6x %.6y %.6z\");\n");
    ChildResult r = RunProgram(
        {java, "-Djava.awt.headless=true", "-jar", jar, "-n", "-s", dir.File("models.spt")});
    ASSERT_EQ(0, r.exitStatus) << r.out << r.err;

    std::istringstream out(r.out);
    std::string line;
    std::string models;
    std::vector<std::string> atoms;
    while (std::getline(out, line)) {
        if (line.rfind("models=", 0) == 0) models = line;
        if (line.rfind("atom ", 0) == 0) atoms.push_back(line);
    }
    EXPECT_EQ("models=4", models) << r.out;
    ASSERT_EQ(12u, atoms.size()) << r.out;
    for (int model = 0; model < 4; model++) {
        double y = (1.43 + 0.02 * model) * angstrom;
        const char* elements[] = {"O", "H", "H"};
        const double expectedY[] = {0.0, y, -y};
        const double expectedZ[] = {0.22 * angstrom, -0.88 * angstrom, -0.88 * angstrom};
        for (int a = 0; a < 3; a++) {
            std::istringstream fields(atoms[3 * model + a]);
            std::string word, element;
            int number;
            double x, yy, z;
            fields >> word >> number >> element >> x >> yy >> z;
            SCOPED_TRACE(atoms[3 * model + a]);
            EXPECT_EQ(model + 1, number);
            EXPECT_EQ(elements[a], element);
            EXPECT_NEAR(0.0, x, 2e-6);
            EXPECT_NEAR(expectedY[a], yy, 2e-6);
            EXPECT_NEAR(expectedZ[a], z, 2e-6);
        }
    }
}

}  // namespace
