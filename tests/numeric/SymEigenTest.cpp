// The symmetric eigensolver: against the reference dsyev, on known spectra (repeated eigenvalues,
// a diagonal matrix, the scaling of tiny and huge matrices), its checks, its monitor calls, and the
// release of its work array when an exception passes through.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "numeric/LAPackDouble.h"
#include "numeric/UStrNumer.h"
#include "tests/numeric/EigenTestSupport.h"
#include "tests/numeric/OptionWords.h"
#include "tests/numeric/RefLapackEigen.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"

using namespace eigtest;

namespace {

short Options(bool vectors, bool lower)
{
    return static_cast<short>((vectors ? Blas::LaEigVectors : Blas::LaEigValuesOnly) |
                              (lower ? Blas::LaUseLower : Blas::LaUseUpper));
}

// The reference driver with the workspace it asks for.
void RefSymMdiag(bool vectors, bool lower, long n, std::vector<double>& a, long lda,
                 std::vector<double>& w)
{
    char jobz = vectors ? 'V' : 'N', uplo = lower ? 'L' : 'U';
    int nn = I(n), ld = I(lda), lwork = -1, info = -1;
    double query;
    dsyev_(&jobz, &uplo, &nn, a.data(), &ld, w.data(), &query, &lwork, &info, 1, 1);
    std::vector<double> work(static_cast<size_t>(query));
    lwork = I(static_cast<long>(work.size()));
    dsyev_(&jobz, &uplo, &nn, a.data(), &ld, w.data(), work.data(), &lwork, &info, 1, 1);
    ASSERT_EQ(info, 0);
}

}  // namespace

TEST(SymMdiag, MatchesTheReferenceForBothTrianglesWithAndWithoutVectors)
{
    RegisterNumerMessages();
    for (bool lower : {true, false})
        for (long n : {2L, 3L, 4L, 10L, 33L, 100L}) {
            SCOPED_TRACE(testing::Message() << (lower ? "lower" : "upper") << " n " << n);
            long const lda = n + 3;
            std::vector<double> const full = RandomSymmetric(n, lda);
            std::vector<double> const a = OneTriangle(full, n, lda, lower);
            double const norm = MaxAbs(full, n, lda);

            std::vector<double> v = a, w(n, NaN), ref = full, wr(n);
            LAPackDouble::SymMdiag(Options(true, lower), n, v.data(), lda, w.data(),
                                   Blas::defProgMon);
            RefSymMdiag(true, lower, n, ref, lda, wr);
            EXPECT_TRUE(std::is_sorted(w.begin(), w.end()));
            EXPECT_TRUE(SameValues(n, w.data(), wr.data(), norm));
            EXPECT_TRUE(SameVectors(n, v.data(), lda, ref.data(), lda, wr.data(), norm));
            EXPECT_LT(EigenResidual(full, lda, n, v.data(), lda, w.data()), 10.0);
            EXPECT_LT(OrthogonalityError(n, v.data(), lda), 10.0);
            for (long j = 0; j < n; ++j)  // padding rows untouched
                for (long i = n; i < lda; ++i) EXPECT_TRUE(std::isnan(v[i + j * lda]));

            std::vector<double> b = a, u(n, NaN);
            LAPackDouble::SymMdiag(Options(false, lower), n, b.data(), lda, u.data(),
                                   Blas::defProgMon);
            EXPECT_TRUE(std::is_sorted(u.begin(), u.end()));
            EXPECT_TRUE(SameValues(n, u.data(), wr.data(), norm));
        }
}

TEST(SymMdiag, SecondDifferenceAndRepeatedEigenvalues)
{
    RegisterNumerMessages();
    long const n = 30;
    std::vector<double> a(n * n, 0.0);
    for (long i = 0; i < n; ++i) {
        a[i + i * n] = 2.0;
        if (i + 1 < n) a[i + 1 + i * n] = a[i + (i + 1) * n] = -1.0;
    }
    std::vector<double> v = a, w(n);
    LAPackDouble::SymMdiag(kEigVectorsLower, n, v.data(), n, w.data(), Blas::defProgMon);
    std::vector<double> const known = SecondDifferenceSpectrum(n);
    EXPECT_TRUE(SameValues(n, w.data(), known.data(), 4.0));
    EXPECT_LT(EigenResidual(a, n, n, v.data(), n, w.data()), 10.0);

    // Triple, double and single eigenvalues: any orthonormal basis of each eigenspace will do, so
    // the vectors are judged by the residual, orthogonality and the projector on each eigenspace.
    std::vector<double> const values = {-1.0, -1.0, -1.0, 0.5, 0.5, 2.0};
    long const m = static_cast<long>(values.size());
    std::vector<double> const b = WithSpectrum(values);
    for (short opt : {kEigVectorsLower, kEigVectorsUpper}) {
        std::vector<double> x = b, y(m);
        LAPackDouble::SymMdiag(opt, m, x.data(), m, y.data(), Blas::defProgMon);
        EXPECT_TRUE(SameValues(m, y.data(), values.data(), 2.0, 20.0)) << opt;
        EXPECT_LT(EigenResidual(b, m, m, x.data(), m, y.data()), 10.0) << opt;
        EXPECT_LT(OrthogonalityError(m, x.data(), m), 10.0) << opt;
    }
}

TEST(SymMdiag, DiagonalMatrixGivesAPermutation)
{
    RegisterNumerMessages();
    std::vector<double> const diag = {3.0, -1.0, 2.0, 0.5, -7.0};
    std::vector<long> const order = {4, 1, 3, 2, 0};  // rows of the unit vectors, ascending values
    long const n = static_cast<long>(diag.size());
    for (short opt : {kEigVectorsLower, kEigVectorsUpper}) {
        std::vector<double> a(n * n, 0.0), w(n);
        for (long i = 0; i < n; ++i) a[i + i * n] = diag[i];
        LAPackDouble::SymMdiag(opt, n, a.data(), n, w.data(), Blas::defProgMon);
        for (long j = 0; j < n; ++j) {
            EXPECT_EQ(w[j], diag[order[j]]);
            for (long i = 0; i < n; ++i)
                EXPECT_EQ(a[i + j * n], i == order[j] ? 1.0 : 0.0) << opt << " " << i << " " << j;
        }
    }
}

TEST(SymMdiag, TinyAndHugeMatricesAreScaledAndScaledBack)
{
    RegisterNumerMessages();
    long const n = 12;
    std::vector<double> const a = RandomSymmetric(n, n);
    std::vector<double> v = a, w(n);
    LAPackDouble::SymMdiag(kEigVectorsLower, n, v.data(), n, w.data(), Blas::defProgMon);
    // Below sqrt(safmin/eps) and above its reciprocal.
    for (double scale : {1e-160, 1e160})
        for (bool vectors : {true, false}) {
            SCOPED_TRACE(testing::Message() << scale << (vectors ? " vectors" : " values"));
            std::vector<double> s = a, ws(n);
            for (double& x : s) x *= scale;
            LAPackDouble::SymMdiag(Options(vectors, true), n, s.data(), n, ws.data(),
                                   Blas::defProgMon);
            for (long j = 0; j < n; ++j) EXPECT_NEAR(ws[j] / scale, w[j], 20 * n * eps) << j;
            if (vectors) {
                EXPECT_TRUE(SameVectors(n, s.data(), n, v.data(), n, w.data(), 1.0));
            }
        }
}

TEST(SymMdiag, OrdersZeroAndOneTouchNothingElse)
{
    RegisterNumerMessages();
    double a[] = {NaN}, w[] = {NaN};
    RecordingMonitor pm;
    LAPackDouble::SymMdiag(kEigVectorsLower, 0, a, 1, w, pm);
    EXPECT_TRUE(std::isnan(a[0]));
    EXPECT_TRUE(std::isnan(w[0]));
    a[0] = -4.0;
    LAPackDouble::SymMdiag(kEigValuesLower, 1, a, 1, w, pm);
    EXPECT_EQ(w[0], -4.0);
    EXPECT_EQ(a[0], -4.0);
    LAPackDouble::SymMdiag(kEigVectorsUpper, 1, a, 1, w, pm);
    EXPECT_EQ(w[0], -4.0);
    EXPECT_EQ(a[0], 1.0);
    EXPECT_TRUE(pm.events.empty());
    // The front-end on a 0 x 0 matrix, whose column space is 0.
    UMatrix<double> empty(0, 0, -1);
    UVector<double> none(0, 1);
    EXPECT_EQ(RaisedCode([&] { LAPackDouble::SymMdiag(kEigVectorsLower, empty, none, pm); }), 0);
}

TEST(SymMdiag, ChecksComeBeforeAnyChange)
{
    RegisterNumerMessages();
    long const n = 3;
    std::vector<double> const a0 = RandomSymmetric(n, n);
    std::vector<double> a = a0, w(n, NaN);
    auto raw = [&](short opt, long nn, long lda) {
        return RaisedCode(
            [&] { LAPackDouble::SymMdiag(opt, nn, a.data(), lda, w.data(), Blas::defProgMon); });
    };
    for (short opt :
         {short(0x284), short(0x080), short(0x680), short(0x1280), short(0x200), short(0x0)})
        EXPECT_EQ(raw(opt, n, n), nmIllegalOptions) << opt;
    EXPECT_EQ(raw(kEigVectorsLower, -1, n), nmIllegalParameter);
    EXPECT_EQ(raw(kEigVectorsLower, n, n - 1), nmIllegalParameter);
    EXPECT_EQ(raw(kEigVectorsLower, 0, 0), nmIllegalParameter);
    EXPECT_TRUE(oracle::SameArrays(a, a0, 0));
    EXPECT_TRUE(std::isnan(w[0]));

    UMatrix<double> rect(3, 2, -1), square(3, 3, -1);
    UVector<double> wrong(2, 1), every2(3, 2);
    auto front = [&](UMatrix<double>& A, UVector<double>& v) {
        return RaisedCode(
            [&] { LAPackDouble::SymMdiag(kEigVectorsLower, A, v, Blas::defProgMon); });
    };
    EXPECT_EQ(front(rect, wrong), umNotSquare);  // before the vector is looked at
    EXPECT_EQ(front(square, wrong), umIncompatibleDimensions);
    EXPECT_EQ(front(square, every2), nmIncrementNotOne);
}

TEST(SymMdiag, FrontEndDiagonalisesAMatrixObject)
{
    RegisterNumerMessages();
    long const n = 4;
    std::vector<double> const a = RandomSymmetric(n, n);
    UMatrix<double> A(n, n, n + 2);
    UVector<double> w(n, 1);
    for (long j = 0; j < n; ++j)
        for (long i = 0; i < n; ++i) A(i, j) = a[i + j * n];
    LAPackDouble::SymMdiag(kEigVectorsLower, A, w, Blas::defProgMon);
    EXPECT_LT(EigenResidual(a, n, n, A.GetData(), A.GetColSpace(), w.GetData()), 10.0);
}

TEST(SymMdiag, RaisesThroughAndReleasesItsWork)
{
    RegisterNumerMessages();
    PrimeCostModel();
    long const n = 5;
    std::vector<double> const a0 = RandomSymmetric(n, n);
    // An error of a routine called inside passes unchanged and leaves the counters open. The
    // sanitizer build finds the work array if it leaks.
    for (short opt : {kEigVectorsLower, kEigValuesLower, kEigVectorsUpper})
        for (long depth : {2L, 3L}) {
            SCOPED_TRACE(testing::Message() << "word 0x" << std::hex << opt << " depth " << depth);
            std::vector<double> a = a0, w(n);
            RaisingMonitor pm(depth);
            EXPECT_EQ(
                RaisedCode([&] { LAPackDouble::SymMdiag(opt, n, a.data(), n, w.data(), pm); }),
                nmProgressCount);
            EXPECT_NE(pm.GetCounter(), nullptr);
        }
}

TEST(SymMdiag, OpensOneBoundedCounterOverItsParts)
{
    RegisterNumerMessages();
    PrimeCostModel();
    long const n = 5, P = Blas::ptOpCount, U = Blas::ptUniform, S = Blas::ptShrinking;
    std::vector<double> a = RandomSymmetric(n, n), w(n);
    RecordingMonitor pm;
    LAPackDouble::SymMdiag(kEigVectorsLower, n, a.data(), n, w.data(), pm);
    // DSYEV, DSYTRD with DSYTD2, DORGQR with DORG2R, DSTEQR.
    EXPECT_EQ(CountersOpened(pm),
              (std::vector<Opened>{
                  {1, P, -1}, {2, U, n}, {3, U, n}, {2, U, n - 1}, {3, U, n - 1}, {2, S, n}}));
    EXPECT_EQ(pm.GetCounter(), nullptr);
    EXPECT_TRUE(pm.StepsAt(1).empty());

    a = RandomSymmetric(n, n);
    RecordingMonitor values;
    LAPackDouble::SymMdiag(kEigValuesUpper, n, a.data(), n, w.data(), values);
    EXPECT_EQ(CountersOpened(values), (std::vector<Opened>{{1, P, -1}, {2, U, n}, {3, U, n}}));
    EXPECT_EQ(values.GetCounter(), nullptr);
}
