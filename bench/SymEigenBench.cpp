// Times SymMdiag of the numeric library against the reference LAPACK's dsyev (compiled Fortran) on
// the same random symmetric matrices, n = 300 and 1000, with eigenvectors and eigenvalues and with
// eigenvalues only. Calls alternate between the two so that both see the same machine load; each
// pair is repeated and the best time of each kept. Both are single-threaded, so the process's CPU
// time is the measure, less disturbed by other load than the wall clock, which is printed beside
// it. Prints the times and the ratio ours / reference of the CPU times.
// Usage: sym_eigen_bench [REPEATS]   (default 15 for n = 300, 5 for n = 1000)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "bench/BenchSupport.h"
#include "numeric/BlasTiming.h"
#include "numeric/LAPackDouble.h"

extern "C" void dsyev_(const char* jobz, const char* uplo, const int* n, double* a, const int* lda,
                       double* w, double* work, const int* lwork, int* info, size_t, size_t);

namespace {

// The random n x n matrix with its lower triangle mirrored into the upper one.
std::vector<double> RandomSymmetric(long n)
{
    std::vector<double> a = Bench::RandomMatrix(n, n);
    for (long j = 0; j < n; ++j)
        for (long i = 0; i < j; ++i) a[i + j * n] = a[j + i * n];
    return a;
}

// CPU and wall seconds of one call.
struct Times {
    double cpu, wall;
};

// The better of two, each time on its own.
Times Least(Times a, Times b) { return {std::min(a.cpu, b.cpu), std::min(a.wall, b.wall)}; }

double CpuNow()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

class Stopwatch {
public:
    Stopwatch() : cpu_(CpuNow()), wall_(std::chrono::steady_clock::now()) {}
    Times Elapsed() const
    {
        return {CpuNow() - cpu_,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_).count()};
    }

private:
    double cpu_;
    std::chrono::steady_clock::time_point wall_;
};

// One call of ours on a copy of a; the copy is made before the clock starts.
Times TimeOurs(std::vector<double> const& a, long n, bool vectors)
{
    std::vector<double> x = a, w(n);
    short const opt = (vectors ? Blas::LaEigVectors : Blas::LaEigValuesOnly) | Blas::LaUseLower;
    Stopwatch const clock;
    LAPackDouble::SymMdiag(opt, n, x.data(), n, w.data(), Blas::defProgMon);
    return clock.Elapsed();
}

// One call of the reference with the optimal workspace it reports, queried before the clock starts.
Times TimeReference(std::vector<double> const& a, long n, bool vectors)
{
    std::vector<double> x = a, w(n);
    char const jobz = vectors ? 'V' : 'N', uplo = 'L';
    int const ni = static_cast<int>(n);
    int lwork = -1, info = 0;
    double query = 0.0;
    dsyev_(&jobz, &uplo, &ni, x.data(), &ni, w.data(), &query, &lwork, &info, 1, 1);
    std::vector<double> work(static_cast<size_t>(query));
    lwork = static_cast<int>(work.size());
    Stopwatch const clock;
    dsyev_(&jobz, &uplo, &ni, x.data(), &ni, w.data(), work.data(), &lwork, &info, 1, 1);
    Times const t = clock.Elapsed();
    if (info != 0) std::printf("dsyev info %d\n", info);
    return t;
}

}  // namespace

int main(int argc, char** argv)
{
    int const given = argc > 1 ? std::max(1, std::atoi(argv[1])) : 0;
    std::printf("%-22s %21s %21s %7s\n", "SymMdiag (lower)", "ours s: cpu / wall",
                "dsyev s: cpu / wall", "ratio");
    for (long n : {300L, 1000L}) {
        std::vector<double> const a = RandomSymmetric(n);
        int const repeats = given > 0 ? given : n <= 300 ? 15 : 5;
        for (bool vectors : {true, false}) {
            Times ours, ref;
            Bench::BestOfAlternating(
                repeats, [&] { return TimeOurs(a, n, vectors); },
                [&] { return TimeReference(a, n, vectors); }, ours, ref);
            std::printf("n = %4ld %-13s %10.4f %10.4f %10.4f %10.4f %7.3f\n", n,
                        vectors ? "vectors" : "values only", ours.cpu, ours.wall, ref.cpu, ref.wall,
                        ours.cpu / ref.cpu);
        }
    }
    return 0;
}
