#pragma once
// Shared pieces of the line, plane and fit tests: vector comparison and
// reproducible random points, lines and planes.
#include <gtest/gtest.h>

#include <random>

#include "molecule/UP3.h"

const double pi = 3.141592653589793;

inline void ExpectNear(V3 const& a, V3 const& b, double tolerance, const char* what = "")
{
    EXPECT_NEAR(a.x, b.x, tolerance) << what;
    EXPECT_NEAR(a.y, b.y, tolerance) << what;
    EXPECT_NEAR(a.z, b.z, tolerance) << what;
}

// Points drawn from [-3, 3]^3; lines and planes through such points along
// such directions.
class RandomPoints {
public:
    explicit RandomPoints(unsigned seed) : random(seed), coordinate(-3.0, 3.0) {}
    V3 Point() { return V3(coordinate(random), coordinate(random), coordinate(random)); }
    L3 Line() { return L3(Point(), Point()); }
    P3 Plane() { return P3(Point(), Point()); }

private:
    std::mt19937 random;
    std::uniform_real_distribution<double> coordinate;
};
