#pragma once
// The Molden writer's coefficient line "%6ld %20.14lf\n", formatted without
// printf: the text is the same byte for byte, at a fraction of the cost for
// the millions of coefficients of a large case.

// Writes "%20.14lf" of x NUL-terminated into out, which holds size bytes
// (at least 32); returns the length, as snprintf does.
int FormatFixed20_14(char* out, long size, double x);

// Writes "%6ld %20.14lf\n" of index and x into out (size bytes, at least 64);
// returns the length, as snprintf does.
int FormatCoefficientLine(char* out, long size, long index, double x);
