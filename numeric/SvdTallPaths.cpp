// Paths 1 to 9 of MgetSvd, for m >= mnthr >= n: A = Q*R first, then the SVD of the n x n R, whose
// left vectors Q brings back to A's order. Only the reference routine's variants for sufficient
// workspace exist, since the driver always allocates the preferred length; the work matrices take
// the leading dimensions that the reference routine chooses for that length.
#include <algorithm>

#include "numeric/SvdPaths.h"

namespace SvdDetail {

namespace {

// A := A*R in chunks of rows through WORK(iu), A holding Q and R the left vectors of R.
void MultiplyIntoA(Svd& sv, Mat r, long iu, OverALayout const& w)
{
    Mat const chunkWork = sv.Work(iu, w.ldwrku);
    for (long i = 1; i <= sv.m; i += w.chunk) {
        long const chunk = std::min(sv.m - i + 1, w.chunk);
        sv.Multiply(chunk, sv.n, sv.n, sv.A.At(i, 1), r, chunkWork);
        Svd::Copy(0x1, chunk, sv.n, chunkWork, sv.A.At(i, 1));
    }
}

// No left vectors: the right vectors of R, formed in A, are those of A.
void Path1(Svd& sv)
{
    long const n = sv.n;
    sv.FactorQR(1);
    sv.ZeroBelowR();
    BidiagLayout const l = sv.Layout(1);
    sv.Bidiagonalise(n, n, sv.A, l);
    long ncvt = 0;
    if (sv.job.vt != None) {
        sv.FormPt(n, n, n, sv.A, l);
        ncvt = n;
    }
    sv.Iterate(Blas::LaMatUpper, ncvt, 0, sv.A, Svd::Unused(), l);
    if (sv.job.VTSeparate()) Svd::Copy(0x1, n, n, sv.A, sv.VT);
}

// U over A, no VT.
void Path2(Svd& sv)
{
    long const n = sv.n;
    OverALayout const w = LayoutOverA(sv);
    Mat const r = sv.Work(w.ir, w.ldwrkr);
    sv.FactorQR(w.itau);
    sv.CopyR(r);
    sv.FormQRfactor(n, sv.A, w.itau);
    BidiagLayout const l = sv.Layout(w.itau);
    sv.Bidiagonalise(n, n, r, l);
    sv.FormQ(n, n, n, r, l);
    sv.Iterate(Blas::LaMatUpper, 0, n, Svd::Unused(), r, l);
    MultiplyIntoA(sv, r, l.ie + n, w);
}

// U over A, VT separate: R is reduced in VT.
void Path3(Svd& sv)
{
    long const n = sv.n;
    OverALayout const w = LayoutOverA(sv);
    Mat const r = sv.Work(w.ir, w.ldwrkr);
    sv.FactorQR(w.itau);
    sv.CopyR(sv.VT);
    sv.FormQRfactor(n, sv.A, w.itau);
    BidiagLayout const l = sv.Layout(w.itau);
    sv.Bidiagonalise(n, n, sv.VT, l);
    Svd::Copy(0x2, n, n, sv.VT, r);
    sv.FormQ(n, n, n, r, l);
    sv.FormPt(n, n, n, sv.VT, l);
    sv.Iterate(Blas::LaMatUpper, n, n, sv.VT, r, l);
    MultiplyIntoA(sv, r, l.ie + n, w);
}

// U separate (short or all): R's left vectors in WORK(IU), its right vectors in VT, in WORK(IR)
// (VT over A) or nowhere. With all of U, Q is formed in U, else in A.
void SeparateU(Svd& sv)
{
    long const m = sv.m, n = sv.n;
    Letter const vt = sv.job.vt;
    bool const all = sv.job.u == All;
    WorkLayout const w = vt == OverA ? LayoutTwo(sv) : LayoutOne(sv);
    Mat const left = sv.Work(w.iu, w.ldwrku);
    Mat const right = vt == OverA ? sv.Work(w.ir, w.ldwrkr) : vt == None ? Svd::Unused() : sv.VT;
    Mat const q = all ? sv.U : sv.A;
    sv.FactorQR(w.itau);
    if (all) {
        Svd::Copy(0x2, m, n, sv.A, sv.U);
        // Path 7 copies R before it forms Q, paths 8 and 9 after.
        if (vt == None) sv.CopyR(left);
        sv.FormQRfactor(m, sv.U, w.itau);
        if (vt != None) sv.CopyR(left);
    } else {
        sv.CopyR(left);
        sv.FormQRfactor(n, sv.A, w.itau);
    }
    BidiagLayout const l = sv.Layout(w.itau);
    sv.Bidiagonalise(n, n, left, l);
    if (vt != None) Svd::Copy(0x4, n, n, left, right);
    sv.FormQ(n, n, n, left, l);
    if (vt != None) sv.FormPt(n, n, n, right, l);
    sv.Iterate(Blas::LaMatUpper, vt == None ? 0 : n, n, right, left, l);
    if (all) {
        sv.Multiply(m, n, n, q, left, sv.A);
        Svd::Copy(0x1, m, n, sv.A, sv.U);
    } else {
        sv.Multiply(m, n, n, q, left, sv.U);
    }
    if (vt == OverA) Svd::Copy(0x1, n, n, right, sv.A);
}

}  // namespace

void RunTallPath(Svd& sv, long path)
{
    switch (path) {
    case 1:
        Path1(sv);
        break;
    case 2:
        Path2(sv);
        break;
    case 3:
        Path3(sv);
        break;
    default:
        SeparateU(sv);
        break;
    }
}

}  // namespace SvdDetail
