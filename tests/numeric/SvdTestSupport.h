#pragma once
// Dense matrices for the checks of the bidiagonal reduction and the singular value decomposition:
// views of padded storage, products by the reference dgemm, and the distances from the unit
// matrix and between matrices that the tests bound; and the counters that a call opened.
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "tests/numeric/NumerTestSupport.h"
#include "tests/numeric/OracleSupport.h"
#include "tests/numeric/RefBlas.h"

namespace svdtest {

double const eps = std::numeric_limits<double>::epsilon();

// rows x cols, column-major with leading dimension ld; storage beyond the rows may hold NaN.
struct Dense {
    long rows, cols, ld;
    std::vector<double> v;

    Dense(long r, long c, long l, double fill = 0.0)
        : rows(r), cols(c), ld(std::max(1L, l)), v(std::max(1L, ld * std::max(c, 1L)), fill)
    {
    }
    double& operator()(long i, long j) { return v[i + j * ld]; }
    double operator()(long i, long j) const { return v[i + j * ld]; }
    double* data() { return v.data(); }

    // A copy of the leading r x c block, tightly stored.
    Dense Block(long r, long c) const
    {
        Dense b(r, c, r);
        for (long j = 0; j < c; ++j)
            for (long i = 0; i < r; ++i) b(i, j) = (*this)(i, j);
        return b;
    }
};

inline Dense Random(long rows, long cols, long ld)
{
    Dense a(rows, cols, ld, oracle::NaN);
    for (long j = 0; j < cols; ++j)
        for (long i = 0; i < rows; ++i) a(i, j) = oracle::Rand();
    return a;
}

inline Dense Identity(long n)
{
    Dense a(n, n, n);
    for (long i = 0; i < n; ++i) a(i, i) = 1.0;
    return a;
}

inline Dense Transposed(Dense const& a)
{
    Dense t(a.cols, a.rows, a.cols);
    for (long j = 0; j < a.cols; ++j)
        for (long i = 0; i < a.rows; ++i) t(j, i) = a(i, j);
    return t;
}

// op(A)*op(B) with op chosen by 'N' or 'T'.
inline Dense Product(char ta, Dense const& a, char tb, Dense const& b)
{
    int const m = int(ta == 'N' ? a.rows : a.cols), k = int(ta == 'N' ? a.cols : a.rows);
    int const n = int(tb == 'N' ? b.cols : b.rows);
    Dense c(m, n, m);
    int const lda = int(a.ld), ldb = int(b.ld), ldc = int(c.ld);
    double const one = 1.0, zero = 0.0;
    if (m > 0 && n > 0)
        dgemm_(&ta, &tb, &m, &n, &k, &one, a.v.data(), &lda, b.v.data(), &ldb, &zero, c.v.data(),
               &ldc, 1, 1);
    return c;
}

// The largest |a(i,j) - b(i,j)| over the leading rows x cols; NaN wherever one of them is NaN.
inline double MaxDiff(Dense const& a, Dense const& b)
{
    double worst = 0.0;
    for (long j = 0; j < a.cols; ++j)
        for (long i = 0; i < a.rows; ++i) {
            double const d = std::fabs(a(i, j) - b(i, j));
            if (!(d <= worst)) worst = d;
        }
    return worst;
}

inline double MaxAbs(Dense const& a)
{
    double worst = 0.0;
    for (long j = 0; j < a.cols; ++j)
        for (long i = 0; i < a.rows; ++i) worst = std::max(worst, std::fabs(a(i, j)));
    return worst;
}

// max |Q**T*Q - I| (columns) or |Q*Q**T - I| (rows).
inline double ColumnsOrthonormal(Dense const& q)
{
    return MaxDiff(Product('T', q, 'N', q), Identity(q.cols));
}
inline double RowsOrthonormal(Dense const& q)
{
    return MaxDiff(Product('N', q, 'T', q), Identity(q.rows));
}

// True when every element outside the leading rows x cols block of the storage is still NaN.
inline bool PaddingUntouched(Dense const& a)
{
    for (long j = 0; j < a.cols; ++j)
        for (long i = a.rows; i < a.ld; ++i)
            if (!std::isnan(a(i, j))) return false;
    return true;
}

typedef std::vector<std::pair<long, long>> Counters;  // type and steps of each counter opened
long const S = Blas::ptShrinking, U = Blas::ptUniform;

// The counters opened at depth, in order.
inline Counters Opened(RecordingMonitor const& pm, long depth)
{
    Counters opened;
    for (RecordingMonitor::Event const& e : pm.events)
        if (e.depth == depth && e.step == -1) opened.push_back({e.type, e.steps});
    return opened;
}

}  // namespace svdtest
