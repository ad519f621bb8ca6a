// Whole runs whose orbital files hold fewer orbitals than the control file's occupations
// ask for, or fewer than there are basis functions.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/driver/DriverFixture.h"

namespace {

const char* const refusal = "\aError: Invalid Turbomole file header/contents.\nError in file ";

// The first count orbitals of a Turbomole orbital file, closed by "$end".
std::string FirstOrbitals(const std::string& text, long count)
{
    size_t at = 0;
    for (long j = 0; j <= count; ++j) {
        at = text.find("eigenvalue=", at);
        if (at == std::string::npos) return text;
        at += 1;
    }
    return text.substr(0, text.rfind('\n', at) + 1) + "$end\n";
}

// The Molden text with only the first alpha and the first beta orbitals of "[MO]"
// (restricted ones are written as alpha).
std::string FirstMoldenOrbitals(const std::string& molden, long alpha, long beta)
{
    size_t at = molden.find("[MO]\n") + 5;
    std::string kept = molden.substr(0, at);
    while (at < molden.size()) {
        size_t next = molden.find("\n Sym=", at);
        next = next == std::string::npos ? molden.size() : next + 1;
        std::string orbital = molden.substr(at, next - at);
        long number = 0;
        sscanf(orbital.c_str(), " Sym= %ld", &number);
        bool isBeta = orbital.find(" Spin= Beta\n") != std::string::npos;
        if (number <= (isBeta ? beta : alpha)) kept += orbital;
        at = next;
    }
    return kept;
}

// The H2 files with the given occupations and orbital files (restricted "mos", or
// "alpha" and "beta" made from it).
struct H2Case {
    const char* what;
    const char* occupations;
    long restricted, alpha, beta;  // orbitals each file keeps; -1 for no such file
};

std::vector<std::string> WriteH2Case(const TempDir& dir, const H2Case& c)
{
    WriteH2Files(dir);
    const std::string mos = dir.Read("mos");
    dir.Write("control", "$atoms\nh  1-2                                          \\\n"
                         "   basis =h sto-3g\n" +
                             std::string(c.occupations) + "$end\n");
    std::vector<std::string> args = {"-ic", "coord", "-ba", "basis", "-bc", "control", "-bo"};
    if (c.restricted >= 0) {
        dir.Write("mos", FirstOrbitals(mos, c.restricted));
        args.push_back("mos");
    } else {
        const std::string header = "$scfmo";
        for (const char* spin : {"alpha", "beta"}) {
            std::string set = mos;
            set.replace(0, header.size(), std::string("$uhfmo_") + spin);
            dir.Write(spin, FirstOrbitals(set, spin[0] == 'a' ? c.alpha : c.beta));
            args.push_back(spin);
        }
    }
    args.insert(args.end(), {"-o", "out"});
    return args;
}

TEST(DriverOccupations, OccupiedOrbitalsMissingFromTheOrbitalFilesAreRefused)
{
    const H2Case cases[] = {
        {"restricted", "$closed shells\n a       1-2     ( 2 )\n", 1, -1, -1},
        {"alpha", "$alpha shells\n a  1-2  ( 1 )\n$beta shells\n a  1  ( 1 )\n", -1, 1, 2},
        {"beta", "$alpha shells\n a  1  ( 1 )\n$beta shells\n a  1-2  ( 1 )\n", -1, 2, 1},
    };
    for (const H2Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::vector<std::string> args = WriteH2Case(dir, c);
        ChildResult r = RunKalvex(args, dir.Path());
        EXPECT_EQ(r.exitStatus, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind(refusal, 0), 0u) << r.err;
        EXPECT_FALSE(FileExists(dir.File("out")));

        dir.Write("out", "earlier output\n");
        r = RunKalvex(args, dir.Path());
        EXPECT_EQ(r.exitStatus, 1);
        EXPECT_EQ(r.err.rfind(refusal, 0), 0u) << r.err;
        EXPECT_EQ(dir.Read("out"), "earlier output\n");
    }
}

// Fewer orbitals than basis functions, as after linear dependencies were removed: the
// Molden file is the whole set's without the orbitals the files lack.
TEST(DriverOccupations, OrbitalFilesLackingOnlyUnoccupiedOrbitalsConvertAsBefore)
{
    const char* const closed = "$closed shells\n a       1     ( 2 )\n";
    const char* const open = "$alpha shells\n a  1  ( 1 )\n$beta shells\n a  1  ( 1 )\n";
    const struct {
        H2Case whole, cut;
    } cases[] = {
        {{"restricted", closed, 2, -1, -1}, {"restricted", closed, 1, -1, -1}},
        {{"unrestricted", open, -1, 2, 2}, {"unrestricted", open, -1, 1, 1}},
        {{"alpha only", open, -1, 2, 2}, {"alpha only", open, -1, 1, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cut.what);
        TempDir dir;
        ASSERT_EQ(RunKalvex(WriteH2Case(dir, c.whole), dir.Path()).exitStatus, 0);
        const std::string whole = dir.Read("out");
        ChildResult r = RunKalvex(WriteH2Case(dir, c.cut), dir.Path());
        EXPECT_EQ(r.exitStatus, 0) << r.err;
        EXPECT_EQ(r.out, "Kalvex exits...\n");
        const long alpha = c.cut.restricted >= 0 ? c.cut.restricted : c.cut.alpha;
        EXPECT_EQ(dir.Read("out"), FirstMoldenOrbitals(whole, alpha, c.cut.beta));
        EXPECT_NE(dir.Read("out"), whole);
    }
}

// Divinylbenzene's orbital files, cut at test time: 35 doubly occupied orbitals of 60, and
// for the cation 35 alpha and 34 beta.
TEST(DriverOccupations, RealOrbitalFilesCutShort)
{
    const std::string rhf = SharedPath("data/dvb-rhf-sto3g");
    const std::string uhf = SharedPath("data/dvb-uhf-cation-sto3g");
    if (rhf.empty()) GTEST_SKIP() << SharedMissing("data/dvb-rhf-sto3g");
    if (uhf.empty()) GTEST_SKIP() << SharedMissing("data/dvb-uhf-cation-sto3g");
    TempDir dir;
    auto run = [&](const std::string& folder, const std::vector<std::string>& orbitals) {
        std::vector<std::string> args = {"-ic", folder + "/coord",   "-ba", folder + "/basis",
                                         "-bc", folder + "/control", "-bo"};
        args.insert(args.end(), orbitals.begin(), orbitals.end());
        args.insert(args.end(), {"-o", "out"});
        return RunKalvex(args, dir.Path());
    };
    ASSERT_EQ(run(rhf, {rhf + "/mos"}).exitStatus, 0);
    const std::string rhfWhole = dir.Read("out");
    ASSERT_EQ(run(uhf, {uhf + "/alpha", uhf + "/beta"}).exitStatus, 0);
    const std::string uhfWhole = dir.Read("out");
    const std::string mos = ReadFile(rhf + "/mos");
    const std::string alpha = ReadFile(uhf + "/alpha");
    const std::string beta = ReadFile(uhf + "/beta");

    const struct {
        const char* what;
        std::string mos, alpha, beta;
    } refused[] = {
        {"30 restricted", FirstOrbitals(mos, 30), "", ""},
        {"34 alpha", "", FirstOrbitals(alpha, 34), beta},
        {"33 beta", "", alpha, FirstOrbitals(beta, 33)},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.what);
        dir.Write("out", "earlier output\n");
        dir.Write("mos", c.mos);
        dir.Write("alpha", c.alpha);
        dir.Write("beta", c.beta);
        ChildResult r = c.mos.empty() ? run(uhf, {dir.File("alpha"), dir.File("beta")})
                                      : run(rhf, {dir.File("mos")});
        EXPECT_EQ(r.exitStatus, 1);
        EXPECT_EQ(r.err.rfind(refusal, 0), 0u) << r.err;
        EXPECT_EQ(dir.Read("out"), "earlier output\n");
    }

    dir.Write("mos", FirstOrbitals(mos, 35));
    ChildResult r = run(rhf, {dir.File("mos")});
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(dir.Read("out"), FirstMoldenOrbitals(rhfWhole, 35, 0));
    dir.Write("alpha", FirstOrbitals(alpha, 35));
    dir.Write("beta", FirstOrbitals(beta, 34));
    r = run(uhf, {dir.File("alpha"), dir.File("beta")});
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(dir.Read("out"), FirstMoldenOrbitals(uhfWhole, 35, 34));
}

}  // namespace
