#pragma once
// The two eigenvalues of the trailing 2 x 2 of a qd array, shared by the dqds block routine and its
// iteration: with q1 = q(n-1), e1 = e(n-1), q2 = q(n), big and small (each plus the shift sigma)
// are the eigenvalues of the matrix [q1, sqrt(q1·e1); sqrt(q1·e1), q2 + e1]. The larger one is
// formed around the largest of q1, q2, e1 so nothing overflows; the smaller one from the product of
// the two as max(q1, q2)/big·min(q1, q2). All zero gives zeros.
#include <algorithm>
#include <cmath>

namespace Dqds {

inline void TrailingPair(double q1, double e1, double q2, double sigma, double& big, double& small)
{
    double const qemax = std::max({q2, q1, e1});
    double xx = 0.0;
    double yy = 0.0;
    if (qemax != 0.0) {
        double diff, cross;
        if (qemax == q1) {
            diff = (q2 - q1 + e1) / qemax;
            cross = 4.0 * e1 / qemax;
        } else if (qemax == q2) {
            diff = (q1 - q2 + e1) / qemax;
            cross = 4.0 * e1 / qemax;
        } else {
            diff = (q2 - q1 + e1) / qemax;
            cross = 4.0 * q1 / qemax;
        }
        xx = 0.5 * (q2 + q1 + e1 + qemax * std::sqrt(diff * diff + cross));
        yy = (std::max(q2, q1) / xx) * std::min(q2, q1);
    }
    big = sigma + xx;
    small = yy + sigma;
}

}  // namespace Dqds
