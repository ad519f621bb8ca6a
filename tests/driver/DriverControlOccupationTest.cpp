// Divinylbenzene's real files converted with control files as Turbomole writes them beyond a
// plain closed-shell or UHF ground state: open shells, holes, fractional occupations, the
// occupations of the other kind, periodic runs.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tests/driver/DriverFixture.h"

namespace {

const char* const refusal = "\aError: Invalid Turbomole file header/contents.\nError in file ";

const char* const rhfClosed =
    "$closed shells\n a       1-35                                   ( 2 )\n";
const char* const uhfShells =
    "$alpha shells\n a       1-35                                   ( 1 )\n"
    "$beta shells\n a       1-34                                   ( 1 )\n"
    " a       1-34                                   ( 1 )\n";

// text with what replaced by by; what must be there.
std::string Replaced(std::string text, const std::string& what, const std::string& by)
{
    size_t const at = text.find(what);
    EXPECT_NE(at, std::string::npos) << what;
    if (at != std::string::npos) text.replace(at, what.size(), by);
    return text;
}

// The occupation of every orbital of the Molden text's "[MO]", by spin and number.
std::map<std::pair<std::string, long>, double> Occupations(const std::string& molden)
{
    std::map<std::pair<std::string, long>, double> occupations;
    size_t at = molden.find("[MO]\n");
    while ((at = molden.find(" Sym=", at)) != std::string::npos) {
        long number = 0;
        char spin[16] = "";
        double occupation = 0.0;
        if (sscanf(molden.c_str() + at, " Sym= %ld a Ene= %*f Spin= %15s Occup= %lf", &number, spin,
                   &occupation) == 3)
            occupations[{spin, number}] = occupation;
        at += 5;
    }
    return occupations;
}

double Electrons(const std::string& molden)
{
    double electrons = 0.0;
    for (const auto& o : Occupations(molden)) electrons += o.second;
    return electrons;
}

class ControlOccupations : public ::testing::Test {
protected:
    void SetUp() override
    {
        rhf = SharedPath("data/dvb-rhf-sto3g");
        uhf = SharedPath("data/dvb-uhf-cation-sto3g");
        if (rhf.empty()) GTEST_SKIP() << SharedMissing("data/dvb-rhf-sto3g");
        if (uhf.empty()) GTEST_SKIP() << SharedMissing("data/dvb-uhf-cation-sto3g");
        rhfControl = ReadFile(rhf + "/control");
        uhfControl = ReadFile(uhf + "/control");
    }

    // A conversion of folder's coordinates and basis with the given control text and orbital
    // files, into "out".
    ChildResult Run(const std::string& folder, const std::string& control,
                    const std::vector<std::string>& orbitals)
    {
        dir.Write("control", control);
        std::vector<std::string> args = {"-ic", folder + "/coord",   "-ba", folder + "/basis",
                                         "-bc", dir.File("control"), "-bo"};
        args.insert(args.end(), orbitals.begin(), orbitals.end());
        args.insert(args.end(), {"-o", "out"});
        return RunKalvex(args, dir.Path());
    }
    ChildResult RunRestricted(const std::string& control)
    {
        return Run(rhf, control, {rhf + "/mos"});
    }
    ChildResult RunUnrestricted(const std::string& control)
    {
        return Run(uhf, control, {uhf + "/alpha", uhf + "/beta"});
    }

    TempDir dir;
    std::string rhf, uhf, rhfControl, uhfControl;
};

TEST_F(ControlOccupations, OpenShellsHolesAndFractionsKeepEveryElectron)
{
    const struct {
        const char* what;
        bool restricted;
        std::string control;
        double electrons;
        std::map<std::pair<std::string, long>, double> orbitals;
    } cases[] = {
        {"restricted open-shell doublet",
         true,
         Replaced(rhfControl, rhfClosed,
                  "$closed shells\n a       1-34                                   ( 2 )\n"
                  "$open shells type=1\n a       35                                     ( 1 )\n"),
         69,
         {{{"Alpha", 34}, 2.0}, {{"Alpha", 35}, 1.0}, {{"Alpha", 36}, 0.0}}},
        {"restricted open-shell triplet",
         true,
         Replaced(rhfControl, rhfClosed,
                  "$closed shells\n a       1-34                                   ( 2 )\n"
                  "$open shells type=1\n a       35-36                                  ( 1 )\n"),
         70,
         {{{"Alpha", 35}, 1.0}, {{"Alpha", 36}, 1.0}, {{"Alpha", 37}, 0.0}}},
        {"a hole below the highest orbital",
         true,
         Replaced(rhfControl, rhfClosed,
                  "$closed shells\n a       1-33                                   ( 2 )\n"
                  " a       35                                     ( 2 )\n"),
         68,
         {{{"Alpha", 33}, 2.0}, {{"Alpha", 34}, 0.0}, {{"Alpha", 35}, 2.0}}},
        {"fractional alpha occupations",
         false,
         Replaced(uhfControl, " a       1-35                                   ( 1 )\n",
                  " a       1-34                                   ( 1 )\n"
                  " a       35                                     ( 0.75 )\n"
                  " a       36                                     ( 1 / 4 )\n"),
         69,
         {{{"Alpha", 35}, 0.75}, {{"Alpha", 36}, 0.25}, {{"Beta", 34}, 1.0}}},
        {"no beta electron, the section empty",
         false,
         Replaced(uhfControl, uhfShells,
                  "$alpha shells\n a       1-35                                   ( 1 )\n"
                  "$beta shells\n"),
         35,
         {{{"Alpha", 35}, 1.0}, {{"Beta", 1}, 0.0}}},
        {"no beta electron, no section",
         false,
         Replaced(uhfControl, uhfShells,
                  "$alpha shells\n a       1-35                                   ( 1 )\n"),
         35,
         {{{"Alpha", 35}, 1.0}, {{"Beta", 1}, 0.0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ChildResult r = c.restricted ? RunRestricted(c.control) : RunUnrestricted(c.control);
        ASSERT_EQ(r.exitStatus, 0) << r.err;
        const std::string molden = dir.Read("out");
        EXPECT_DOUBLE_EQ(Electrons(molden), c.electrons);
        const auto occupations = Occupations(molden);
        for (const auto& o : c.orbitals) {
            ASSERT_EQ(occupations.count(o.first), 1u) << o.first.first << " " << o.first.second;
            EXPECT_EQ(occupations.at(o.first), o.second) << o.first.first << " " << o.first.second;
        }
    }
}

// Occupations that describe none of the orbitals written: status 1, and an earlier output kept.
TEST_F(ControlOccupations, OccupationsOfTheOtherKindAreRefused)
{
    const struct {
        const char* what;
        std::string control;
        std::string folder;
        std::vector<std::string> orbitals;
    } cases[] = {
        {"a restricted file beside the UHF control", uhfControl, uhf, {rhf + "/mos"}},
        {"alpha and beta files beside the closed-shell control",
         rhfControl,
         rhf,
         {uhf + "/alpha", uhf + "/beta"}},
        {"a closed-shell control without occupations",
         Replaced(rhfControl, rhfClosed, ""),
         rhf,
         {rhf + "/mos"}},
        {"a UHF control without occupations",
         Replaced(uhfControl, uhfShells, ""),
         uhf,
         {uhf + "/alpha", uhf + "/beta"}},
        {"a periodic run",
         Replaced(rhfControl, "$end\n", "$periodic 1\n$end\n"),
         rhf,
         {rhf + "/mos"}},
        {"a crystal",
         Replaced(rhfControl, rhfClosed, std::string("$periodic 3\n") + rhfClosed),
         rhf,
         {rhf + "/mos"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::remove(dir.File("out").c_str());
        ChildResult r = Run(c.folder, c.control, c.orbitals);
        EXPECT_EQ(r.exitStatus, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind(refusal, 0), 0u) << r.err;
        EXPECT_FALSE(FileExists(dir.File("out")));

        dir.Write("out", "earlier output\n");
        r = Run(c.folder, c.control, c.orbitals);
        EXPECT_EQ(r.exitStatus, 1);
        EXPECT_EQ(dir.Read("out"), "earlier output\n");
    }
}

// What converts today converts byte for byte as before.
TEST_F(ControlOccupations, ControlsThatConvertedBeforeGiveTheSameFile)
{
    ASSERT_EQ(RunRestricted(rhfControl).exitStatus, 0);
    const std::string restricted = dir.Read("out");
    ASSERT_EQ(RunUnrestricted(uhfControl).exitStatus, 0);
    const std::string unrestricted = dir.Read("out");
    const struct {
        const char* what;
        bool restricted;
        std::string control;
    } cases[] = {
        {"a stale closed-shell section beside alpha and beta", false,
         Replaced(uhfControl, uhfShells, std::string(rhfClosed) + uhfShells)},
        {"a molecular riper run", true, Replaced(rhfControl, "$end\n", "$periodic 0\n$end\n")},
        {"an atom list broken after a comma", true,
         Replaced(rhfControl, "c  1-5,9-10,14,16,19 ", "c  1-5,9-10,\\\n   14,16,19 ")},
        {"a number on every line", true,
         Replaced(rhfControl, rhfClosed,
                  "$closed shells\n a       1-30    ( 2 )\n a       31-35    ( 2.0 )\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ChildResult r = c.restricted ? RunRestricted(c.control) : RunUnrestricted(c.control);
        ASSERT_EQ(r.exitStatus, 0) << r.err;
        EXPECT_EQ(dir.Read("out"), c.restricted ? restricted : unrestricted);
    }
}

}  // namespace
