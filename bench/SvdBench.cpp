// Times MgetSvd of the numeric library against the reference LAPACK's dgesvd (compiled Fortran
// over the reference BLAS) on the same 1000 x 1000 and 2000 x 300 matrices, singular values only
// and with all singular vectors, in alternating runs, and prints the best time of each and the
// ratio ours / reference.
// Usage: svd_bench [REPEATS]   (default 3)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/BenchSupport.h"
#include "numeric/LAPackDouble.h"

extern "C" {
void dgesvd_(const char* jobu, const char* jobvt, const int* m, const int* n, double* a,
             const int* lda, double* s, double* u, const int* ldu, double* vt, const int* ldvt,
             double* work, const int* lwork, int* info, size_t, size_t);
}

namespace {

// Seconds of one decomposition of a copy of a; vectors asks for all of U and VT.
double TimeOurs(std::vector<double> const& a, long m, long n, bool vectors)
{
    std::vector<double> f = a, s(std::min(m, n)), u(vectors ? m * m : 1), vt(vectors ? n * n : 1);
    short const opt =
        vectors ? Blas::LaSvdUAll | Blas::LaSvdVTAll : Blas::LaSvdUNone | Blas::LaSvdVTNone;
    auto const start = std::chrono::steady_clock::now();
    LAPackDouble::MgetSvd(opt, m, n, f.data(), m, s.data(), u.data(), vectors ? m : 1, vt.data(),
                          vectors ? n : 1, Blas::defProgMon);
    std::chrono::duration<double> const took = std::chrono::steady_clock::now() - start;
    if (!(s[0] == s[0])) std::printf("NaN\n");  // keeps the result alive
    return took.count();
}

double TimeReference(std::vector<double> const& a, long m, long n, bool vectors)
{
    std::vector<double> f = a, s(std::min(m, n)), u(vectors ? m * m : 1), vt(vectors ? n * n : 1);
    int const mi = int(m), ni = int(n), ldu = vectors ? mi : 1, ldvt = vectors ? ni : 1;
    char const* job = vectors ? "A" : "N";
    // The preferred workspace, asked for by the reference's own query.
    int info = 0, query = -1;
    double best = 0.0;
    dgesvd_(job, job, &mi, &ni, f.data(), &mi, s.data(), u.data(), &ldu, vt.data(), &ldvt, &best,
            &query, &info, 1, 1);
    int const lwork = int(best);
    std::vector<double> work(lwork);
    auto const start = std::chrono::steady_clock::now();
    dgesvd_(job, job, &mi, &ni, f.data(), &mi, s.data(), u.data(), &ldu, vt.data(), &ldvt,
            work.data(), &lwork, &info, 1, 1);
    std::chrono::duration<double> const took = std::chrono::steady_clock::now() - start;
    if (info != 0 || !(s[0] == s[0])) std::printf("reference failed\n");
    return took.count();
}

}  // namespace

int main(int argc, char** argv)
{
    int const repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    std::printf("MgetSvd against dgesvd, best of %d runs\n", repeats);
    std::printf("%11s  %8s  %10s  %12s  %14s\n", "m x n", "vectors", "ours [s]", "reference [s]",
                "ours/reference");
    long const shapes[][2] = {{1000, 1000}, {2000, 300}};
    for (auto const& shape : shapes) {
        long const m = shape[0], n = shape[1];
        std::vector<double> const a = Bench::RandomMatrix(m, n);
        for (bool vectors : {false, true}) {
            double ours, ref;
            Bench::BestOfAlternating(
                repeats, [&] { return TimeOurs(a, m, n, vectors); },
                [&] { return TimeReference(a, m, n, vectors); }, ours, ref);
            std::printf("%5ld x %4ld  %8s  %10.3f  %12.3f  %14.3f\n", m, n,
                        vectors ? "all" : "none", ours, ref, ours / ref);
        }
    }
    return 0;
}
