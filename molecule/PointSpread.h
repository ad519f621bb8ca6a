#pragma once
// The directions in which a set of points spreads, for the line and plane fits.
#include "molecule/UAtCoord.h"

// The centroid of the n points and the 3 x n matrix of the points about it,
// overwritten with its left singular vectors, the direction of largest spread
// first. The SVD raises 21003 unless values = min(3, n).
UMatrix<double> SpreadDirections(UVector<V3> const& p, V3& centroid, long values);

// Column j of the matrix as a vector.
V3 ColumnV3(UMatrix<double> const& m, long j);
