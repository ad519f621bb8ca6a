#pragma once
// The eigenvalues of the symmetric 2 x 2 matrix [a b; b c], shared by M2diag with and without its
// eigenvector, together with the intermediate values the eigenvector is built from.
#include <cmath>

namespace Eigen2Detail {

struct Roots {
    double rt1;        // the eigenvalue of larger absolute value
    double rt2;        // the other one
    double df;         // a - c
    double rt;         // sqrt((a - c)^2 + 4 b^2), without overflow
    double tb;         // 2 b
    double ab;         // |2 b|
    bool rt1Positive;  // whether rt1 was taken as 0.5 (sm + rt), also for sm = 0
};

// rt1 = 0.5 (sm + rt) for sm > 0 and 0.5 (sm - rt) for sm < 0, so that no cancellation takes place;
// rt2 follows from the determinant, formed from the factor of larger magnitude first.
inline Roots Solve(double a, double b, double c)
{
    Roots r;
    double const sm = a + c;
    r.df = a - c;
    double const adf = std::fabs(r.df);
    r.tb = b + b;
    r.ab = std::fabs(r.tb);
    bool const aLarger = std::fabs(a) > std::fabs(c);
    double const acmx = aLarger ? a : c;
    double const acmn = aLarger ? c : a;
    if (adf > r.ab) {
        double const q = r.ab / adf;
        r.rt = adf * std::sqrt(1.0 + q * q);
    } else if (adf < r.ab) {
        double const q = adf / r.ab;
        r.rt = r.ab * std::sqrt(1.0 + q * q);
    } else {
        r.rt = r.ab * std::sqrt(2.0);
    }
    if (sm < 0.0) {
        r.rt1 = 0.5 * (sm - r.rt);
        r.rt1Positive = false;
        r.rt2 = (acmx / r.rt1) * acmn - (b / r.rt1) * b;
    } else if (sm > 0.0) {
        r.rt1 = 0.5 * (sm + r.rt);
        r.rt1Positive = true;
        r.rt2 = (acmx / r.rt1) * acmn - (b / r.rt1) * b;
    } else {
        r.rt1 = 0.5 * r.rt;
        r.rt2 = -0.5 * r.rt;
        r.rt1Positive = true;
    }
    return r;
}

}  // namespace Eigen2Detail
