#pragma once
// Machine constants found by probing the arithmetic, as DLAMCH does; computed
// on the first request and kept.
#include "numeric/BlasUtils.h"

namespace Blas {

double Constants(LaPackMachOptions which);
// Takes square roots of both thresholds when the exponent range is very
// large (DLABAD); on IEEE double both stay.
void Constants1(double& small, double& large);

// The probing steps, one per auxiliary routine of DLAMCH.
void Const1(long& beta, long& t, bool& rnd, bool& ieee1);
void Const2(long& beta, long& t, bool& rnd, double& eps, long& emin, double& rmin, long& emax,
            double& rmax);
// a + b rounded to a double, so that neither wider precision nor the compiler's
// folding takes part in the probes.
double ConstAdd(double a, double b);
void Const4(long& emin, double start, long& base);
void Const5(long& beta, long& p, long& emin, bool& ieee, long& emax, double& rmax);

}  // namespace Blas
