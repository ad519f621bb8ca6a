#pragma once
// Blas::Sign, the older name of Blas::SignTransfer (numeric/BlasUtils.h), for the sources that
// still call it.
#include "numeric/BlasUtils.h"

namespace Blas {

inline double Sign(double a, double b) { return SignTransfer(a, b); }

} // namespace Blas
