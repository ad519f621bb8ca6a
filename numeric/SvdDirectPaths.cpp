// Paths 10 and 10t of MgetSvd, for shapes below the crossover: A itself is reduced to bidiagonal
// form (upper for m >= n, lower for m < n), the factors that are asked for are formed in U, VT or
// A, and the bidiagonal QR iteration turns them into the singular vectors.
#include "numeric/SvdPaths.h"

namespace SvdDetail {

void RunDirectPath(Svd& sv)
{
    long const m = sv.m, n = sv.n, k = sv.k;
    Job const& job = sv.job;
    bool const tall = m >= n;
    BidiagLayout const l = sv.Layout(1);
    sv.Bidiagonalise(m, n, sv.A, l);
    if (job.USeparate()) {
        long const ncu = tall && job.u == Short ? n : m;
        Svd::Copy(Blas::LaMatLower, m, tall ? n : m, sv.A, sv.U);
        sv.FormQ(m, ncu, n, sv.U, l);
    }
    if (job.VTSeparate()) {
        long const nrvt = !tall && job.vt == Short ? m : n;
        Svd::Copy(Blas::LaMatUpper, tall ? n : m, n, sv.A, sv.VT);
        sv.FormPt(nrvt, n, k, sv.VT, l);
    }
    // Q over A with m >= n reports to no monitor.
    if (job.u == OverA) {
        if (tall)
            sv.FormQ(m, n, n, sv.A, l, Blas::defProgMon);
        else
            sv.FormQ(m, m, n, sv.A, l);
    }
    if (job.vt == OverA) sv.FormPt(k, n, k, sv.A, l);

    // A set not asked for is passed as unused, whatever leading dimension the caller gave it.
    long const nru = job.u == None ? 0 : m, ncvt = job.vt == None ? 0 : n;
    Mat const u = job.u == OverA ? sv.A : nru == 0 ? Svd::Unused() : sv.U;
    Mat const vt = job.vt == OverA ? sv.A : ncvt == 0 ? Svd::Unused() : sv.VT;
    sv.Iterate(tall ? Blas::LaMatUpper : Blas::LaMatLower, ncvt, nru, vt, u, l);
}

}  // namespace SvdDetail
