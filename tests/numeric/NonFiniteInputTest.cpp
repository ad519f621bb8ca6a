// A NaN or an infinity in the matrix handed to the singular value and the symmetric eigenvalue
// drivers: every option word, shape and triangle refuses it as an illegal argument before anything
// is written or reported, wherever it sits. The dqds driver refuses it in its diagonal or
// off-diagonal as a convergence failure, at every order, before anything is written. A bad value
// where a call does not read changes nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "numeric/LAPackDouble.h"
#include "numeric/UStrNumer.h"
#include "tests/numeric/NumerTestSupport.h"
#include "tests/numeric/OptionWords.h"
#include "tests/numeric/OracleSupport.h"
#include "utilities/UMatVec.h"

using oracle::NaN;
using oracle::SameArrays;

namespace {

double const inf = std::numeric_limits<double>::infinity();
double const kBad[] = {NaN, inf, -inf};

struct Position {
    long i, j;
};

// The first, a middle and the last element of an m x n matrix.
std::vector<Position> Positions(long m, long n) { return {{0, 0}, {m / 2, n / 2}, {m - 1, n - 1}}; }

// A random m x n matrix with leading dimension m + 1, whose spare row holds NaN, and results
// filled with a sentinel, so that what the driver writes shows.
struct SvdCall {
    long m, n, k, lda;
    std::vector<double> a, s, u, vt;

    SvdCall(long rows, long cols)
        : m(rows), n(cols), k(std::min(m, n)), lda(m + 1), a(lda * n, NaN), s(k, 7.0),
          u(m * m, 7.0), vt(n * n, 7.0)
    {
        for (long j = 0; j < n; ++j)
            for (long i = 0; i < m; ++i) a[i + j * lda] = oracle::Rand();
    }

    int Compute(short opt, Blas::UProgressMonitor& pm)
    {
        return RaisedCode([&] {
            LAPackDouble::MgetSvd(opt, m, n, a.data(), lda, s.data(), u.data(), m, vt.data(), n,
                                  pm);
        });
    }
};

// The first, the middle and the last of k elements, each once.
std::vector<long> Places(long k)
{
    std::vector<long> places{0};
    if (k / 2 > 0) places.push_back(k / 2);
    if (k - 1 > k / 2) places.push_back(k - 1);
    return places;
}

// Bit for bit, so that a sign taken off an infinity or a zero shows.
bool SameBits(std::vector<double> const& a, std::vector<double> const& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

// The dqds driver's arrays at order n: a negative diagonal, which the driver makes non-negative,
// couplings that take the general path from n = 3 on, and sentinels in e(n) and work.
struct DqdsCall {
    long n;
    std::vector<double> d, e, work;

    explicit DqdsCall(long order) : n(order), d(n), e(n, 9.0), work(2 * n, 7.0)
    {
        for (long i = 0; i < n; ++i) d[i] = -1.5 - static_cast<double>(i);
        for (long i = 0; i + 1 < n; ++i) e[i] = 0.5 + static_cast<double>(i);
    }

    int Compute(Blas::UProgressMonitor& pm)
    {
        return RaisedCode(
            [&] { LAPackDouble::BiDiagGetSvd(n, d.data(), e.data(), work.data(), pm); });
    }
};

}  // namespace

TEST(NonFiniteInput, SvdRefusesItForEveryWordAndShapeBeforeAnyChange)
{
    RegisterNumerMessages();
    struct Shape {
        long m, n;
    };
    // tall and wide on both sides of the crossover, square, a single row or column, 2 x 2
    Shape const shapes[] = {{5, 3}, {3, 5}, {9, 4}, {4, 9}, {5, 4}, {4, 5},
                            {3, 3}, {1, 4}, {4, 1}, {2, 2}, {1, 1}};
    for (Shape sh : shapes)
        for (Position p : Positions(sh.m, sh.n))
            for (double bad : kBad)
                for (short opt : SvdWords()) {
                    SCOPED_TRACE(testing::Message()
                                 << sh.m << " x " << sh.n << " A(" << p.i << "," << p.j
                                 << ") = " << bad << " word 0x" << std::hex << opt);
                    SvdCall call(sh.m, sh.n);
                    call.a[p.i + p.j * call.lda] = bad;
                    SvdCall const before = call;
                    RecordingMonitor pm;
                    EXPECT_EQ(call.Compute(opt, pm), nmIllegalParameter);
                    EXPECT_TRUE(SameArrays(call.a, before.a, 0));
                    EXPECT_TRUE(SameArrays(call.s, before.s, 0));
                    EXPECT_TRUE(SameArrays(call.u, before.u, 0));
                    EXPECT_TRUE(SameArrays(call.vt, before.vt, 0));
                    EXPECT_TRUE(pm.events.empty());
                }
}

TEST(NonFiniteInput, SvdFrontEndKeepsTheShape)
{
    RegisterNumerMessages();
    // VT over a 5 x 3 A makes it 3 x 3 when the call succeeds; a refused call leaves it 5 x 3.
    for (bool finite : {true, false}) {
        UMatrix<double> A(5, 3, -1);
        for (long j = 0; j < 3; ++j)
            for (long i = 0; i < 5; ++i) A(i, j) = oracle::Rand();
        if (!finite) A(2, 1) = NaN;
        UVector<double> s(3, 1);
        EXPECT_EQ(RaisedCode([&] { LAPackDouble::MgetSvd(kSvdVTOverA, A, s, Blas::defProgMon); }),
                  finite ? 0 : nmIllegalParameter);
        EXPECT_EQ(A.GetColDim(), finite ? 3 : 5);
        EXPECT_EQ(A.GetRowDim(), 3);
    }
}

TEST(NonFiniteInput, SvdIgnoresTheSpareRowsBelowTheMatrix)
{
    RegisterNumerMessages();
    for (short opt : {kSvdValuesOnly, kSvdShortUVT, kSvdUOverA}) {
        SvdCall withNaN(5, 3), clean = withNaN;
        for (long j = 0; j < clean.n; ++j) clean.a[clean.m + j * clean.lda] = 0.0;
        ASSERT_EQ(withNaN.Compute(opt, Blas::defProgMon), 0) << opt;
        ASSERT_EQ(clean.Compute(opt, Blas::defProgMon), 0) << opt;
        EXPECT_TRUE(SameArrays(withNaN.s, clean.s, 0)) << opt;
        EXPECT_TRUE(SameArrays(withNaN.u, clean.u, 0)) << opt;
        EXPECT_TRUE(SameArrays(withNaN.vt, clean.vt, 0)) << opt;
    }
}

TEST(NonFiniteInput, SymMdiagRefusesItForEveryWordAndTriangleBeforeAnyChange)
{
    RegisterNumerMessages();
    for (long n : {1L, 2L, 3L, 5L})
        for (short opt : kEigWords) {
            bool const lower = (opt & Blas::LaUseLower) != 0;
            long const ld = n + 1;
            // a diagonal element, the off-diagonal corner of the triangle read, the last element
            std::vector<Position> const inside = {
                {0, 0}, lower ? Position{n - 1, 0} : Position{0, n - 1}, {n - 1, n - 1}};
            for (Position p : inside)
                for (double bad : kBad) {
                    SCOPED_TRACE(testing::Message()
                                 << "n " << n << " A(" << p.i << "," << p.j << ") = " << bad
                                 << " word 0x" << std::hex << opt);
                    std::vector<double> a(ld * n, NaN), w(n, 7.0);
                    for (long j = 0; j < n; ++j)
                        for (long i = j; i < n; ++i) a[i + j * ld] = a[j + i * ld] = oracle::Rand();
                    a[p.i + p.j * ld] = a[p.j + p.i * ld] = bad;
                    std::vector<double> const a0 = a, w0 = w;
                    RecordingMonitor pm;
                    EXPECT_EQ(RaisedCode([&] {
                                  LAPackDouble::SymMdiag(opt, n, a.data(), ld, w.data(), pm);
                              }),
                              nmIllegalParameter);
                    EXPECT_TRUE(SameArrays(a, a0, 0));
                    EXPECT_TRUE(SameArrays(w, w0, 0));
                    EXPECT_TRUE(pm.events.empty());
                }
        }
}

TEST(NonFiniteInput, SymMdiagIgnoresTheTriangleItDoesNotRead)
{
    RegisterNumerMessages();
    long const n = 4, ld = n + 1;
    for (short opt : kEigWords)
        for (double bad : kBad) {
            bool const lower = (opt & Blas::LaUseLower) != 0;
            std::vector<double> clean(ld * n, 0.0), w(n), wClean(n);
            for (long j = 0; j < n; ++j)
                for (long i = j; i < n; ++i) clean[i + j * ld] = clean[j + i * ld] = oracle::Rand();
            std::vector<double> a = clean;
            for (long j = 0; j < n; ++j)
                for (long i = 0; i < n; ++i)
                    if (lower ? i < j : i > j) a[i + j * ld] = bad;
            ASSERT_EQ(RaisedCode([&] {
                          LAPackDouble::SymMdiag(opt, n, a.data(), ld, w.data(), Blas::defProgMon);
                      }),
                      0)
                << opt << " " << bad;
            LAPackDouble::SymMdiag(opt, n, clean.data(), ld, wClean.data(), Blas::defProgMon);
            EXPECT_TRUE(SameArrays(w, wClean, 0)) << opt << " " << bad;
        }
}

// The orders of one and two rows are solved directly and longer ones scaled after d is made
// non-negative: each refuses a non-finite element before any of that.
TEST(NonFiniteInput, DqdsRefusesItAtEveryOrderBeforeAnyChange)
{
    RegisterNumerMessages();
    for (long n : {1L, 2L, 3L, 5L})
        for (bool inE : {false, true}) {
            long const read = inE ? n - 1 : n;  // e(n) is not read
            if (read == 0) continue;
            for (long i : Places(read))
                for (double bad : kBad) {
                    SCOPED_TRACE(testing::Message()
                                 << "n " << n << (inE ? " e(" : " d(") << i + 1 << ") = " << bad);
                    DqdsCall call(n);
                    (inE ? call.e : call.d)[i] = bad;
                    DqdsCall const before = call;
                    RecordingMonitor pm;
                    EXPECT_EQ(call.Compute(pm), nmConvergenceFailure);
                    EXPECT_TRUE(SameBits(call.d, before.d));
                    EXPECT_TRUE(SameBits(call.e, before.e));
                    EXPECT_TRUE(SameBits(call.work, before.work));
                    EXPECT_TRUE(pm.events.empty());
                }
        }
}

TEST(NonFiniteInput, DqdsIgnoresTheLastOffDiagonal)
{
    RegisterNumerMessages();
    for (long n : {1L, 2L, 3L, 5L})
        for (double bad : kBad) {
            DqdsCall withBad(n), clean(n);
            withBad.e[n - 1] = bad;
            clean.e[n - 1] = 0.0;
            ASSERT_EQ(withBad.Compute(Blas::defProgMon), 0) << n << " " << bad;
            ASSERT_EQ(clean.Compute(Blas::defProgMon), 0) << n << " " << bad;
            EXPECT_TRUE(SameBits(withBad.d, clean.d)) << n << " " << bad;
        }
}
