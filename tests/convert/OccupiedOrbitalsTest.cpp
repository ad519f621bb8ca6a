// Occupations of the control file against the orbitals that the orbital files hold.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "convert/OccupiedOrbitals.h"
#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "tests/convert/TurboTestSupport.h"

namespace {

const long functions = 4;

// An orbital section of the given number of orbitals over four functions; the orbital
// zeroOrbital (from 1), when given, has only zero coefficients.
std::string OrbitalSection(const char* keyword, long orbitals, long zeroOrbital = 0)
{
    std::string s = std::string(keyword) + "    scfconv=7   format(4d20.14)\n";
    char line[128];
    for (long j = 1; j <= orbitals; ++j) {
        snprintf(line, sizeof line, "%6ld  a      eigenvalue=-.%ld0000000000000D+00   nsaos=%ld\n",
                 j, j, functions);
        s += line;
        const char* c = j == zeroOrbital ? "0.00000000000000D+00" : "0.50000000000000D+00";
        for (long i = 0; i < functions; ++i) s += c;
        s += "\n";
    }
    return s + "$end\n";
}

int Check(const UQGeometryData& geom, std::string* text = nullptr)
{
    return RaisedCode([&] { RequireOccupiedOrbitals(&geom); }, text);
}

class OccupiedOrbitals : public TurboFileTest {};

TEST_F(OccupiedOrbitals, AnOccupiedOrbitalTheFileLacksIsRefusedInEitherOrder)
{
    struct Case {
        const char* what;
        const char* occupations;
        std::string orbitals;
        int code;
    };
    const Case cases[] = {
        {"restricted, all occupied held", "$closed shells\n a 1-2 ( 2 )\n",
         OrbitalSection("$scfmo", 2), 0},
        {"restricted, the third occupied missing", "$closed shells\n a 1-3 ( 2 )\n",
         OrbitalSection("$scfmo", 2), cmInvalidTurbomoleFile},
        {"alpha, the third occupied missing", "$alpha shells\n a 1-3 ( 1 )\n",
         OrbitalSection("$uhfmo_alpha", 2), cmInvalidTurbomoleFile},
        {"beta, the second occupied missing", "$beta shells\n a 1-2 ( 1 )\n",
         OrbitalSection("$uhfmo_beta", 1), cmInvalidTurbomoleFile},
        {"beta, the one occupied held", "$beta shells\n a 1 ( 1 )\n",
         OrbitalSection("$uhfmo_beta", 1), 0},
        {"an occupied orbital after a gap, missing", "$alpha shells\n a 1,4 ( 1 )\n",
         OrbitalSection("$uhfmo_alpha", 3), cmInvalidTurbomoleFile},
        {"more occupied than functions", "$closed shells\n a 1-5 ( 2 )\n",
         OrbitalSection("$scfmo", functions), cmInvalidTurbomoleFile},
        {"an occupied orbital without coefficients", "$closed shells\n a 1-2 ( 2 )\n",
         OrbitalSection("$scfmo", 3, 2), cmInvalidTurbomoleFile},
        {"an unoccupied orbital without coefficients", "$closed shells\n a 1 ( 2 )\n",
         OrbitalSection("$scfmo", 3, 2), 0},
        // The alpha occupations have no alpha orbitals to be written with.
        {"occupations of a set without orbitals", "$alpha shells\n a 1-4 ( 1 )\n",
         OrbitalSection("$scfmo", 1), 0},
    };
    for (const Case& c : cases) {
        const std::string control = std::string("$title\n") + c.occupations + "$end\n";
        for (bool controlFirst : {true, false}) {
            SCOPED_TRACE(std::string(c.what) + (controlFirst ? ", control first" : ""));
            UQGeometryData fresh;
            int read = controlFirst ? ReadControlFile(fresh, control) : 0;
            read += ReadTurboFile(fresh, c.orbitals);
            if (!controlFirst) read += ReadControlFile(fresh, control);
            ASSERT_EQ(0, read);
            std::string text;
            EXPECT_EQ(c.code, Check(fresh, &text));
            if (c.code != 0) {
                EXPECT_EQ(0u,
                          text.rfind("Invalid Turbomole file header/contents.\nError in file "));
            }
        }
    }
}

// Occupations are kept as long as the control file lists them: zeros beyond the orbitals
// ask for nothing.
TEST_F(OccupiedOrbitals, ZerosBeyondTheOrbitalsAreNoOccupation)
{
    ASSERT_EQ(0, Read(OrbitalSection("$uhfmo_alpha", 2)));
    UVector<double> o(8, 1);
    Vset(o, 0.0);
    o[0] = o[1] = 1.0;
    geom.SetOAlpha(o);
    EXPECT_EQ(0, Check(geom));
    o[7] = 1.0;
    geom.SetOAlpha(o);
    EXPECT_EQ(cmInvalidTurbomoleFile, Check(geom));
}

// The orbitals written must hold the electrons: occupations of the other kind, or none, would
// give a Molden file of empty orbitals.
TEST_F(OccupiedOrbitals, TheWrittenOrbitalsMustBeOccupied)
{
    const std::string restricted = OrbitalSection("$scfmo", 2);
    const std::string unrestricted =
        OrbitalSection("$uhfmo_alpha", 2) + OrbitalSection("$uhfmo_beta", 2);
    const struct {
        const char* what;
        const char* occupations;
        std::string orbitals;
        int code;
    } cases[] = {
        {"closed shells, restricted orbitals", "$closed shells\n a 1 ( 2 )\n", restricted, 0},
        {"alpha and beta, unrestricted orbitals",
         "$alpha shells\n a 1 ( 1 )\n$beta shells\n a 1 ( 1 )\n", unrestricted, 0},
        {"a stale closed section beside alpha and beta",
         "$closed shells\n a 1 ( 2 )\n$alpha shells\n a 1-2 ( 1 )\n$beta shells\n", unrestricted,
         0},
        {"alpha and beta, restricted orbitals",
         "$alpha shells\n a 1 ( 1 )\n$beta shells\n a 1 ( 1 )\n", restricted,
         cmInvalidTurbomoleFile},
        {"closed shells, unrestricted orbitals", "$closed shells\n a 1 ( 2 )\n", unrestricted,
         cmInvalidTurbomoleFile},
        {"no occupations", "", restricted, cmInvalidTurbomoleFile},
        {"only empty orbitals", "$closed shells\n a 1-2 ( 0 )\n", restricted,
         cmInvalidTurbomoleFile},
        {"no orbitals read", "$closed shells\n a 1 ( 2 )\n", "$end\n", cmInvalidTurbomoleFile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        UQGeometryData fresh;
        ASSERT_EQ(0, ReadControlFile(fresh, std::string("$title\n") + c.occupations + "$end\n"));
        ASSERT_EQ(0, ReadTurboFile(fresh, c.orbitals));
        std::string text;
        EXPECT_EQ(c.code, RaisedCode([&] { RequireOccupiedWrittenOrbitals(&fresh); }, &text));
        if (c.code != 0) {
            EXPECT_EQ(0u, text.rfind("Invalid Turbomole file header/contents.\nError in file "));
        }
    }
}

}  // namespace
