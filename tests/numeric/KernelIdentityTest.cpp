// Identities the kernels and the LU routines must satisfy, their progress reports, and the
// small systems whose answers are known exactly.
#include <gtest/gtest.h>

#include <cmath>

#include "numeric/BlasComplex.h"
#include "numeric/BlasDouble.h"
#include "numeric/LAPackComplex.h"
#include "numeric/LAPackDouble.h"
#include "numeric/UStrNumer.h"
#include "tests/numeric/NumerTestSupport.h"
#include "tests/numeric/OracleSupport.h"
#include "utilities/UMatVec.h"

using namespace oracle;

namespace {

Blas::UProgressMonitor& pm = Blas::defProgMon;

}  // namespace

TEST(KernelIdentity, TriangularProductUndoesTheSolve)
{
    long const m = 6, n = 5;
    for (short side : {short(0x1), short(0x2)})
        for (short uplo : {short(0x4), short(0x8)})
            for (short trans : {short(0x10), short(0x20)})
                for (short diag : {short(0x80), short(0x100)}) {
                    short const opt = short(side | uplo | trans | diag);
                    long const na = side == 0x1 ? m : n, lda = na + 1;
                    std::vector<double> a = PaddedMatrix<double>(na, na, lda);
                    for (long i = 0; i < na; ++i) a[i + i * lda] += 3.0;
                    std::vector<double> b = PaddedMatrix<double>(m, n, m), x = b;
                    BlasDouble::TriMMsolve(opt, m, n, 2.0, a.data(), lda, x.data(), m, pm);
                    BlasDouble::TriMMmult(opt, m, n, 0.5, a.data(), lda, x.data(), m, pm);
                    for (size_t i = 0; i < b.size(); ++i)
                        EXPECT_NEAR(x[i], b[i], 1e-13) << std::hex << opt;
                }
}

TEST(KernelIdentity, ProgressStepsRunUpwardsInEveryLoopDirection)
{
    RegisterNumerMessages();
    long const m = 3, n = 4;
    std::vector<double> a = PaddedMatrix<double>(n, n, n), b = PaddedMatrix<double>(m, n, m), c = b;
    for (long i = 0; i < n; ++i) a[i + i * n] += 3.0;
    for (short opt : {short(0x116), short(0x11a), short(0x126), short(0x12a), short(0x115)}) {
        RecordingMonitor solve, mult;
        std::vector<double> x = b;
        long const side = opt & 0x1 ? m : n;
        std::vector<double> aa = PaddedMatrix<double>(side, side, side);
        BlasDouble::TriMMsolve(opt, m, n, 1.0, opt & 0x1 ? aa.data() : a.data(), side, x.data(), m,
                               solve);
        BlasDouble::TriMMmult(opt, m, n, 1.0, opt & 0x1 ? aa.data() : a.data(), side, x.data(), m,
                              mult);
        EXPECT_EQ(solve.StepsAt(1), StepsUpTo(n)) << std::hex << opt;
        EXPECT_EQ(mult.StepsAt(1), StepsUpTo(n)) << std::hex << opt;
        EXPECT_EQ(solve.GetCounter(), nullptr);
    }
    RecordingMonitor gemm, syr2k;
    BlasDouble::MMMmultAdd(0x9, m, n, m, 1.0, b.data(), m, b.data(), m, 0.0, c.data(), m, gemm);
    EXPECT_EQ(gemm.StepsAt(1), StepsUpTo(n));
    std::vector<double> s = PaddedMatrix<double>(n, n, n);
    BlasDouble::SymMMMmultAdd(0x14, n, 2, 1.0, a.data(), n, a.data(), n, 1.0, s.data(), n, syr2k);
    EXPECT_EQ(syr2k.StepsAt(1), StepsUpTo(n));

    // The quick returns and the alpha = 0 shortcut report nothing.
    RecordingMonitor quiet;
    BlasDouble::MMMmultAdd(0x9, m, n, m, 0.0, b.data(), m, b.data(), m, 2.0, c.data(), m, quiet);
    BlasDouble::TriMMsolve(0x115, m, n, 0.0, a.data(), n, c.data(), m, quiet);
    BlasDouble::TriMMsolve(0x115, m, 0, 1.0, a.data(), n, c.data(), m, quiet);
    LAPackDouble::LUfactor(0, 3, c.data(), 1, nullptr, quiet);
    EXPECT_TRUE(quiet.events.empty());
}

TEST(KernelIdentity, SolverNestsItsCountersAndLeavesOneOpenOnError)
{
    RegisterNumerMessages();
    std::vector<double> a = {4, 1, 2, 1, 5, 1, 0, 2, 6}, b = {1, 2, 3};
    RecordingMonitor pmr;
    LAPackDouble::MVsolve(3, 1, a.data(), 3, nullptr, b.data(), 3, pmr);
    EXPECT_EQ(pmr.GetCounter(), nullptr);
    EXPECT_EQ(pmr.StepsAt(3), StepsUpTo(3));  // DGESV > DGETRF > DGETF2
    ASSERT_FALSE(pmr.events.empty());
    EXPECT_EQ(pmr.events[0].depth, 1);

    // n = 0 still starts and finishes the solver's counter.
    RecordingMonitor empty;
    LAPackDouble::MVsolve(0, 1, a.data(), 1, nullptr, b.data(), 1, empty);
    EXPECT_EQ(empty.events.size(), 1u);
    EXPECT_EQ(empty.GetCounter(), nullptr);

    // A singular matrix leaves the counters of the routines it left open.
    std::vector<double> z = {1, 2, 2, 4};
    std::vector<double> rhs = {1, 1};
    RecordingMonitor failing;
    EXPECT_EQ(RaisedCode([&] {
                  LAPackDouble::MVsolve(2, 1, z.data(), 2, nullptr, rhs.data(), 2, failing);
              }),
              nmSingularMatrix);
    EXPECT_NE(failing.GetCounter(), nullptr);
    EXPECT_EQ(rhs[0], 1.0);  // the right-hand side is untouched
}

TEST(KernelIdentity, SmallSystemsWithKnownAnswers)
{
    RegisterNumerMessages();
    // The first pivot is row 2.
    UMatrix<double> A(2, 2, -1);
    A(0, 1) = 1.0, A(1, 0) = 1.0;
    std::vector<double> x = {2, 3};
    std::vector<long> piv(2);
    LAPackDouble::MVsolve(2, 1, A.GetData(), 2, piv.data(), x.data(), 2, pm);
    EXPECT_EQ(piv, std::vector<long>({2, 2}));
    EXPECT_EQ(x, std::vector<double>({3, 2}));

    UMatrix<double> zero(1, 1, -1);
    UVector<double> one(1, 1);
    EXPECT_EQ(RaisedCode([&] { LAPackDouble::MVsolve(zero, one, pm); }), nmSingularMatrix);
    UMatrix<double> zeroColumn(3, 3, -1);
    Mset(zeroColumn, 0.0, 1.0);
    zeroColumn(1, 1) = 0.0;
    UVector<double> three(3, 1);
    EXPECT_EQ(RaisedCode([&] { LAPackDouble::MVsolve(zeroColumn, three, pm); }), nmSingularMatrix);

    // A NaN pivot is not singular; it spreads.
    UMatrix<double> withNaN(2, 2, -1);
    withNaN(0, 0) = NaN, withNaN(1, 1) = 1.0;
    UVector<double> rhs(2, 1);
    rhs[0] = 1.0, rhs[1] = 1.0;
    EXPECT_EQ(RaisedCode([&] { LAPackDouble::MVsolve(withNaN, rhs, pm); }), 0);
    EXPECT_TRUE(std::isnan(rhs[0]));

    // Complex: A = [[i, 0], [0, 1]], b = (1, 1).
    UMatrix<cplx> Z(2, 2, -1);
    Z(0, 0) = cplx(0, 1), Z(1, 1) = cplx(1, 0);
    UMatrix<cplx> F(2, 2, -1);
    F.CloneContentsFrom(Z);
    UVector<cplx> zb(2, 1);
    zb[0] = zb[1] = cplx(1, 0);
    LAPackComplex::MVsolve(Z, zb, pm);
    EXPECT_EQ(zb[0], cplx(0, -1));
    EXPECT_EQ(zb[1], cplx(1, 0));
    LAPackComplex::LUfactor(2, 2, F.GetData(), 2, piv.data(), pm);
    for (short opt : {short(0x40), short(0x20)}) {
        std::vector<cplx> y = {cplx(1, 0), cplx(1, 0)};
        LAPackComplex::LUsolve(opt, 2, 1, F.GetData(), 2, piv.data(), y.data(), 2, pm);
        EXPECT_EQ(y[0], opt == 0x40 ? cplx(0, 1) : cplx(0, -1));
        EXPECT_EQ(y[1], cplx(1, 0));
    }
}
