#pragma once
// Exchanges two strided vectors (DSWAP, ZSWAP).
template <class T>
void Vswap(long n, T* x, long incx, T* y, long incy)
{
    if (n <= 0) return;
    if (incx == 1 && incy == 1) {
        for (long i = 0; i < n; ++i) {
            T t = x[i];
            x[i] = y[i];
            y[i] = t;
        }
        return;
    }
    long ix = incx < 0 ? (1 - n) * incx : 0;
    long iy = incy < 0 ? (1 - n) * incy : 0;
    for (long i = 0; i < n; ++i, ix += incx, iy += incy) {
        T t = x[ix];
        x[ix] = y[iy];
        y[iy] = t;
    }
}
