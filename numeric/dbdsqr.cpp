// BiDiagGetSvd (DBDSQR): the singular value decomposition B = Q·S·Pᵀ of the n x n bidiagonal
// matrix B with diagonal d(1..n) and off-diagonal e(1..n-1), upper (uplo 0x4) or lower (0x2). On
// return d holds the singular values in decreasing order and e is destroyed; VT (n x ncvt,
// leading dimension ldvt) becomes Pᵀ·VT, U (nru x n, ldu) becomes U·Q and C (n x ncc, ldc) Qᵀ·C;
// a matrix whose count is 0 is not touched. The implicit zero-shift QR of Demmel and Kahan and
// shifted QR sweeps chase from the larger end of each unreduced block, with relative-accuracy
// convergence tests; each sweep's rotations, collected in work (4n-4 doubles), are applied to the
// vectors in one pass. Without vectors (and n > 1) dqds computes the values instead, with work of
// 2n doubles. Raises 23005 after more than 6·n² inner steps.
#include <algorithm>
#include <cmath>

#include "numeric/BlasConst.h"
#include "numeric/BlasDouble.h"
#include "numeric/LAPackDouble.h"
#include "numeric/OneBased.h"
#include "numeric/UStrNumer.h"
#include "numeric/Vswap.h"
#include "utilities/CustExcept.h"

namespace {

const char* const sourceName = "dbdsqr";

enum : short { LeftForward = 0x15, RightForward = 0x16, LeftBackward = 0x19, RightBackward = 0x1a };

class BiDiagQr {
public:
    BiDiagQr(long n, long ncvt, long nru, long ncc, double* d, double* e, double* vt, long ldvt,
             double* u, long ldu, double* c, long ldc, double* work)
        : n(n), ncvt(ncvt), nru(nru), ncc(ncc), d{d}, e{e}, w{work}, vt(vt), ldvt(ldvt), u(u),
          ldu(ldu), c(c), ldc(ldc), nm1(n - 1), nm12(2 * (n - 1)), nm13(3 * (n - 1)),
          eps(Blas::Constants(Blas::LaMachEps)), unfl(Blas::Constants(Blas::LaMachSafeMin)),
          tol(std::max(10.0, std::min(100.0, Blas::Power(eps, -0.125))) * eps)
    {
    }

    void Run(bool lower, Blas::UProgressMonitor& pm)
    {
        if (n > 1) {
            if (lower) RotateToUpper();
            SetThreshold();
        }
        pm.Start("DBDSQR", static_cast<short>((ncvt > 0) + (nru > 0) + (ncc > 0)), n, false);
        if (n > 1) Iterate(pm);
        MakeNonNegative();
        SortDecreasing();
        pm.Finish(false);
    }

private:
    double* VT(long i, long j) const { return vt + (i - 1) + (j - 1) * ldvt; }
    double* U(long i, long j) const { return u + (i - 1) + (j - 1) * ldu; }
    double* C(long i, long j) const { return c + (i - 1) + (j - 1) * ldc; }

    // Rotations from the left make a lower bidiagonal matrix upper; U and C take them.
    void RotateToUpper()
    {
        for (long i = 1; i <= n - 1; ++i) {
            double cs, sn, r;
            LAPackDouble::PlaneRot(d(i), e(i), cs, sn, r);
            d(i) = r;
            e(i) = sn * d(i + 1);
            d(i + 1) = cs * d(i + 1);
            w(i) = cs;
            w(nm1 + i) = sn;
        }
        if (nru > 0) LAPackDouble::RotateBlock(RightForward, nru, n, &w(1), &w(n), u, ldu);
        if (ncc > 0) LAPackDouble::RotateBlock(LeftForward, n, ncc, &w(1), &w(n), c, ldc);
    }

    // The absolute threshold below which an off-diagonal counts as zero: tol times a lower
    // estimate of the smallest singular value, not below 6·n²·unfl. The NaN-ignoring minimum and
    // maximum keep it finite, so that an off-diagonal set to zero always splits the matrix.
    void SetThreshold()
    {
        double sminoa = std::fabs(d(1));
        double mu = sminoa;
        for (long i = 2; i <= n && sminoa != 0.0; ++i) {
            mu = std::fabs(d(i)) * (mu / (mu + std::fabs(e(i - 1))));
            sminoa = std::fmin(sminoa, mu);
        }
        sminoa = sminoa / std::sqrt(static_cast<double>(n));
        thresh = std::fmax(tol * sminoa, static_cast<double>(maxitr * n * n) * unfl);
    }

    void Iterate(Blas::UProgressMonitor& pm)
    {
        long const maxit = maxitr * n * n;
        long iter = 0;
        long oldll = -1;
        long oldm = -1;
        long idir = 0;
        long j = 0;
        long m = n;
        while (m > 1) {
            if (iter > maxit) RaiseError(nmIterationLimit, sourceName, __LINE__);
            double smax;
            long ll = FindBlock(m, smax);
            if (ll == m) {
                // the bottom value has split off
                m -= 1;
                pm.Test(j);
                j += 1;
                continue;
            }
            if (ll == m - 1) {
                SolveTrailing2x2(m);
                m -= 2;
                pm.Test(j, 2);
                j += 2;
                continue;
            }
            if (ll > oldm || m < oldll) idir = std::fabs(d(ll)) >= std::fabs(d(m)) ? 1 : 2;
            double sminl = 0.0;
            if (idir == 1 ? ConvergedDown(ll, m, sminl) : ConvergedUp(ll, m, sminl)) continue;
            oldll = ll;
            oldm = m;
            double const shift = ChooseShift(ll, m, idir, sminl, smax);
            iter += m - ll;
            if (idir == 1) {
                if (shift == 0.0)
                    ZeroShiftDown(ll, m);
                else
                    ShiftedDown(ll, m, shift);
                UpdateVectorsDown(ll, m);
                if (std::fabs(e(m - 1)) <= thresh) e(m - 1) = 0.0;
            } else {
                if (shift == 0.0)
                    ZeroShiftUp(ll, m);
                else
                    ShiftedUp(ll, m, shift);
                UpdateVectorsUp(ll, m);
                if (std::fabs(e(ll)) <= thresh) e(ll) = 0.0;
            }
        }
    }

    // The top ll of the unreduced block that ends at m, an off-diagonal at or below the threshold
    // being set to zero; ll = m when e(m-1) is negligible. smax is the block's largest |d| or |e|.
    long FindBlock(long m, double& smax)
    {
        smax = std::fabs(d(m));
        for (long ll = m - 1; ll >= 1; --ll) {
            double const abse = std::fabs(e(ll));
            if (abse <= thresh) {
                e(ll) = 0.0;
                return ll + 1;
            }
            smax = std::max({smax, std::fabs(d(ll)), abse});
        }
        return 1;
    }

    void SolveTrailing2x2(long m)
    {
        double sigmn, sigmx, sinr, cosr, sinl, cosl;
        LAPackDouble::M2getSvd(d(m - 1), e(m - 1), d(m), sigmn, sigmx, sinr, cosr, sinl, cosl);
        d(m - 1) = sigmx;
        e(m - 1) = 0.0;
        d(m) = sigmn;
        if (ncvt > 0) BlasDouble::Vrotate(ncvt, VT(m - 1, 1), ldvt, VT(m, 1), ldvt, cosr, sinr);
        if (nru > 0) BlasDouble::Vrotate(nru, U(1, m - 1), 1, U(1, m), 1, cosl, sinl);
        if (ncc > 0) BlasDouble::Vrotate(ncc, C(m - 1, 1), ldc, C(m, 1), ldc, cosl, sinl);
    }

    // The convergence tests from the top down: a negligible e is set to zero (true then); else
    // sminl is the estimate of the smallest singular value that the recurrence leaves.
    bool ConvergedDown(long ll, long m, double& sminl)
    {
        if (std::fabs(e(m - 1)) <= tol * std::fabs(d(m))) {
            e(m - 1) = 0.0;
            return true;
        }
        double mu = std::fabs(d(ll));
        sminl = mu;
        for (long l = ll; l <= m - 1; ++l) {
            if (std::fabs(e(l)) <= tol * mu) {
                e(l) = 0.0;
                return true;
            }
            mu = std::fabs(d(l + 1)) * (mu / (mu + std::fabs(e(l))));
            sminl = std::min(sminl, mu);
        }
        return false;
    }

    bool ConvergedUp(long ll, long m, double& sminl)
    {
        if (std::fabs(e(ll)) <= tol * std::fabs(d(ll))) {
            e(ll) = 0.0;
            return true;
        }
        double mu = std::fabs(d(m));
        sminl = mu;
        for (long l = m - 1; l >= ll; --l) {
            if (std::fabs(e(l)) <= tol * mu) {
                e(l) = 0.0;
                return true;
            }
            mu = std::fabs(d(l)) * (mu / (mu + std::fabs(e(l))));
            sminl = std::min(sminl, mu);
        }
        return false;
    }

    // Zero when a shift would spoil the relative accuracy or is negligible; else the smaller
    // singular value of the 2 x 2 at the end away from which the chase runs.
    double ChooseShift(long ll, long m, long idir, double sminl, double smax) const
    {
        if (static_cast<double>(n) * tol * (sminl / smax) <= std::max(eps, 0.01 * tol)) return 0.0;
        double shift, r, sll;
        if (idir == 1) {
            sll = std::fabs(d(ll));
            LAPackDouble::M2getSvd(d(m - 1), e(m - 1), d(m), shift, r);
        } else {
            sll = std::fabs(d(m));
            LAPackDouble::M2getSvd(d(ll), e(ll), d(ll + 1), shift, r);
        }
        if (sll > 0.0 && (shift / sll) * (shift / sll) < eps) shift = 0.0;
        return shift;
    }

    void SaveRotations(long irot, double cr, double sr, double cl, double sl)
    {
        w(irot) = cr;
        w(irot + nm1) = sr;
        w(irot + nm12) = cl;
        w(irot + nm13) = sl;
    }

    void ZeroShiftDown(long ll, long m)
    {
        double cs = 1.0, sn = 0.0, oldcs = 1.0, oldsn = 0.0, r;
        for (long i = ll; i <= m - 1; ++i) {
            LAPackDouble::PlaneRot(d(i) * cs, e(i), cs, sn, r);
            if (i > ll) e(i - 1) = oldsn * r;
            LAPackDouble::PlaneRot(oldcs * r, d(i + 1) * sn, oldcs, oldsn, d(i));
            SaveRotations(i - ll + 1, cs, sn, oldcs, oldsn);
        }
        double const h = d(m) * cs;
        d(m) = h * oldcs;
        e(m - 1) = h * oldsn;
    }

    void ZeroShiftUp(long ll, long m)
    {
        double cs = 1.0, sn = 0.0, oldcs = 1.0, oldsn = 0.0, r;
        for (long i = m; i >= ll + 1; --i) {
            LAPackDouble::PlaneRot(d(i) * cs, e(i - 1), cs, sn, r);
            if (i < m) e(i) = oldsn * r;
            LAPackDouble::PlaneRot(oldcs * r, d(i - 1) * sn, oldcs, oldsn, d(i));
            SaveRotations(i - ll, cs, -sn, oldcs, -oldsn);
        }
        double const h = d(ll) * cs;
        d(ll) = h * oldcs;
        e(ll) = h * oldsn;
    }

    void ShiftedDown(long ll, long m, double shift)
    {
        double f = (std::fabs(d(ll)) - shift) * (Blas::SignTransfer(1.0, d(ll)) + shift / d(ll));
        double g = e(ll);
        for (long i = ll; i <= m - 1; ++i) {
            double cosr, sinr, cosl, sinl, r;
            LAPackDouble::PlaneRot(f, g, cosr, sinr, r);
            if (i > ll) e(i - 1) = r;
            f = cosr * d(i) + sinr * e(i);
            e(i) = cosr * e(i) - sinr * d(i);
            g = sinr * d(i + 1);
            d(i + 1) = cosr * d(i + 1);
            LAPackDouble::PlaneRot(f, g, cosl, sinl, r);
            d(i) = r;
            f = cosl * e(i) + sinl * d(i + 1);
            d(i + 1) = cosl * d(i + 1) - sinl * e(i);
            if (i < m - 1) {
                g = sinl * e(i + 1);
                e(i + 1) = cosl * e(i + 1);
            }
            SaveRotations(i - ll + 1, cosr, sinr, cosl, sinl);
        }
        e(m - 1) = f;
    }

    void ShiftedUp(long ll, long m, double shift)
    {
        double f = (std::fabs(d(m)) - shift) * (Blas::SignTransfer(1.0, d(m)) + shift / d(m));
        double g = e(m - 1);
        for (long i = m; i >= ll + 1; --i) {
            double cosr, sinr, cosl, sinl, r;
            LAPackDouble::PlaneRot(f, g, cosr, sinr, r);
            if (i < m) e(i) = r;
            f = cosr * d(i) + sinr * e(i - 1);
            e(i - 1) = cosr * e(i - 1) - sinr * d(i);
            g = sinr * d(i - 1);
            d(i - 1) = cosr * d(i - 1);
            LAPackDouble::PlaneRot(f, g, cosl, sinl, r);
            d(i) = r;
            f = cosl * e(i - 1) + sinl * d(i - 1);
            d(i - 1) = cosl * d(i - 1) - sinl * e(i - 1);
            if (i > ll + 1) {
                g = sinl * e(i - 2);
                e(i - 2) = cosl * e(i - 2);
            }
            SaveRotations(i - ll, cosr, -sinr, cosl, -sinl);
        }
        e(ll) = f;
    }

    // A sweep from the top takes its right rotations into VT and its left ones into U and C.
    void UpdateVectorsDown(long ll, long m)
    {
        long const len = m - ll + 1;
        if (ncvt > 0)
            LAPackDouble::RotateBlock(LeftForward, len, ncvt, &w(1), &w(n), VT(ll, 1), ldvt);
        if (nru > 0)
            LAPackDouble::RotateBlock(RightForward, nru, len, &w(nm12 + 1), &w(nm13 + 1), U(1, ll),
                                      ldu);
        if (ncc > 0)
            LAPackDouble::RotateBlock(LeftForward, len, ncc, &w(nm12 + 1), &w(nm13 + 1), C(ll, 1),
                                      ldc);
    }

    // A sweep from the bottom: the roles of the two rotation sets change.
    void UpdateVectorsUp(long ll, long m)
    {
        long const len = m - ll + 1;
        if (ncvt > 0)
            LAPackDouble::RotateBlock(LeftBackward, len, ncvt, &w(nm12 + 1), &w(nm13 + 1),
                                      VT(ll, 1), ldvt);
        if (nru > 0)
            LAPackDouble::RotateBlock(RightBackward, nru, len, &w(1), &w(n), U(1, ll), ldu);
        if (ncc > 0) LAPackDouble::RotateBlock(LeftBackward, len, ncc, &w(1), &w(n), C(ll, 1), ldc);
    }

    void MakeNonNegative()
    {
        for (long i = 1; i <= n; ++i) {
            if (d(i) < 0.0) {
                d(i) = -d(i);
                if (ncvt > 0) BlasDouble::Vscale(ncvt, -1.0, VT(i, 1), ldvt);
            }
        }
    }

    // Selection sort, one exchange per position, so each vector moves at most once.
    void SortDecreasing()
    {
        for (long i = 1; i <= n - 1; ++i) {
            long const last = n + 1 - i;
            long isub = 1;
            double smin = d(1);
            for (long k = 2; k <= last; ++k) {
                if (d(k) <= smin) {
                    isub = k;
                    smin = d(k);
                }
            }
            if (isub == last) continue;
            d(isub) = d(last);
            d(last) = smin;
            if (ncvt > 0) Vswap(ncvt, VT(isub, 1), ldvt, VT(last, 1), ldvt);
            if (nru > 0) Vswap(nru, U(1, isub), 1, U(1, last), 1);
            if (ncc > 0) Vswap(ncc, C(isub, 1), ldc, C(last, 1), ldc);
        }
    }

    static constexpr long maxitr = 6;
    long const n, ncvt, nru, ncc;
    OneBased<double> const d, e, w;
    double* const vt;
    long const ldvt;
    double* const u;
    long const ldu;
    double* const c;
    long const ldc;
    long const nm1, nm12, nm13;  // offsets of the four rotation blocks in work
    double const eps, unfl, tol;
    double thresh = 0.0;
};

}  // namespace

void LAPackDouble::BiDiagGetSvd(Blas::LaPackMatTypeOptions uplo, long n, long ncvt, long nru,
                                long ncc, double* d, double* e, double* vt, long ldvt, double* u,
                                long ldu, double* c, long ldc, double* work,
                                Blas::UProgressMonitor& pm)
{
    Blas::CheckOptions(static_cast<short>(uplo), {Blas::LaMatLower | Blas::LaMatUpper}, sourceName,
                       __LINE__);
    bool const valid = n >= 0 && ncvt >= 0 && nru >= 0 && ncc >= 0 &&
                       (ncvt == 0 ? ldvt >= 1 : Blas::LeadDimValid(ldvt, n)) &&
                       Blas::LeadDimValid(ldu, nru) &&
                       (ncc == 0 ? ldc >= 1 : Blas::LeadDimValid(ldc, n));
    Blas::CheckArgument(valid, sourceName, __LINE__);
    if (n == 0) return;
    if (n > 1 && ncvt == 0 && nru == 0 && ncc == 0) {
        BiDiagGetSvd(n, d, e, work, pm);
        return;
    }
    BiDiagQr(n, ncvt, nru, ncc, d, e, vt, ldvt, u, ldu, c, ldc, work)
        .Run(uplo == Blas::LaMatLower, pm);
}
