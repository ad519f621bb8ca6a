#include "molecule/UQGauss.h"

#include <algorithm>
#include <vector>

#include "molecule/NameCopy.h"

long ShellDim(ShellType t)
{
    static const long dims[] = {1, 3, 4, 5, 6, 7, 10, 15};
    if (t < stS || t > stG) return 0;
    return dims[t];
}

bool LessThan(ShellType a, ShellType b) { return a < b; }

UGaussianAtom::UGaussianAtom(const char* name) : name(CopyName(name)) {}

UGaussianAtom::~UGaussianAtom()
{
    delete[] name;
    name = nullptr;
    shells.clear();
}

void UGaussianAtom::SortShells()
{
    // By type, those of one type in their order; a stable sort, since a
    // damaged set may hold a great many shells.
    std::vector<UGaussianShell*> sorted;
    sorted.reserve(static_cast<size_t>(shells.GetDim()));
    for (long i = 0; i < shells.GetDim(); i++) sorted.push_back(shells[i]);
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](UGaussianShell const* a, UGaussianShell const* b) {
                         return LessThan(a->GetType(), b->GetType());
                     });
    for (long i = 0; i < shells.GetDim(); i++) shells[i] = sorted[static_cast<size_t>(i)];
}
