// Times DGEMM, DGEMV, DTRSM and DGESV of the numeric library against the reference BLAS and
// LAPACK (compiled Fortran) on the same matrices for n = 100, 300, 1000, then prints the ratio
// ours / reference of each pair.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "numeric/BlasDouble.h"
#include "numeric/LAPackDouble.h"

extern "C" {
void dgemm_(const char*, const char*, const int*, const int*, const int*, const double*,
            const double*, const int*, const double*, const int*, const double*, double*,
            const int*, size_t, size_t);
void dgemv_(const char*, const int*, const int*, const double*, const double*, const int*,
            const double*, const int*, const double*, double*, const int*, size_t);
void dtrsm_(const char*, const char*, const char*, const char*, const int*, const int*,
            const double*, const double*, const int*, double*, const int*, size_t, size_t, size_t,
            size_t);
void dgesv_(const int*, const int*, double*, const int*, int*, double*, const int*, int*);
}

namespace {

// The same random n x n matrices for every benchmark of one size; A has a dominant diagonal.
struct Operands {
    std::vector<double> a, b, x;
};

Operands const& OperandsFor(long n)
{
    static std::map<long, Operands> cache;
    auto it = cache.find(n);
    if (it != cache.end()) return it->second;
    std::mt19937 rng(static_cast<unsigned>(n));
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    Operands& o = cache[n];
    o.a.resize(n * n);
    o.b.resize(n * n);
    o.x.resize(n);
    for (double& v : o.a) v = u(rng);
    for (double& v : o.b) v = u(rng);
    for (double& v : o.x) v = u(rng);
    for (long i = 0; i < n; ++i) o.a[i + i * n] += n;
    return o;
}

enum Impl { kOurs = 0, kReference = 1 };

void Gemm(benchmark::State& st)
{
    long const n = st.range(0);
    int const ni = int(n);
    Operands const& o = OperandsFor(n);
    std::vector<double> c(n * n);
    double const one = 1.0, zero = 0.0;
    for (auto _ : st) {
        if (st.range(1) == kOurs)
            BlasDouble::MMMmultAdd(0x9, n, n, n, 1.0, o.a.data(), n, o.b.data(), n, 0.0, c.data(),
                                   n, Blas::defProgMon);
        else
            dgemm_("N", "N", &ni, &ni, &ni, &one, o.a.data(), &ni, o.b.data(), &ni, &zero, c.data(),
                   &ni, 1, 1);
        benchmark::DoNotOptimize(c.data());
    }
}

void Gemv(benchmark::State& st)
{
    long const n = st.range(0);
    int const ni = int(n), inc = 1;
    Operands const& o = OperandsFor(n);
    std::vector<double> y(n);
    double const one = 1.0, zero = 0.0;
    for (auto _ : st) {
        if (st.range(1) == kOurs)
            BlasDouble::MVVmultAdd(0x1, n, n, 1.0, o.a.data(), n, o.x.data(), 1, 0.0, y.data(), 1);
        else
            dgemv_("N", &ni, &ni, &one, o.a.data(), &ni, o.x.data(), &inc, &zero, y.data(), &inc,
                   1);
        benchmark::DoNotOptimize(y.data());
    }
}

void Trsm(benchmark::State& st)
{
    long const n = st.range(0);
    int const ni = int(n);
    Operands const& o = OperandsFor(n);
    std::vector<double> b;
    double const one = 1.0;
    for (auto _ : st) {
        st.PauseTiming();
        b = o.b;
        st.ResumeTiming();
        if (st.range(1) == kOurs)
            BlasDouble::TriMMsolve(0x115, n, n, 1.0, o.a.data(), n, b.data(), n, Blas::defProgMon);
        else
            dtrsm_("L", "U", "N", "N", &ni, &ni, &one, o.a.data(), &ni, b.data(), &ni, 1, 1, 1, 1);
        benchmark::DoNotOptimize(b.data());
    }
}

void Gesv(benchmark::State& st)
{
    long const n = st.range(0);
    int const ni = int(n), nrhs = 1;
    Operands const& o = OperandsFor(n);
    std::vector<double> a, x;
    std::vector<long> piv(n);
    std::vector<int> ipiv(n);
    for (auto _ : st) {
        st.PauseTiming();
        a = o.a;
        x = o.x;
        st.ResumeTiming();
        if (st.range(1) == kOurs) {
            LAPackDouble::MVsolve(n, 1, a.data(), n, piv.data(), x.data(), n, Blas::defProgMon);
        } else {
            int info = 0;
            dgesv_(&ni, &nrhs, a.data(), &ni, ipiv.data(), x.data(), &ni, &info);
        }
        benchmark::DoNotOptimize(x.data());
    }
}

void Sizes(benchmark::internal::Benchmark* b)
{
    for (long n : {100L, 300L, 1000L})
        for (long impl : {kOurs, kReference}) b->Args({n, impl});
    b->ArgNames({"n", "ref"})->Unit(benchmark::kMillisecond);
}

BENCHMARK(Gemm)->Apply(Sizes);
BENCHMARK(Gemv)->Apply(Sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(Trsm)->Apply(Sizes);
BENCHMARK(Gesv)->Apply(Sizes);

// Keeps the time per iteration of every run so that the pairs can be compared at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(std::vector<Run> const& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (Run const& r : runs)
            if (r.run_type == Run::RT_Iteration) times[r.benchmark_name()] = r.GetAdjustedCPUTime();
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nratio ours / reference (CPU time per call)\n");
    for (char const* name : {"Gemm", "Gemv", "Trsm", "Gesv"})
        for (long n : {100L, 300L, 1000L}) {
            std::string const base = std::string(name) + "/n:" + std::to_string(n) + "/ref:";
            auto ours = reporter.times.find(base + "0"), ref = reporter.times.find(base + "1");
            if (ours != reporter.times.end() && ref != reporter.times.end() && ref->second > 0.0)
                std::printf("%-5s n = %4ld  %.3f\n", name, n, ours->second / ref->second);
        }
    benchmark::Shutdown();
    return 0;
}
