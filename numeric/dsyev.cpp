// SymMdiag (DSYEV): all eigenvalues w(1..n), in ascending order, and with opt 0x80 the orthonormal
// eigenvectors of the symmetric n x n matrix A (leading dimension lda), of which the lower (0x200)
// or the upper (0x400) triangle is read; 0x04 asks for the eigenvalues alone. With eigenvectors,
// column j of A receives the vector of w(j); without, A is destroyed. A matrix whose largest
// element lies outside [sqrt(safmin/eps), sqrt(eps/safmin)] is scaled into that range first and its
// eigenvalues scaled back. A NaN or an infinity in the triangle read is an illegal argument. The
// work array is allocated here and released on every way out. The front-end takes A square and w
// of length n with increment 1.
#include <cmath>

#include "numeric/BlasConst.h"
#include "numeric/BlasDouble.h"
#include "numeric/BlasEnv.h"
#include "numeric/LAPackDouble.h"
#include "numeric/MatrixFrontEnds.h"
#include "numeric/UStrNumer.h"
#include "utilities/CustExcept.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"

namespace {

const char* const sourceName = "dsyev";

// The factor that brings the largest element anrm into the safe range, or 0 when none is needed.
double ScaleFactor(double anrm)
{
    double const safmin = Blas::Constants(Blas::LaMachSafeMin);
    double const eps = Blas::Constants(Blas::LaMachPrecision);
    double const smlnum = safmin / eps;
    double const bignum = 1.0 / smlnum;
    double const rmin = std::sqrt(smlnum);
    double const rmax = std::sqrt(bignum);
    if (anrm > 0.0 && anrm < rmin) return rmin / anrm;
    if (anrm > rmax) return rmax / anrm;
    return 0.0;
}

// The reduction and the tridiagonal eigensolver in work (lwork doubles): e(1..n), tau(1..n), then
// the workspace of the reduction and of the generation of Q.
void Diagonalise(short opt, Blas::LaPackMatTypeOptions uplo, long n, double* A, long lda, double* w,
                 double* work, long lwork, Blas::UProgressMonitor& pm)
{
    bool const wantz = (opt & Blas::LaEigVectors) != 0;
    double const anrm = LAPackDouble::SymMgetNorm(
        short(Blas::LaNormMaxAbs | (uplo == Blas::LaMatLower ? 0x10 : 0x20)), n, A, lda, work);
    double const sigma = ScaleFactor(anrm);
    if (sigma != 0.0) LAPackDouble::Mscale(uplo, 0, 0, 1.0, sigma, n, n, A, lda);

    double* e = work;
    double* tau = work + n;
    double* rest = work + 2 * n;
    long const llwork = lwork - 2 * n;
    LAPackDouble::MtoTriDiag(uplo, n, A, lda, w, e, tau, rest, llwork, pm);
    if (!wantz) {
        LAPackDouble::TriDiagGetEigVal(n, w, e);
    } else {
        LAPackDouble::SymFormReflect(uplo, n, A, lda, tau, rest, llwork, pm);
        // The reflectors' factors are spent; their room holds the rotations of a sweep.
        LAPackDouble::TriMdiag(0x10, n, w, e, A, lda, tau, pm);
    }
    if (sigma != 0.0) BlasDouble::Vscale(n, 1.0 / sigma, w, 1);
}

}  // namespace

void LAPackDouble::SymMdiag(short opt, long n, double* A, long lda, double* w,
                            Blas::UProgressMonitor& pm)
{
    Blas::CheckOptions(
        opt, {Blas::LaEigValuesOnly | Blas::LaEigVectors, Blas::LaUseLower | Blas::LaUseUpper},
        sourceName, __LINE__);
    Blas::CheckArgument(n >= 0 && Blas::LeadDimValid(lda, n), sourceName, __LINE__);
    if (n == 0) return;
    Blas::LaPackMatTypeOptions const uplo =
        (opt & Blas::LaUseLower) ? Blas::LaMatLower : Blas::LaMatUpper;
    // A NaN or an infinity would end in a convergence failure, in a scaling error or in a normal
    // return with wrong eigenvalues, as the place it sits in decides; refused here as one case.
    Blas::CheckArgument(Blas::AllFinite(uplo, n, n, A, lda), sourceName, __LINE__);
    if (n == 1) {
        w[0] = A[0];
        if (opt & Blas::LaEigVectors) A[0] = 1.0;
        return;
    }

    // Room for e, tau and the n*nb doubles of a blocked reduction.
    long const nb = Blas::Env(Blas::LaEnvBlockSize, "DSYTRD", uplo, n, -1, -1, -1);
    long lwork = n * (nb + 2);
    double* work = nullptr;
    Blas::HeapAlloc(Max(1L, 3 * n - 1), lwork, work);
    try {
        pm.Start("DSYEV", opt, n, true);
        Diagonalise(opt, uplo, n, A, lda, w, work, lwork, pm);
        pm.Finish(true);
    } catch (...) {
        Blas::HeapDeAlloc(work);
        throw;
    }
    Blas::HeapDeAlloc(work);
}

void LAPackDouble::SymMdiag(short opt, UMatrix<double>& A, UVector<double>& w,
                            Blas::UProgressMonitor& pm)
{
    if (A.GetColDim() != A.GetRowDim()) RaiseError(umNotSquare, sourceName, __LINE__);
    if (w.GetDim() != A.GetColDim()) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    if (w.GetInc() != 1) RaiseError(nmIncrementNotOne, sourceName, __LINE__);
    SymMdiag(opt, A.GetColDim(), A.GetData(), MatrixFrontEnds::LeadDim(A), w.GetData(), pm);
}
