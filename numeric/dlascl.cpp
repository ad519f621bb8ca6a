// Mscale (DLASCL): multiplies the selected elements of the m x n matrix A (leading dimension lda)
// by cto/cfrom, in steps of at most the safe minimum or its reciprocal so that no step overflows
// or underflows. type selects the elements: 0x1 all, 0x2 lower triangle, 0x4 upper triangle, 0x8
// upper Hessenberg, 0x10 and 0x20 a symmetric band with kl = ku sub- and superdiagonals stored by
// its lower or upper half, 0x40 a general band with kl sub- and ku superdiagonals (LAPACK band
// storage, the band starting at row kl+1). Another type is refused; so are a non-finite cfrom or
// cto, for which the steps would never end.
#include <cmath>

#include "numeric/BlasConst.h"
#include "numeric/LAPackDouble.h"
#include "numeric/MatrixFrontEnds.h"
#include "numeric/UStrNumer.h"
#include "utilities/UMatVec.h"

namespace {

const char* const sourceName = "dlascl";

bool IsKnownType(Blas::LaPackMatTypeOptions type)
{
    return type == Blas::LaMatGeneral || type == Blas::LaMatLower || type == Blas::LaMatUpper ||
           type == Blas::LaMatHessenberg || type == Blas::LaMatSymBandLower ||
           type == Blas::LaMatSymBandUpper || type == Blas::LaMatBand;
}

void CheckShape(Blas::LaPackMatTypeOptions type, long kl, long ku, long m, long n, long lda)
{
    Blas::CheckArgument(m >= 0 && n >= 0, sourceName, __LINE__);
    if (type <= Blas::LaMatHessenberg) {
        Blas::CheckArgument(Blas::LeadDimValid(lda, m), sourceName, __LINE__);
        return;
    }
    bool const symmetric = type != Blas::LaMatBand;
    if (symmetric && m != n) RaiseError(nmIllegalBandMatrix, sourceName, __LINE__);
    if (kl < 0 || kl > Max(m - 1, 0L) || ku < 0 || ku > Max(n - 1, 0L) || (symmetric && kl != ku))
        RaiseError(nmIllegalBandMatrix, sourceName, __LINE__);
    long const rows = type == Blas::LaMatSymBandLower   ? kl + 1
                      : type == Blas::LaMatSymBandUpper ? ku + 1
                                                        : 2 * kl + ku + 1;
    Blas::CheckArgument(lda >= rows, sourceName, __LINE__);
}

// The 1-based rows first .. last of column j (1-based) that type selects.
void SelectedRows(Blas::LaPackMatTypeOptions type, long kl, long ku, long m, long n, long j,
                  long& first, long& last)
{
    first = 1;
    last = m;
    switch (type) {
    case Blas::LaMatLower:
        first = j;
        break;
    case Blas::LaMatUpper:
        last = Min(j, m);
        break;
    case Blas::LaMatHessenberg:
        last = Min(j + 1, m);
        break;
    case Blas::LaMatSymBandLower:
        last = Min(kl + 1, n + 1 - j);
        break;
    case Blas::LaMatSymBandUpper:
        first = Max(ku + 2 - j, 1L);
        last = ku + 1;
        break;
    case Blas::LaMatBand:
        first = Max(kl + ku + 2 - j, kl + 1);
        last = Min(2 * kl + ku + 1, kl + ku + 1 + m - j);
        break;
    default:
        break;
    }
}

void MultiplySelected(Blas::LaPackMatTypeOptions type, long kl, long ku, long m, long n, double* a,
                      long lda, double mul)
{
    for (long j = 1; j <= n; ++j) {
        long first, last;
        SelectedRows(type, kl, ku, m, n, j, first, last);
        double* column = a + (j - 1) * lda;
        for (long i = first; i <= last; ++i) column[i - 1] = column[i - 1] * mul;
    }
}

}  // namespace

void LAPackDouble::Mscale(Blas::LaPackMatTypeOptions type, long kl, long ku, double cfrom,
                          double cto, long m, long n, double* a, long lda)
{
    if (!IsKnownType(type)) RaiseError(nmIllegalOptions, sourceName, __LINE__);
    if (cfrom == 0.0) RaiseError(nmZeroDenominator, sourceName, __LINE__);
    Blas::CheckArgument(std::isfinite(cfrom) && std::isfinite(cto), sourceName, __LINE__);
    CheckShape(type, kl, ku, m, n, lda);
    if (m == 0 || n == 0) return;

    double const smlnum = Blas::Constants(Blas::LaMachSafeMin);
    double const bignum = 1.0 / smlnum;
    double cfromc = cfrom, ctoc = cto;
    bool done = false;
    while (!done) {
        double const cfrom1 = cfromc * smlnum;
        double const cto1 = ctoc / bignum;
        double mul;
        if (std::fabs(cfrom1) > std::fabs(ctoc) && ctoc != 0.0) {
            mul = smlnum;
            cfromc = cfrom1;
        } else if (std::fabs(cto1) > std::fabs(cfromc)) {
            mul = bignum;
            ctoc = cto1;
        } else {
            mul = ctoc / cfromc;
            done = true;
        }
        MultiplySelected(type, kl, ku, m, n, a, lda, mul);
    }
}

void LAPackDouble::Mscale(Blas::LaPackMatTypeOptions type, double cfrom, double cto,
                          UMatrix<double>& A, long kl, long ku)
{
    Mscale(type, kl, ku, cfrom, cto, A.GetColDim(), A.GetRowDim(), A.GetData(),
           MatrixFrontEnds::LeadDim(A));
}

void LAPackDouble::Mscale(UMatrix<double>& A, double factor)
{
    Mscale(Blas::LaMatGeneral, 1.0, factor, A, 0, 0);
}
