// Paths 1 to 9 of MgetSvd, for m >= mnthr >= n, and their twins 1t to 9t, for n >= mnthr > m: the
// long side is factored first (A = Q*R, or A = L*Q for a wide matrix), the SVD of the k x k factor
// follows, and Q brings the vectors of the long side back to A's order. A wide matrix takes the
// steps of a tall one transposed. Only the reference routine's variants for sufficient workspace
// exist, since the driver always allocates the preferred length; the work matrices take the
// leading dimensions that the reference routine chooses for that length.
#include <algorithm>

#include "numeric/SvdPaths.h"

namespace SvdDetail {

namespace {

// One call seen from its long side. "Mine" are the vectors along the long side (U of a tall
// matrix, VT of a wide one), which Q carries; "other" those along the short side, which the
// factor's own SVD gives. Each step is the tall path's step or its transpose.
struct SidedSvd {
    SidedSvd(Svd& sv, bool tall)
        : sv(sv), tall(tall), k(sv.k), mine(tall ? sv.job.u : sv.job.vt),
          other(tall ? sv.job.vt : sv.job.u), mineMatrix(tall ? sv.U : sv.VT),
          otherMatrix(tall ? sv.VT : sv.U)
    {
    }

    Svd& sv;
    bool const tall;
    long const k;
    Letter const mine, other;
    Mat const mineMatrix, otherMatrix;  // the separate U and VT

    bool OtherSeparate() const { return other == Short || other == All; }

    // The triangle (0x2 lower, 0x4 upper) that holds the reflectors of the mine vectors in A once
    // it is factored, and in a factor once it is reduced to upper bidiagonal form; the other
    // triangle holds those of the other vectors.
    short MinePart() const { return tall ? 0x2 : 0x4; }
    short OtherPart() const { return tall ? 0x4 : 0x2; }

    void Factor(long itau) { tall ? sv.FactorQR(itau) : sv.FactorLQ(itau); }
    // R or L copied to b, zeros beside it; or those zeros set in A.
    void CopyFactor(Mat b) const { tall ? sv.CopyR(b) : sv.CopyL(b); }
    void ZeroBesideFactor() const { tall ? sv.ZeroBelowR() : sv.ZeroAboveL(); }
    // The first count columns (tall) or rows (wide) of Q in q.
    void FormFactor(long count, Mat q, long itau)
    {
        tall ? sv.FormQRfactor(count, q, itau) : sv.FormLQfactor(count, q, itau);
    }
    // From a bidiagonalised factor b: the factor of the mine vectors (Q when tall, P**T when
    // wide) or of the other vectors.
    void FormMine(Mat b, BidiagLayout const& l)
    {
        tall ? sv.FormQ(k, k, k, b, l) : sv.FormPt(k, k, k, b, l);
    }
    void FormOther(Mat b, BidiagLayout const& l)
    {
        tall ? sv.FormPt(k, k, k, b, l) : sv.FormQ(k, k, k, b, l);
    }
    // The bidiagonal QR on the factor: nMine vectors in mineVectors, nOther in otherVectors.
    void Iterate(long nMine, Mat mineVectors, long nOther, Mat otherVectors, BidiagLayout const& l)
    {
        if (tall)
            sv.Iterate(Blas::LaMatUpper, nOther, nMine, otherVectors, mineVectors, l);
        else
            sv.Iterate(Blas::LaMatUpper, nMine, nOther, mineVectors, otherVectors, l);
    }
    // to := q*f (tall) or f*q (wide), rows x cols, with f the factor's k x k vectors.
    void Product(long rows, long cols, Mat q, Mat f, Mat to)
    {
        tall ? sv.Multiply(rows, cols, k, q, f, to) : sv.Multiply(rows, cols, k, f, q, to);
    }
};

// A := A*f (tall) or f*A (wide) in chunks of rows or columns through WORK(iu), A holding Q and f
// the factor's mine vectors.
void MultiplyIntoA(SidedSvd& sd, Mat f, long iu, OverALayout const& w)
{
    Svd& sv = sd.sv;
    Mat const chunkWork = sv.Work(iu, w.ldwrku);
    long const length = sd.tall ? sv.m : sv.n;
    for (long i = 1; i <= length; i += w.chunk) {
        long const chunk = std::min(length - i + 1, w.chunk);
        Mat const part = sd.tall ? sv.A.At(i, 1) : sv.A.At(1, i);
        long const rows = sd.tall ? chunk : sv.m, cols = sd.tall ? sv.n : chunk;
        sd.Product(rows, cols, part, f, chunkWork);
        Svd::Copy(0x1, rows, cols, chunkWork, part);
    }
}

// No mine vectors: the other vectors of the factor, formed in A, are those of A.
void Path1(SidedSvd& sd)
{
    Svd& sv = sd.sv;
    long const k = sd.k;
    sd.Factor(1);
    sd.ZeroBesideFactor();
    BidiagLayout const l = sv.Layout(1);
    sv.Bidiagonalise(k, k, sv.A, l);
    if (sd.other != None) sd.FormOther(sv.A, l);
    sd.Iterate(0, Svd::Unused(), sd.other != None ? k : 0, sv.A, l);
    if (sd.OtherSeparate()) Svd::Copy(0x1, k, k, sv.A, sd.otherMatrix);
}

// Paths 2 and 3: A factored, Q formed over A, the factor copied to b and reduced there.
BidiagLayout ReduceFactor(SidedSvd& sd, long itau, Mat b)
{
    Svd& sv = sd.sv;
    sd.Factor(itau);
    sd.CopyFactor(b);
    sd.FormFactor(sd.k, sv.A, itau);
    BidiagLayout const l = sv.Layout(itau);
    sv.Bidiagonalise(sd.k, sd.k, b, l);
    return l;
}

// Mine vectors over A, no other vectors.
void Path2(SidedSvd& sd)
{
    OverALayout const w = LayoutOverA(sd.sv);
    Mat const f = sd.sv.Work(w.ir, w.ldwrkr);
    BidiagLayout const l = ReduceFactor(sd, w.itau, f);
    sd.FormMine(f, l);
    sd.Iterate(sd.k, f, 0, Svd::Unused(), l);
    MultiplyIntoA(sd, f, l.ie + sd.k, w);
}

// Mine vectors over A, the other ones separate: the factor is reduced in their matrix.
void Path3(SidedSvd& sd)
{
    long const k = sd.k;
    Mat const others = sd.otherMatrix;
    OverALayout const w = LayoutOverA(sd.sv);
    Mat const f = sd.sv.Work(w.ir, w.ldwrkr);
    BidiagLayout const l = ReduceFactor(sd, w.itau, others);
    Svd::Copy(sd.MinePart(), k, k, others, f);
    sd.FormMine(f, l);
    sd.FormOther(others, l);
    sd.Iterate(k, f, k, others, l);
    MultiplyIntoA(sd, f, l.ie + k, w);
}

// Mine vectors separate (short or all): the factor's mine vectors in WORK(IU), its other vectors
// in their matrix, in WORK(IR) (over A) or nowhere. With all of them, Q is formed in the mine
// matrix, else in A.
void SeparateMine(SidedSvd& sd)
{
    Svd& sv = sd.sv;
    long const m = sv.m, n = sv.n, k = sd.k;
    Letter const other = sd.other;
    bool const all = sd.mine == All;
    WorkLayout const w = other == OverA ? LayoutTwo(sv) : LayoutOne(sv);
    Mat const f = sv.Work(w.iu, w.ldwrku);
    Mat others = sd.otherMatrix;
    if (other == OverA) others = sv.Work(w.ir, w.ldwrkr);
    if (other == None) others = Svd::Unused();
    Mat const q = all ? sd.mineMatrix : sv.A;
    sd.Factor(w.itau);
    if (all) {
        Svd::Copy(sd.MinePart(), m, n, sv.A, sd.mineMatrix);
        // Path 7 copies the factor before it forms Q, paths 8 and 9 after.
        if (other == None) sd.CopyFactor(f);
        sd.FormFactor(sd.tall ? m : n, sd.mineMatrix, w.itau);
        if (other != None) sd.CopyFactor(f);
    } else {
        sd.CopyFactor(f);
        sd.FormFactor(k, sv.A, w.itau);
    }
    BidiagLayout const l = sv.Layout(w.itau);
    sv.Bidiagonalise(k, k, f, l);
    if (other != None) Svd::Copy(sd.OtherPart(), k, k, f, others);
    sd.FormMine(f, l);
    if (other != None) sd.FormOther(others, l);
    sd.Iterate(k, f, other == None ? 0 : k, others, l);
    if (all) {
        sd.Product(m, n, q, f, sv.A);
        Svd::Copy(0x1, m, n, sv.A, sd.mineMatrix);
    } else {
        sd.Product(m, n, q, f, sd.mineMatrix);
    }
    if (other == OverA) Svd::Copy(0x1, k, k, others, sv.A);
}

void RunFactoredPath(SidedSvd sd, long path)
{
    switch (path) {
    case 1:
        Path1(sd);
        break;
    case 2:
        Path2(sd);
        break;
    case 3:
        Path3(sd);
        break;
    default:
        SeparateMine(sd);
        break;
    }
}

}  // namespace

void RunTallPath(Svd& sv, long path) { RunFactoredPath(SidedSvd(sv, true), path); }
void RunWidePath(Svd& sv, long path) { RunFactoredPath(SidedSvd(sv, false), path); }

}  // namespace SvdDetail
