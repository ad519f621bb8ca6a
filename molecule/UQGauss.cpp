#include "molecule/UQGauss.h"

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
    long n = shells.GetDim();
    std::vector<bool> taken(static_cast<size_t>(n), false);
    std::vector<UGaussianShell*> sorted;
    sorted.reserve(static_cast<size_t>(n));
    for (long k = 0; k < n; k++) {
        long best = -1;
        for (long i = 0; i < n; i++) {
            if (taken[static_cast<size_t>(i)]) continue;
            if (best < 0 || LessThan(shells[i]->GetType(), shells[best]->GetType())) best = i;
        }
        taken[static_cast<size_t>(best)] = true;
        sorted.push_back(shells[best]);
    }
    for (long i = 0; i < n; i++) shells[i] = sorted[static_cast<size_t>(i)];
}
