// Times QRfactor + QRformProduct of the numeric library against the reference LAPACK's dgeqrf +
// dorgqr (compiled Fortran over the reference BLAS) on the same 1000 x 1000 and 2000 x 500
// matrices, in alternating runs, and prints the best time of each and the ratio ours / reference.
// Usage: qr_bench [REPEATS]   (default 5)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/BenchSupport.h"
#include "numeric/LAPackDouble.h"

extern "C" {
void dgeqrf_(const int* m, const int* n, double* a, const int* lda, double* tau, double* work,
             const int* lwork, int* info);
void dorgqr_(const int* m, const int* n, const int* k, double* a, const int* lda, const double* tau,
             double* work, const int* lwork, int* info);
}

namespace {

// Seconds of one factorisation and formation of Q on a copy of a; the block size of both is 32,
// so n*32 elements of work let them run at full block size.
double TimeOurs(std::vector<double> const& a, long m, long n)
{
    std::vector<double> f = a, tau(n), work(n * 32);
    auto const start = std::chrono::steady_clock::now();
    LAPackDouble::QRfactor(m, n, f.data(), m, tau.data(), work.data(), n * 32, Blas::defProgMon);
    LAPackDouble::QRformProduct(m, n, n, f.data(), m, tau.data(), work.data(), n * 32,
                                Blas::defProgMon);
    std::chrono::duration<double> const took = std::chrono::steady_clock::now() - start;
    if (!(f[0] == f[0])) std::printf("NaN\n");  // keeps the result alive
    return took.count();
}

double TimeReference(std::vector<double> const& a, long m, long n)
{
    std::vector<double> f = a, tau(n), work(n * 32);
    int const mi = int(m), ni = int(n), lwork = int(n * 32);
    int info = 0;
    auto const start = std::chrono::steady_clock::now();
    dgeqrf_(&mi, &ni, f.data(), &mi, tau.data(), work.data(), &lwork, &info);
    dorgqr_(&mi, &ni, &ni, f.data(), &mi, tau.data(), work.data(), &lwork, &info);
    std::chrono::duration<double> const took = std::chrono::steady_clock::now() - start;
    if (info != 0 || !(f[0] == f[0])) std::printf("reference failed\n");
    return took.count();
}

}  // namespace

int main(int argc, char** argv)
{
    int const repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::printf("QRfactor + QRformProduct against dgeqrf + dorgqr, best of %d runs\n", repeats);
    std::printf("%11s  %10s  %12s  %14s\n", "m x n", "ours [s]", "reference [s]", "ours/reference");
    long const shapes[][2] = {{1000, 1000}, {2000, 500}};
    for (auto const& shape : shapes) {
        long const m = shape[0], n = shape[1];
        std::vector<double> const a = Bench::RandomMatrix(m, n);
        double ours, ref;
        Bench::BestOfAlternating(
            repeats, [&] { return TimeOurs(a, m, n); }, [&] { return TimeReference(a, m, n); },
            ours, ref);
        std::printf("%5ld x %4ld  %10.3f  %12.3f  %14.3f\n", m, n, ours, ref, ours / ref);
    }
    return 0;
}
