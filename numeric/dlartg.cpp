// PlaneRot (DLARTG): the plane rotation [cs sn; -sn cs] that takes (f, g) to (r, 0). Arguments
// outside [safmn2, safmx2] are rescaled by powers of the base first, so the sum of squares neither
// overflows nor underflows harmfully. When |f| > |g|, cs is made positive. An infinite f or g
// (with the other one non-zero) gives NaN in cs, sn and r, since no rescaling would bring it into
// range.
#include <cmath>
#include <limits>

#include "numeric/BlasConst.h"
#include "numeric/LAPackDouble.h"
#include "utilities/UMatVec.h"

void LAPackDouble::PlaneRot(double f, double g, double& cs, double& sn, double& r)
{
    static bool first = true;
    static double safmin = 0.0;
    static double eps = 0.0;
    static double safmn2 = 0.0;
    static double safmx2 = 0.0;
    if (first) {
        first = false;
        safmin = Blas::Constants(Blas::LaMachSafeMin);
        eps = Blas::Constants(Blas::LaMachEps);
        safmn2 = Blas::Constants(Blas::LaMachBase);
        long const p = static_cast<long>(std::log(safmin / eps) / std::log(safmn2) / 2.0);
        safmn2 = Blas::Power(safmn2, p);
        safmx2 = 1.0 / safmn2;
    }
    if (g == 0.0) {
        cs = 1.0;
        sn = 0.0;
        r = f;
        return;
    }
    if (f == 0.0) {
        cs = 0.0;
        sn = 1.0;
        r = g;
        return;
    }
    double fs = f, gs = g;
    double scale = Max(std::fabs(fs), std::fabs(gs));
    if (std::isinf(scale)) {
        cs = sn = r = std::numeric_limits<double>::quiet_NaN();
        return;
    }
    long count = 0;
    double undo = 1.0;
    if (scale >= safmx2) {
        do {
            ++count;
            fs = fs * safmn2;
            gs = gs * safmn2;
            scale = Max(std::fabs(fs), std::fabs(gs));
        } while (scale >= safmx2);
        undo = safmx2;
    } else if (scale <= safmn2) {
        do {
            ++count;
            fs = fs * safmx2;
            gs = gs * safmx2;
            scale = Max(std::fabs(fs), std::fabs(gs));
        } while (scale <= safmn2);
        undo = safmn2;
    }
    r = std::sqrt(fs * fs + gs * gs);
    cs = fs / r;
    sn = gs / r;
    for (long i = 0; i < count; ++i) r = r * undo;
    if (std::fabs(f) > std::fabs(g) && cs < 0.0) {
        cs = -cs;
        sn = -sn;
        r = -r;
    }
}
