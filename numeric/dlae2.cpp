// M2diag (DLAE2, 5 arguments): the eigenvalues of the symmetric 2 x 2 matrix [a b; b c]. rt1 is the
// one of larger absolute value, rt2 the other; nothing is checked.
#include "numeric/Eigen2Kernel.h"
#include "numeric/LAPackDouble.h"

void LAPackDouble::M2diag(double a, double b, double c, double& rt1, double& rt2)
{
    Eigen2Detail::Roots const r = Eigen2Detail::Solve(a, b, c);
    rt1 = r.rt1;
    rt2 = r.rt2;
}
