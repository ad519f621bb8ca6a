// Paths 1t to 9t of MgetSvd, for n >= mnthr > m: A = L*Q first, then the SVD of the m x m L,
// whose right vectors Q brings back to A's order. As for the tall paths, only the variants for
// sufficient workspace exist.
#include <algorithm>

#include "numeric/SvdPaths.h"

namespace SvdDetail {

namespace {

// A := L*A in chunks of columns through WORK(iu), A holding Q and L the right vectors of L.
void MultiplyIntoA(Svd& sv, Mat l, long iu, OverALayout const& w)
{
    Mat const chunkWork = sv.Work(iu, w.ldwrku);
    for (long i = 1; i <= sv.n; i += w.chunk) {
        long const blk = std::min(sv.n - i + 1, w.chunk);
        sv.Multiply(sv.m, blk, sv.m, l, sv.A.At(1, i), chunkWork);
        Svd::Copy(0x1, sv.m, blk, chunkWork, sv.A.At(1, i));
    }
}

// No right vectors: the left vectors of L, formed in A, are those of A.
void Path1(Svd& sv)
{
    long const m = sv.m;
    sv.FactorLQ(1);
    sv.ZeroAboveL();
    BidiagLayout const l = sv.Layout(1);
    sv.Bidiagonalise(m, m, sv.A, l);
    if (sv.job.u != None) sv.FormQ(m, m, m, sv.A, l);
    long const nru = sv.job.u != None ? m : 0;
    sv.Iterate(Blas::LaMatUpper, 0, nru, Svd::Unused(), sv.A, l);
    if (sv.job.USeparate()) Svd::Copy(0x1, m, m, sv.A, sv.U);
}

// VT over A, no U.
void Path2(Svd& sv)
{
    long const m = sv.m;
    OverALayout const w = LayoutOverA(sv);
    Mat const r = sv.Work(w.ir, w.ldwrkr);
    sv.FactorLQ(w.itau);
    sv.CopyL(r);
    sv.FormLQfactor(m, sv.A, w.itau);
    BidiagLayout const l = sv.Layout(w.itau);
    sv.Bidiagonalise(m, m, r, l);
    sv.FormPt(m, m, m, r, l);
    sv.Iterate(Blas::LaMatUpper, m, 0, r, Svd::Unused(), l);
    MultiplyIntoA(sv, r, l.ie + m, w);
}

// VT over A, U separate: L is reduced in U.
void Path3(Svd& sv)
{
    long const m = sv.m;
    OverALayout const w = LayoutOverA(sv);
    Mat const r = sv.Work(w.ir, w.ldwrkr);
    sv.FactorLQ(w.itau);
    sv.CopyL(sv.U);
    sv.FormLQfactor(m, sv.A, w.itau);
    BidiagLayout const l = sv.Layout(w.itau);
    sv.Bidiagonalise(m, m, sv.U, l);
    Svd::Copy(0x4, m, m, sv.U, r);
    sv.FormPt(m, m, m, r, l);
    sv.FormQ(m, m, m, sv.U, l);
    sv.Iterate(Blas::LaMatUpper, m, m, r, sv.U, l);
    MultiplyIntoA(sv, r, l.ie + m, w);
}

// VT separate (short or all): L's right vectors in WORK(IU), its left vectors in U, in WORK(IR)
// (U over A) or nowhere. With all of VT, Q is formed in VT, else in A.
void SeparateVT(Svd& sv)
{
    long const m = sv.m, n = sv.n;
    Letter const u = sv.job.u;
    bool const all = sv.job.vt == All;
    WorkLayout const w = u == OverA ? LayoutTwo(sv) : LayoutOne(sv);
    Mat const right = sv.Work(w.iu, w.ldwrku);
    Mat const left = u == OverA ? sv.Work(w.ir, w.ldwrkr) : u == None ? Svd::Unused() : sv.U;
    Mat const q = all ? sv.VT : sv.A;
    sv.FactorLQ(w.itau);
    if (all) {
        Svd::Copy(0x4, m, n, sv.A, sv.VT);
        // Path 7t copies L before it forms Q, paths 8t and 9t after.
        if (u == None) sv.CopyL(right);
        sv.FormLQfactor(n, sv.VT, w.itau);
        if (u != None) sv.CopyL(right);
    } else {
        sv.CopyL(right);
        sv.FormLQfactor(m, sv.A, w.itau);
    }
    BidiagLayout const l = sv.Layout(w.itau);
    sv.Bidiagonalise(m, m, right, l);
    if (u != None) Svd::Copy(0x2, m, m, right, left);
    sv.FormPt(m, m, m, right, l);
    if (u != None) sv.FormQ(m, m, m, left, l);
    sv.Iterate(Blas::LaMatUpper, m, u == None ? 0 : m, right, left, l);
    if (all) {
        sv.Multiply(m, n, m, right, q, sv.A);
        Svd::Copy(0x1, m, n, sv.A, sv.VT);
    } else {
        sv.Multiply(m, n, m, right, q, sv.VT);
    }
    if (u == OverA) Svd::Copy(0x1, m, m, left, sv.A);
}

}  // namespace

void RunWidePath(Svd& sv, long path)
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
        SeparateVT(sv);
        break;
    }
}

}  // namespace SvdDetail
