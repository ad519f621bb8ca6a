// Damaged input whose cost must stay in proportion to its size: index lists
// naming far more atoms or orbitals than any molecule has, and atom bases of
// a great many shells.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "convert/UMolden.h"
#include "convert/UTurbo.h"
#include "molecule/UQBasis.h"
#include "molecule/UQGauss.h"
#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "tests/convert/TurboTestSupport.h"
#include "tests/support/ChildProcess.h"

namespace {

// Ends the calling child once it has used this much processor time. The limits
// catch work out of proportion to the input (a pass per atom or per pair costs
// hours here); processor time, unlike the clock on the wall, does not grow
// when other builds load the machine.
void LimitCpuSeconds(rlim_t seconds)
{
    rlimit limit{seconds, seconds + 1};
    setrlimit(RLIMIT_CPU, &limit);
}

// Processor seconds used so far by this process.
double CpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

const char* oneS = "$basis\n*\nh one-s\n*\n 1 s\n 1.0 1.0\n*\n$end\n";

std::string Coordinates(long atoms)
{
    std::string s = "$coord\n";
    for (long i = 0; i < atoms; ++i) s += " " + std::to_string(i) + ".0 0.0 0.0 h\n";
    return s + "$end\n";
}

// The first orbital of a section over n functions, the others left out.
std::string FirstOrbital(long n)
{
    std::string s =
        "$scfmo    format(4d20.14)\n     1  a      eigenvalue=-.50000000000000D+00   nsaos=" +
        std::to_string(n) + "\n";
    for (long i = 0; i < n; ++i) {
        s += "0.10000000000000D+00";
        if (i % 4 == 3 || i == n - 1) s += "\n";
    }
    return s + "$end\n";
}

class InputScale : public TurboFileTest {};

// Every index list costs in proportion to its largest index. One huge list
// is taken; beyond it the lists of a file must be backed by its size, so
// repeated huge lists in a few lines cannot pile up pairs or occupation
// vectors, nor take minutes.
TEST_F(InputScale, RepeatedHugeListsAreRefused)
{
    const std::string entry = "h 1-8388609 \\\n basis =h one-s\n";
    const struct {
        std::string control;
        long pairs, closed;
    } cases[] = {
        {"$atoms\n" + entry + entry + "$end\n", 8388609, 0},
        {"$atoms\n" + entry + "h 8388609 \\\n basis =h one-s\n$end\n", 8388609, 0},
        {"$closed shells\n a 1-8388609\n$alpha shells\n a 8388609\n$end\n", 0, 8388609},
    };
    for (const auto& c : cases) {
        UQGeometryData fresh;
        ASSERT_EQ(0, ReadTurboFile(fresh, oneS));
        EXPECT_EQ(cmInvalidTurbomoleFile, ReadControlFile(fresh, c.control))
            << c.control.substr(0, 40);
        // What the first list added stays; the refused one added nothing.
        EXPECT_EQ(c.pairs, fresh.GetBasis()->GetMatches().GetDim()) << c.control.substr(0, 40);
        EXPECT_EQ(c.closed, fresh.GetO().GetDim()) << c.control.substr(0, 40);
        EXPECT_EQ(0, fresh.GetOAlpha().GetDim()) << c.control.substr(0, 40);
    }
}

// Large systems list their atoms one per entry, as Turbomole writes them:
// 20000 entries are backed by the file's size and cost what they name, not
// a pass over all the atoms before them each.
TEST_F(InputScale, AtomsListedOnePerLineAreReadQuickly)
{
    const long atoms = 20000;
    std::string control = "$atoms\n";
    char entry[128];
    for (long i = 1; i <= atoms; ++i) {
        snprintf(entry, sizeof entry, "h  %-75ld\\\n   basis =h one-s\n", i);
        control += entry;
    }
    control += "$end\n";
    ChildResult r = RunInChild([&] {
        LimitCpuSeconds(60);
        if (Read(Coordinates(atoms)) != 0 || Read(oneS) != 0) _exit(2);
        double const start = CpuSeconds();
        if (ReadControl(control) != 0) _exit(3);
        double const seconds = CpuSeconds() - start;
        const UVector<UPair>& pairs = geom.GetBasis()->GetMatches();
        if (pairs.GetDim() != atoms) _exit(4);
        for (long i = 0; i < atoms; ++i)
            if (pairs[i].atom != i || pairs[i].entry != 0) _exit(5);
        std::printf("%.3f", seconds);
        std::fflush(stdout);
        _exit(seconds < 1.0 ? 0 : 6);
    });
    EXPECT_EQ(0, r.exitStatus) << "2-5: not read as listed; 6: took " << r.out
                               << " processor seconds";
}

// Reordering the orbitals visits the atoms of the molecule; an entry naming
// millions of atoms it lacks (read before the coordinates, when there is
// nothing to compare it with) must not be scanned once per atom.
TEST_F(InputScale, AtomsTheMoleculeLacksDoNotSlowTheOrbitals)
{
    const long atoms = 4000;
    ChildResult r = RunInChild([&] {
        LimitCpuSeconds(60);
        if (Read(oneS) != 0 ||
            ReadControl("$atoms\nh 1-4000000 \\\n basis =h one-s\n$end\n") != 0 ||
            Read(Coordinates(atoms)) != 0)
            _exit(2);
        int code = Read(FirstOrbital(atoms));
        _exit(code == 0 && geom.GetE().GetDim() == atoms ? 0 : 3);
    });
    EXPECT_EQ(0, r.exitStatus) << "-1: the orbitals took more than 60 processor seconds";
}

// Shells are sorted by type, those of one type kept in file order; a set of
// 100000 shells must not take a pass per shell.
TEST_F(InputScale, ManyShellsAreSortedQuickly)
{
    const long shells = 100000;
    std::string basis = "$basis\n*\nh many\n*\n";
    for (long i = 0; i < shells; ++i)
        basis += i % 2 ? " 1 s\n " + std::to_string(i) + ".0 1.0\n"
                       : " 1 p\n " + std::to_string(i) + ".0 1.0\n";
    basis += "*\n$end\n";
    ChildResult r = RunInChild([&] {
        LimitCpuSeconds(60);
        if (Read(basis) != 0) _exit(2);
        const UPointerList<UGaussianShell>& list = geom.GetBasis()->GetGaussian(0)->GetShells();
        for (long k = 0; k < shells; ++k) {
            // The s shells came at odd places, the p shells at even ones.
            long from = k < shells / 2 ? 2 * k + 1 : 2 * (k - shells / 2);
            if (list[k]->GetType() != (k < shells / 2 ? stS : stP)) _exit(3);
            if (list[k]->GetPrim()[0].exponent != (double)from) _exit(4);
        }
        _exit(0);
    });
    EXPECT_EQ(0, r.exitStatus) << "-1: sorting took more than 60 processor seconds";
}

// An entry repeated thousands of times gives each atom thousands of bases
// (here empty ones); writing the basis must not scan every pair per atom.
TEST_F(InputScale, RepeatedEntriesDoNotSlowTheMoldenBasis)
{
    const long atoms = 1000;
    std::string control = "$atoms\nh 1-1000 \\\n basis =h one-s\n";
    for (long i = 0; i < 16000; ++i) control += "h 1-1000 \\\n basis =h empty\n";
    control += "$end\n";
    ChildResult r = RunInChild([&] {
        LimitCpuSeconds(60);
        if (Read(Coordinates(atoms)) != 0 ||
            Read("$basis\n*\nh empty\n*\n*\nh one-s\n*\n 1 s\n 1.0 1.0\n*\n$end\n") != 0 ||
            ReadControl(control) != 0 || Read(FirstOrbital(atoms)) != 0)
            _exit(2);
        TextStream out;
        UMoldenFilter writer(out.Get());
        writer.WriteBasis(&geom);
        // Each atom's block: its number, the one s shell, a blank line.
        std::string text = out.Contents();
        _exit(text.find("1000 0\ns 1 1.00\n") != std::string::npos ? 0 : 3);
    });
    EXPECT_EQ(0, r.exitStatus) << "-1: writing the basis took more than 60 processor seconds";
}

}  // namespace
