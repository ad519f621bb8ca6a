// Readers of the control-file sections "$atoms" and "$rundimensions".
#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "convert/FieldText.h"
#include "convert/UTurbo.h"
#include "convert/UTurboText.h"
#include "molecule/UAtCoord.h"
#include "molecule/UQBasis.h"
#include "molecule/UQEcp.h"
#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "utilities/CustExcept.h"
#include "utilities/MiscUtils.h"
#include "utilities/UStrUtilities.h"

using namespace FieldText;
using namespace TurboText;

namespace {

const char* const sourceName = "UTurbo";

// The indices of ranges (1-based) as ascending 0-based runs, each index once,
// as a mask of the ranges lists them: a run per range, not a pass over the
// mask, so that an entry costs what it names.
std::vector<std::pair<long, long>> AscendingRuns(std::vector<std::pair<long, long>> ranges)
{
    std::sort(ranges.begin(), ranges.end());
    std::vector<std::pair<long, long>> runs;
    for (const std::pair<long, long>& r : ranges) {
        if (r.second < r.first) continue;
        if (!runs.empty() && r.first - 1 <= runs.back().second + 1)
            runs.back().second = Max(runs.back().second, r.second - 1);
        else
            runs.emplace_back(r.first - 1, r.second - 1);
    }
    return runs;
}

// The atoms an entry lists must be atoms of the molecule and of the element the
// entry names: a control file of another molecule would put its basis sets on
// the wrong atoms. Atoms whose element is not known are not compared.
void CheckListedAtoms(UQGeometryData* geom, const std::vector<std::pair<long, long>>& runs,
                      long element)
{
    long atoms = geom->GetDim();
    if (atoms == 0) return;
    UVector<UQAtomData> data = geom->GetAtomData();
    for (const std::pair<long, long>& run : runs) {
        for (long i = run.first; i <= run.second && i < atoms; ++i) {
            long atno = data[i].GetAtno();
            if (atno > 0 && atno != element) RaiseError(cmInvalidElement, sourceName, __LINE__);
        }
        if (run.second >= atoms) RaiseError(umIndexOutOfRange, sourceName, __LINE__);
    }
}

// The names that the keys of an "$atoms" entry give, "basis" and "ecp", each when given.
struct EntryNames {
    std::string basis, ecp;
    bool haveBasis = false, haveEcp = false;
};

// The keys of an entry from text on, one key=value pair a line, on continuation lines too, until
// both names are known or the entry ends. cont says whether the entry goes on after text and
// follows the lines read; text is a whole record buffer.
EntryNames ReadEntryKeys(UTurboFilter& filter, char* text, bool& cont)
{
    EntryNames names;
    for (;;) {
        strtrim1(text);
        char* eq = strchr(text, '=');
        if (eq == nullptr) {
            if (!cont) break;
            if (filter.GetRecord(text, UTurboFilter::recordLength + 1) == 1)
                RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
            cont = hasContinue(text);
            continue;
        }
        *eq = '\0';
        char* key = strtrim(text);
        char* value = eq + 1;
        strtrim1(value);
        if (strcmp(key, "basis") == 0) {
            names.basis = value;
            names.haveBasis = true;
        } else if (strcmp(key, "ecp") == 0) {
            names.ecp = value;
            names.haveEcp = true;
        }
        if (names.haveBasis && names.haveEcp) break;
        // One key per line.
        text[0] = '\0';
    }
    return names;
}

// The continuation lines of an entry after its keys, read into line and passed over.
void SkipContinuationLines(UTurboFilter& filter, char* line, bool cont)
{
    while (cont) {
        if (filter.GetRecord(line, UTurboFilter::recordLength + 1) == 1)
            RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        cont = hasContinue(line);
    }
}

// The entry's basis set, which must exist, and its core potential, when one of that name
// exists, given to every atom that the ranges list.
void AssignEntry(UQGeometryData* geom, const EntryNames& names,
                 const std::vector<std::pair<long, long>>& ranges, long element)
{
    UBasisSet* basis = geom->GetBasis();
    UEcpSet* ecps = geom->GetEcp();
    long basisIndex = basis->Find(names.basis.c_str());
    if (!names.haveBasis || basisIndex < 0)
        RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    long ecpIndex = names.haveEcp ? ecps->Find(names.ecp.c_str()) : -1;
    std::vector<std::pair<long, long>> runs = AscendingRuns(ranges);
    CheckListedAtoms(geom, runs, element);
    for (const std::pair<long, long>& run : runs)
        for (long i = run.first; i <= run.second; ++i) {
            basis->Add(i, basisIndex);
            if (ecpIndex >= 0) ecps->Add(i, ecpIndex);
        }
}

}  // namespace

void UTurboFilter::ReadAtomBasis(UQGeometryData* geom)
{
    if (!geom->GetHasBasis()) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    char line[recordLength + 1];
    // ReadList reads continuation lines into its text: it gets a whole record buffer.
    char text[recordLength + 1];
    IndexRanges atoms;
    for (;;) {
        if (GetRecord(line, sizeof line) == 1) return;
        char* list = CutWord(line);
        if (list == nullptr) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        long element = pTable.Find(line).GetCharge();
        strcpy(text, list);
        bool cont = ReadIndexRanges(atoms, text);
        EntryNames names = ReadEntryKeys(*this, text, cont);
        SkipContinuationLines(*this, line, cont);
        AssignEntry(geom, names, atoms, element);
    }
}

void UTurboFilter::RequireBasisForEveryAtom(UQGeometryData* geom)
{
    long atoms = geom->GetDim();
    if (atoms == 0) return;
    std::vector<bool> covered((size_t)atoms, false);
    UVector<UPair> pairs = geom->GetBasis()->GetMatches();
    for (long i = 0; i < pairs.GetDim(); ++i)
        if (pairs[i].atom >= 0 && pairs[i].atom < atoms) covered[(size_t)pairs[i].atom] = true;
    for (long i = 0; i < atoms; ++i)
        if (!covered[(size_t)i]) RaiseError(cmMissingData, sourceName, __LINE__);
}

void UTurboFilter::ReadDimension(UQGeometryData*)
{
    char line[recordLength + 1];
    while (GetRecord(line, sizeof line) == 0) {
        strtrim(line);
        char* eq = strchr(line, '=');
        if (eq == nullptr) continue;
        *eq = '\0';
        // The count is not kept: the orbital reader takes its own.
        if (strcmp(line, "nbf(AO)") == 0) return;
    }
}
