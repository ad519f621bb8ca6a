#include "molecule/UAngles.h"

#include <cmath>
#include <cstdio>

double ClampCosine(double cs, const char* function)
{
    if (cs > 1.0) {
        if (cs > 1.0000001)
            std::printf("Warning: Rounding error (1) in %s: %12.8lf\n", function, cs);
        return 1.0;
    }
    if (cs < -1.0) {
        if (cs < -1.0000001)
            std::printf("Warning: Rounding error (2) in %s: %12.8lf\n", function, cs);
        return -1.0;
    }
    return cs;
}

double SmallerOfSupplements(double theta)
{
    double other = anglePi - theta;
    return theta < other ? theta : other;
}

double Angle(V3 const& a, V3 const& b)
{
    double lengthA = a.GetNorm();
    double lengthB = b.GetNorm();
    if (lengthA == 0.0 || lengthB == 0.0) {
        std::printf("Warning: Zero-length vectors in Angle\n");
        return 0.0;
    }
    return std::acos(ClampCosine(Inner(a, b) / (lengthA * lengthB), "Angle"));
}

double Torsion(V3 const& a, V3 const& b, V3 const& c)
{
    V3 u = Outer(b, a);
    V3 v = Outer(b, c);
    double lengthU = u.GetNorm();
    double lengthV = v.GetNorm();
    if (lengthU == 0.0 || lengthV == 0.0 || b.GetNorm() == 0.0) {
        std::printf("Warning: Zero-length vectors in Torsion\n");
        return 0.0;
    }
    double theta = std::acos(ClampCosine(Inner(u, v) / (lengthU * lengthV), "Torsion"));
    return Inner(Outer(u, v), b) < 0.0 ? -theta : theta;
}
