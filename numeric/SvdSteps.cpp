// The steps from which the paths of MgetSvd are built, each one call (or two) of a routine of the
// library on the driver's matrices and work array, with the arguments the reference routine gives
// them: the work after the factors of a step is the rest of the array.
#include <algorithm>

#include "numeric/BlasDouble.h"
#include "numeric/LAPackDouble.h"
#include "numeric/SvdPaths.h"

namespace SvdDetail {

Svd::Svd(Job job, long m, long n, Mat a, double* s, Mat u, Mat vt, double* work, long lwork,
         long wrkbl, Blas::UProgressMonitor& pm)
    : job(job), m(m), n(n), k(m < n ? m : n), A(a), U(u), VT(vt), lwork(lwork), wrkbl(wrkbl), s(s),
      work(work), pm(pm)
{
}

void Svd::FactorQR(long itau)
{
    long const iwork = itau + n;
    LAPackDouble::QRfactor(m, n, A.p, A.ld, W(itau), W(iwork), Rest(iwork), pm);
}

void Svd::FactorLQ(long itau)
{
    long const iwork = itau + m;
    LAPackDouble::LQfactor(m, n, A.p, A.ld, W(itau), W(iwork), Rest(iwork), pm);
}

void Svd::FormQRfactor(long cols, Mat q, long itau)
{
    long const iwork = itau + n;
    LAPackDouble::QRformProduct(m, cols, n, q.p, q.ld, W(itau), W(iwork), Rest(iwork), pm);
}

void Svd::FormLQfactor(long rows, Mat q, long itau)
{
    long const iwork = itau + m;
    LAPackDouble::LQformProduct(rows, n, m, q.p, q.ld, W(itau), W(iwork), Rest(iwork), pm);
}

void Svd::CopyR(Mat b) const
{
    Copy(Blas::LaMatUpper, n, n, A, b);
    LAPackDouble::Mset(Blas::LaMatLower, n - 1, n - 1, 0.0, 0.0, b.At(2, 1).p, b.ld);
}

void Svd::CopyL(Mat b) const
{
    Copy(Blas::LaMatLower, m, m, A, b);
    LAPackDouble::Mset(Blas::LaMatUpper, m - 1, m - 1, 0.0, 0.0, b.At(1, 2).p, b.ld);
}

void Svd::ZeroBelowR() const
{
    LAPackDouble::Mset(Blas::LaMatLower, n - 1, n - 1, 0.0, 0.0, A.At(2, 1).p, A.ld);
}

void Svd::ZeroAboveL() const
{
    LAPackDouble::Mset(Blas::LaMatUpper, m - 1, m - 1, 0.0, 0.0, A.At(1, 2).p, A.ld);
}

BidiagLayout Svd::Layout(long start) const
{
    return {start, start + k, start + 2 * k, start + 3 * k};
}

void Svd::Bidiagonalise(long rows, long cols, Mat b, BidiagLayout const& l)
{
    LAPackDouble::MtoBiDiag(rows, cols, b.p, b.ld, s, W(l.ie), W(l.itauq), W(l.itaup), W(l.iwork),
                            Rest(l.iwork), pm);
}

void Svd::FormQ(long rows, long cols, long kk, Mat b, BidiagLayout const& l)
{
    FormQ(rows, cols, kk, b, l, pm);
}

void Svd::FormQ(long rows, long cols, long kk, Mat b, BidiagLayout const& l,
                Blas::UProgressMonitor& mon)
{
    LAPackDouble::PQformTransform(0x1, rows, cols, kk, b.p, b.ld, W(l.itauq), W(l.iwork),
                                  Rest(l.iwork), mon);
}

void Svd::FormPt(long rows, long cols, long kk, Mat b, BidiagLayout const& l)
{
    LAPackDouble::PQformTransform(0x2, rows, cols, kk, b.p, b.ld, W(l.itaup), W(l.iwork),
                                  Rest(l.iwork), pm);
}

void Svd::Iterate(Blas::LaPackMatTypeOptions uplo, long ncvt, long nru, Mat vt, Mat u,
                  BidiagLayout const& l)
{
    LAPackDouble::BiDiagGetSvd(uplo, k, ncvt, nru, 0, s, W(l.ie), vt.p, vt.ld, u.p, u.ld, nullptr,
                               1, W(l.ie + k), pm);
}

void Svd::Multiply(long rows, long cols, long inner, Mat x, Mat y, Mat to)
{
    BlasDouble::MMMmultAdd(0x9, rows, cols, inner, 1.0, x.p, x.ld, y.p, y.ld, 0.0, to.p, to.ld, pm);
}

void Svd::Copy(Blas::LaPackMatTypeOptions part, long rows, long cols, Mat from, Mat to)
{
    LAPackDouble::Mcopy(part, rows, cols, from.p, from.ld, to.p, to.ld);
}

OverALayout LayoutOverA(Svd const& sv)
{
    long const k = sv.k, lda = sv.A.ld, lwork = sv.lwork, base = std::max(sv.wrkbl, lda * sv.n + k);
    bool const tall = sv.m >= sv.n;
    OverALayout l{1, k, lda, tall ? lda : sv.n, 0};
    if (lwork >= base + lda * k) {
        l.ldwrkr = lda;
    } else if (lwork < base + k * k) {
        // As many rows (tall) or columns (wide) as the rest of the array holds.
        l.chunk = (lwork - k * k - k) / k;
        l.ldwrku = tall ? l.chunk : sv.m;
    }
    l.itau = l.ir + l.ldwrkr * k;
    return l;
}

WorkLayout LayoutOne(Svd const& sv)
{
    long const k = sv.k, lda = sv.A.ld;
    long const ld = sv.lwork >= sv.wrkbl + lda * k ? lda : k;
    return {1, ld, 0, 0, 1 + ld * k};
}

WorkLayout LayoutTwo(Svd const& sv)
{
    long const k = sv.k, lda = sv.A.ld, lwork = sv.lwork, wrkbl = sv.wrkbl;
    WorkLayout l{1, k, 0, k, 0};
    if (lwork >= wrkbl + 2 * lda * k) {
        l.ldwrku = lda;
        l.ldwrkr = lda;
    } else if (lwork >= wrkbl + (lda + k) * k) {
        l.ldwrku = lda;
    }
    l.ir = l.iu + l.ldwrku * k;
    l.itau = l.ir + l.ldwrkr * k;
    return l;
}

}  // namespace SvdDetail
