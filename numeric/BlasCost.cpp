#include "numeric/BlasCost.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "numeric/BlasEnv.h"
#include "numeric/BlasUtils.h"
#include "numeric/LAPackDouble.h"
#include "utilities/MiscUtils.h"
#include "utilities/UDebug.h"
#include "utilities/UMatVec.h"

namespace Blas {

CostEntry const ss[91] = {
    {"DBDSQR", "D_BiDiagGetSvd", ptShrinking, 3.5},
    {"DGEBD2", "D_MtoBiDiagElt", ptShrinking, 3.0},
    {"DGEBRD", "D_MtoBiDiag", ptShrinking, 3.0},
    {"DGEEV", "D_Mdiag", ptOpCount, 0.0},
    {"DGEHD2", "D_MtoHessenbergNoBlock", ptShrinking, 3.0},
    {"DGEHRD", "D_MtoHessenberg", ptShrinking, 3.0},
    {"DGELQ2", "D_LQfactor2", ptShrinking, 5.0 / 3.0},
    {"DGELQF", "D_LQfactor", ptShrinking, 5.0 / 3.0},
    {"DGELS", "D_MVsolveLsq", ptOpCount, 0.0},
    {"DGELSS", "D_MVsolveSvd", ptOpCount, 0.0},
    {"DGEMM", "D_MMMmultAdd", ptUniform, 2.0},
    {"DGEQL2", "", ptShrinking, 5.0 / 3.0},
    {"DGEQLF", "", ptShrinking, 5.0 / 3.0},
    {"DGEQR2", "D_QRfactor2", ptShrinking, 5.0 / 3.0},
    {"DGEQRF", "D_QRfactor", ptShrinking, 5.0 / 3.0},
    {"DGESV", "D_MVsolve", ptOpCount, 0.0},
    {"DGESVD", "D_MgetSvd", ptOpCount, 0.0},
    {"DGETF2", "D_LUfactor2", ptShrinking, 2.0 / 3.0},
    {"DGETRF", "D_LUfactor", ptShrinking, 2.0 / 3.0},
    {"DHSEQR", "D_DiagHessenberg", ptShrinking, 9.0},
    {"DLABRD", "D_MtoBiDiagBlock", ptUniform, 2.0},
    {"DLAHQR", "D_QRiterate", ptUniform, 9.0},
    {"DLAHRD", "D_MtoHessenbergBlock", ptUniform, 2.0},
    {"DLARFB", "D_ApplyReflectBlock", ptUniform, 1.0},
    {"DLATRD", "D_MtoTriDiagBlock", ptUniform, 1.0},
    {"DORG2L", "D_QLformProduct2", ptUniform, 1.0},
    {"DORG2R", "D_QRformProduct2", ptUniform, 1.0},
    {"DORGBR", "D_PQformTransform", ptUniform, 1.0},
    {"DORGLQ", "D_LQformProduct", ptUniform, 1.0},
    {"DORGQL", "D_QLformProduct", ptUniform, 1.0},
    {"DORGQR", "D_QRformProduct", ptUniform, 1.0},
    {"DORM2R", "D_QRtransform2", ptUniform, 1.0},
    {"DORML2", "D_LQtransform2", ptUniform, 1.0},
    {"DORMLQ", "D_LQtransform", ptUniform, 1.0},
    {"DORMQR", "D_QRtransform", ptUniform, 1.0},
    {"DSTEQR", "D_TriMdiag", ptShrinking, 6.0},
    {"DSYEV", "D_SymMdiag", ptOpCount, 0.0},
    {"DSYR2K", "D_SymMMMmultAdd", ptUniform, 1.0},
    {"DSYTRD", "D_MtoTriDiag", ptUniform, 1.0},
    {"DSYTD2", "D_MtoTriDiagNoBlock", ptUniform, 1.0},
    {"DTREVC", "D_TriMgetEigVec", ptUniform, 1.0},
    {"DTRMM", "D_TriMMmult", ptUniform, 1.0 / 3.0},
    {"DTRSM", "D_TriMMsolve", ptUniform, 1.0 / 3.0},
    {"ZBDSQR", "Z_BiDiagGetSvd", ptShrinking, 10.0},
    {"ZGEBD2", "Z_MtoBiDiagElt", ptShrinking, 10.0},
    {"ZGEBRD", "Z_MtoBiDiag", ptShrinking, 10.0},
    {"ZGEEV", "Z_Mdiag", ptOpCount, 0.0},
    {"ZGEHD2", "Z_MtoHessenbergNoBlock", ptShrinking, 10.0},
    {"ZGEHRD", "Z_MtoHessenberg", ptShrinking, 10.0},
    {"ZGELQ2", "Z_LQfactor2", ptShrinking, 5.0},
    {"ZGELQF", "Z_LQfactor", ptShrinking, 5.0},
    {"ZGELS", "Z_MVsolveLsq", ptOpCount, 0.0},
    {"ZGELSS", "Z_MVsolveSvd", ptOpCount, 0.0},
    {"ZGEMM", "Z_MMMmultAdd", ptUniform, 6.0},
    {"ZGEQL2", "Z_QLfactor2", ptShrinking, 5.0},
    {"ZGEQLF", "Z_QLfactor", ptShrinking, 5.0},
    {"ZGEQR2", "Z_QRfactor2", ptShrinking, 5.0},
    {"ZGEQRF", "Z_QRfactor", ptShrinking, 5.0},
    {"ZGESV", "Z_MVsolve", ptOpCount, 0.0},
    {"ZGESVD", "Z_MgetSvd", ptOpCount, 0.0},
    {"ZGETF2", "Z_LUfactor2", ptShrinking, 2.5},
    {"ZGETRF", "Z_LUfactor", ptShrinking, 2.5},
    {"ZHEEV", "Z_HerMdiag", ptOpCount, 0.0},
    {"ZHER2K", "Z_HerMMMmultAdd", ptUniform, 3.5},
    {"ZHETD2", "Z_MtoTriDiagNoBlock", ptUniform, 3.5},
    {"ZHETRD", "Z_MtoTriDiag", ptUniform, 3.5},
    {"ZHSEQR", "Z_DiagHessenberg", ptShrinking, 48.0},
    {"ZLABRD", "Z_MtoBiDiagBlock", ptUniform, 20.0 / 3.0},
    {"ZLAHQR", "Z_QRiterate", ptUniform, 48.0},
    {"ZLAHRD", "Z_MtoHessenbergBlock", ptUniform, 20.0 / 3.0},
    {"ZLARFB", "Z_ApplyReflectBlock", ptUniform, 3.5},
    {"ZLATRD", "Z_MtoTriDiagBlock", ptUniform, 3.5},
    {"ZSTEQR", "Z_TriMdiag", ptShrinking, 14.0},
    {"ZTREVC", "Z_TriMgetEigVec", ptUniform, 4.0},
    {"ZTRMM", "Z_TriMMmult", ptUniform, 1.25},
    {"ZTRSM", "Z_TriMMsolve", ptUniform, 1.25},
    {"ZUNG2L", "Z_QLformProduct2", ptUniform, 4.0},
    {"ZUNG2R", "Z_QRformProduct2", ptUniform, 4.0},
    {"ZUNGBR", "Z_PQformTransform", ptUniform, 4.0},
    {"ZUNGLQ", "Z_LQformProduct", ptUniform, 4.0},
    {"ZUNGQL", "Z_QLformProduct", ptUniform, 4.0},
    {"ZUNGQR", "Z_QRformProduct", ptUniform, 4.0},
    {"ZUNM2R", "Z_QRtransform2", ptUniform, 3.0},
    {"ZUNML2", "Z_LQtransform2", ptUniform, 3.0},
    {"ZUNMLQ", "Z_LQtransform", ptUniform, 3.0},
    {"ZUNMQR", "Z_QRtransform", ptUniform, 3.0},
    {"LAFFT", "Z_Fft", ptFft, 8.1},
    {"DGETLS", "D_MVsolveTls", ptOpCount, 0.0},
    {"ZGETLS", "Z_MVsolveTls", ptOpCount, 0.0},
    {"LAROOT", "", ptShrinking, 48.0},
    {nullptr, nullptr, ptNone, 0.0},
};

namespace {
double opCost = 0.0;  // measured milliseconds per operation, 0 until measured
long procPrio = 0;
long threadPrio = 0;

// OpCount's answer for a name it cannot count: a warning and one operation.
double UnknownCount(char const* name)
{
    Beep();
    Debug->printf("OpCount called for unknown function %s\n", name);
    return 1.0;
}

double SvdCrossover(char const* name, short opt, long m, long n, long k, long l)
{
    return static_cast<double>(Env(LaEnvSvdCrossover, name, opt, m, n, k, l));
}

// Operations of DGESVD (complex: ZGESVD), by which vectors are wanted.
double SvdCount(bool complex, short opt, long m, long n, long k, long l)
{
    double const mn = static_cast<double>(std::min(m, n));
    double const mx = static_cast<double>(std::max(m, n));
    double const c = mn * mn * mn;
    bool const u = (opt & (LaSvdUAll | LaSvdUShort | LaSvdUOverA)) != 0;
    bool const v = (opt & (LaSvdVTAll | LaSvdVTShort | LaSvdVTOverA)) != 0;
    double const x = SvdCrossover(complex ? "ZGESVD" : "DGESVD", opt, m, n, k, l);
    double const w = complex ? 4.0 : 1.0;  // weight of the products with mx
    double ops;
    if (mx < x && m < n) {
        ops = complex ? 10.0 * c : 3.0 * c;
        if (u) ops += complex ? 4.0 * mx * mn * mn + 10.0 * c : mx * mn * mn + 3.5 * c;
        if (v) {
            ops += complex ? 10.0 * c : 3.5 * c;
            ops += w * ((opt & LaSvdVTAll) ? mx * mx * mn : mx * mn * mn);
        }
    } else if (mx < x) {
        ops = complex ? 10.0 * c : 3.0 * c;
        if (u) {
            ops += complex ? 10.0 * c : 3.5 * c;
            ops += w * ((opt & LaSvdUAll) ? mx * mx * mn : mx * mn * mn);
        }
        if (v) ops += complex ? 14.0 * c : 4.5 * c;
    } else {
        ops = complex ? 15.0 * c : 14.0 * c / 3.0;
        if (u || v)
            ops += complex ? 6.0 * mx * mn * mn + 4.0 * mx * mx * mn : mx * mn * mn + mx * mx * mn;
        if (u) ops += complex ? 14.0 * c : 4.5 * c;
        if (v) ops += complex ? 14.0 * c : 4.5 * c;
    }
    return ops;
}

// Total least squares (DGETLS on n + 1 columns, ZGETLS on n).
double TlsCount(bool complex, short opt, long m, long n, long k, long l)
{
    long const cols = complex ? n : n + 1;
    double const mn = static_cast<double>(std::min(m, cols));
    double const mx = static_cast<double>(std::max(m, cols));
    double const c = mn * mn * mn;
    double const x = SvdCrossover(complex ? "ZGESVD" : "DGESVD", opt, m, cols, k, l);
    if (complex) return mx < x ? 24.0 * c : 6.0 * mx * mn * mn + 4.0 * mx * mx * mn + 29.0 * c;
    return mx < x ? 7.5 * c : mx * mn * mn + mx * mx * mn + 27.5 * c / 3.0;
}

double DriverOrModelCount(LaNames row, short opt, long m, long n, long k, long l)
{
    double const dm = static_cast<double>(m);
    double const dn = static_cast<double>(n);
    double const m3 = dm * dm * dm;
    double const mn = static_cast<double>(std::min(m, n));
    double const mx = static_cast<double>(std::max(m, n));
    double const c = mn * mn * mn;
    long const k1 = std::max(k, 1L);
    double const dk1 = static_cast<double>(k1);
    switch (row) {
    case laDGEEV:
        return m3 * ((opt & 0xa0) ? 14.0 : 6.5);
    case laZGEEV:
        return m3 * ((opt & 0xa0) ? 66.0 : 30.0);
    case laDSYEV:
        return (opt & LaEigVectors) ? m3 * 8.0 : m3;
    case laZHEEV:
        return m3 * ((opt & LaEigVectors) ? 21.5 : 3.5);
    case laDGELS:
        return dk1 * mn * mn / 3.0 + dk1 * dn * dm + 5.0 * c / 3.0;
    case laZGELS:
        return 1.25 * dk1 * mn * mn + 3.0 * dk1 * dn * dm + 5.0 * c;
    case laDGELSS: {
        double ops = 11.0 * c + 2.0 * dk1 * mn * mn;
        if (SvdCrossover("DGELSS", 0, m, n, k1, l) <= mx) ops += dk1 * dn * dm + 5.0 * c / 3.0;
        return ops;
    }
    case laZGELSS: {
        double ops = 34.0 * c + 6.0 * dk1 * mn * mn;
        if (SvdCrossover("ZGELSS", 0, m, n, k1, l) <= mx) ops += 3.0 * dk1 * dn * dm + 5.0 * c;
        return ops;
    }
    case laDGESV:
        return 2.0 * dm * dm * (dm + static_cast<double>(std::max(n, 1L))) / 3.0;
    case laZGESV:
        return 2.5 * dm * dm * (dm + static_cast<double>(std::max(n, 1L)));
    case laDGESVD:
        return SvdCount(false, opt, m, n, k, l);
    case laZGESVD:
        return SvdCount(true, opt, m, n, k, l);
    case laDGETLS:
        return TlsCount(false, opt, m, n, k, l);
    case laZGETLS:
        return TlsCount(true, opt, m, n, k, l);
    default:
        break;
    }
    ProgressType type = ss[row].Type;
    double factor = ss[row].Factor;
    ChangeDefaults(row, type, factor, opt, m, n, k);
    double const dk = static_cast<double>(k);
    switch (type) {
    case ptUniform:
        return factor * dk * static_cast<double>(n) * static_cast<double>(m);
    case ptGrowing:
    case ptShrinking:
        return factor * dk * dk * dk;
    case ptFft:
        // Log2 of a length below 1 is -inf or NaN: no work then, as for length 1.
        return m >= 1 ? static_cast<double>(m) * factor * Log2(static_cast<double>(m)) : 0.0;
    default:
        return 0.0;
    }
}
}  // namespace

// CostIndex: the first row whose LAPACK name, then routine id, equals name ignoring case; the
// closing row 90 when none does.
LaNames CostIndex(char const* name)
{
    int row = 0;
    for (; ss[row].LaName != nullptr; ++row)
        if (stricmp(ss[row].LaName, name) == 0 || stricmp(ss[row].Id, name) == 0) break;
    return static_cast<LaNames>(row);
}

// ChangeDefaults: the per-routine adjustments of a row's factor (BDSQR by the number of vector
// sets in opt, HSEQR and LAHQR by opt, LAFFT for opt 0x2) and of m (min(m, n) for the QR, QL, LQ
// and blocked LU factorisations); other rows are left alone.
void ChangeDefaults(LaNames row, ProgressType&, double& factor, short opt, long& m, long& n, long&)
{
    switch (row) {
    case laDBDSQR:
    case laZBDSQR:
        factor *= opt;  // the caller passes the number of vector sets
        break;
    case laDGELQ2:
    case laDGELQF:
    case laDGEQL2:
    case laDGEQLF:
    case laDGEQR2:
    case laDGEQRF:
    case laDGETRF:
    case laZGELQ2:
    case laZGELQF:
    case laZGEQL2:
    case laZGEQLF:
    case laZGEQR2:
    case laZGEQRF:
    case laZGETRF:
        m = std::min(m, n);
        break;
    case laDHSEQR:
        factor = (opt & 0x18) ? 9.0 : 3.5;
        break;
    case laDLAHQR:
        factor = opt != 0 ? 9.0 : 3.5;
        break;
    case laZHSEQR:
        factor = (opt & 0x18) ? 48.0 : 20.0;
        break;
    case laZLAHQR:
        factor = opt != 0 ? 48.0 : 20.0;
        break;
    case laLAFFT:
        if (opt & 0x2) factor += 0.6;
        break;
    default:
        break;
    }
}

// OpCount: the operations of the routine name with option word opt and dimensions m, n, k, l: the
// drivers' own formulas, else the row's model. An unknown name or a count of 0 rings the bell,
// writes a line to the debug log and counts 1.
double OpCount(char const* name, short opt, long m, long n, long k, long l)
{
    LaNames const row = CostIndex(name);
    if (row == laUnknown) return UnknownCount(name);
    double const ops = DriverOrModelCount(row, opt, m, n, k, l);
    if (ops == 0.0) return UnknownCount(name);
    return ops;
}

// newRand: a random double in [0, 1) from two draws of random().
double newRand()
{
    double const high = static_cast<double>(random()) / 2147483648.0;
    double const low = static_cast<double>(random()) / 2147483647.0;
    return high + low / 2147483647.0;
}

// Fixed stand-ins for the platform's priority queries.
unsigned short GetCurrentProcess() { return 2; }
long GetPriorityClass(unsigned short) { return 3; }
unsigned short GetCurrentThread() { return 4; }
long GetThreadPriority(unsigned short) { return 5; }
bool IsFrontProcess() { return true; }

// Cost: milliseconds per operation, by timing LU factorisations of random matrices of order 20, 40,
// ... until one takes longer than minTicks; kept until the priorities change. A factorisation that
// throws or a clock that steps back is tried once more; a second failure keeps 0.001.
double Cost(long minTicks)
{
    long const p = static_cast<uint16_t>(GetPriorityClass(GetCurrentProcess()));
    long const t = static_cast<uint16_t>(GetThreadPriority(GetCurrentThread()));
    if (opCost != 0.0 && p == procPrio && t == threadPrio) return opCost;
    procPrio = p;
    threadPrio = t;
    opCost = 0.001;
    srandom(0x7fffffff);
    bool retried = false;
    bool measured = false;
    long n = 20;
    long t0 = 0, t1 = 0;
    for (;;) {
        UMatrix<double> a(n, n, n);
        UVector<long> pivots(n, 1);
        for (long i = 0; i < n; ++i)
            for (long j = 0; j < n; ++j) a(i, j) = newRand();
        t0 = GetTicks();
        bool failed = false;
        try {
            LAPackDouble::LUfactor(n, n, a.GetData(), n, pivots.GetData(), defProgMon);
        } catch (...) {
            failed = true;
        }
        t1 = GetTicks();
        if (failed || t1 < t0) {
            if (retried) break;
            retried = true;
            continue;
        }
        if (t1 > t0 + minTicks) {
            measured = true;
            break;
        }
        n += 20;
    }
    if (measured) {
        double const dn = static_cast<double>(n);
        opCost = static_cast<double>(t1 - t0) / (0.67 * dn * dn * dn);
    }
    return opCost;
}

}  // namespace Blas
