#pragma once
// Physical constants of the vibrational analysis and the thermochemistry, all
// from one (1986) set so that frequencies and energies agree with each other.

constexpr double kAtomicMassUnit = 1.660540186674939e-27;  // kg
constexpr double kHartree = 4.3597482e-18;                 // J
constexpr double kBohr = 0.529177249e-10;                  // m
constexpr double kLightSpeed = 2.99792458e10;              // cm/s
constexpr double kPi = 3.141592653589793;
