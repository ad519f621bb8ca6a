// Whole runs of Kalvex on small hand-made Turbomole files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/driver/DriverFixture.h"

namespace {

const char* const h2Molden =
    "[Molden Format] \n"
    "[ATOMS] AU\n"
    "H    1   1     0.00000000000000     0.00000000000000    -0.70000000000000\n"
    "H    2   1     0.00000000000000     0.00000000000000     0.70000000000000\n"
    "[6D10F]\n"
    "[GTO]\n"
    "1 0\n"
    "s 3 1.00\n"
    "    3.42525091    0.1543289700\n"
    "    0.62391373    0.5353281400\n"
    "    0.16885540    0.4446345400\n"
    "\n"
    "2 0\n"
    "s 3 1.00\n"
    "    3.42525091    0.1543289700\n"
    "    0.62391373    0.5353281400\n"
    "    0.16885540    0.4446345400\n"
    "\n"
    "[MO]\n"
    " Sym=     1a\n Ene=    -0.57820297751246\n Spin= Alpha\n Occup=    2.00000\n"
    "     1     0.54893404039964\n"
    "     2     0.54893404039964\n"
    " Sym=     2a\n Ene=     0.67026776827367\n Spin= Alpha\n Occup=    0.00000\n"
    "     1     1.21146407354350\n"
    "     2    -1.21146407354350\n";

TEST(DriverRun, ConvertsH2IntoOneMoldenFile)
{
    TempDir dir;
    WriteH2Files(dir);
    // The options' order does not change the order in which the files are read.
    const std::vector<std::string> orders[] = {
        {"-ic", "coord", "-ba", "basis", "-bc", "control", "-bo", "mos", "-o", "out"},
        {"-o", "out", "-BO", "mos", "-Bc", "control", "-bA", "basis", "-iC", "coord"},
    };
    for (const std::vector<std::string>& args : orders) {
        ChildResult r = RunKalvex(args, dir.Path());
        EXPECT_EQ(r.exitStatus, 0);
        EXPECT_EQ(r.out, "Kalvex exits...\n");
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(dir.Read("out"), h2Molden);
    }
}

TEST(DriverRun, CommentLinesChangeNothing)
{
    TempDir dir;
    WriteH2Files(dir);
    const char* const header = "#\n# TURBOMOLE structure library\n#\n# $Id$\n#\n# H2\n#\n";
    for (const char* name : {"coord", "basis", "control", "mos"}) {
        std::string text = dir.Read(name);
        // And one after the first line of each.
        text.insert(text.find('\n') + 1, "# a note\n");
        dir.Write(name, header + text);
    }
    ChildResult r = RunKalvex(
        {"-ic", "coord", "-ba", "basis", "-bc", "control", "-bo", "mos", "-o", "out"}, dir.Path());
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(r.out, "Kalvex exits...\n");
    EXPECT_EQ(dir.Read("out"), h2Molden);
}

TEST(DriverRun, ConvertsTheBundledExample)
{
    // The example holds the same molecule as WriteH2Files, its orbitals written by its own script.
    TempDir out;
    std::string example = std::string(KALVEX_SOURCE_DIR) + "/example";
    std::vector<std::string> args = Words(example + "/args");
    args.push_back("-o");
    args.push_back(out.File("h2.molden"));
    ChildResult r = RunKalvex(args, example);
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(r.out, "Kalvex exits...\n");
    EXPECT_EQ(out.Read("h2.molden"), h2Molden);
}

TEST(DriverRun, CoordinatesAloneGiveTheGeometry)
{
    TempDir dir;
    WriteH2Files(dir);
    dir.Write("out", "an older file that is replaced\n");
    ChildResult r = RunKalvex({"-ic", "coord", "-o", "out"}, dir.Path());
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.out, "Kalvex exits...\n");
    EXPECT_EQ(dir.Read("out"),
              "[Molden Format] \n"
              "[ATOMS] AU\n"
              "H    1   1     0.00000000000000     0.00000000000000    -0.70000000000000\n"
              "H    2   1     0.00000000000000     0.00000000000000     0.70000000000000\n");
}

TEST(DriverRun, IsotopeWarningsComeBeforeTheClosingLine)
{
    TempDir dir;
    dir.Write("coord", "$coord\n 0.0 0.0 0.0 tc\n 0.0 0.0 4.0 h\n$end\n");
    ChildResult r = RunKalvex({"-ic", "coord", "-o", "out"}, dir.Path());
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(r.out, "Warning: No exact mass available for isotope 98-43\nKalvex exits...\n");
    EXPECT_EQ(r.err, "");
}

TEST(DriverRun, BasisForAtomsTheCoordinatesLackFails)
{
    // The control file gives two atoms a basis, with or without a core potential; the
    // coordinates hold one. The run stops while the control file is read.
    const std::string atoms = "$atoms\nh  1-2  \\\n   basis =h sto-3g";
    const std::string controls[] = {atoms + "\n", atoms + " \\\n   ecp   =h ecp-0\n"};
    for (const std::string& atomList : controls) {
        TempDir dir;
        WriteH2Files(dir);
        dir.Write("coord", "$coord\n 0.0 0.0 -0.7 h\n$end\n");
        std::string basis = dir.Read("basis");
        basis.replace(
            basis.find("$end"), std::string::npos,
            "$ecp\n*\nh ecp-0\n*\n  ncore = 0   lmax = 0\ns\n   1.0   0   2.0\n*\n$end\n");
        dir.Write("basis", basis);
        dir.Write("control", atomList + "$closed shells\n a       1    ( 2 )\n$end\n");
        dir.Write("mos", "$scfmo    scfconv=7   format(4d20.14)\n"
                         "     1  a      eigenvalue=-.57820297751246D+00   nsaos=1\n"
                         "0.54893404039964D+00\n$end\n");
        ChildResult r =
            RunKalvex({"-ic", "coord", "-ba", "basis", "-bc", "control", "-bo", "mos", "-o", "out"},
                      dir.Path());
        EXPECT_EQ(r.exitStatus, 1) << atomList;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("\aError: Index out of range.\nError in file UTurbo line ", 0), 0u)
            << r.err;
        EXPECT_FALSE(FileExists(dir.File("out")));
    }
}

TEST(DriverRun, FilesOfTwoMoleculesAreRefused)
{
    // The coordinates of divinylbenzene (20 atoms) with the basis, control and orbital
    // files of carbon monoxide, whose "$atoms" names an oxygen as atom 2.
    const std::string co = SharedPath("data/co-pbe0-6311gss");
    const std::string dvb = SharedPath("data/dvb-rhf-sto3g");
    if (co.empty()) GTEST_SKIP() << SharedMissing("data/co-pbe0-6311gss");
    if (dvb.empty()) GTEST_SKIP() << SharedMissing("data/dvb-rhf-sto3g");
    TempDir dir;
    ChildResult r = RunKalvex({"-ic", dvb + "/coord", "-ba", co + "/basis", "-bc", co + "/control",
                               "-bo", co + "/mos", "-o", "out"},
                              dir.Path());
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("\aError: Invalid element.\nError in file UTurbo line ", 0), 0u) << r.err;
    EXPECT_FALSE(FileExists(dir.File("out")));
}

TEST(DriverRun, BasisWithoutAtomsFailsInsteadOfWritingUnorderedOrbitals)
{
    TempDir dir;
    WriteH2Files(dir);
    ChildResult r =
        RunKalvex({"-ba", "basis", "-bc", "control", "-bo", "mos", "-o", "out"}, dir.Path());
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("\aError: Incompatible vector/matrix dimensions.\nError in file ", 0), 0u)
        << r.err;
    EXPECT_FALSE(FileExists(dir.File("out")));
}

TEST(DriverRun, BasisFileWithoutABasisFailsInsteadOfDroppingTheOrbitals)
{
    // The basis file holds coordinates only and the control file no "$atoms": the
    // orbitals asked for could not be written, so the run must not end in success.
    TempDir dir;
    WriteH2Files(dir);
    dir.Write("control", "$title\n$closed shells\n a       1    ( 2 )\n$end\n");
    ChildResult r = RunKalvex(
        {"-ic", "coord", "-ba", "coord", "-bc", "control", "-bo", "mos", "-o", "out"}, dir.Path());
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("\aError: Invalid Turbomole file header/contents.\nError in file ", 0),
              0u)
        << r.err;
    EXPECT_FALSE(FileExists(dir.File("out")));
}

TEST(DriverRun, AnInputFileOfOnlyUnknownSectionsFails)
{
    // "$COORD" is no section of the table: skipped, it would leave an empty Molden file.
    TempDir dir;
    WriteH2Files(dir);
    dir.Write("typo", "$COORD\n 0.0 0.0 -0.7 h\n 0.0 0.0 0.7 h\n$end\n");
    for (const char* option : {"-ic", "-ie", "-ig", "-ih"}) {
        ChildResult r = RunKalvex({option, "typo", "-o", "out"}, dir.Path());
        EXPECT_EQ(r.exitStatus, 1) << option;
        EXPECT_EQ(r.out, "") << option;
        EXPECT_EQ(
            r.err.rfind(
                "\aError: Invalid Turbomole file header/contents.\nError in file Kalvex line ", 0),
            0u)
            << r.err;
        EXPECT_FALSE(FileExists(dir.File("out"))) << option;
    }
    // Beside a read section, unknown ones are still skipped.
    dir.Write("coord", "$coord\n 0.0 0.0 -0.7 h\n$user-defined bonds\n$end\n");
    ChildResult r = RunKalvex({"-ic", "coord", "-o", "out"}, dir.Path());
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(r.out, "Kalvex exits...\n");
}

TEST(DriverRun, AFullDiskIsAFailure)
{
    TempDir dir;
    if (!MakeDeviceNode(dir.File("full"), 7)) GTEST_SKIP() << "cannot make a full device here";
    WriteH2Files(dir);
    ChildResult r = RunKalvex(
        {"-ic", "coord", "-ba", "basis", "-bc", "control", "-bo", "mos", "-o", "full"}, dir.Path());
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("\aError: Stream output error.\nError in file Kalvex line ", 0), 0u)
        << r.err;
    EXPECT_EQ(r.err.substr(r.err.size() - std::string(kalvexUsage).size()), kalvexUsage);
}

}  // namespace
