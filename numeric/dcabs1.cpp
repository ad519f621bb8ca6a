// GetNorm1 (DCABS1): |Re z| + |Im z|, the measure of a complex element used for pivoting.
#include "numeric/BlasComplex.h"
#include <cmath>

double BlasComplex::GetNorm1(Z const& z) { return std::fabs(z.real()) + std::fabs(z.imag()); }
