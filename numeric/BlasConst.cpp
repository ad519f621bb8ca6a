#include "numeric/BlasConst.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "utilities/MiscUtils.h"
#include "utilities/UDebug.h"

namespace Blas {

namespace {
void WarnUncertainEmin(long emin)
{
    Beep();
    Debug->printf("\n\n WARNING. The value EMIN may be incorrect:- EMIN = %8i\n",
                  static_cast<int>(emin));
    Debug->printf("If, after inspection, the value EMIN looks acceptable please comment out\n"
                  "the IF block as marked within the code of routine Const2,\n"
                  "otherwise supply EMIN explicitly.\n");
}
}  // namespace

// ConstAdd (DLAMC3): a + b, stored to a double before it is returned.
double ConstAdd(double a, double b)
{
    volatile double sum = a + b;
    return sum;
}

// DLAMC1: the base, the number of mantissa digits, whether addition rounds,
// and whether it rounds in the IEEE way.
void Const1(long& beta, long& t, bool& rnd, bool& ieee1)
{
    static bool first = true;
    static long lbeta, lt;
    static bool lrnd, lieee1;
    if (first) {
        double const one = 1.0;
        // a = 2^m for the smallest m where fl(a + 1) - a is no longer 1.
        double a = 1.0, c = 1.0;
        while (c == one) {
            a = 2.0 * a;
            c = ConstAdd(a, one);
            c = ConstAdd(c, -a);
        }
        // The smallest power of two b with fl(a + b) > a; its gap is the base.
        double b = 1.0;
        c = ConstAdd(a, b);
        while (c == a) {
            b = 2.0 * b;
            c = ConstAdd(a, b);
        }
        double const qtr = one / 4.0;
        double const savec = c;
        c = ConstAdd(c, -a);
        lbeta = static_cast<long>(c + qtr);

        b = static_cast<double>(lbeta);
        double f = ConstAdd(b / 2.0, -b / 100.0);
        c = ConstAdd(f, a);
        lrnd = c == a;
        f = ConstAdd(b / 2.0, b / 100.0);
        c = ConstAdd(f, a);
        if (lrnd && c == a) lrnd = false;

        double const t1 = ConstAdd(b / 2.0, a);
        double const t2 = ConstAdd(b / 2.0, savec);
        lieee1 = t1 == a && t2 > savec && lrnd;

        lt = 0;
        a = 1.0;
        c = 1.0;
        while (c == one) {
            ++lt;
            a = a * static_cast<double>(lbeta);
            c = ConstAdd(a, one);
            c = ConstAdd(c, -a);
        }
        first = false;
    }
    beta = lbeta;
    t = lt;
    rnd = lrnd;
    ieee1 = lieee1;
}

// DLAMC4: the exponent at which repeated division by the base starting at
// start stops being exactly reversible.
void Const4(long& emin, double start, long& base)
{
    double a = start;
    double const rbase = 1.0 / static_cast<double>(base);
    double const zero = 0.0;
    emin = 1;
    double b1 = ConstAdd(a * rbase, zero);
    double c1 = a, c2 = a, d1 = a, d2 = a;
    while (c1 == a && c2 == a && d1 == a && d2 == a) {
        --emin;
        a = b1;
        b1 = ConstAdd(a / static_cast<double>(base), zero);
        c1 = ConstAdd(b1 * static_cast<double>(base), zero);
        d1 = zero;
        for (long i = 1; i <= base; ++i) d1 = d1 + b1;
        double const b2 = ConstAdd(a * rbase, zero);
        c2 = ConstAdd(b2 / rbase, zero);
        d2 = zero;
        for (long i = 1; i <= base; ++i) d2 = d2 + b2;
    }
}

// DLAMC5: the largest exponent and the overflow threshold, from the exponent
// bits that emin implies.
void Const5(long& beta, long& p, long& emin, bool& ieee, long& emax, double& rmax)
{
    double const zero = 0.0, one = 1.0;
    long lexp = 1, exbits = 1, tryExp;
    for (;;) {
        tryExp = lexp * 2;
        if (tryExp > -emin) break;
        lexp = tryExp;
        ++exbits;
    }
    long uexp;
    if (lexp == -emin) {
        uexp = lexp;
    } else {
        uexp = tryExp;
        ++exbits;
    }
    long const expsum = (uexp + emin > -lexp - emin) ? 2 * lexp : 2 * uexp;
    emax = expsum + emin - 1;
    long const nbits = 1 + exbits + p;
    if (nbits % 2 == 1 && beta == 2) --emax;
    if (ieee) --emax;

    // The largest mantissa, then scaled up emax times.
    double const recbas = one / static_cast<double>(beta);
    double z = static_cast<double>(beta) - one;
    double y = zero, oldy = zero;
    for (long i = 1; i <= p; ++i) {
        z = z * recbas;
        if (y < one) oldy = y;
        y = ConstAdd(y, z);
    }
    if (y >= one) y = oldy;
    for (long i = 1; i <= emax; ++i) y = ConstAdd(y * static_cast<double>(beta), zero);
    rmax = y;
}

namespace {

// eps from the rounding error of 2/3 - 1/2 computed two ways, starting from beta^-t.
double ProbeEps(long beta, long t)
{
    double const zero = 0.0, one = 1.0, two = 2.0;
    double b = static_cast<double>(beta);
    double const a = Power(b, -t);
    double eps = a;

    b = two / 3.0;
    double const half = one / 2.0;
    double const sixth = ConstAdd(b, -half);
    double const third = ConstAdd(sixth, sixth);
    b = ConstAdd(third, -half);
    b = ConstAdd(b, sixth);
    b = std::fabs(b);
    if (b < eps) b = eps;
    eps = 1.0;
    while (eps > b && b > zero) {
        eps = b;
        double c = ConstAdd(half * eps, Power(two, 5L) * Power(eps, 2L));
        c = ConstAdd(half, -c);
        b = ConstAdd(half, c);
        c = ConstAdd(half, -b);
        b = ConstAdd(half, c);
    }
    if (a < eps) eps = a;
    return eps;
}

// emin from the probes of Const4 at +-1 and +-(1 + beta^-3); ieee tells gradual underflow of the
// IEEE kind. False when the probes fit none of the known patterns, so that emin is a guess.
bool ProbeEmin(long beta, long t, long& emin, bool& ieee)
{
    double const zero = 0.0, one = 1.0;
    double const rbase = one / static_cast<double>(beta);
    double small = one;
    for (int i = 1; i <= 3; ++i) small = ConstAdd(small * rbase, zero);
    double const a = ConstAdd(one, small);
    long ngpmin, ngnmin, gpmin, gnmin;
    Const4(ngpmin, one, beta);
    Const4(ngnmin, -one, beta);
    Const4(gpmin, a, beta);
    Const4(gnmin, -a, beta);

    ieee = false;
    if (ngpmin == ngnmin && gpmin == gnmin) {
        if (ngpmin == gpmin) {
            emin = ngpmin;  // no gradual underflow
        } else if (gpmin - ngpmin == 3) {
            emin = ngpmin - 1 + t;  // gradual underflow, IEEE
            ieee = true;
        } else {
            emin = std::min(ngpmin, gpmin);
            return false;
        }
    } else if (ngpmin == gpmin && ngnmin == gnmin) {
        if (std::labs(ngpmin - ngnmin) == 1) {
            emin = std::max(ngpmin, ngnmin);
        } else {
            emin = std::min(ngpmin, ngnmin);
            return false;
        }
    } else if (std::labs(ngpmin - ngnmin) == 1 && gpmin == gnmin) {
        if (gpmin - std::min(ngpmin, ngnmin) == 3) {
            emin = std::max(ngpmin, ngnmin) - 1 + t;
        } else {
            emin = std::min(ngpmin, ngnmin);
            return false;
        }
    } else {
        emin = std::min(std::min(ngpmin, ngnmin), std::min(gpmin, gnmin));
        return false;
    }
    return true;
}

// The underflow threshold beta^(emin - 1), by repeated division.
double Underflow(long beta, long emin)
{
    double const zero = 0.0, one = 1.0;
    double const rbase = one / static_cast<double>(beta);
    double rmin = 1.0;
    for (long i = 1; i <= 1 - emin; ++i) rmin = ConstAdd(rmin * rbase, zero);
    return rmin;
}

}  // namespace

// DLAMC2: eps, the exponent range and the under- and overflow thresholds.
void Const2(long& beta, long& t, bool& rnd, double& eps, long& emin, double& rmin, long& emax,
            double& rmax)
{
    static bool first = true;
    static bool iwarn = false;
    static long lbeta, lt, lemin, lemax;
    static bool lrnd;
    static double leps, lrmin, lrmax;
    if (first) {
        first = false;
        bool lieee1;
        Const1(lbeta, lt, lrnd, lieee1);
        leps = ProbeEps(lbeta, lt);
        bool ieee;
        if (!ProbeEmin(lbeta, lt, lemin, ieee)) iwarn = true;
        if (iwarn) {
            first = true;
            WarnUncertainEmin(lemin);
        }
        ieee = ieee || lieee1;
        lrmin = Underflow(lbeta, lemin);
        Const5(lbeta, lt, lemin, ieee, lemax, lrmax);
    }
    beta = lbeta;
    t = lt;
    rnd = lrnd;
    eps = leps;
    emin = lemin;
    rmin = lrmin;
    emax = lemax;
    rmax = lrmax;
}

// Constants (DLAMCH): the machine constant that which selects, from the probes of Const2 on the
// first call: eps, safe minimum, base, eps*base, mantissa digits, rounding, emin, underflow
// threshold, emax, overflow threshold.
double Constants(LaPackMachOptions which)
{
    static bool first = true;
    static double base, digits, rounding, eps, precision, emin, emax, rmin, rmax, sfmin;
    if (first) {
        first = false;
        long beta, t, lemin, lemax;
        bool rnd;
        Const2(beta, t, rnd, eps, lemin, rmin, lemax, rmax);
        base = static_cast<double>(beta);
        digits = static_cast<double>(t);
        if (rnd) {
            rounding = 1.0;
            eps = Power(base, 1 - t) / 2.0;
        } else {
            rounding = 0.0;
            eps = Power(base, 1 - t);
        }
        precision = eps * base;
        emin = static_cast<double>(lemin);
        emax = static_cast<double>(lemax);
        sfmin = rmin;
        double const small = 1.0 / rmax;
        if (small >= sfmin) sfmin = small * (1.0 + eps);
    }
    switch (which) {
    case LaMachEps:
        return eps;
    case LaMachSafeMin:
        return sfmin;
    case LaMachBase:
        return base;
    case LaMachPrecision:
        return precision;
    case LaMachDigits:
        return digits;
    case LaMachRounding:
        return rounding;
    case LaMachEmin:
        return emin;
    case LaMachUnderflow:
        return rmin;
    case LaMachEmax:
        return emax;
    case LaMachOverflow:
        return rmax;
    }
    return 0.0;
}

// Constants1 (DLABAD): square roots of both thresholds when log10(large) exceeds 2000.
void Constants1(double& small, double& large)
{
    if (Log10(large) > 2000.0) {
        small = std::sqrt(small);
        large = std::sqrt(large);
    }
}

}  // namespace Blas
