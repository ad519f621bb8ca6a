#pragma once
// What the solver benchmarks share: the test matrices and the alternating best-of timing, so that
// ours and the reference see the same matrices and the same machine load.
#include <algorithm>
#include <random>
#include <vector>

namespace Bench {

// An m x n column-major matrix of uniform values in [-1, 1), the same for the same shape.
inline std::vector<double> RandomMatrix(long m, long n)
{
    std::mt19937 rng(static_cast<unsigned>(m + n));
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::vector<double> a(m * n);
    for (double& x : a) x = u(rng);
    return a;
}

// The better of two times in seconds; a benchmark that measures more than one time per call gives
// its own Least for them.
inline double Least(double a, double b) { return std::min(a, b); }

// Calls ours and reference in turns, repeats (at least 1) times each, and keeps the least time of
// each.
template <class Ours, class Reference, class Time>
void BestOfAlternating(int repeats, Ours ours, Reference reference, Time& bestOurs,
                       Time& bestReference)
{
    bestOurs = ours();
    bestReference = reference();
    for (int r = 1; r < repeats; ++r) {
        bestOurs = Least(bestOurs, ours());
        bestReference = Least(bestReference, reference());
    }
}

}  // namespace Bench
