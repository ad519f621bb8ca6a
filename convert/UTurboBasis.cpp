// Readers of "$basis", "$ecp" and "$pople".
#include <cctype>
#include <cstring>
#include <memory>
#include <string>

#include "convert/FieldText.h"
#include "convert/UTurbo.h"
#include "molecule/UQBasis.h"
#include "molecule/UQEcp.h"
#include "molecule/UQGauss.h"
#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "utilities/CustExcept.h"
#include "utilities/MiscUtils.h"

using namespace FieldText;

namespace {

const char* const sourceName = "UTurbo";

// Words of "$pople", indexed by BasFuncType.
const char* basfunctypes[] = {"--none--", "CAO", "AO", ""};

// Turbomole shell names indexed by ShellType; "ZZ" holds the places of the
// Cartesian d and f shells, which the files also name "d" and "f".
const char* shellnames[] = {"s", "p", "sp", "d", "ZZ", "f", "ZZ", "g", ""};

// Cuts the first count words off text and scans each as a whole number, an
// integer where integer is set for that word. Words after them (a comment, a
// further column) are not read.
bool ScanWords(char* text, int count, double* values, const bool* integer)
{
    char* word = text;
    for (int k = 0; k < count; ++k) {
        if (word == nullptr) return false;
        char* rest = CutWord(word);
        long whole;
        if (integer[k]) {
            if (!ScanLong(word, whole)) return false;
            values[k] = (double)whole;
        } else if (!ScanDouble(word, values[k])) {
            return false;
        }
        word = rest;
    }
    return true;
}

bool StartsWithLetter(const char* s) { return isalpha((unsigned char)s[0]) != 0; }

}  // namespace

ShellType UTurboFilter::GetShellType(const char* name, BasFuncType dType, BasFuncType fType) const
{
    long type = GetNamedValue(name, shellnames);
    if (type < 0) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    if (type == stD5 && dType == bfCartesian) return stD6;
    if (type == stF7 && fType == bfCartesian) return stF10;
    return (ShellType)type;
}

void UTurboFilter::ReadBasis(UQGeometryData* geom)
{
    UBasisSet* basis = geom->GetBasis();
    char line[recordLength + 1];
    for (;;) {
        if (GetRecord(line, sizeof line) == 1) {
            if (sectionType == tfsEnd || sectionType == tfsEcp) return;
            RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        }
        strtrim(line);
        if (line[0] == '*' || line[0] == '#') continue;
        // Held here until it is complete, so a damaged set is never added.
        std::unique_ptr<UGaussianAtom> atom(new UGaussianAtom(line));
        do {
            if (GetRecord(line, sizeof line) == 1)
                RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
            strtrim(line);
        } while (line[0] != '*');
        for (;;) {
            if (GetRecord(line, sizeof line) == 1)
                RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
            strtrim(line);
            if (line[0] == '*') break;
            if (line[0] == '#') continue;
            char* name = CutWord(line);
            if (name == nullptr) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
            long count;
            if (!ScanLong(line, count) || count < 0)
                RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
            ShellType type = GetShellType(name, basis->GetdFuncType(), basis->GetfFuncType());
            std::unique_ptr<UGaussianShell> shell(new UGaussianShell(type));
            int values = type == stSP ? 3 : 2;
            const bool noInteger[3] = {false, false, false};
            for (long k = 0; k < count; ++k) {
                if (GetRecord(line, sizeof line) == 1)
                    RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
                AdjustExpChars(line);
                double v[3] = {0.0, 0.0, 0.0};
                if (!ScanWords(line, values, v, noInteger))
                    RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
                shell->Add(UGaussianPrimitive(v[0], v[1], v[2]));
            }
            atom->Add(shell.release());
        }
        atom->SortShells();
        basis->Add(atom.get());
        atom.release();
    }
}

namespace {

// Trimmed text before the first '=' of s compared with key ignoring case;
// value receives the trimmed text after it. False when s holds no '='.
bool SplitKey(char* s, char*& key, char*& value)
{
    char* eq = strchr(s, '=');
    if (eq == nullptr) return false;
    *eq = '\0';
    key = strtrim(s);
    value = strtrim(eq + 1);
    return true;
}

// The next record, trimmed, into line, passing over lines that start with '#', and with stars
// also those that start with '*'. A header where a potential goes on is damage.
void NextEcpLine(UTurboFilter& filter, char* line, bool stars)
{
    do {
        if (filter.GetRecord(line, UTurboFilter::recordLength + 1) == 1)
            RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        strtrim(line);
    } while (line[0] == '#' || (stars && line[0] == '*'));
}

// The counts line of a potential, "ncore = N lmax = L" with the keys in either case.
void ScanEcpCounts(char* line, long& core, long& lmax)
{
    char* key;
    char* value;
    if (!SplitKey(line, key, value)) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    if (stricmp(key, "ncore") != 0) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    char* rest = CutWord(value);
    if (rest == nullptr) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    if (!ScanLong(value, core)) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    if (!SplitKey(rest, key, value)) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    if (stricmp(key, "lmax") != 0) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    // The count is the first word: spin-orbit potentials go on with "lmaxso = 1".
    CutWord(value);
    // Angular momenta beyond any basis are damage, not a potential.
    if (!ScanLong(value, lmax) || lmax < 0 || lmax > 100)
        RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
}

// The part of angular momentum l: line holds its label when called, and the line after its last
// term on return.
std::unique_ptr<UEcpPart> ReadEcpPart(UTurboFilter& filter, char* line, long l)
{
    if (!StartsWithLetter(line)) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    NextEcpLine(filter, line, false);
    std::unique_ptr<UEcpPart> part(new UEcpPart(l));
    // Coefficient, power of r and exponent, taken as written.
    const bool powerInteger[3] = {false, true, false};
    while (line[0] != '*' && !StartsWithLetter(line)) {
        double term[3];
        if (!ScanWords(line, 3, term, powerInteger))
            RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        part->AddTerm(UEcpTerm((long)term[1], term[2], term[0]));
        NextEcpLine(filter, line, false);
    }
    return part;
}

}  // namespace

void UTurboFilter::ReadEcp(UQGeometryData* geom)
{
    char line[recordLength + 1];
    for (;;) {
        if (GetRecord(line, sizeof line) == 1) {
            if (sectionType == tfsEnd) return;
            RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        }
        strtrim(line);
        if (line[0] == '*' || line[0] == '#') continue;
        std::string name(line);
        NextEcpLine(*this, line, true);
        long core, lmax;
        ScanEcpCounts(line, core, lmax);
        std::unique_ptr<UEcp> ecp(new UEcp(core, lmax + 1, name.c_str()));
        NextEcpLine(*this, line, false);
        // lmax + 1 parts in file order; the first is numbered -1.
        for (long l = -1; l < lmax; ++l) ecp->AddPart(ReadEcpPart(*this, line, l).release());
        geom->GetEcp()->AddEcp(ecp.release());
    }
}

void UTurboFilter::ReadBasisType(UQGeometryData* geom, const char* header)
{
    char text[recordLength + 1];
    strncpy(text, header, recordLength);
    text[recordLength] = '\0';
    char* word = CutWord(text);
    if (word != nullptr) {
        long type = GetNamedValue(word, basfunctypes);
        if (type == bfCartesian || type == bfHarmonic) {
            geom->GetBasis()->ChangedFuncType((BasFuncType)type);
            geom->GetBasis()->ChangefFuncType((BasFuncType)type);
        }
    }
    GetRecord(nullptr, 0);
}
