#pragma once
// Block sizes and crossover points of the blocked LAPACK routines (ILAENV).
#include "numeric/BlasUtils.h"

namespace Blas {

// name is the reference routine's name in either case, e.g. "DGETRF"; opts and
// N3 are accepted and not used.
long Env(LaPackEnvOptions ispec, char const* name, short opts, long N1, long N2, long N3, long N4);

// Writes len blanks and a NUL to out, then copies up to len characters of s
// from position start (0-based) over them.
void LaSubString(char const* s, long start, long len, char* out);

}  // namespace Blas
