#include "molecule/UQEcp.h"

#include <cstring>

UEcp::UEcp(long coreElectrons, long lmax, const char* name)
    : lmax(lmax), coreElectrons(coreElectrons), name(nullptr)
{
    const char* text = name ? name : "";
    this->name = new char[std::strlen(text) + 1];
    std::strcpy(this->name, text);
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
    list.SetDim(0);
    for (long i = 0; i < matches.GetDim(); i++)
        if (matches[i].atom == atom) list.Add(matches[i].entry);
}

void UEcpSet::MakeListForEcp(long ecp, UVector<long>& list) const
{
    list.SetDim(0);
    for (long i = 0; i < matches.GetDim(); i++)
        if (matches[i].entry == ecp) list.Add(matches[i].atom);
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
