// VVmult (ZDOTU): the unconjugated dot product sum x(i)*y(i) of n strided complex elements, summed
// in index order from (0, 0); a real x may be paired with a complex y. VVVmult: the same loop with
// a third factor, (x(i)*y(i))*z(i). Front-ends that mix real and complex vectors pass the real
// operands first; the products commute.
#include "numeric/BlasComplex.h"
#include "numeric/BlasVectorArg.h"
#include "utilities/CustExcept.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"

namespace {

const char* const sourceName = "zdotu";

typedef std::complex<double> Z;

// Runs f(ix, iy) over n index pairs with the reference increment rules.
template <class F>
void ForPairs(long n, long incx, long incy, F f)
{
    long ix = incx < 0 ? (1 - n) * incx : 0;
    long iy = incy < 0 ? (1 - n) * incy : 0;
    for (long i = 0; i < n; ++i, ix += incx, iy += incy) f(ix, iy);
}

template <class F>
void ForTriples(long n, long incx, long incy, long incz, F f)
{
    long ix = incx < 0 ? (1 - n) * incx : 0;
    long iy = incy < 0 ? (1 - n) * incy : 0;
    long iz = incz < 0 ? (1 - n) * incz : 0;
    for (long i = 0; i < n; ++i, ix += incx, iy += incy, iz += incz) f(ix, iy, iz);
}

template <class X, class Y>
Z Dot(long n, X const* x, long incx, Y const* y, long incy)
{
    Z sum(0.0, 0.0);
    if (n <= 0) return sum;
    if (incx == 1 && incy == 1) {
        for (long i = 0; i < n; ++i) sum += x[i] * y[i];
        return sum;
    }
    ForPairs(n, incx, incy, [&](long ix, long iy) { sum += x[ix] * y[iy]; });
    return sum;
}

template <class X, class Y, class W>
Z Dot3(long n, X const* x, long incx, Y const* y, long incy, W const* z, long incz)
{
    Z sum(0.0, 0.0);
    if (n <= 0) return sum;
    if (incx == 1 && incy == 1 && incz == 1) {
        for (long i = 0; i < n; ++i) sum += x[i] * y[i] * z[i];
        return sum;
    }
    ForTriples(n, incx, incy, incz,
               [&](long ix, long iy, long iz) { sum += x[ix] * y[iy] * z[iz]; });
    return sum;
}

template <class A, class B>
void CheckPair(UVector<A> const& x, UVector<B> const& y, int line)
{
    if (x.GetDim() != y.GetDim()) RaiseError(umIncompatibleDimensions, sourceName, line);
}

template <class A, class B, class C>
void CheckTriple(UVector<A> const& x, UVector<B> const& y, UVector<C> const& z, int line)
{
    if (x.GetDim() != y.GetDim() || x.GetDim() != z.GetDim())
        RaiseError(umIncompatibleDimensions, sourceName, line);
}

}  // namespace

Z BlasComplex::VVmult(long n, Z const* x, long incx, Z const* y, long incy)
{
    return Dot(n, x, incx, y, incy);
}

Z BlasComplex::VVmult(long n, double const* x, long incx, Z const* y, long incy)
{
    return Dot(n, x, incx, y, incy);
}

Z BlasComplex::VVmult(UVector<Z> const& x, UVector<Z> const& y)
{
    CheckPair(x, y, __LINE__);
    return VVmult(x.GetDim(), RawStart(x), x.GetInc(), RawStart(y), y.GetInc());
}

Z BlasComplex::VVmult(UVector<double> const& x, UVector<Z> const& y)
{
    CheckPair(x, y, __LINE__);
    return VVmult(x.GetDim(), RawStart(x), x.GetInc(), RawStart(y), y.GetInc());
}

Z BlasComplex::VVmult(UVector<Z> const& x, UVector<double> const& y)
{
    CheckPair(x, y, __LINE__);
    return VVmult(y.GetDim(), RawStart(y), y.GetInc(), RawStart(x), x.GetInc());
}

Z BlasComplex::VVVmult(long n, Z const* x, long incx, Z const* y, long incy, Z const* z, long incz)
{
    return Dot3(n, x, incx, y, incy, z, incz);
}

Z BlasComplex::VVVmult(long n, double const* x, long incx, Z const* y, long incy, Z const* z,
                       long incz)
{
    return Dot3(n, x, incx, y, incy, z, incz);
}

Z BlasComplex::VVVmult(long n, double const* x, long incx, double const* y, long incy, Z const* z,
                       long incz)
{
    return Dot3(n, x, incx, y, incy, z, incz);
}

Z BlasComplex::VVVmult(UVector<Z> const& x, UVector<Z> const& y, UVector<Z> const& z)
{
    CheckTriple(x, y, z, __LINE__);
    return VVVmult(x.GetDim(), RawStart(x), x.GetInc(), RawStart(y), y.GetInc(), RawStart(z),
                   z.GetInc());
}

Z BlasComplex::VVVmult(UVector<double> const& x, UVector<Z> const& y, UVector<Z> const& z)
{
    CheckTriple(x, y, z, __LINE__);
    return VVVmult(x.GetDim(), RawStart(x), x.GetInc(), RawStart(y), y.GetInc(), RawStart(z),
                   z.GetInc());
}

Z BlasComplex::VVVmult(UVector<Z> const& x, UVector<double> const& y, UVector<Z> const& z)
{
    CheckTriple(x, y, z, __LINE__);
    return VVVmult(y.GetDim(), RawStart(y), y.GetInc(), RawStart(x), x.GetInc(), RawStart(z),
                   z.GetInc());
}

Z BlasComplex::VVVmult(UVector<Z> const& x, UVector<Z> const& y, UVector<double> const& z)
{
    CheckTriple(x, y, z, __LINE__);
    return VVVmult(z.GetDim(), RawStart(z), z.GetInc(), RawStart(x), x.GetInc(), RawStart(y),
                   y.GetInc());
}

Z BlasComplex::VVVmult(UVector<double> const& x, UVector<double> const& y, UVector<Z> const& z)
{
    CheckTriple(x, y, z, __LINE__);
    return VVVmult(x.GetDim(), RawStart(x), x.GetInc(), RawStart(y), y.GetInc(), RawStart(z),
                   z.GetInc());
}

Z BlasComplex::VVVmult(UVector<double> const& x, UVector<Z> const& y, UVector<double> const& z)
{
    CheckTriple(x, y, z, __LINE__);
    return VVVmult(x.GetDim(), RawStart(x), x.GetInc(), RawStart(z), z.GetInc(), RawStart(y),
                   y.GetInc());
}

Z BlasComplex::VVVmult(UVector<Z> const& x, UVector<double> const& y, UVector<double> const& z)
{
    CheckTriple(x, y, z, __LINE__);
    return VVVmult(y.GetDim(), RawStart(y), y.GetInc(), RawStart(z), z.GetInc(), RawStart(x),
                   x.GetInc());
}
