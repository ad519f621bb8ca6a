// MgetSvd (DGESVD): the singular value decomposition A = U*S*VT of the m x n matrix A (leading
// dimension lda): the min(m, n) singular values into s in decreasing order and, as opt asks, the
// left and right singular vectors. opt holds one bit for U (0x01 none, 0x02 all m columns into u,
// 0x04 the first min(m, n) into u, 0x08 those over A) and one for VT (0x10 none, 0x20 all n rows
// into vt, 0x40 the first min(m, n) into vt, 0x80 those over A); both over A is refused, and so
// is a NaN or an infinity in A (23001, for every word and shape alike). A is scaled into a safe
// range when its largest element lies outside it; a tall (wide) matrix beyond the crossover is
// first factored by QR (LQ) so that the bidiagonal reduction works on a square one. The raw form
// allocates its own work array, releases it on every way out, and leaves u, vt and their leading
// dimensions alone when they are not asked for. The front-ends take u and vt as result matrices
// of the shapes the word asks for and shrink A to the vectors left in it.
#include <algorithm>
#include <cmath>

#include "numeric/BlasConst.h"
#include "numeric/BlasEnv.h"
#include "numeric/LAPackDouble.h"
#include "numeric/MatrixFrontEnds.h"
#include "numeric/SvdPaths.h"
#include "numeric/UStrNumer.h"
#include "utilities/CustExcept.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"

namespace {

using SvdDetail::All;
using SvdDetail::Job;
using SvdDetail::OverA;
using SvdDetail::Short;

namespace {
const char* const sourceName = "dgesvd";
}  // namespace

void CheckRaw(short opt, Job const& job, long m, long n, long lda, double const* u, long ldu,
              double const* vt, long ldvt)
{
    Blas::CheckOptions(opt, {0x0f, 0xf0}, sourceName, __LINE__);
    if (job.u == OverA && job.vt == OverA)
        RaiseError(nmResultStorageConflict, sourceName, __LINE__);
    long const minmn = std::min(m, n);
    bool const uValid = !job.USeparate() || (ldu >= 1 && ldu >= m);
    bool const vtValid = !job.VTSeparate() || (ldvt >= 1 && !(job.vt == All && ldvt < n) &&
                                               !(job.vt == Short && ldvt < minmn));
    Blas::CheckArgument(m >= 0 && n >= 0 && Blas::LeadDimValid(lda, m) && uValid && vtValid,
                        sourceName, __LINE__);
    if ((job.USeparate() && u == nullptr) || (job.VTSeparate() && vt == nullptr))
        RaiseError(nmResultMatrixMissing, sourceName, __LINE__);
}

// The largest element of A moved into [smlnum, bignum] when it lies outside; what s must be
// multiplied by afterwards is undone by Unscale.
class Scaling {
public:
    Scaling(long m, long n, double* a, long lda)
    {
        double const eps = Blas::Constants(Blas::LaMachPrecision);
        smlnum = std::sqrt(Blas::Constants(Blas::LaMachSafeMin)) / eps;
        bignum = 1.0 / smlnum;
        anrm = LAPackDouble::MgetNorm(Blas::LaNormMaxAbs, m, n, a, lda, nullptr);
        if (anrm > 0.0 && anrm < smlnum) {
            to = smlnum;
            LAPackDouble::Mscale(Blas::LaMatGeneral, 0, 0, anrm, smlnum, m, n, a, lda);
        } else if (anrm > bignum) {
            to = bignum;
            LAPackDouble::Mscale(Blas::LaMatGeneral, 0, 0, anrm, bignum, m, n, a, lda);
        }
    }

    void Unscale(long minmn, double* s) const
    {
        if (to != 0.0) LAPackDouble::Mscale(Blas::LaMatGeneral, 0, 0, to, anrm, minmn, 1, s, minmn);
    }

private:
    double smlnum, bignum, anrm;
    double to = 0.0;  // the norm A was scaled to, 0 when it was not
};

void RunPath(SvdDetail::Svd& svd, long path)
{
    if (path == 10)
        SvdDetail::RunDirectPath(svd);
    else if (svd.m >= svd.n)
        SvdDetail::RunTallPath(svd, path);
    else
        SvdDetail::RunWidePath(svd, path);
}

// 21003 unless the result matrix X has rows x cols.
void CheckShape(UMatrix<double> const& X, long rows, long cols)
{
    if (X.GetColDim() != rows || X.GetRowDim() != cols)
        RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
}

void CheckValues(UVector<double> const& s, long minmn)
{
    if (s.GetDim() != minmn) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    if (s.GetInc() != 1) RaiseError(nmIncrementNotOne, sourceName, __LINE__);
}

}  // namespace

void LAPackDouble::MgetSvd(short opt, long m, long n, double* a, long lda, double* s, double* u,
                           long ldu, double* vt, long ldvt, Blas::UProgressMonitor& pm)
{
    Job const job(opt);
    long const minmn = std::min(m, n);
    long const mnthr = Blas::Env(Blas::LaEnvSvdCrossover, "DGESVD", opt, m, n, 0, 0);
    CheckRaw(opt, job, m, n, lda, u, ldu, vt, ldvt);
    if (m == 0 || n == 0) return;
    // Without this a NaN ends in the iteration limit with vectors, but comes back in s without
    // them; an infinity is refused by the scaling. Both are refused here, before any change.
    Blas::CheckArgument(Blas::AllFinite(Blas::LaMatGeneral, m, n, a, lda), sourceName, __LINE__);

    long const path = SvdDetail::PathNumber(job, m, n, mnthr);
    SvdDetail::Workspace const ws = SvdDetail::PlanWorkspace(job, path, m, n);
    Scaling const scaling(m, n, a, lda);
    long lwork = ws.maxwrk;
    double* work = nullptr;
    Blas::HeapAlloc(ws.minwrk, lwork, work);
    try {
        pm.Start("DGESVD", opt, m, n, 0, true);
        SvdDetail::Svd svd(job, m, n, {a, lda}, s, {u, ldu}, {vt, ldvt}, work, lwork, ws.wrkbl, pm);
        RunPath(svd, path);
        scaling.Unscale(minmn, s);
        pm.Finish(true);
    } catch (...) {
        Blas::HeapDeAlloc(work);
        throw;
    }
    Blas::HeapDeAlloc(work);
}

void LAPackDouble::MgetSvd(short opt, UMatrix<double>& A, UVector<double>& s,
                           Blas::UProgressMonitor& pm)
{
    long const m = A.GetColDim(), n = A.GetRowDim(), minmn = std::min(m, n);
    if (opt & 0x66) RaiseError(nmResultVectorMissing, sourceName, __LINE__);
    CheckValues(s, minmn);
    MgetSvd(opt, m, n, A.GetData(), MatrixFrontEnds::LeadDim(A), s.GetData(), nullptr, 1, nullptr,
            1, pm);
    long const rows = (opt & Blas::LaSvdVTOverA) ? minmn : m,
               cols = (opt & Blas::LaSvdUOverA) ? minmn : n;
    if (m > rows) A.SetColDim(rows);
    if (n > cols) A.SetRowDim(cols);
}

void LAPackDouble::MgetSvd(short opt, UMatrix<double>& A, UVector<double>& s, UMatrix<double>& X,
                           Blas::UProgressMonitor& pm)
{
    long const m = A.GetColDim(), n = A.GetRowDim(), minmn = std::min(m, n);
    if ((opt & 0x06) && (opt & 0x60)) RaiseError(nmResultVectorMissing, sourceName, __LINE__);
    if ((opt & 0x09) && (opt & 0x90)) RaiseError(nmResultVectorNotNeeded, sourceName, __LINE__);
    CheckValues(s, minmn);
    bool const xIsU = (opt & 0x06) != 0;
    if (xIsU) {
        if (X.GetColDim() != m || ((opt & 0x02) && X.GetRowDim() != m) ||
            ((opt & 0x04) && X.GetRowDim() != minmn))
            RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
        MgetSvd(opt, m, n, A.GetData(), MatrixFrontEnds::LeadDim(A), s.GetData(), X.GetData(),
                MatrixFrontEnds::LeadDim(X), nullptr, 1, pm);
        if ((opt & Blas::LaSvdVTOverA) && m > minmn) A.SetColDim(minmn);
    } else {
        CheckShape(X, (opt & 0x20) ? n : minmn, n);
        MgetSvd(opt, m, n, A.GetData(), MatrixFrontEnds::LeadDim(A), s.GetData(), nullptr, 1,
                X.GetData(), MatrixFrontEnds::LeadDim(X), pm);
        if ((opt & Blas::LaSvdUOverA) && n > minmn) A.SetRowDim(minmn);
    }
}

void LAPackDouble::MgetSvd(short opt, UMatrix<double>& A, UVector<double>& s, UMatrix<double>& U,
                           UMatrix<double>& VT, Blas::UProgressMonitor& pm)
{
    long const m = A.GetColDim(), n = A.GetRowDim(), minmn = std::min(m, n);
    if (opt & 0x99) RaiseError(nmResultVectorNotNeeded, sourceName, __LINE__);
    CheckShape(U, m, (opt & 0x02) ? m : minmn);
    CheckShape(VT, (opt & 0x20) ? n : minmn, n);
    CheckValues(s, minmn);
    MgetSvd(opt, m, n, A.GetData(), MatrixFrontEnds::LeadDim(A), s.GetData(), U.GetData(),
            MatrixFrontEnds::LeadDim(U), VT.GetData(), MatrixFrontEnds::LeadDim(VT), pm);
}
