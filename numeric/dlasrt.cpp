// Vsort (DLASRT): sorts d(1) .. d(n) increasingly (opt 0x1) or decreasingly (opt 0x2), by a
// quicksort without recursion that leaves runs of up to 21 elements to insertion sort. The parts
// still to sort wait on a fixed stack, the larger part pushed first so that the smaller is taken
// next.
#include <utility>

#include "numeric/LAPackDouble.h"

namespace {

const char* const sourceName = "dlasrt";

long const insertionLimit = 20;
// The smaller part, at most half of the one split, is split next, so the k-th part waiting on the
// stack holds fewer than n/2^(k-1) elements and the depth stays below 64 for every n a long holds.
long const stackSize = 64;

// a before b in the order asked for.
bool Before(bool increasing, double a, double b) { return increasing ? a < b : a > b; }

void InsertionSort(bool increasing, double* d, long start, long end)
{
    for (long i = start + 1; i <= end; ++i)
        for (long j = i; j > start && Before(increasing, d[j], d[j - 1]); --j)
            std::swap(d[j], d[j - 1]);
}

// The median of the first, last and middle element, chosen as the reference routine does.
double MedianOfThree(double const* d, long start, long end)
{
    double const d1 = d[start], d2 = d[end], d3 = d[(start + end) / 2];
    if (d1 < d2) {
        if (d3 < d1) return d1;
        if (d3 < d2) return d3;
        return d2;
    }
    if (d3 < d2) return d2;
    if (d3 < d1) return d3;
    return d1;
}

// Hoare partition around the pivot; returns j with d(start .. j) before d(j+1 .. end).
long Partition(bool increasing, double* d, long start, long end)
{
    double const pivot = MedianOfThree(d, start, end);
    long i = start - 1, j = end + 1;
    for (;;) {
        do --j;
        while (Before(increasing, pivot, d[j]));
        do ++i;
        while (Before(increasing, d[i], pivot));
        if (i >= j) return j;
        std::swap(d[i], d[j]);
    }
}

}  // namespace

void LAPackDouble::Vsort(short opt, long n, double* d)
{
    Blas::CheckOptions(opt, {0x3}, sourceName, __LINE__);
    Blas::CheckArgument(n >= 0, sourceName, __LINE__);
    if (n <= 1) return;
    bool const increasing = (opt & 0x1) != 0;
    long stack[stackSize][2];
    long top = 0;
    stack[0][0] = 0;
    stack[0][1] = n - 1;
    while (top >= 0) {
        long const start = stack[top][0], end = stack[top][1];
        --top;
        if (end - start <= insertionLimit) {
            InsertionSort(increasing, d, start, end);
            continue;
        }
        long const j = Partition(increasing, d, start, end);
        bool const leftLarger = j - start > end - j - 1;
        long const larger[2] = {leftLarger ? start : j + 1, leftLarger ? j : end};
        long const smaller[2] = {leftLarger ? j + 1 : start, leftLarger ? end : j};
        ++top;
        stack[top][0] = larger[0];
        stack[top][1] = larger[1];
        ++top;
        stack[top][0] = smaller[0];
        stack[top][1] = smaller[1];
    }
}
