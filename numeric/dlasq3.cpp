// BiDiagGetSvd (DLASQ3): the dqd/dqds iteration on one part of n >= 3 elements (not checked) of a
// qd array. The data are in q, e (iphase 1) or qq, ee (iphase 2); each sweep writes the other pair
// and switches the phase. sigma accumulates the shifts, sup bounds the smallest eigenvalue, kend is
// the index of the last sweep's minimum (0: none) and off the part's offset in its block. Values
// that deflate at the bottom are stored, shift added, in q(n) (and q(n-1)), and n shrinks; the call
// returns once n <= 2, or when the part splits: then the upper part's sigma goes to e(ks) and its
// start, signed by where its data lie (+ for q, e), to ee(ks), and n, off and kend describe the
// lower part. iconv = -3 resumes an upper part, skipping the first sweep. Raises 23014 when the
// steps since the last deflation exceed 100 per element.
#include <algorithm>
#include <cmath>

#include "numeric/LAPackDouble.h"
#include "numeric/OneBased.h"
#include "numeric/QdPair.h"
#include "numeric/UStrNumer.h"
#include "utilities/CustExcept.h"
#include "utilities/UMatVec.h"

namespace {

struct QdPairArrays {
    OneBased<double> q, e;
};

class DqdsIteration {
public:
    DqdsIteration(long& n, double* q, double* e, double* qq, double* ee, double& sup, double& sigma,
                  long& kend, long& off, long& iphase, long iconv, double eps, double tol2,
                  double small2)
        : n(n), q{q}, e{e}, qq{qq}, ee{ee}, sup(sup), sigma(sigma), kend(kend), off(off),
          iphase(iphase), iconv(iconv), eps(eps), tol2(tol2), small2(small2), dm(sup),
          tolx(sigma * tol2), tolz(std::max(small2, sigma) * tol2), maxit(100 * n)
    {
    }

    void Run()
    {
        Flip();
        bool sweep = iconv != -3;
        for (;;) {
            if (sweep) Sweep();
            sweep = true;
            tolx = sigma * tol2;
            toly = sigma * eps;
            tolz = std::max(sigma, small2) * tol2;
            Deflate();
            if (n <= 2) return;
            UpdateBounds();
            if (Split()) return;
            RestartAfterZeroShift();
            iconv = 0;
        }
    }

private:
    QdPairArrays Data() const { return iphase == 1 ? QdPairArrays{q, e} : QdPairArrays{qq, ee}; }
    QdPairArrays Other() const { return iphase == 1 ? QdPairArrays{qq, ee} : QdPairArrays{q, e}; }

    // Reverses the part into the other pair when its values mostly decrease downwards, so that the
    // iteration chases towards the small end.
    void Flip()
    {
        if (n <= 3) return;
        QdPairArrays const d = Data();
        long ic = 2;
        for (long i = 1; i <= n - 2; ++i) {
            if (d.q(i) > d.q(i + 1)) ++ic;
            if (d.e(i) > d.e(i + 1)) ++ic;
        }
        if (d.q(n - 1) > d.q(n)) ++ic;
        if (ic >= n) return;
        QdPairArrays const t = Other();
        Vcopy(n, &d.q(1), 1, &t.q(1), -1);
        Vcopy(n - 1, &d.e(1), 1, &t.e(1), -1);
        if (kend != 0) kend = n - kend + 1;
        iphase = 3 - iphase;
    }

    // The shift of the next sweep: the shift routine on a window around the last minimum.
    double ChooseShift()
    {
        if (kend == 0 || sup == 0.0) return 0.0;
        if (icnt > 0 && dm <= tolz) return 0.0;
        long const ip = std::max(5L, n / 32);
        long n1 = 1;
        long n2 = 2 * ip + 1;
        if (n2 >= n)
            n2 = n;
        else if (kend + ip > n)
            n1 = n - 2 * ip;
        else if (kend - ip >= 1)
            n1 = kend - ip;
        double shift;
        QdPairArrays const d = Data();
        LAPackDouble::BiDiagGetSvd(n2, &d.q(n1), &d.e(n1), shift, sup);
        return shift;
    }

    // One dqds (dqd for tau = 0) pass from s into t; false when it went negative. d is the last
    // value reached; dm, ke, k1end and k2end record the minimum.
    bool TrySweep(QdPairArrays s, QdPairArrays t, double& d)
    {
        bool const shifted = tau != 0.0;
        d = s.q(1) - tau;
        dm = d;
        ke = 0;
        if (shifted && d < 0.0) return false;
        for (long i = 1; i <= n - 3; ++i) {
            t.q(i) = d + s.e(i);
            d = (d / t.q(i)) * s.q(i + 1) - tau;
            if (dm > d) {
                dm = d;
                ke = i;
                if (shifted && d < 0.0) return false;
            }
        }
        ke += 1;
        k2end = ke;
        t.q(n - 2) = d + s.e(n - 2);
        d = (d / t.q(n - 2)) * s.q(n - 1) - tau;
        if (dm > d) {
            dm = d;
            ke = n - 1;
            if (shifted && d < 0.0) return false;
        }
        k1end = ke;
        t.q(n - 1) = d + s.e(n - 1);
        d = (d / t.q(n - 1)) * s.q(n) - tau;
        if (dm > d) {
            dm = d;
            ke = n;
        }
        t.q(n) = d;
        if (std::fabs(t.q(n)) <= sigma * tol2) {
            t.q(n) = 0.0;
            dm = 0.0;
            ke = n;
        }
        return !(t.q(n) < 0.0);
    }

    // A sweep with a new shift, retried with smaller shifts while it fails; then the new
    // off-diagonal, the shift taken into sigma and the phase switched.
    void Sweep()
    {
        long ifl = 0;
        tau = ChooseShift();
        QdPairArrays const s = Data();
        QdPairArrays const t = Other();
        for (;;) {
            icnt += 1;
            if (icnt > maxit) RaiseError(nmConvergenceFailure, "dlasq3", __LINE__);
            double d;
            if (TrySweep(s, t, d)) break;
            ifl += 1;
            sup = tau;
            if (sup <= tolz || ifl >= 2) {
                tau = 0.0;
            } else {
                tau = std::max(tau + d, 0.0);
                if (tau <= tolz) tau = 0.0;
            }
        }
        for (long i = 1; i <= n - 1; ++i) t.e(i) = (s.e(i) / t.q(i)) * s.q(i + 1);
        sigma += tau;
        iphase = 3 - iphase;
    }

    // The relative test of an off-diagonal ej against its diagonal qj: a 1 x 1 deflation at the
    // bottom, or a split at the top.
    bool Negligible(double ej, double qj) const
    {
        if (ej <= tolz) return true;
        if (sigma > 0.0)
            return ej <= eps * (sigma + qj) && ej * (qj / (qj + sigma)) <= tol2 * (qj + sigma);
        return ej <= qj * tol2;
    }

    // The test of e2 that decouples a 2 x 2 whose other off-diagonal is e1: a, b, c are the
    // diagonals that the published tests take at the bottom (q(n), q(n-1), q(n-1)) and at the top
    // (q(1), q(1), q(2)).
    bool PairNegligible(double e2, double e1, double a, double b, double c) const
    {
        if (e2 <= tolz) return true;
        if (sigma > 0.0) {
            double const t1 = sigma + e1 * (sigma / (sigma + a));
            return e2 * (t1 / (b + t1)) <= toly && e2 * (b / (b + t1)) <= tolx;
        }
        return e2 <= (a / (a + e1 + c)) * c * tol2;
    }

    void Deflate()
    {
        while (n > 2) {
            QdPairArrays const d = Data();
            if (Negligible(d.e(n - 1), d.q(n))) {
                q(n) = d.q(n) + sigma;
                n -= 1;
                iconv += 1;
            } else if (PairNegligible(d.e(n - 2), d.e(n - 1), d.q(n), d.q(n - 1), d.q(n - 1))) {
                Dqds::TrailingPair(d.q(n - 1), d.e(n - 1), d.q(n), sigma, q(n - 1), q(n));
                n -= 2;
                iconv += 2;
            } else {
                return;
            }
        }
    }

    void UpdateBounds()
    {
        QdPairArrays const d = Data();
        if (iconv == 0) {
            kend = ke;
            sup = std::min(dm, sup - tau);
        } else if (iconv > 0) {
            sup = std::min({d.q(n), d.q(n - 1), d.q(n - 2), d.q(1), d.q(2), d.q(3)});
            kend = iconv == 1 ? k1end : iconv == 2 ? k2end : n;
            icnt = 0;
            maxit = 100 * n;
        }
    }

    // Looks for a negligible off-diagonal from the bottom up; on a split pushes the upper part.
    bool Split()
    {
        QdPairArrays const d = Data();
        long ks = 0;
        for (long k = n - 3; k >= 3 && ks == 0; --k) {
            double const qmin = std::min(d.q(k + 1), d.q(k));
            if (d.e(k) <= toly && d.e(k) * (qmin / (qmin + sigma)) <= tolx) ks = k;
        }
        if (ks == 0 && PairNegligible(d.e(2), d.e(1), d.q(1), d.q(1), d.q(2))) ks = 2;
        if (ks == 0 && Negligible(d.e(1), d.q(1))) ks = 1;
        if (ks == 0) return false;
        sup = std::min({d.q(n), d.q(n - 1), d.q(n - 2)});
        double const start = static_cast<double>(off + 1);
        off += ks;
        n -= ks;
        kend = std::max(1L, kend - ks);
        e(ks) = sigma;
        ee(ks) = iphase == 1 ? start : -start;
        return true;
    }

    // After a zero shift whose minimum is negligible above the bottom, the part is set up anew
    // from the sweep's input, with a zero at the bottom.
    void RestartAfterZeroShift()
    {
        if (!(tau == 0.0 && dm <= tolz && kend != n && iconv == 0 && icnt > 0)) return;
        QdPairArrays const s = Other();
        QdPairArrays const t = Data();
        Vcopy(n - ke, &s.e(ke), 1, &t.q(ke), 1);
        t.q(n) = 0.0;
        Vcopy(n - ke, &s.q(ke + 1), 1, &t.e(ke), 1);
        sup = 0.0;
    }

    long& n;
    OneBased<double> const q, e, qq, ee;
    double& sup;
    double& sigma;
    long& kend;
    long& off;
    long& iphase;
    long iconv;
    double const eps, tol2, small2;
    double dm;
    double tolx, toly = 0.0, tolz;
    double tau = 0.0;
    long icnt = 0;
    long maxit;
    // the minimum of the last sweep and its indices before the last two steps (0: none yet)
    long ke = 0, k1end = 0, k2end = 0;
};

}  // namespace

void LAPackDouble::BiDiagGetSvd(long& n, double* q, double* e, double* qq, double* ee, double& sup,
                                double& sigma, long& kend, long& off, long& iphase, long iconv,
                                double eps, double tol2, double small2)
{
    DqdsIteration(n, q, e, qq, ee, sup, sigma, kend, off, iphase, iconv, eps, tol2, small2).Run();
}
