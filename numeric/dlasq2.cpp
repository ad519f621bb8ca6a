// BiDiagGetSvd (DLASQ2): the squared singular values of one unreduced bidiagonal block of order
// m >= 3 (not checked) from its qd array: the squared diagonal in qq(1..m), the squared
// off-diagonal in ee(1..m-1). They come out in q(1..m), unordered; e, qq and ee are overwritten.
// eps, tol2 and small2 are the driver's tolerances, sup an upper bound for the smallest eigenvalue
// and kend the index of the last minimum (0: none). Negligible entries are deflated at the bottom;
// parts of one or two elements are solved directly, longer ones by the dqds iteration, which may
// split a part and leave its upper half on a stack in e and ee to be resumed here.
#include <algorithm>

#include "numeric/BlasUtils.h"
#include "numeric/LAPackDouble.h"
#include "numeric/OneBased.h"
#include "numeric/QdPair.h"

namespace {

// Deflates negligible trailing entries of qq, ee into q while n > 2.
void DeflateBottom(long& n, OneBased<double> q, OneBased<double> qq, OneBased<double> ee,
                   double tol2, double small2, double& sup, long& kend)
{
    while (n > 2) {
        if (ee(n - 1) <= std::max(qq(n), small2) * tol2) {
            q(n) = qq(n);
            n -= 1;
            kend = std::min(kend, n);
            sup = std::min(qq(n), qq(n - 1));
            continue;
        }
        double const coupled = (qq(n) / (qq(n) + ee(n - 1) + qq(n - 1))) * qq(n - 1);
        if (!(ee(n - 2) <= std::max(small2, coupled) * tol2)) return;
        Dqds::TrailingPair(qq(n - 1), ee(n - 1), qq(n), 0.0, q(n - 1), q(n));
        n -= 2;
        kend = std::min(kend, n);
        sup = qq(n);
    }
}

}  // namespace

void LAPackDouble::BiDiagGetSvd(long m, double* qp, double* ep, double* qqp, double* eep,
                                double eps, double tol2, double small2, double& sup, long& kend)
{
    OneBased<double> const q{qp}, e{ep}, qq{qqp}, ee{eep};
    long n = m;
    long off = 0;
    long off1 = 1;
    double sigma = 0.0;
    long iconv = 0;
    long iphase = 2;
    DeflateBottom(n, q, qq, ee, tol2, small2, sup, kend);
    for (;;) {
        // the data of the current part are q, e in phase 1 and qq, ee in phase 2
        OneBased<double> const dq = iphase == 1 ? q : qq;
        OneBased<double> const de = iphase == 1 ? e : ee;
        if (n == 0) {
            if (off == 0) return;
            // resume the upper part that the last split left on the stack
            long const start = Blas::RoundDtoI(ee(off) > 0.0 ? ee(off) : -ee(off));
            iphase = ee(off) > 0.0 ? 1 : 2;
            sigma = e(off);
            n = off - start + 1;
            off1 = start;
            off = off1 - 1;
            if (n > 2) {
                OneBased<double> const rq = iphase == 1 ? q : qq;
                sup = std::min({rq(n + off), rq(n - 1 + off), rq(n - 2 + off)});
                kend = 0;
                iconv = -3;
            }
        } else if (n == 1) {
            q(off1) = dq(off1) + sigma;
            n = 0;
        } else if (n == 2) {
            Dqds::TrailingPair(dq(off + 1), de(off + 1), dq(off + 2), sigma, q(off + 1),
                               q(off + 2));
            n = 0;
        } else {
            BiDiagGetSvd(n, &q(off1), &e(off1), &qq(off1), &ee(off1), sup, sigma, kend, off, iphase,
                         iconv, eps, tol2, small2);
            // a resumed part has had its first sweep skipped; what remains of it starts normally
            iconv = 0;
            off1 = off + 1;
        }
    }
}
