// Singular values by dqds: the driver's small cases, its checks and monitor calls, high relative
// accuracy on graded and all-ones matrices against exact values, and large random and clustered
// matrices against the reference LAPACK's dlasq1.
#include <algorithm>
#include <cmath>

#include "numeric/LAPackDouble.h"
#include "numeric/UStrNumer.h"
#include "tests/numeric/BiDiagSupport.h"
#include "tests/numeric/NumerTestSupport.h"
#include "tests/numeric/RefLapackSvd.h"

using namespace bidiag;

namespace {

// Our driver on a copy of b; work carries NaN so that a value read before it is written shows.
std::vector<double> Dqds(BiDiag b, Blas::UProgressMonitor& pm = Blas::defProgMon)
{
    long const n = static_cast<long>(b.d.size());
    std::vector<double> work(2 * n, oracle::NaN);
    LAPackDouble::BiDiagGetSvd(n, b.d.data(), b.e.data(), work.data(), pm);
    return b.d;
}

std::vector<double> ReferenceDqds(BiDiag b)
{
    int const n = static_cast<int>(b.d.size());
    std::vector<double> work(4 * n);
    int info = 0;
    dlasq1_(&n, b.d.data(), b.e.data(), work.data(), &info);
    EXPECT_EQ(info, 0);
    return b.d;
}

bool Decreasing(std::vector<double> const& s)
{
    for (size_t i = 0; i + 1 < s.size(); ++i)
        if (!(s[i] >= s[i + 1]) || s[i + 1] < 0.0) return false;
    return true;
}

}  // namespace

TEST(Dqds, SmallOrdersAndNegativeOrder)
{
    RegisterNumerMessages();
    EXPECT_EQ(RaisedCode([] {
                  double d = 1, e = 0, w[2];
                  LAPackDouble::BiDiagGetSvd(-1, &d, &e, w, Blas::defProgMon);
              }),
              nmIllegalParameter);
    RecordingMonitor pm;
    EXPECT_EQ(Dqds({{}, {}}, pm), std::vector<double>{});
    EXPECT_EQ(Dqds({{-3}, {5}}, pm), std::vector<double>{3});
    EXPECT_EQ(Dqds({{3, 4}, {0, 7}}, pm), (std::vector<double>{4, 3}));
    // the 2 x 2 goes to the 2 x 2 routine whatever its coupling
    double ssmin, ssmax;
    LAPackDouble::M2getSvd(1.5, -2.0, 0.5, ssmin, ssmax);
    EXPECT_EQ(Dqds({{1.5, 0.5}, {-2.0, 0}}, pm), (std::vector<double>{ssmax, ssmin}));
    EXPECT_TRUE(pm.events.empty());
}

TEST(Dqds, DiagonalMatrixIsSortedWithoutMonitor)
{
    RecordingMonitor pm;
    EXPECT_EQ(Dqds({{1, -2, 3}, {0, 0, 99}}, pm), (std::vector<double>{3, 2, 1}));
    EXPECT_TRUE(pm.events.empty());
}

TEST(Dqds, GeneralPathReportsEachRowAndClearsLastOffDiagonal)
{
    RegisterNumerMessages();
    RecordingMonitor pm;
    BiDiag b{{2, 2, 2}, {1, 1, 99}};
    std::vector<double> work(6, oracle::NaN);
    LAPackDouble::BiDiagGetSvd(3, b.d.data(), b.e.data(), work.data(), pm);
    EXPECT_EQ(b.e[2], 0.0);
    ASSERT_FALSE(pm.events.empty());
    EXPECT_EQ(pm.events[0].step, -1);
    EXPECT_EQ(pm.events[0].depth, 1);
    EXPECT_EQ(pm.StepsAt(1), StepsUpTo(3));
    EXPECT_EQ(pm.GetCounter(), nullptr);
    EXPECT_TRUE(Decreasing(b.d));
    EXPECT_LE(WorstRelative(b.d, Values({{2, 2, 2}, {1, 1, 0}})), 4 * eps);
}

TEST(Dqds, ZeroInTheMiddleSplitsIntoBlocks)
{
    for (long n : {5L, 9L, 40L}) {
        BiDiag b = Random(n);
        b.e[n / 2] = 0.0;
        b.e[1] = 0.0;  // also a block of two rows at the top
        std::vector<double> const s = Dqds(b);
        EXPECT_TRUE(Decreasing(s));
        EXPECT_LE(WorstRelative(s, Values(b)), 2 * n * eps) << n;
    }
}

// A tiny value at the top keeps the driver's running minimum small, so the driver does not split
// off the negligible bottom coupling and the block routine deflates it (one or two rows).
TEST(Dqds, BlockDeflatesItsNegligibleBottom)
{
    for (BiDiag const& b :
         {BiDiag{{1e-10, 1, 1, 1}, {1, 1, 1e-16, 0}}, BiDiag{{1e-10, 1, 1, 1}, {1, 1e-16, 1, 0}},
          BiDiag{{1e-10, 2, 1, 3, 1}, {1, 1, 1, 1e-17, 0}}}) {
        std::vector<double> const s = Dqds(b);
        EXPECT_TRUE(Decreasing(s));
        EXPECT_LE(WorstRelative(s, Values(b)), 8 * eps);
    }
}

TEST(Dqds, VariedMagnitudesAgainstExactValues)
{
    for (long n : {4L, 30L, 100L}) {
        BiDiag const b = WideRange(n);
        EXPECT_LE(WorstRelative(Dqds(b), Values(b)), 2 * n * eps) << n;
    }
}

// Down to some 10^-150. The driver's split threshold is absolute, smax·sqrt(safe minimum)·tol
// (about 3e-169·smax), so far smaller values lose the off-diagonal next to them.
TEST(Dqds, GradedMatrixKeepsRelativeAccuracy)
{
    for (long n : {3L, 10L, 30L, 50L}) {
        std::vector<double> const s = Dqds(Graded(n));
        EXPECT_TRUE(Decreasing(s));
        std::vector<long double> const exact = Values(Graded(n));
        EXPECT_LE(WorstRelative(s, exact), 4 * n * eps) << n;
        // also the smallest, some 10^-300
        EXPECT_LE(std::fabs(s[n - 1] - exact[n - 1]) / exact[n - 1], 4 * n * eps) << n;
    }
}

TEST(Dqds, AllOnesMatrixKeepsRelativeAccuracy)
{
    for (long n : {3L, 4L, 17L, 100L, 1000L}) {
        std::vector<double> const s = Dqds(AllOnes(n));
        std::vector<long double> const exact = AllOnesValues(n);
        EXPECT_LE(WorstRelative(s, exact), 4 * n * eps) << n;
        EXPECT_LE(std::fabs(s[n - 1] - exact[n - 1]) / exact[n - 1], 4 * n * eps) << n;
    }
}

// Entries of widely spread magnitudes are left out: such matrices of this order have singular
// values far below the driver's absolute split threshold, which come out as 0 (as the published
// routine has them).
TEST(Dqds, LargeMatricesConvergeAndAgreeWithReference)
{
    struct Family {
        char const* name;
        BiDiag (*make)(long);
    } const families[] = {{"random", Random}, {"clustered", Clustered}, {"all ones", AllOnes}};
    for (Family const& f : families)
        for (long n : {500L, 1000L, 2000L}) {
            SCOPED_TRACE(testing::Message() << f.name << " n " << n);
            BiDiag const b = f.make(n);
            std::vector<double> s;
            ASSERT_EQ(RaisedCode([&] { s = Dqds(b); }), 0);
            EXPECT_TRUE(Decreasing(s));
            EXPECT_LE(WorstRelative(s, ReferenceDqds(b)), 2 * n * eps);
        }
}

TEST(Dqds, NaNEndsInConvergenceFailure)
{
    RegisterNumerMessages();
    BiDiag b = Random(30);
    b.d[10] = oracle::NaN;
    EXPECT_EQ(RaisedCode([&] { Dqds(b); }), nmConvergenceFailure);
}

TEST(Dqds, NaNWhereTheScanForTheLargestCouplingPassesOverIt)
{
    // An off-diagonal all NaN must not make the matrix look diagonal. Refused through the driver
    // and through the bidiagonal QR without vectors, before any change.
    RegisterNumerMessages();
    double const nan = oracle::NaN;
    BiDiag const cases[] = {{{1, 2, 3}, {nan, nan, 0}}, {{1, 2, 3, 4, 5}, {nan, nan, nan, nan, 0}},
                            {{1, nan, 3}, {0, 0, 0}},   {{1, 2}, {nan, 0}},
                            {{nan, 2}, {0, 0}},         {{nan}, {0}}};
    for (BiDiag const& b : cases) {
        long const n = static_cast<long>(b.d.size());
        SCOPED_TRACE(testing::Message() << "n " << n << " d(1) " << b.d[0] << " e(1) " << b.e[0]);
        BiDiag x = b;
        std::vector<double> work(4 * n, 0.0);
        RecordingMonitor pm;
        EXPECT_EQ(RaisedCode([&] {
                      LAPackDouble::BiDiagGetSvd(n, x.d.data(), x.e.data(), work.data(), pm);
                  }),
                  nmConvergenceFailure);
        EXPECT_TRUE(oracle::SameArrays(x.d, b.d, 0));
        EXPECT_TRUE(oracle::SameArrays(x.e, b.e, 0));
        EXPECT_TRUE(pm.events.empty());
        if (n < 2) continue;  // one element is made non-negative by the QR routine itself
        x = b;
        EXPECT_EQ(RaisedCode([&] {
                      LAPackDouble::BiDiagGetSvd(Blas::LaMatUpper, n, 0, 0, 0, x.d.data(),
                                                 x.e.data(), nullptr, 1, nullptr, 1, nullptr, 1,
                                                 work.data(), pm);
                  }),
                  nmConvergenceFailure);
    }
}
