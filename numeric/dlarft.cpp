// FormTriFactor (DLARFT): the k x k triangular factor T (leading dimension ldt) of the block
// reflector H = I - V*T*V**T of k elementary reflectors of order n with factors tau. opt 0x1: the
// product runs forward, H = H(1)*...*H(k), and T is upper triangular; otherwise backward,
// H = H(k)*...*H(1), and T is lower triangular. opt 0x4: vector i is column i of V (n x k,
// leading dimension ldv); otherwise row i (V k x n). The unit element of each vector is set to 1
// while it is used and restored; the zero part of V is not read. The option word is not checked.
#include "numeric/BlasDouble.h"
#include "numeric/LAPackDouble.h"
#include "numeric/ReflectorKernel.h"

using ReflectorDetail::UnitElement;

void LAPackDouble::FormTriFactor(short opt, long n, long k, double* V, long ldv, double const* tau,
                                 double* T, long ldt)
{
    if (n == 0) return;
    bool const columnwise = (opt & 0x4) != 0;
    auto v = [V, ldv](long i, long j) { return V + (i - 1) + (j - 1) * ldv; };
    auto t = [T, ldt](long i, long j) { return T + (i - 1) + (j - 1) * ldt; };

    if (opt & 0x1) {
        for (long i = 1; i <= k; ++i) {
            if (tau[i - 1] == 0.0) {
                for (long j = 1; j <= i; ++j) *t(j, i) = 0.0;
                continue;
            }
            {
                UnitElement const unit(v(i, i));
                if (columnwise)
                    BlasDouble::MVVmultAdd(0x2, n - i + 1, i - 1, -tau[i - 1], v(i, 1), ldv,
                                           v(i, i), 1, 0.0, t(1, i), 1);
                else
                    BlasDouble::MVVmultAdd(0x1, i - 1, n - i + 1, -tau[i - 1], v(1, i), ldv,
                                           v(i, i), ldv, 0.0, t(1, i), 1);
            }
            BlasDouble::TriMVmult(0x45, i - 1, T, ldt, t(1, i), 1);
            *t(i, i) = tau[i - 1];
        }
        return;
    }
    for (long i = k; i >= 1; --i) {
        if (tau[i - 1] == 0.0) {
            for (long j = i; j <= k; ++j) *t(j, i) = 0.0;
            continue;
        }
        if (i < k) {
            {
                UnitElement const unit(columnwise ? v(n - k + i, i) : v(i, n - k + i));
                if (columnwise)
                    BlasDouble::MVVmultAdd(0x2, n - k + i, k - i, -tau[i - 1], v(1, i + 1), ldv,
                                           v(1, i), 1, 0.0, t(i + 1, i), 1);
                else
                    BlasDouble::MVVmultAdd(0x1, k - i, n - k + i, -tau[i - 1], v(i + 1, 1), ldv,
                                           v(i, 1), ldv, 0.0, t(i + 1, i), 1);
            }
            BlasDouble::TriMVmult(0x46, k - i, t(i + 1, i + 1), ldt, t(i + 1, i), 1);
        }
        *t(i, i) = tau[i - 1];
    }
}
