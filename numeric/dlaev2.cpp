// M2diag (DLAEV2, 7 arguments): the eigenvalues of the symmetric 2 x 2 matrix [a b; b c] as the
// 5-argument form gives them, and the unit right eigenvector (cs1, sn1) of rt1, so that
// [cs1 sn1; -sn1 cs1] * [a b; b c] * [cs1 -sn1; sn1 cs1] = [rt1 0; 0 rt2]. Nothing is checked.
#include <cmath>

#include "numeric/Eigen2Kernel.h"
#include "numeric/LAPackDouble.h"

void LAPackDouble::M2diag(double a, double b, double c, double& rt1, double& rt2, double& cs1,
                          double& sn1)
{
    Eigen2Detail::Roots const r = Eigen2Detail::Solve(a, b, c);
    rt1 = r.rt1;
    rt2 = r.rt2;

    // The larger of the two candidate components avoids cancellation.
    bool const dfPositive = r.df >= 0.0;
    double const cs = dfPositive ? r.df + r.rt : r.df - r.rt;
    if (std::fabs(cs) > r.ab) {
        double const ct = -r.tb / cs;
        sn1 = 1.0 / std::sqrt(1.0 + ct * ct);
        cs1 = ct * sn1;
    } else if (r.ab == 0.0) {
        cs1 = 1.0;
        sn1 = 0.0;
    } else {
        double const tn = -cs / r.tb;
        cs1 = 1.0 / std::sqrt(1.0 + tn * tn);
        sn1 = tn * cs1;
    }
    // That vector belongs to rt2 when the two signs agree: turn it by a right angle.
    if (r.rt1Positive == dfPositive) {
        double const tn = cs1;
        cs1 = -sn1;
        sn1 = tn;
    }
}
