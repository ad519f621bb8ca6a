// Geometry measured on real coordinates: divinylbenzene, a planar molecule,
// as the Turbomole reader reads its "$coord" file.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "molecule/UAngles.h"
#include "molecule/UP3.h"
#include "molecule/UQGeom.h"
#include "tests/convert/TurboTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

const double pi = 3.141592653589793;

class Divinylbenzene : public TurboFileTest {
protected:
    void SetUp() override
    {
        TurboFileTest::SetUp();
        if (SharedPath("data/dvb-aoforce-sto3g/coord").empty())
            GTEST_SKIP() << SharedMissing("data/dvb-aoforce-sto3g/coord");
        std::string coord = SharedFile("dvb-aoforce-sto3g/coord");
        ASSERT_FALSE(coord.empty()) << "dvb-aoforce-sto3g/coord empty";
        ASSERT_EQ(0, Read(coord));
        ASSERT_EQ(20, geom.GetDim());
    }

    V3 At(long i) const { return geom.GetAtomData()[i].GetCoord(); }

    // The benzene ring in bonding order (atoms 1, 2, 3, 4, 5 and 19 of the file).
    const long ring[6] = {0, 1, 2, 3, 4, 18};
};

// The ring closes up to 117.7 degrees at the two carbons that carry the vinyl
// groups and opens to 120.9 and 121.4 at the others; a flat hexagon's angles
// add up to 720 degrees.
TEST_F(Divinylbenzene, RingAnglesAreThoseOfAFlatHexagon)
{
    const double expected[6] = {117.683, 120.897, 121.419, 117.683, 120.897, 121.419};
    double sum = 0.0;
    for (long i = 0; i < 6; i++) {
        V3 before = At(ring[(i + 5) % 6]), apex = At(ring[i]), after = At(ring[(i + 1) % 6]);
        double degrees = Angle(before - apex, after - apex) * 180.0 / pi;
        EXPECT_NEAR(degrees, 120.0, 2.5) << "at ring atom " << i;
        EXPECT_NEAR(degrees, expected[i], 1e-3) << "at ring atom " << i;
        sum += degrees;
    }
    EXPECT_NEAR(sum, 720.0, 1e-4);
}

TEST_F(Divinylbenzene, RingTorsionsAreFlat)
{
    for (long i = 0; i < 6; i++) {
        V3 p1 = At(ring[i]), p2 = At(ring[(i + 1) % 6]), p3 = At(ring[(i + 2) % 6]),
           p4 = At(ring[(i + 3) % 6]);
        EXPECT_NEAR(Torsion(p1 - p2, p3 - p2, p4 - p3), 0.0, 1e-3) << "from ring atom " << i;
    }
}

TEST_F(Divinylbenzene, CarbonsLieInTheirFittedPlane)
{
    UVector<V3> carbons(0, 1);
    for (long i = 0; i < 20; i++)
        if (geom.GetAtomData()[i].GetAtno() == 6) carbons.Add(At(i));
    ASSERT_EQ(carbons.GetDim(), 10);
    P3 plane = PlaneThrough(carbons);
    for (long i = 0; i < 10; i++)
        EXPECT_LT(UnsignedDistance(plane, carbons[i]), 1e-3) << "carbon " << i;
    // The file has the molecule in its xz plane.
    EXPECT_GT(std::fabs(plane.GetNormal().y), 1.0 - 1e-6);
}

}  // namespace
