// Reader of the control file's occupation sections: "$closed shells", "$alpha shells",
// "$beta shells" and "$open shells".
#include <cstring>
#include <string>
#include <vector>

#include "convert/FieldText.h"
#include "convert/UTurbo.h"
#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "utilities/CustExcept.h"

using namespace FieldText;

namespace {

const char* const sourceName = "UTurbo";

OrbitalType SetOf(TurboFileSectionType type)
{
    if (type == tfsAlpha) return otAlpha;
    if (type == tfsBeta) return otBeta;
    return otRestricted;
}

// The occupation that the text after a line's orbital list gives, "( 2 )", "( 0.75 )" or
// "( 1 / 4 )", or unwritten when it has none. Refused: text in parentheses that is no such
// number, and an occupation below 0 or above full.
double OccupationOf(const char* rest, double unwritten, double full)
{
    const char* open = strchr(rest, '(');
    if (open == nullptr) return unwritten;
    const char* close = strchr(open, ')');
    if (close == nullptr) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    std::string const number(open + 1, close);
    std::string::size_type const slash = number.find('/');
    double value = 0.0;
    if (slash == std::string::npos) {
        if (!ScanDouble(number.c_str(), value))
            RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    } else {
        // Turbomole writes fractions as "n / m".
        double numerator = 0.0, denominator = 0.0;
        if (!ScanDouble(number.substr(0, slash).c_str(), numerator) ||
            !ScanDouble(number.substr(slash + 1).c_str(), denominator) || denominator <= 0.0)
            RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        value = numerator / denominator;
    }
    if (!(value >= 0.0 && value <= full)) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    return value;
}

// The occupation of every orbital that mask marks, grown as far as the mask reaches; an orbital
// that an earlier line gave another occupation is refused.
void Occupy(const UVector<long>& mask, double value, UVector<double>& occupations,
            std::vector<bool>& given)
{
    long const n = mask.GetDim();
    for (long i = occupations.GetDim(); i < n; ++i) occupations.Add(0.0);
    if ((long)given.size() < n) given.resize((size_t)n, false);
    for (long i = 0; i < n; ++i) {
        if (mask[i] == 0) continue;
        if (given[(size_t)i] && occupations[i] != value)
            RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        occupations[i] = value;
        given[(size_t)i] = true;
    }
}

}  // namespace

void UTurboFilter::ReadOccupations(UQGeometryData* geom, TurboFileSectionType type)
{
    OrbitalType const set = SetOf(type);
    double const full = set == otRestricted ? 2.0 : 1.0;
    // A line without a number: doubly occupied closed shells, singly occupied the others.
    double const unwritten = type == tfsClosed ? 2.0 : 1.0;
    UVector<double> occupations(0, 1);
    occupations.CloneContentsFrom(geom->GetO(set));

    char line[recordLength + 1];
    // ReadList reads continuation lines into its text: it gets a whole record buffer.
    char text[recordLength + 1];
    UVector<long> mask(0, 1);
    while (GetRecord(line, sizeof line) == 0) {
        // The irreducible representation's label comes first.
        char* list = CutWord(line);
        if (list == nullptr) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        strcpy(text, list);
        ReadList(mask, text);
        Occupy(mask, OccupationOf(text, unwritten, full), occupations, occupationGiven[set]);
    }
    geom->SetO(occupations, set);
}
