#pragma once
// BLAS kernels on std::complex<double>, also with real operands mixed in. Static members only, no data; each
// routine's source file is named after its reference routine in lower case.
#include <complex>

#include "numeric/BlasTiming.h"
#include "numeric/BlasUtils.h"

class BlasComplex {
public:
    BlasComplex() = delete;

    // Routines, grouped by reference routine: raw form on pointers first,
    // then the front-ends on UVector and UMatrix.
};
