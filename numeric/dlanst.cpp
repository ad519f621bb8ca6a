// TriDiagGetNorm (DLANST): a norm of the symmetric tridiagonal matrix of order n with diagonal
// d(1..n) and off-diagonal e(1..n-1): opt 0x1 the largest absolute element, 0x2 and 0x4 the one-
// and the infinity-norm (equal here), 0x8 the Frobenius norm. 0.0 for n < 1; the option word is
// checked first.
#include <cmath>

#include "numeric/LAPackDouble.h"
#include "utilities/UMatVec.h"

double LAPackDouble::TriDiagGetNorm(short opt, long n, double const* d, double const* e)
{
    Blas::CheckOptions(opt, {Blas::LaNormGroup}, "dlanst", __LINE__);
    if (n < 1) return 0.0;
    auto D = [d](long i) { return std::fabs(d[i - 1]); };
    auto E = [e](long i) { return std::fabs(e[i - 1]); };

    if (opt & Blas::LaNormMaxAbs) {
        double norm = D(n);
        for (long i = 1; i <= n - 1; ++i) {
            norm = Max(norm, D(i));
            norm = Max(norm, E(i));
        }
        return norm;
    }
    if (opt & (Blas::LaNormOne | Blas::LaNormInf)) {
        if (n == 1) return D(1);
        double norm = Max(D(1) + E(1), E(n - 1) + D(n));
        for (long i = 2; i <= n - 1; ++i) norm = Max(norm, D(i) + E(i) + E(i - 1));
        return norm;
    }
    double scale = 0.0, sum = 1.0;
    if (n > 1) {
        VgetNorm(n - 1, e, 1, scale, sum);
        sum = 2.0 * sum;
    }
    VgetNorm(n, d, 1, scale, sum);
    return scale * std::sqrt(sum);
}
