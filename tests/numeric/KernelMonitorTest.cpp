// The progress-monitor calls of the monitored kernels and LU routines: which counters they open
// (name, dimensions and bounds show in the type, steps and total of each), the steps they report,
// and which of them force their last report.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "numeric/BlasComplex.h"
#include "numeric/BlasDouble.h"
#include "numeric/LAPackComplex.h"
#include "numeric/LAPackDouble.h"
#include "tests/numeric/NumerTestSupport.h"
#include "tests/numeric/OracleSupport.h"

using namespace oracle;

namespace {

typedef RecordingMonitor::Event Event;

// The counters a call opened, in order.
std::vector<Event> Opened(std::function<void(Blas::UProgressMonitor&)> const& call)
{
    RecordingMonitor pm;
    call(pm);
    EXPECT_EQ(pm.GetCounter(), nullptr);
    std::vector<Event> opened;
    for (Event const& e : pm.events)
        if (e.step == -1) opened.push_back(e);
    return opened;
}

}  // namespace

TEST(KernelMonitor, EachRoutineOpensItsCounterWithItsDimensions)
{
    RegisterNumerMessages();
    // m = 3 rows, n = 4 columns, k = 2 inner; a dominant diagonal keeps the solves regular.
    long const ld = 8;
    std::vector<double> a = PaddedMatrix<double>(ld, ld, ld), b = a, c = a;
    std::vector<cplx> za = PaddedMatrix<cplx>(ld, ld, ld), zb = za, zc = za;
    for (long i = 0; i < ld; ++i) a[i * (ld + 1)] += 4.0, za[i * (ld + 1)] += 4.0;
    std::vector<long> piv(ld), swaps = {1, 2, 3};
    long const P = Blas::ptOpCount, U = Blas::ptUniform, S = Blas::ptShrinking;

    struct Case {
        char const* what;
        std::function<void(Blas::UProgressMonitor&)> call;
        std::vector<Event> opened;  // depth, step -1, type, steps, total
    };
    Case const cases[] = {
        // DGEMM counts k*m*n with k steps of the cost model: the n columns of C.
        {"dgemm",
         [&](Blas::UProgressMonitor& pm) {
             BlasDouble::MMMmultAdd(0x9, 3, 4, 2, 1.0, a.data(), ld, b.data(), ld, 0.0, c.data(),
                                    ld, pm);
         },
         {{1, -1, U, 4, 2.0 * 4 * 3 * 2}}},
        {"zgemm",
         [&](Blas::UProgressMonitor& pm) {
             BlasComplex::MMMmultAdd(0x12, 3, 4, 2, 1.0, za.data(), ld, zb.data(), ld, 0.0,
                                     zc.data(), ld, pm);
         },
         {{1, -1, U, 4, 6.0 * 4 * 3 * 2}}},
        // The triangular kernels count m*m*n over the n columns of B, whichever side A is on.
        {"dtrsm left",
         [&](Blas::UProgressMonitor& pm) {
             BlasDouble::TriMMsolve(0x115, 3, 4, 1.0, a.data(), ld, b.data(), ld, pm);
         },
         {{1, -1, U, 4, (1.0 / 3.0) * 4 * 3 * 3}}},
        {"dtrsm right",
         [&](Blas::UProgressMonitor& pm) {
             BlasDouble::TriMMsolve(0x12a, 3, 4, 1.0, a.data(), ld, b.data(), ld, pm);
         },
         {{1, -1, U, 4, (1.0 / 3.0) * 4 * 3 * 3}}},
        {"ztrsm",
         [&](Blas::UProgressMonitor& pm) {
             BlasComplex::TriMMsolve(0x149, 3, 4, 1.0, za.data(), ld, zb.data(), ld, pm);
         },
         {{1, -1, U, 4, 1.25 * 4 * 3 * 3}}},
        {"dtrmm",
         [&](Blas::UProgressMonitor& pm) {
             BlasDouble::TriMMmult(0x116, 3, 4, 1.0, a.data(), ld, b.data(), ld, pm);
         },
         {{1, -1, U, 4, (1.0 / 3.0) * 4 * 3 * 3}}},
        {"dsyr2k",
         [&](Blas::UProgressMonitor& pm) {
             BlasDouble::SymMMMmultAdd(0x24, 4, 2, 1.0, a.data(), ld, a.data(), ld, 1.0, b.data(),
                                       ld, pm);
         },
         {{1, -1, U, 4, 1.0 * 4 * 4 * 2}}},
        // The unblocked LU counts min(m, n)^3.
        {"dgetf2",
         [&](Blas::UProgressMonitor& pm) {
             LAPackDouble::LUfactor2(5, 3, a.data(), ld, piv.data(), pm);
         },
         {{1, -1, S, 3, (2.0 / 3.0) * 27}}},
        {"zgetf2",
         [&](Blas::UProgressMonitor& pm) {
             LAPackComplex::LUfactor2(3, 5, za.data(), ld, piv.data(), pm);
         },
         {{1, -1, S, 3, 2.5 * 27}}},
        // The blocked LU is bounded: the panel's count is clipped to what it has left.
        {"dgetrf",
         [&](Blas::UProgressMonitor& pm) {
             LAPackDouble::LUfactor(5, 3, a.data(), ld, piv.data(), pm);
         },
         {{1, -1, S, 3, (2.0 / 3.0) * 27}, {2, -1, S, 3, (2.0 / 3.0) * 27}}},
        // The driver counts 2 n^2 (n + nrhs) / 3 as one bounded block; the factorisation and both
        // triangular solves of its two right-hand sides nest inside and share that count.
        {"dgesv",
         [&](Blas::UProgressMonitor& pm) {
             LAPackDouble::MVsolve(3, 2, a.data(), ld, nullptr, b.data(), ld, pm);
         },
         {{1, -1, P, -1, 30.0},
          {2, -1, S, 3, 18.0},
          {3, -1, S, 3, 18.0},
          {2, -1, U, 2, 6.0},
          {2, -1, U, 2, 6.0}}},
        {"zgesv",
         [&](Blas::UProgressMonitor& pm) {
             LAPackComplex::MVsolve(3, 2, za.data(), ld, nullptr, zb.data(), ld, pm);
         },
         {{1, -1, P, -1, 112.5},
          {2, -1, S, 3, 67.5},
          {3, -1, S, 3, 67.5},
          {2, -1, U, 2, 22.5},
          {2, -1, U, 2, 22.5}}},
        // The solve with given factors opens nothing of its own.
        {"dgetrs",
         [&](Blas::UProgressMonitor& pm) {
             LAPackDouble::LUsolve(0x20, 3, 1, a.data(), ld, swaps.data(), b.data(), ld, pm);
         },
         {{1, -1, U, 1, (1.0 / 3.0) * 9}, {1, -1, U, 1, (1.0 / 3.0) * 9}}},
    };
    for (Case const& c : cases) {
        std::vector<Event> const opened = Opened(c.call);
        ASSERT_EQ(opened.size(), c.opened.size()) << c.what;
        for (size_t i = 0; i < opened.size(); ++i) {
            EXPECT_EQ(opened[i].depth, c.opened[i].depth) << c.what << " counter " << i;
            EXPECT_EQ(opened[i].type, c.opened[i].type) << c.what << " counter " << i;
            EXPECT_EQ(opened[i].steps, c.opened[i].steps) << c.what << " counter " << i;
            EXPECT_DOUBLE_EQ(opened[i].total, c.opened[i].total) << c.what << " counter " << i;
        }
    }
}

TEST(KernelMonitor, ComplexKernelsReportEveryColumnUpwards)
{
    long const m = 3, n = 4;
    std::vector<cplx> a = PaddedMatrix<cplx>(n, n, n), c = PaddedMatrix<cplx>(m, n, m);
    for (long i = 0; i < n; ++i) a[i * (n + 1)] += 3.0;
    for (short side : {short(0x1), short(0x2)})
        for (short uplo : {short(0x4), short(0x8)})
            for (short trans : {short(0x10), short(0x20), short(0x40)}) {
                short const opt = short(side | uplo | trans | 0x100);
                RecordingMonitor pm;
                std::vector<cplx> x = c;
                BlasComplex::TriMMsolve(opt, m, n, 1.0, a.data(), side == 0x1 ? m : n, x.data(), m,
                                        pm);
                EXPECT_EQ(pm.StepsAt(1), StepsUpTo(n)) << std::hex << opt;
            }
    for (short opt : {short(0x9), short(0x22), short(0x14)}) {
        RecordingMonitor pm;
        std::vector<cplx> x = c;
        BlasComplex::MMMmultAdd(opt, m, n, m, 1.0, a.data(), n, a.data(), n, 0.0, x.data(), m, pm);
        EXPECT_EQ(pm.StepsAt(1), StepsUpTo(n)) << std::hex << opt;
    }
}

namespace {

// Keeps every report; the threshold of Add is set so high that only forced reports reach it.
class ForcedReports : public RecordingMonitor {
public:
    ForcedReports() { Callback = &Keep, UserData = this; }
    std::vector<double> reports;

private:
    static void Keep(double ops, Blas::UProgressMonitor&, void* user)
    {
        static_cast<ForcedReports*>(user)->reports.push_back(ops);
    }
};

class KernelMonitorReports : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterNumerMessages();
        double const cost = PrimeCostModel();
        Blas::UProgressMonitor::SetTargetTicks(1e300 * cost, 200.0);
        ForcedReports probe;
        probe.GetTargetOps();
    }
    void TearDown() override { Blas::UProgressMonitor::SetTargetTicks(700.0, 200.0); }
};

}  // namespace

TEST_F(KernelMonitorReports, OnlyTheDriverForcesItsLastReport)
{
    std::vector<double> a = {4, 1, 2, 1, 5, 1, 0, 2, 6}, b = {1, 2, 3}, c(3);
    ForcedReports pm;
    LAPackDouble::MVsolve(3, 1, a.data(), 3, nullptr, b.data(), 3, pm);
    // What the last triangular solve left pending (each Start drops what was pending before).
    EXPECT_EQ(pm.reports, std::vector<double>({3.0}));

    ForcedReports kernels;
    LAPackDouble::LUfactor(3, 3, a.data(), 3, std::vector<long>(3).data(), kernels);
    BlasDouble::MMMmultAdd(0x9, 3, 1, 3, 1.0, a.data(), 3, b.data(), 3, 0.0, c.data(), 3, kernels);
    EXPECT_TRUE(kernels.reports.empty());
}
