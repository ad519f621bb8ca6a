// Times SymMdiag of the numeric library against the reference LAPACK's dsyev (compiled Fortran) on
// the same random symmetric matrices, n = 300 and 1000, with eigenvectors and eigenvalues and with
// eigenvalues only. Calls alternate between the two so that both see the same machine load; each
// pair is repeated and the best time of each kept. Prints the times and the ratio ours / reference.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "numeric/BlasTiming.h"
#include "numeric/LAPackDouble.h"

extern "C" void dsyev_(const char* jobz, const char* uplo, const int* n, double* a, const int* lda, double* w,
                       double* work, const int* lwork, int* info, size_t, size_t);

namespace
{

std::vector<double> RandomSymmetric(long n)
{
    std::mt19937 rng(static_cast<unsigned>(n));
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::vector<double> a(n * n);
    for (long j = 0; j < n; ++j)
        for (long i = j; i < n; ++i) a[i + j * n] = a[j + i * n] = u(rng);
    return a;
}

double Seconds(std::chrono::steady_clock::time_point from)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
}

// One call of ours on a copy of a; the copy is made before the clock starts.
double TimeOurs(std::vector<double> const& a, long n, bool vectors)
{
    std::vector<double> x = a, w(n);
    auto const start = std::chrono::steady_clock::now();
    LAPackDouble::SymMdiag(vectors ? 0x280 : 0x204, n, x.data(), n, w.data(), Blas::defProgMon);
    return Seconds(start);
}

// One call of the reference with the optimal workspace it reports, queried before the clock starts.
double TimeReference(std::vector<double> const& a, long n, bool vectors)
{
    std::vector<double> x = a, w(n);
    char const jobz = vectors ? 'V' : 'N', uplo = 'L';
    int const ni = static_cast<int>(n);
    int lwork = -1, info = 0;
    double query = 0.0;
    dsyev_(&jobz, &uplo, &ni, x.data(), &ni, w.data(), &query, &lwork, &info, 1, 1);
    std::vector<double> work(static_cast<size_t>(query));
    lwork = static_cast<int>(work.size());
    auto const start = std::chrono::steady_clock::now();
    dsyev_(&jobz, &uplo, &ni, x.data(), &ni, w.data(), work.data(), &lwork, &info, 1, 1);
    double const s = Seconds(start);
    if (info != 0) std::printf("dsyev info %d\n", info);
    return s;
}

} // namespace

int main()
{
    std::printf("%-22s %10s %10s %8s\n", "SymMdiag (lower)", "ours s", "dsyev s", "ratio");
    for (long n : {300L, 1000L}) {
        std::vector<double> const a = RandomSymmetric(n);
        int const repeats = n <= 300 ? 7 : 3;
        for (bool vectors : {true, false}) {
            double ours = 1e300, ref = 1e300;
            for (int r = 0; r < repeats; ++r) {
                ours = std::min(ours, TimeOurs(a, n, vectors));
                ref = std::min(ref, TimeReference(a, n, vectors));
            }
            std::printf("n = %4ld %-13s %10.4f %10.4f %8.3f\n", n, vectors ? "vectors" : "values only", ours, ref,
                        ours / ref);
        }
    }
    return 0;
}
