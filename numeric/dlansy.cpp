// SymMgetNorm (DLANSY): one norm of the symmetric n x n matrix A (leading dimension lda) of which
// only one triangle is read. opt holds one norm bit as MgetNorm (0x1 largest |A(i,j)|, 0x2 or 0x4
// the one- or infinity-norm, which agree, 0x8 Frobenius) and one triangle bit (0x10 lower, 0x20
// upper). The one- and infinity-norms need work for n doubles. n = 0 gives 0.
#include <cmath>

#include "numeric/LAPackDouble.h"
#include "numeric/UStrNumer.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"

namespace {

const char* const sourceName = "dlansy";

double LargestAbs(bool upper, long n, double const* a, long lda)
{
    double value = 0.0;
    for (long j = 0; j < n; ++j) {
        long const first = upper ? 0 : j;
        long const end = upper ? j + 1 : n;
        for (long i = first; i < end; ++i) {
            double const v = std::fabs(a[i + j * lda]);
            if (v > value) value = v;
        }
    }
    return value;
}

// The row sums of the upper triangle's matrix gathered in work, column by column.
double LargestSumUpper(long n, double const* a, long lda, double* work)
{
    for (long j = 0; j < n; ++j) {
        double sum = 0.0;
        for (long i = 0; i < j; ++i) {
            double const absa = std::fabs(a[i + j * lda]);
            sum += absa;
            work[i] += absa;
        }
        work[j] = sum + std::fabs(a[j + j * lda]);
    }
    double value = 0.0;
    for (long i = 0; i < n; ++i)
        if (work[i] > value) value = work[i];
    return value;
}

double LargestSumLower(long n, double const* a, long lda, double* work)
{
    for (long i = 0; i < n; ++i) work[i] = 0.0;
    double value = 0.0;
    for (long j = 0; j < n; ++j) {
        double sum = work[j] + std::fabs(a[j + j * lda]);
        for (long i = j + 1; i < n; ++i) {
            double const absa = std::fabs(a[i + j * lda]);
            sum += absa;
            work[i] += absa;
        }
        if (sum > value) value = sum;
    }
    return value;
}

// The off-diagonal triangle counts twice.
double Frobenius(bool upper, long n, double const* a, long lda)
{
    double scale = 0.0, sumsq = 1.0;
    if (upper) {
        for (long j = 1; j < n; ++j) LAPackDouble::VgetNorm(j, a + j * lda, 1, scale, sumsq);
    } else {
        for (long j = 0; j < n - 1; ++j)
            LAPackDouble::VgetNorm(n - 1 - j, a + (j + 1) + j * lda, 1, scale, sumsq);
    }
    sumsq = 2 * sumsq;
    LAPackDouble::VgetNorm(n, a, lda + 1, scale, sumsq);
    return scale * std::sqrt(sumsq);
}

}  // namespace

double LAPackDouble::SymMgetNorm(short opt, long n, double const* a, long lda, double* work)
{
    Blas::CheckOptions(opt, {Blas::LaNormGroup, 0x30}, sourceName, __LINE__);
    if (n <= 0) return 0.0;
    // The triangle group of the option word: 0x10 lower, 0x20 upper.
    bool const upper = (opt & 0x20) != 0;
    short const norm = opt & Blas::LaNormGroup;
    if (norm == Blas::LaNormMaxAbs) return LargestAbs(upper, n, a, lda);
    if (norm == Blas::LaNormFrobenius) return Frobenius(upper, n, a, lda);
    if (work == nullptr) RaiseError(nmNoWorkspace, sourceName, __LINE__);
    return upper ? LargestSumUpper(n, a, lda, work) : LargestSumLower(n, a, lda, work);
}

double LAPackDouble::SymMgetNorm(short opt, UMatrix<double>& A, double* work)
{
    if (A.GetColDim() != A.GetRowDim()) RaiseError(umNotSquare, sourceName, __LINE__);
    return SymMgetNorm(opt, A.GetColDim(), A.GetConstData(), A.GetColSpace(), work);
}
