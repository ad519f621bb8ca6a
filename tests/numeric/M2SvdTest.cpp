// The 2 x 2 singular value routines: the defining identity of the decomposition over a table of
// hard cases, the reference LAPACK's dlas2 and dlasv2 to about an ulp, and the library's sign rule.
#include <cmath>
#include <limits>

#include "numeric/LAPackDouble.h"
#include "tests/numeric/OracleSupport.h"
#include "tests/numeric/RefLapackSvd.h"

using namespace oracle;

namespace {

double const eps = std::numeric_limits<double>::epsilon();
double const tiny = std::numeric_limits<double>::denorm_min();
double const inf = std::numeric_limits<double>::infinity();

struct Triangle {
    double f, g, h;
};

// Zeros, g dominant, huge and tiny ratios, subnormals and every sign pattern.
std::vector<Triangle> Table()
{
    std::vector<Triangle> t = {{0, 0, 0},
                               {1, 0, 0},
                               {0, 1, 0},
                               {0, 0, 1},
                               {3, 4, 0},
                               {0, 4, 3},
                               {1, 1, 0},
                               {0, 1, 1},
                               {2, 0, -3},
                               {-5, 0, 2},
                               {1, 1, 1},
                               {1, 1e-8, 1},
                               {1, -1, 1},
                               {2, 1, 2},
                               {1, 1e20, 1},
                               {1e-10, 1, 1e-10},
                               {1, 1e17, 2},
                               {-1, 1e16, 1e-5},
                               {3, 1e15, -7},
                               {1e300, 1e-300, 1e-300},
                               {1e-300, 1, 1e300},
                               {1e200, 1e200, 1e-200},
                               {1e-200, 1e200, 1e200},
                               {tiny, 1, 1},
                               {1, tiny, tiny},
                               {1, 1e-200, 1e-200},
                               {1e-160, 1e-160, 1e-160},
                               {1e150, 1e150, 1e150},
                               {1, 1e-16, 1 + 2 * eps},
                               {1, 2e-162, 1},
                               {4, 3, 2},
                               {-4, 3, -2},
                               {4, -3, 2},
                               {0.5, 1e5, -0.25},
                               {1e-320, 1e-300, 2e-320},
                               {7, 1e308, 1e-308},
                               {1e-308, 1e308, 1e-308},
                               {1, 1e-200, 1},
                               {-2, 1e-200, 2},
                               {3, -1e-190, -3}};
    for (int k = 0; k < 40; ++k) {
        double const scale = std::pow(10.0, 30.0 * Rand());
        t.push_back({Rand(), Rand() * scale, Rand() / scale});
    }
    return t;
}

// max |[csl snl; -snl csl]·[f g; 0 h]·[csr -snr; snr csr] - diag(ssmax, ssmin)| / max(|f|, |g|,
// |h|).
double IdentityResidual(Triangle const& x, double ssmin, double ssmax, double snr, double csr,
                        double snl, double csl)
{
    double const big = std::max({std::fabs(x.f), std::fabs(x.g), std::fabs(x.h)});
    // L·T first, then times R; each product of rotations with the triangle, in scaled form.
    double const f = x.f / big, g = x.g / big, h = x.h / big;
    double const a11 = csl * f, a12 = csl * g + snl * h;
    double const a21 = -snl * f, a22 = -snl * g + csl * h;
    double const p11 = a11 * csr + a12 * snr, p12 = -a11 * snr + a12 * csr;
    double const p21 = a21 * csr + a22 * snr, p22 = -a21 * snr + a22 * csr;
    return std::max({std::fabs(p11 - ssmax / big), std::fabs(p12), std::fabs(p21),
                     std::fabs(p22 - ssmin / big)});
}

}  // namespace

TEST(M2getSvd, ValuesEqualReferenceDlas2)
{
    for (Triangle const& x : Table()) {
        SCOPED_TRACE(testing::Message() << x.f << " " << x.g << " " << x.h);
        double ssmin, ssmax, rmin, rmax;
        LAPackDouble::M2getSvd(x.f, x.g, x.h, ssmin, ssmax);
        dlas2_(&x.f, &x.g, &x.h, &rmin, &rmax);
        EXPECT_LE(UlpDistance(ssmin, rmin), 1) << ssmin << " vs " << rmin;
        EXPECT_LE(UlpDistance(ssmax, rmax), 1) << ssmax << " vs " << rmax;
        EXPECT_GE(ssmin, 0.0);
        EXPECT_LE(ssmin, ssmax);
    }
}

TEST(M2getSvd, DecompositionSatisfiesIdentityAndEqualsReferenceDlasv2)
{
    for (Triangle const& x : Table()) {
        SCOPED_TRACE(testing::Message() << x.f << " " << x.g << " " << x.h);
        double smin, smax, snr, csr, snl, csl;
        LAPackDouble::M2getSvd(x.f, x.g, x.h, smin, smax, snr, csr, snl, csl);
        double rmin, rmax, rsnr, rcsr, rsnl, rcsl;
        dlasv2_(&x.f, &x.g, &x.h, &rmin, &rmax, &rsnr, &rcsr, &rsnl, &rcsl);

        EXPECT_NEAR(csl * csl + snl * snl, 1.0, 4 * eps);
        EXPECT_NEAR(csr * csr + snr * snr, 1.0, 4 * eps);
        EXPECT_GE(std::fabs(smax), std::fabs(smin));
        if (x.f != 0.0 || x.g != 0.0 || x.h != 0.0) {
            EXPECT_LE(IdentityResidual(x, smin, smax, snr, csr, snl, csl), 8 * eps);
        }

        EXPECT_LE(UlpDistance(smax, rmax), 1) << smax << " vs " << rmax;
        for (auto pair : {std::make_pair(snr, rsnr), std::make_pair(csr, rcsr),
                          std::make_pair(snl, rsnl), std::make_pair(csl, rcsl)})
            EXPECT_TRUE(Close(pair.first, pair.second, 2, 1.0))
                << pair.first << " vs " << pair.second;
        // A zero f or h makes ssmin zero and its sign follows the library's rule, not Fortran's.
        if (x.f != 0.0 && x.h != 0.0) {
            EXPECT_LE(UlpDistance(smin, rmin), 1) << smin << " vs " << rmin;
        } else {
            EXPECT_EQ(std::fabs(smin), std::fabs(rmin));
        }
    }
}

TEST(M2getSvd, ValuesOfSpecialMatrices)
{
    struct Case {
        Triangle x;
        double ssmin, ssmax;
    } const cases[] = {{{3, 0, -2}, 2, 3}, {{-2, 0, 3}, 2, 3}, {{0, -7, 0}, 0, 7},
                       {{3, 4, 0}, 0, 5},  {{0, 4, 3}, 0, 5},  {{0, 0, 0}, 0, 0}};
    for (Case const& c : cases) {
        double ssmin, ssmax;
        LAPackDouble::M2getSvd(c.x.f, c.x.g, c.x.h, ssmin, ssmax);
        EXPECT_DOUBLE_EQ(ssmin, c.ssmin);
        EXPECT_DOUBLE_EQ(ssmax, c.ssmax);
    }
}

TEST(M2getSvd, ZeroSignSourceCountsAsNegative)
{
    double smin, smax, snr, csr, snl, csl;
    LAPackDouble::M2getSvd(1, 1, 0, smin, smax, snr, csr, snl, csl);
    EXPECT_EQ(smax, std::sqrt(2.0));
    EXPECT_EQ(smin, 0.0);
    EXPECT_TRUE(std::signbit(smin));
    // The reference takes the sign of +0 as positive.
    double rmin, rmax, r1, r2, r3, r4;
    double const f = 1, g = 1, h = 0;
    dlasv2_(&f, &g, &h, &rmin, &rmax, &r1, &r2, &r3, &r4);
    EXPECT_FALSE(std::signbit(rmin));
}

// The decomposition copes with one infinite element (the values-only form does not, as published).
TEST(M2getSvd, DecompositionCopesWithOneInfiniteElement)
{
    for (Triangle const& x :
         {Triangle{inf, 1, 1}, Triangle{1, inf, 1}, Triangle{1, 1, -inf}, Triangle{inf, 0, 1}}) {
        double smin, smax, snr, csr, snl, csl;
        LAPackDouble::M2getSvd(x.f, x.g, x.h, smin, smax, snr, csr, snl, csl);
        EXPECT_EQ(std::fabs(smax), inf);
        double rmin, rmax, rsnr, rcsr, rsnl, rcsl;
        dlasv2_(&x.f, &x.g, &x.h, &rmin, &rmax, &rsnr, &rcsr, &rsnl, &rcsl);
        EXPECT_EQ(smax, rmax);
        EXPECT_TRUE(Close(csl, rcsl, 2, 1.0) && Close(snl, rsnl, 2, 1.0));
        EXPECT_TRUE(Close(csr, rcsr, 2, 1.0) && Close(snr, rsnr, 2, 1.0));
    }
}
