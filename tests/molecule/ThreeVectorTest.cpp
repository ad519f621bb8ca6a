#include <gtest/gtest.h>

#include <cmath>

#include "molecule/UAtCoord.h"
#include "tests/support/RaisedCode.h"
#include "utilities/UStrUtilities.h"

namespace {

void ExpectV3(V3 const& v, double x, double y, double z)
{
    EXPECT_DOUBLE_EQ(v.x, x);
    EXPECT_DOUBLE_EQ(v.y, y);
    EXPECT_DOUBLE_EQ(v.z, z);
}

TEST(ThreeVector, ConstructsAndIndexesComponents)
{
    ExpectV3(V3(), 0, 0, 0);
    V3 a(1, 2, 3);
    EXPECT_EQ(a.Getx(), 1);
    EXPECT_EQ(a.Gety(), 2);
    EXPECT_EQ(a.Getz(), 3);
    a[1] = 7;
    V3 const& c = a;
    EXPECT_EQ(c[0], 1);
    EXPECT_EQ(c[1], 7);
    EXPECT_EQ(c[2], 3);
    V3 copy(a);
    copy.x = 9;
    EXPECT_EQ(a.x, 1);
}

TEST(ThreeVector, BuildsFromVectorOfThreeOnly)
{
    UVector<double> three(3, 1);
    three[0] = 4;
    three[1] = 5;
    three[2] = 6;
    ExpectV3(V3(three), 4, 5, 6);
    UVector<double> four(4, 1);
    EXPECT_EQ(RaisedCode([&] { V3 v(four); }), umIncompatibleDimensions);
    UVector<double> two(2, 1);
    EXPECT_EQ(RaisedCode([&] { V3 v(two); }), umIncompatibleDimensions);
}

TEST(ThreeVector, VecFromV3LeavesThreeElements)
{
    for (long start : {0L, 1L, 3L, 7L}) {
        UVector<double> v(start, 1);
        VecFromV3(v, V3(1, -2, 3));
        ASSERT_EQ(v.GetDim(), 3);
        EXPECT_EQ(v[0], 1);
        EXPECT_EQ(v[1], -2);
        EXPECT_EQ(v[2], 3);
    }
}

TEST(ThreeVector, ArithmeticIsComponentWise)
{
    V3 a(1, 2, 3), b(4, -5, 6);
    ExpectV3(a + b, 5, -3, 9);
    ExpectV3(a - b, -3, 7, -3);
    ExpectV3(a * 2.0, 2, 4, 6);
    ExpectV3(2.0 * a, 2, 4, 6);
    ExpectV3(b / 2.0, 2, -2.5, 3);
    V3 c = a;
    EXPECT_EQ(&(c += b), &c);
    ExpectV3(c, 5, -3, 9);
    EXPECT_EQ(&(c -= b), &c);
    ExpectV3(c, 1, 2, 3);
    EXPECT_EQ(&(c *= 3.0), &c);
    ExpectV3(c, 3, 6, 9);
    EXPECT_EQ(&(c /= 3.0), &c);
    ExpectV3(c, 1, 2, 3);
}

TEST(ThreeVector, UnaryMinusFlipsEverySign)
{
    V3 n = -V3(0, 1, 2);
    EXPECT_TRUE(std::signbit(n.x));
    EXPECT_EQ(n.x, 0.0);
    EXPECT_EQ(n.y, -1);
    EXPECT_EQ(n.z, -2);
}

TEST(ThreeVector, ProductsNormsAndDeterminant)
{
    V3 ex(1, 0, 0), ey(0, 1, 0), ez(0, 0, 1);
    ExpectV3(Outer(ex, ey), 0, 0, 1);
    ExpectV3(Outer(ey, ex), 0, 0, -1);
    ExpectV3(Outer(V3(1, 2, 3), V3(4, 5, 6)), -3, 6, -3);
    EXPECT_EQ(Inner(V3(1, 2, 3), V3(4, 5, 6)), 32);
    EXPECT_EQ(Determinant(ex, ey, ez), 1);
    EXPECT_EQ(Determinant(ey, ex, ez), -1);
    EXPECT_EQ(V3(3, 4, 12).GetNorm(), 13);
    EXPECT_EQ(Distance(V3(3, 4, 12)), 13);
}

TEST(ThreeVector, CenterOfGravityIsTheUnweightedMean)
{
    UVector<V3> points(0, 1);
    points.Add(V3(0, 0, 0));
    points.Add(V3(2, 4, 0));
    ExpectV3(CenterOfGravity(points), 1, 2, 0);
    points.Add(V3(1, -1, 3));
    ExpectV3(CenterOfGravity(points), 1, 1, 1);
}

TEST(ThreeVector, OrthonormalizeKeepsThePerpendicularPart)
{
    ExpectV3(Orthonormalize(V3(2, 0, 0), V3(3, 4, 0)), 0, 1, 0);
    V3 u = Orthonormalize(V3(1, 1, 0), V3(0, 0, 5));
    ExpectV3(u, 0, 0, 1);
    V3 w = Orthonormalize(V3(1, 2, 2), V3(1, 0, 0));
    EXPECT_NEAR(w.GetNorm(), 1.0, 1e-15);
    EXPECT_NEAR(Inner(w, V3(1, 2, 2)), 0.0, 1e-15);
}

}  // namespace
