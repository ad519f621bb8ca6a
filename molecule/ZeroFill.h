#pragma once
// Owners re-dimensioned in place and filled with zeros.
#include "utilities/UMatVec.h"

inline void ZeroMatrix(UMatrix<double>& m, long rows, long columns)
{
    m.Clear();
    m.SetColDim(rows);
    m.SetRowDim(columns);
    Mset(m, 0.0);
}

inline void ZeroVector(UVector<double>& v, long n)
{
    v.Clear();
    v.SetDim(n);
    Vset(v, 0.0);
}
