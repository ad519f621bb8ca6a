// A large set of orbitals is held about once: reading it into the molecule
// and writing it as a Molden file each cost about one coefficient matrix of
// memory, not two.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "convert/UMolden.h"
#include "tests/convert/TurboTestSupport.h"
#include "tests/support/ChildProcess.h"

namespace {

// The high-water mark of this process's resident memory, in bytes; -1 when
// the system does not tell it.
long PeakResidentBytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6)) * 1024;
    return -1;
}

// Starts the high-water mark afresh at what is resident now.
bool ResetPeak()
{
    FILE* f = std::fopen("/proc/self/clear_refs", "w");
    if (f == nullptr) return false;
    bool done = std::fputs("5", f) >= 0;
    return std::fclose(f) == 0 && done;
}

// atoms carbons of ten functions each (two s, one p, one spherical d shell)
// and a complete orbital section over them.
struct LargeCase {
    explicit LargeCase(long atoms) : functions(10 * atoms)
    {
        coord = "$coord\n";
        for (long a = 0; a < atoms; ++a) coord += " " + std::to_string(3 * a) + ".0 0.0 0.0 c\n";
        coord += "$end\n";
        basis = "$basis\n*\nc ten\n*\n 1 s\n 9.0 1.0\n 1 s\n 1.0 1.0\n 1 p\n 0.8 1.0\n 1 d\n 0.6 "
                "1.0\n*\n$end\n";
        control = "$atoms\nc 1-" + std::to_string(atoms) + " \\\n basis =c ten\n$end\n";
        const std::string line =
            "-.12345678901234D+000.23456789012345D+00-.34567890123456D-010.45678901234567D+01\n";
        mos = "$scfmo    format(4d20.14)\n";
        mos.reserve(mos.size() + (size_t)functions * ((size_t)functions / 4 * line.size() + 60));
        for (long j = 0; j < functions; ++j) {
            mos += "     " + std::to_string(j + 1) +
                   "  a      eigenvalue=-.50000000000000D+00   nsaos=" + std::to_string(functions) +
                   "\n";
            for (long i = 0; i < functions; i += 4) mos += line;
        }
        mos += "$end\n";
    }
    long functions;
    std::string coord, basis, control, mos;
};

class OrbitalMemory : public TurboFileTest {};

TEST_F(OrbitalMemory, ReadingAndWritingHoldTheCoefficientsOnce)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer keeps freed memory for a while";
#endif
    const LargeCase large(160);
    const double matrix = 8.0 * (double)large.functions * (double)large.functions;
    ChildResult r = RunInChild([&] {
        if (!ResetPeak() || PeakResidentBytes() < 0) _exit(77);
        if (Read(large.coord) != 0 || Read(large.basis) != 0 || ReadControl(large.control) != 0)
            _exit(2);
        long before = PeakResidentBytes();
        if (!ResetPeak()) _exit(77);
        if (Read(large.mos) != 0 || geom.GetMos().GetRowDim() != large.functions) _exit(3);
        double reading = (double)(PeakResidentBytes() - before);
        if (!ResetPeak()) _exit(77);
        before = PeakResidentBytes();
        {
            TextStream out;
            UMoldenFilter writer(out.Get());
            writer.WriteOrbitals(&geom);
        }
        double writing = (double)(PeakResidentBytes() - before);
        std::fprintf(stderr, "matrix %.1f MB, reading %.1f MB, writing %.1f MB more\n",
                     matrix / 1e6, reading / 1e6, writing / 1e6);
        _exit(reading < 1.4 * matrix && writing < 0.2 * matrix ? 0 : 4);
    });
    if (r.exitStatus == 77) GTEST_SKIP() << "no high-water mark of resident memory here";
    EXPECT_EQ(0, r.exitStatus) << r.err;
}

}  // namespace
