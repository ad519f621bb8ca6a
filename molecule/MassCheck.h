#pragma once
// The test of a mass that the analyses divide by or take the logarithm of.
#include <cmath>

// An atom without an element has mass 0, and SetMass keeps a NaN or an infinity.
inline bool IsUsableMass(double m) { return m > 0.0 && std::isfinite(m); }
