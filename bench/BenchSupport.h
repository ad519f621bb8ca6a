#pragma once
// What the solver benchmarks share: the test matrices and the alternating best-of timing, so that
// ours and the reference see the same matrices and the same machine load.
#include <algorithm>
#include <random>
#include <vector>

namespace Bench
{

// An m x n column-major matrix of uniform values in [-1, 1), the same for the same shape.
inline std::vector<double> RandomMatrix(long m, long n)
{
    std::mt19937 rng(static_cast<unsigned>(m + n));
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::vector<double> a(m * n);
    for (double& x : a) x = u(rng);
    return a;
}

// Calls ours and reference in turns, repeats times each, and keeps the least time of each.
template <class Ours, class Reference>
void BestOfAlternating(int repeats, Ours ours, Reference reference, double& bestOurs, double& bestReference)
{
    bestOurs = bestReference = 1e300;
    for (int r = 0; r < repeats; ++r) {
        bestOurs = std::min(bestOurs, ours());
        bestReference = std::min(bestReference, reference());
    }
}

} // namespace Bench
