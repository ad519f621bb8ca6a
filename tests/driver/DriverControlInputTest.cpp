// A control file named where a Hessian (or any other Turbomole file) is due: Turbomole keeps
// "$hessian" in its control file, which Kalvex reads only with -bc.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/driver/DriverFixture.h"

namespace {

const char* const refusal =
    "\aError: Invalid Turbomole file header/contents.\nError in file UTurbo line ";

// The "$hessian" section of a control file in a file of its own, closed by "$end".
std::string HessianCutFrom(const std::string& control)
{
    size_t begin = control.find("\n$hessian") + 1;
    size_t end = control.find("\n$", begin) + 1;
    return control.substr(begin, end - begin) + "$end\n";
}

// A Hessian of H2 (6 x 6) as Turbomole writes it: five values to a line.
std::string H2Hessian()
{
    std::string s = "$hessian (projected)\n";
    char field[32];
    for (int r = 1; r <= 6; ++r)
        for (int line = 1; line <= 2; ++line) {
            snprintf(field, sizeof field, "%3d%2d", r, line);
            s += field;
            for (int c = 5 * line - 4; c <= 5 * line && c <= 6; ++c) {
                snprintf(field, sizeof field, "%15.10f", r == c ? 0.5 : 0.0);
                s += field;
            }
            s += "\n";
        }
    return s;
}

void ExpectRefused(const std::vector<std::string>& args, const std::string& dir)
{
    ChildResult r = RunKalvex(args, dir);
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind(refusal, 0), 0u) << r.err;
    EXPECT_FALSE(FileExists(dir + "/out"));
}

TEST(DriverControlInput, AControlFileIsRefusedAsAHessianFile)
{
    TempDir dir;
    WriteH2Files(dir);
    dir.Write("control", "$title\n$symmetry d6h\n$coord    file=coord\n$atoms\n"
                         "h  1-2                                  \\\n"
                         "   basis =h sto-3g\n$closed shells\n a       1      ( 2 )\n" +
                             H2Hessian() + "$end\n");
    ExpectRefused({"-ic", "coord", "-ih", "control", "-o", "out"}, dir.Path());
    ExpectRefused({"-ih", "control", "-o", "out"}, dir.Path());

    // Cut into a file of its own, the section is read.
    dir.Write("hessian", HessianCutFrom(dir.Read("control")));
    ChildResult r = RunKalvex({"-ic", "coord", "-ih", "hessian", "-o", "out"}, dir.Path());
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(r.out, "Kalvex exits...\n");
}

TEST(DriverControlInput, RealControlFilesAreRefusedAsHessianFiles)
{
    const char* const cases[] = {"co-pbe0-6311gss", "dvb-aoforce-sto3g", "dvb-rhf-sto3g",
                                 "dvb-uhf-cation-sto3g"};
    for (const char* name : cases)
        if (SharedPath(std::string("data/") + name).empty())
            GTEST_SKIP() << SharedMissing(std::string("data/") + name);
    TempDir dir;
    for (const char* name : cases) {
        SCOPED_TRACE(name);
        const std::string folder = SharedPath(std::string("data/") + name);
        ExpectRefused({"-ic", folder + "/coord", "-ih", folder + "/control", "-o", "out"},
                      dir.Path());
        ExpectRefused({"-ih", folder + "/control", "-o", "out"}, dir.Path());
    }

    // The frequency run kept "$hessian" in its control file; the case's "hessian" file is
    // that section cut out, and converts alike.
    const std::string folder = SharedPath("data/dvb-aoforce-sto3g");
    dir.Write("hessian", HessianCutFrom(ReadFile(folder + "/control")));
    ChildResult r =
        RunKalvex({"-ic", folder + "/coord", "-ih", "hessian", "-o", "cut.molden"}, dir.Path());
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    r = RunKalvex({"-ic", folder + "/coord", "-ih", folder + "/hessian", "-o", "case.molden"},
                  dir.Path());
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(dir.Read("cut.molden"), dir.Read("case.molden"));
    EXPECT_EQ(dir.Read("hessian"), ReadFile(folder + "/hessian"));
}

}  // namespace
