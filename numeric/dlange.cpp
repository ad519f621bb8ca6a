// MgetNorm (DLANGE): one norm of the m x n matrix A (leading dimension lda), chosen by exactly one
// bit of norm: 0x1 the largest |A(i,j)|, 0x2 the largest column sum, 0x4 the largest row sum (work
// holds the m row sums), 0x8 the Frobenius norm by a scaled sum of squares. An empty matrix gives
// 0. Maxima take only strictly larger values, so a NaN is passed over by the first three norms.
#include <cmath>

#include "numeric/LAPackDouble.h"
#include "numeric/UStrNumer.h"
#include "utilities/UMatVec.h"

namespace {

const char* const sourceName = "dlange";

double LargestAbs(long m, long n, double const* a, long lda)
{
    double value = 0.0;
    for (long j = 0; j < n; ++j)
        for (long i = 0; i < m; ++i) {
            double const v = std::fabs(a[i + j * lda]);
            if (v > value) value = v;
        }
    return value;
}

double LargestColumnSum(long m, long n, double const* a, long lda)
{
    double value = 0.0;
    for (long j = 0; j < n; ++j) {
        double sum = 0.0;
        for (long i = 0; i < m; ++i) sum += std::fabs(a[i + j * lda]);
        if (sum > value) value = sum;
    }
    return value;
}

double LargestRowSum(long m, long n, double const* a, long lda, double* work)
{
    for (long i = 0; i < m; ++i) work[i] = 0.0;
    for (long j = 0; j < n; ++j)
        for (long i = 0; i < m; ++i) work[i] += std::fabs(a[i + j * lda]);
    double value = 0.0;
    for (long i = 0; i < m; ++i)
        if (work[i] > value) value = work[i];
    return value;
}

}  // namespace

double LAPackDouble::MgetNorm(Blas::LaPackMatNormOptions norm, long m, long n, double const* a,
                              long lda, double* work)
{
    Blas::CheckOptions(static_cast<short>(norm), {Blas::LaNormGroup}, sourceName, __LINE__);
    if (Min(m, n) <= 0) return 0.0;
    switch (norm) {
    case Blas::LaNormMaxAbs:
        return LargestAbs(m, n, a, lda);
    case Blas::LaNormOne:
        return LargestColumnSum(m, n, a, lda);
    case Blas::LaNormInf:
        if (work == nullptr) RaiseError(nmNoWorkspace, sourceName, __LINE__);
        return LargestRowSum(m, n, a, lda, work);
    default: {
        double scale = 0.0, sumsq = 1.0;
        for (long j = 0; j < n; ++j) VgetNorm(m, a + j * lda, 1, scale, sumsq);
        return scale * std::sqrt(sumsq);
    }
    }
}

double LAPackDouble::MgetNorm(Blas::LaPackMatNormOptions norm, UMatrix<double>& A, double* work)
{
    return MgetNorm(norm, A.GetColDim(), A.GetRowDim(), A.GetConstData(), A.GetColSpace(), work);
}
