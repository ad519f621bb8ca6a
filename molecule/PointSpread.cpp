#include "molecule/PointSpread.h"

#include "numeric/LAPackDouble.h"

UMatrix<double> SpreadDirections(UVector<V3> const& p, V3& centroid, long values)
{
    centroid = CenterOfGravity(p);
    UMatrix<double> spread(3, p.GetDim(), -1);
    for (long i = 0; i < p.GetDim(); i++) {
        V3 offset = p[i] - centroid;
        for (long k = 0; k < 3; k++) spread(k, i) = offset[k];
    }
    UVector<double> singularValues(values, 1);
    LAPackDouble::MgetSvd(Blas::LaSvdUOverA | Blas::LaSvdVTNone, spread, singularValues,
                          Blas::defProgMon);
    return spread;
}

V3 ColumnV3(UMatrix<double> const& m, long j) { return V3(m(0, j), m(1, j), m(2, j)); }
