// M2getSvd (DLAS2): the singular values ssmin <= ssmax of the 2 x 2 upper triangular matrix
// [f g; 0 h], both non-negative. The formulas avoid overflow unless ssmax itself overflows and stay
// accurate to a few ulps; a g so large that max(|f|, |h|)/|g| underflows is treated on its own.
#include <cmath>

#include "numeric/LAPackDouble.h"

void LAPackDouble::M2getSvd(double f, double g, double h, double& ssmin, double& ssmax)
{
    double const fa = std::fabs(f);
    double const ga = std::fabs(g);
    double const ha = std::fabs(h);
    double const fhmn = fa < ha ? fa : ha;
    double const fhmx = fa > ha ? fa : ha;
    if (fhmn == 0.0) {
        ssmin = 0.0;
        if (fhmx == 0.0) {
            ssmax = ga;
        } else {
            double const big = fhmx > ga ? fhmx : ga;
            double const ratio = (fhmx < ga ? fhmx : ga) / big;
            ssmax = big * std::sqrt(1.0 + ratio * ratio);
        }
        return;
    }
    if (ga < fhmx) {
        double const as = 1.0 + fhmn / fhmx;
        double const at = (fhmx - fhmn) / fhmx;
        double const au = (ga / fhmx) * (ga / fhmx);
        double const c = 2.0 / (std::sqrt(as * as + au) + std::sqrt(at * at + au));
        ssmin = fhmn * c;
        ssmax = fhmx / c;
        return;
    }
    double const au = fhmx / ga;
    if (au == 0.0) {
        // fhmx/ga underflowed, yet ssmin itself need not underflow.
        ssmin = (fhmn * fhmx) / ga;
        ssmax = ga;
        return;
    }
    double const as = 1.0 + fhmn / fhmx;
    double const at = (fhmx - fhmn) / fhmx;
    double const c =
        1.0 / (std::sqrt(1.0 + (as * au) * (as * au)) + std::sqrt(1.0 + (at * au) * (at * au)));
    ssmin = (fhmn * c) * au;
    ssmin = ssmin + ssmin;
    ssmax = ga / (c + c);
}
