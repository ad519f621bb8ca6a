#pragma once
// Angles between vectors and torsions about an axis (radians), and the
// cosine clamping that every angle of the geometry functions goes through.
#include "molecule/UAtCoord.h"

const double anglePi = 3.141592653589793;
const double angleHalfPi = 1.5707963267948966;

// The angle between a and b in [0, pi]; 0 with a warning when either is zero.
double Angle(V3 const& a, V3 const& b);

// The signed dihedral angle about b between a and c, in [-pi, pi]: the angle
// between the plane of b and a and the plane of b and c, negative when
// (b x a) x (b x c) points against b. 0 with a warning for zero lengths.
double Torsion(V3 const& a, V3 const& b, V3 const& c);

// cs limited to [-1, 1]; beyond 1 by more than 1e-7 the rounding warning of
// the named function is printed with the unclamped value.
double ClampCosine(double cs, const char* function);

// min(theta, pi - theta): the angle between two undirected lines or planes.
double SmallerOfSupplements(double theta);
