// M2getSvd (DLASV2): the singular value decomposition of the 2 x 2 upper triangular matrix
// [f g; 0 h]: [csl snl; -snl csl]·[f g; 0 h]·[csr -snr; snr csr] = diag(ssmax, ssmin), with
// |ssmax| >= |ssmin| the singular values and (csl, snl), (csr, snr) the left and right singular
// vectors of |ssmax|. The signs of ssmax and ssmin follow the library's sign transfer, so a zero
// ssmin may come out as -0.0.
#include <cmath>
#include <utility>

#include "numeric/BlasConst.h"
#include "numeric/LAPackDouble.h"

namespace {

// The rotations of the matrix with |ft| >= |ht|, left (clt, slt) and right (crt, srt).
struct Rotations {
    double clt, slt, crt, srt;
};

// |g| so large that |f|/|g| is below eps: the rotations and values follow from first-order terms.
Rotations LargeG(double ft, double fa, double gt, double ga, double ht, double ha, double& ssmin,
                 double& ssmax)
{
    ssmax = ga;
    ssmin = ha > 1.0 ? fa / (ga / ha) : (fa / ga) * ha;
    return {1.0, ht / gt, ft / gt, 1.0};
}

// The general case, with 0 <= l = (fa - ha)/fa <= 1 and |m| = |g/f| <= 1/eps.
Rotations General(double ft, double fa, double gt, double ht, double ha, double& ssmin,
                  double& ssmax)
{
    double const d = fa - ha;
    double l = d == fa ? 1.0 : d / fa;  // d == fa copes with an infinite f or h
    double const m = gt / ft;
    double t = 2.0 - l;
    double const mm = m * m;
    double const tt = t * t;
    double const s = std::sqrt(tt + mm);
    double const r = l == 0.0 ? std::fabs(m) : std::sqrt(l * l + mm);
    double const a = 0.5 * (s + r);
    ssmin = ha / a;
    ssmax = fa * a;
    if (mm == 0.0) {
        // m is so tiny that its square underflowed
        if (l == 0.0)
            t = Blas::SignTransfer(2.0, ft) * Blas::SignTransfer(1.0, gt);
        else
            t = gt / Blas::SignTransfer(d, ft) + m / t;
    } else {
        t = (m / (s + t) + m / (r + l)) * (1.0 + a);
    }
    l = std::sqrt(t * t + 4.0);
    Rotations rot;
    rot.crt = 2.0 / l;
    rot.srt = t / l;
    rot.clt = (rot.crt + rot.srt * m) / a;
    rot.slt = (ht / ft) * rot.srt / a;
    return rot;
}

}  // namespace

void LAPackDouble::M2getSvd(double f, double g, double h, double& ssmin, double& ssmax, double& snr,
                            double& csr, double& snl, double& csl)
{
    double ft = f;
    double fa = std::fabs(f);
    double ht = h;
    double ha = std::fabs(h);
    // pmax names the element of largest magnitude: 1 f, 2 g, 3 h
    int pmax = 1;
    bool const swap = ha > fa;
    if (swap) {
        pmax = 3;
        std::swap(ft, ht);
        std::swap(fa, ha);
    }
    double const gt = g;
    double const ga = std::fabs(g);
    Rotations rot;
    if (ga == 0.0) {
        ssmin = ha;
        ssmax = fa;
        rot = {1.0, 0.0, 1.0, 0.0};
    } else {
        if (ga > fa) pmax = 2;
        if (ga > fa && fa / ga < Blas::Constants(Blas::LaMachEps))
            rot = LargeG(ft, fa, gt, ga, ht, ha, ssmin, ssmax);
        else
            rot = General(ft, fa, gt, ht, ha, ssmin, ssmax);
    }
    if (swap) {
        csl = rot.srt;
        snl = rot.crt;
        csr = rot.slt;
        snr = rot.clt;
    } else {
        csl = rot.clt;
        snl = rot.slt;
        csr = rot.crt;
        snr = rot.srt;
    }
    double tsign;
    if (pmax == 1)
        tsign = Blas::SignTransfer(1.0, csr) * Blas::SignTransfer(1.0, csl) *
                Blas::SignTransfer(1.0, f);
    else if (pmax == 2)
        tsign = Blas::SignTransfer(1.0, snr) * Blas::SignTransfer(1.0, csl) *
                Blas::SignTransfer(1.0, g);
    else
        tsign = Blas::SignTransfer(1.0, snr) * Blas::SignTransfer(1.0, snl) *
                Blas::SignTransfer(1.0, h);
    ssmax = Blas::SignTransfer(ssmax, tsign);
    ssmin =
        Blas::SignTransfer(ssmin, tsign * Blas::SignTransfer(1.0, f) * Blas::SignTransfer(1.0, h));
}
