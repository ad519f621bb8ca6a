// FormReflect (DLARFG): the elementary reflector H = I - tau*v*v**T of order n with
// H*(alpha, x) = (beta, 0) and v = (1, x'). On return alpha holds beta, the n-1 strided elements
// of x hold v(2..n) and tau is set; tau = 0 (H = I) when n <= 1 or x is zero. beta takes the
// opposite sign of alpha, and is positive for alpha = 0. When |beta| is below safmin/eps, alpha
// and x are scaled up until it is not, and beta is scaled back at the end.
#include <cmath>

#include "numeric/BlasConst.h"
#include "numeric/BlasDouble.h"
#include "numeric/LAPackDouble.h"

namespace {

// -sign(|(alpha, xnorm)|, alpha) by the library's sign rule.
double Beta(double alpha, double xnorm)
{
    return -Blas::SignTransfer(LAPackDouble::V2getNorm(alpha, xnorm), alpha);
}

}  // namespace

void LAPackDouble::FormReflect(long n, double& alpha, double* x, long incx, double& tau)
{
    tau = 0.0;
    if (n <= 1) return;
    double xnorm = BlasDouble::VgetNorm(n - 1, x, incx);
    if (xnorm == 0.0) return;

    double beta = Beta(alpha, xnorm);
    double const safmin = Blas::Constants(Blas::LaMachSafeMin) / Blas::Constants(Blas::LaMachEps);
    long knt = 0;
    if (std::fabs(beta) < safmin) {
        // beta grows by rsafmn each pass, so this ends.
        double const rsafmn = 1.0 / safmin;
        do {
            ++knt;
            BlasDouble::Vscale(n - 1, rsafmn, x, incx);
            beta = beta * rsafmn;
            alpha = alpha * rsafmn;
        } while (std::fabs(beta) < safmin);
        xnorm = BlasDouble::VgetNorm(n - 1, x, incx);
        beta = Beta(alpha, xnorm);
    }
    tau = (beta - alpha) / beta;
    BlasDouble::Vscale(n - 1, 1.0 / (alpha - beta), x, incx);
    alpha = beta;
    for (long j = 0; j < knt; ++j) alpha = alpha * safmin;
}
