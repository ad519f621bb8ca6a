#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>

#include "numeric/BlasConst.h"
#include "numeric/BlasEnv.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"
#include "utilities/UDebug.h"

extern "C" double dlamch_(const char* cmach, int len);

namespace {

TEST(MachineConstants, ProbingFindsIeeeDouble)
{
    EXPECT_EQ(Blas::Constants(Blas::LaMachEps), std::ldexp(1.0, -53));
    EXPECT_EQ(Blas::Constants(Blas::LaMachSafeMin), std::ldexp(1.0, -1022));
    EXPECT_EQ(Blas::Constants(Blas::LaMachBase), 2.0);
    EXPECT_EQ(Blas::Constants(Blas::LaMachPrecision), std::ldexp(1.0, -52));
    EXPECT_EQ(Blas::Constants(Blas::LaMachDigits), 53.0);
    EXPECT_EQ(Blas::Constants(Blas::LaMachRounding), 1.0);
    EXPECT_EQ(Blas::Constants(Blas::LaMachEmin), -1021.0);
    EXPECT_EQ(Blas::Constants(Blas::LaMachUnderflow), std::ldexp(1.0, -1022));
    EXPECT_EQ(Blas::Constants(Blas::LaMachEmax), 1024.0);
    EXPECT_EQ(Blas::Constants(Blas::LaMachOverflow), DBL_MAX);
}

TEST(MachineConstants, AgreeWithTheReferenceDlamch)
{
    const char letters[] = "ESBPNRMULO";
    for (int which = 0; which < 10; ++which)
        EXPECT_EQ(Blas::Constants(static_cast<Blas::LaPackMachOptions>(which)),
                  dlamch_(&letters[which], 1))
            << letters[which];
}

TEST(MachineConstants, ProbesAgreeWithEachOther)
{
    long beta, t, emin, emax;
    bool rnd, ieee1;
    double eps, rmin, rmax;
    Blas::Const1(beta, t, rnd, ieee1);
    EXPECT_EQ(beta, 2);
    EXPECT_EQ(t, 53);
    EXPECT_TRUE(rnd);
    EXPECT_TRUE(ieee1);
    Blas::Const2(beta, t, rnd, eps, emin, rmin, emax, rmax);
    EXPECT_EQ(emin, -1021);
    EXPECT_EQ(emax, 1024);
    EXPECT_EQ(rmin, std::ldexp(1.0, -1022));
    EXPECT_EQ(rmax, DBL_MAX);
    EXPECT_EQ(Blas::ConstAdd(1.0, std::ldexp(1.0, -53)), 1.0);
}

TEST(MachineConstants, NoEminWarningOnIeee)
{
    TempDir dir;
    ChildResult r = RunInChild([] {
        UDebug log;
        Blas::Constants(Blas::LaMachEmin);
        long beta, t, emin, emax;
        bool rnd;
        double eps, rmin, rmax;
        Blas::Const2(beta, t, rnd, eps, emin, rmin, emax, rmax);
    });
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(dir.Read("debug.txt"), "");
}

TEST(MachineConstants, Constants1KeepsIeeeThresholds)
{
    double small = std::ldexp(1.0, -1022), large = DBL_MAX;
    Blas::Constants1(small, large);
    EXPECT_EQ(small, std::ldexp(1.0, -1022));
    EXPECT_EQ(large, DBL_MAX);
    // A range beyond 10^2000 is reduced to its square root.
    double tiny = 1e-200, huge = INFINITY;
    Blas::Constants1(tiny, huge);
    EXPECT_EQ(tiny, 1e-100);
    EXPECT_EQ(huge, INFINITY);
}

TEST(BlockSizes, FromTheRoutineName)
{
    struct Case {
        Blas::LaPackEnvOptions ispec;
        const char* name;
        long n1, n2, n4;
        long expected;
    };
    const Case cases[] = {
        {Blas::LaEnvBlockSize, "dgetrf", 10, 10, -1, 64},
        {Blas::LaEnvBlockSize, "DGEQRF", 10, 10, -1, 32},
        {Blas::LaEnvCrossover, "DGEQRF", 10, 10, -1, 128},
        {Blas::LaEnvMinBlockSize, "DGEQRF", 10, 10, -1, 2},
        {Blas::LaEnvBlockSize, "DSYTRD", 10, 10, -1, 1},
        {Blas::LaEnvCrossover, "DSYTRD", 10, 10, -1, 1},
        {Blas::LaEnvBlockSize, "ZSYTRD", 10, 10, -1, 1},  // the SY/TRD row is real only
        {Blas::LaEnvCrossover, "ZSYTRD", 10, 10, -1, 0},
        {Blas::LaEnvBlockSize, "ZHETRD", 10, 10, -1, 1},
        {Blas::LaEnvBlockSize, "ZUNGQR", 10, 10, -1, 32},
        {Blas::LaEnvBlockSize, "DUNGQR", 10, 10, -1, 1},  // UN is complex only
        {Blas::LaEnvBlockSize, "ZORGQR", 10, 10, -1, 1},  // OR is real only
        {Blas::LaEnvBlockSize, "DORMQR", 10, 10, -1, 32},
        {Blas::LaEnvCrossover, "DORMQR", 10, 10, -1, 0},
        {Blas::LaEnvCrossover, "DORGQR", 10, 10, -1, 128},
        {Blas::LaEnvBlockSize, "DORGXX", 10, 10, -1, 1},
        {Blas::LaEnvBlockSize, "DGEBRD", 10, 10, -1, 32},
        {Blas::LaEnvMinBlockSize, "DSYTRF", 10, 10, -1, 8},
        {Blas::LaEnvMinBlockSize, "ZSYTRF", 10, 10, -1, 8},
        {Blas::LaEnvBlockSize, "DGBTRF", 10, 10, 64, 1},
        {Blas::LaEnvBlockSize, "DGBTRF", 10, 10, 65, 32},
        {Blas::LaEnvBlockSize, "DPBTRF", 10, 64, 100, 1},
        {Blas::LaEnvBlockSize, "DPBTRF", 10, 65, 1, 32},
        {Blas::LaEnvBlockSize, "SLAUUM", 10, 10, -1, 64},
        {Blas::LaEnvBlockSize, "DSTEBZ", 10, 10, -1, 1},
        {Blas::LaEnvBlockSize, "XGETRF", 10, 10, -1, 1},
        {Blas::LaEnvMinBlockSize, "XGETRF", 10, 10, -1, 1},
        {Blas::LaEnvCrossover, "XGETRF", 10, 10, -1, 1},
        {Blas::LaEnvBlockSize, "DXXXXX", 10, 10, -1, 1},
        {Blas::LaEnvMinBlockSize, "DXXXXX", 10, 10, -1, 2},
        {Blas::LaEnvCrossover, "DXXXXX", 10, 10, -1, 0},
        {Blas::LaEnvBlockSize, "D", 10, 10, -1, 1},
        {Blas::LaEnvBlockSize, "", 10, 10, -1, 1},
        {Blas::LaEnvShifts, "DHSEQR", 10, 10, -1, 6},
        {Blas::LaEnvMinColumns, "DHSEQR", 10, 10, -1, 2},
        {Blas::LaEnvSvdCrossover, "DGESVD", 10, 7, -1, 11},
        {Blas::LaEnvSvdCrossover, "DGESVD", 5, 5, -1, 8},
        {Blas::LaEnvProcessors, "DGESVD", 10, 7, -1, 1},
        {Blas::LaEnvMultishift, "DHSEQR", 10, 7, -1, 50},
        {static_cast<Blas::LaPackEnvOptions>(9), "DGETRF", 10, 7, -1, -1},
        {static_cast<Blas::LaPackEnvOptions>(0), "DGETRF", 10, 7, -1, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Blas::Env(c.ispec, c.name, 0, c.n1, c.n2, -1, c.n4), c.expected)
            << c.ispec << " " << c.name;
}

TEST(BlockSizes, LongNamesStayInsideTheBuffers)
{
    // Only the first six characters count, as in the reference.
    std::string name = "dgetrf" + std::string(5000, 'X');
    EXPECT_EQ(Blas::Env(Blas::LaEnvBlockSize, name.c_str(), 0, 10, 10, -1, -1), 64);
}

TEST(BlockSizes, LaSubStringPadsWithBlanks)
{
    char out[8];
    Blas::LaSubString("DGE", 1, 2, out);
    EXPECT_STREQ(out, "GE");
    Blas::LaSubString("DGE", 3, 3, out);
    EXPECT_STREQ(out, "   ");
    Blas::LaSubString("DGETRF", 3, 3, out);
    EXPECT_STREQ(out, "TRF");
    Blas::LaSubString("DGET", 3, 3, out);
    EXPECT_STREQ(out, "T  ");
    Blas::LaSubString("DG", 5, 3, out);  // start beyond the end
    EXPECT_STREQ(out, "   ");
}

}  // namespace
