#include "molecule/UQEcp.h"

#include <cstring>

#include "molecule/NameCopy.h"

UEcp::UEcp(long coreElectrons, long lmax, const char* name)
    : lmax(lmax), coreElectrons(coreElectrons), name(CopyName(name))
{
}

UEcp::~UEcp()
{
    delete[] name;
    name = nullptr;
    parts.clear();
}

UEcpSet::~UEcpSet()
{
    matches.Clear();
    ecps.clear();
}

void UEcpSet::Clear()
{
    matches.Clear();
    ecps.clear();
}

void UEcpSet::MakeListForAtom(long atom, UVector<long>& list) const
{
    EntriesOfAtom(matches, atom, list);
}

void UEcpSet::MakeListForEcp(long ecp, UVector<long>& list) const
{
    AtomsOfEntry(matches, ecp, list);
}

long UEcpSet::FindAtom(long atom) const
{
    for (long i = 0; i < matches.GetDim(); i++)
        if (matches[i].atom == atom) return matches[i].entry;
    return -1;
}

long UEcpSet::Find(const char* name) const
{
    if (!name) return -1;
    for (long i = 0; i < ecps.GetDim(); i++)
        if (std::strcmp(ecps[i]->GetName(), name) == 0) return i;
    return -1;
}
