// A conversion asks its input files for their size when it has read what it
// holds of them, not for every line: counted with strace over files of many
// thousand lines.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "tests/driver/DriverFixture.h"

namespace {

const char* const strace = "/usr/bin/strace";

// n hydrogen atoms in a one-s basis and n orbitals over their n functions,
// four coefficients to a line.
void WriteHydrogenRow(const TempDir& dir, long n)
{
    std::string coord = "$coord\n";
    for (long i = 0; i < n; ++i) coord += "  " + std::to_string(1.4 * i) + "  0.0  0.0  h\n";
    dir.Write("coord", coord + "$end\n");
    dir.Write("basis",
              "$basis\n*\nh one-s\n*\n   1  s\n  1.0000000000       1.0000000000\n*\n$end\n");
    dir.Write("control", "$title\n$atoms\nh  1-" + std::to_string(n) +
                             " \\\n   basis =h one-s\n$closed shells\n a       1-" +
                             std::to_string(n / 2) + "  ( 2 )\n$end\n");
    std::string mos = "$scfmo    scfconv=7   format(4d20.14)\n";
    char field[32];
    for (long j = 0; j < n; ++j) {
        mos += "  " + std::to_string(j + 1) +
               "  a      eigenvalue=-.50000000000000D+00   nsaos=" + std::to_string(n) + "\n";
        for (long i = 0; i < n; ++i) {
            std::snprintf(field, sizeof field, "%20.13E", (i == j ? 0.5 : 0.001 * (i - j)));
            mos += field;
            if (i % 4 == 3 || i == n - 1) mos += "\n";
        }
    }
    dir.Write("mos", mos + "$end\n");
}

// The calls that a report of strace -c counts for the given names together.
long CallsOf(const std::string& report, const std::vector<std::string>& names)
{
    std::istringstream in(report);
    std::string line;
    long total = 0;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;) w.push_back(word);
        if (w.size() < 5) continue;
        for (const std::string& name : names)
            if (w.back() == name) total += std::stol(w[3]);
    }
    return total;
}

TEST(SizeQueries, AConversionAsksTheSizeAtARefillNotForEveryLine)
{
    if (!FileExists(strace)) GTEST_SKIP() << "strace is not installed";
    TempDir dir;
    const long n = 400;
    WriteHydrogenRow(dir, n);
    // The leak checker of a sanitizer build does not work under a tracer.
    ChildResult r = RunProgram({strace, "-f", "-c", "-o", "calls.txt", "-E",
                                "ASAN_OPTIONS=detect_leaks=0", KALVEX_EXECUTABLE, "-ic", "coord",
                                "-ba", "basis", "-bc", "control", "-bo", "mos", "-o", "out.molden"},
                               "", dir.Path());
    if (r.exitStatus != 0 && r.err.find("strace:") != std::string::npos)
        GTEST_SKIP() << "strace cannot trace here: " << r.err;
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    // Over 40 000 lines: a query per line would show as that many; a query per
    // load of the file device, with the small files asked at every line, as a
    // few hundred.
    long const lines = n * (1 + n / 4);
    long const queries = CallsOf(dir.Read("calls.txt"), {"lseek", "_llseek", "fstat", "fstat64",
                                                         "newfstatat", "fstatat64", "statx"});
    EXPECT_GT(queries, 0) << dir.Read("calls.txt");
    EXPECT_LT(queries, lines / 20) << dir.Read("calls.txt");
}

}  // namespace
