#include "molecule/UQBasis.h"

#include <cstring>

#include "molecule/UStrChem.h"
#include "utilities/CustExcept.h"

namespace {

const char* const sourceName = "UQBasis";

// Retags every shell of type from to type to.
void Retag(UPointerList<UGaussianAtom> const& atoms, ShellType from, ShellType to)
{
    for (long a = 0; a < atoms.GetDim(); a++) {
        UPointerList<UGaussianShell>& shells = atoms[a]->GetShells();
        for (long s = 0; s < shells.GetDim(); s++)
            if (shells[s]->GetType() == from) shells[s]->SetType(to);
    }
}

// The form that the shells of the two types have, in list order: bfNone
// while there are none; false as soon as a shell of the other form follows.
bool ShellForm(UPointerList<UGaussianAtom> const& atoms, ShellType harmonic, ShellType cartesian,
               BasFuncType& form)
{
    for (long a = 0; a < atoms.GetDim(); a++) {
        UPointerList<UGaussianShell> const& shells = atoms[a]->GetShells();
        for (long s = 0; s < shells.GetDim(); s++) {
            ShellType t = shells[s]->GetType();
            if (t == harmonic) {
                if (form == bfCartesian) return false;
                form = bfHarmonic;
            } else if (t == cartesian) {
                if (form == bfHarmonic) return false;
                form = bfCartesian;
            }
        }
    }
    return true;
}

}  // namespace

void EntriesOfAtom(UVector<UPair> const& pairs, long atom, UVector<long>& list)
{
    list.SetDim(0);
    for (long i = 0; i < pairs.GetDim(); i++)
        if (pairs[i].atom == atom) list.Add(pairs[i].entry);
}

std::vector<std::vector<long>> EntriesByAtom(UVector<UPair> const& pairs, long atoms)
{
    std::vector<std::vector<long>> lists(static_cast<size_t>(atoms > 0 ? atoms : 0));
    for (long i = 0; i < pairs.GetDim(); i++)
        if (pairs[i].atom >= 0 && pairs[i].atom < atoms)
            lists[static_cast<size_t>(pairs[i].atom)].push_back(pairs[i].entry);
    return lists;
}

void AtomsOfEntry(UVector<UPair> const& pairs, long entry, UVector<long>& list)
{
    list.SetDim(0);
    for (long i = 0; i < pairs.GetDim(); i++)
        if (pairs[i].entry == entry) list.Add(pairs[i].atom);
}

UBasisSet::UBasisSet(BasisType t)
    : matches(0, 1), type(t), dFuncType(bfHarmonic), fFuncType(bfHarmonic)
{
}

UBasisSet::~UBasisSet()
{
    matches.Clear();
    slaters.clear();
    gaussians.clear();
}

void UBasisSet::Clear()
{
    type = btNone;
    gaussians.clear();
    slaters.clear();
    matches.Clear();
}

void UBasisSet::ChangedFuncType(BasFuncType t)
{
    dFuncType = t;
    if (type != btGaussian) return;
    if (t == bfCartesian) Retag(gaussians, stD5, stD6);
    if (t == bfHarmonic) Retag(gaussians, stD6, stD5);
}

void UBasisSet::ChangefFuncType(BasFuncType t)
{
    fFuncType = t;
    if (type != btGaussian) return;
    if (t == bfCartesian) Retag(gaussians, stF7, stF10);
    if (t == bfHarmonic) Retag(gaussians, stF10, stF7);
}

BasFuncType UBasisSet::TestdFuncType() const
{
    if (type != btGaussian) return bfNone;
    BasFuncType form = bfNone;
    if (!ShellForm(gaussians, stD5, stD6, form))
        RaiseError(cmInvalidBasisOperation, sourceName, __LINE__);
    return form;
}

BasFuncType UBasisSet::TestfFuncType() const
{
    if (type != btGaussian) return bfNone;
    BasFuncType form = bfNone;
    if (!ShellForm(gaussians, stF7, stF10, form))
        RaiseError(cmInvalidBasisOperation, sourceName, __LINE__);
    return form;
}

long UBasisSet::GetDim() const
{
    if (type == btGaussian) return gaussians.GetDim();
    if (type == btSlater) return slaters.GetDim();
    return 0;
}

long UBasisSet::GetAtomDim() const
{
    long largest = 0;
    for (long i = 0; i < matches.GetDim(); i++)
        if (matches[i].atom > largest) largest = matches[i].atom;
    return largest + 1;
}

long UBasisSet::GetOrbitalDim() const
{
    if (GetDim() == 0 || type == btNone) return 0;
    // Every pair of an atom below GetAtomDim() counts, which is every pair of an atom at all:
    // one pass over the pairs instead of one per atom.
    long functions = 0;
    for (long i = 0; i < matches.GetDim(); i++) {
        long const entry = matches[i].entry;
        // A pair naming no atom basis of the set adds nothing.
        if (matches[i].atom < 0 || entry < 0 || entry >= GetDim()) continue;
        if (type == btGaussian) {
            UPointerList<UGaussianShell> const& shells = gaussians[entry]->GetShells();
            for (long s = 0; s < shells.GetDim(); s++) functions += ShellDim(shells[s]->GetType());
        } else {
            functions += slaters[entry]->GetPrims().GetDim();
        }
    }
    return functions;
}

void UBasisSet::Add(UGaussianAtom* a)
{
    if (type == btNone) type = btGaussian;
    if (type != btGaussian) RaiseError(cmInvalidBasisOperation, sourceName, __LINE__);
    gaussians.Add(a);
}

void UBasisSet::Add(USlaterAtom* a)
{
    BecomeSlater();
    slaters.Add(a);
}

void UBasisSet::BecomeSlater()
{
    if (type == btNone) type = btSlater;
    if (type != btSlater) RaiseError(cmInvalidBasisOperation, sourceName, __LINE__);
}

void UBasisSet::ClearPrims()
{
    BecomeSlater();
    for (long i = 0; i < slaters.GetDim(); i++) slaters[i]->ClearPrims();
}

void UBasisSet::ClearShells()
{
    BecomeSlater();
    for (long i = 0; i < slaters.GetDim(); i++) slaters[i]->ClearShells();
}

void UBasisSet::MakeShellsFromPrims()
{
    BecomeSlater();
    for (long i = 0; i < slaters.GetDim(); i++) slaters[i]->MakeShellsFromPrims();
}

void UBasisSet::MakePrimsFromShells()
{
    BecomeSlater();
    for (long i = 0; i < slaters.GetDim(); i++) slaters[i]->MakePrimsFromShells();
}

bool UBasisSet::GetHasPrims() const
{
    if (type != btSlater) return false;
    for (long i = 0; i < slaters.GetDim(); i++)
        if (slaters[i]->GetHasPrims()) return true;
    return false;
}

bool UBasisSet::GetHasShells() const
{
    if (type != btSlater) return false;
    for (long i = 0; i < slaters.GetDim(); i++)
        if (slaters[i]->GetHasShells()) return true;
    return false;
}

void UBasisSet::MakeListForAtom(long atom, UVector<long>& list) const
{
    EntriesOfAtom(matches, atom, list);
}

void UBasisSet::MakeListForShell(long entry, UVector<long>& list) const
{
    AtomsOfEntry(matches, entry, list);
}

long UBasisSet::Find(const char* name) const
{
    if (!name) return -1;
    if (type == btGaussian) {
        for (long i = 0; i < gaussians.GetDim(); i++)
            if (std::strcmp(gaussians[i]->GetName(), name) == 0) return i;
    } else if (type == btSlater) {
        for (long i = 0; i < slaters.GetDim(); i++)
            if (std::strcmp(slaters[i]->GetName(), name) == 0) return i;
    }
    return -1;
}
