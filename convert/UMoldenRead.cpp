// The section readers of a Molden file: "[ATOMS]", "[FR-COORD]", "[FREQ]" and
// "[FR-NORM-COORD]" into one molecule.
#include <cstring>
#include <vector>

#include "convert/FieldText.h"
#include "convert/UMolden.h"
#include "molecule/UAtCoord.h"
#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "utilities/CustExcept.h"
#include "utilities/MiscUtils.h"
#include "utilities/UStrUtilities.h"

using FieldText::CutWord;

namespace {
const char* const sourceName = "UMolden";

const double bohrInAngstrom = 0.529177249;

// The rest of text after its first field; 25017 when no blank follows the field.
char* NextField(char* text, int line)
{
    char* rest = CutWord(text);
    if (rest == nullptr) RaiseError(cmInvalidMoldenFile, sourceName, line);
    return rest;
}

// A number field as a whole, exponent letters included: "1,4" or "1.4x" is
// damage, not 1 or 1.4.
double NumberField(const char* text, int line)
{
    double value;
    if (!FieldText::ScanNumberField(text, value)) RaiseError(cmInvalidMoldenFile, sourceName, line);
    return value;
}

long IntegerField(const char* text, int line)
{
    long value;
    if (!FieldText::ScanLong(text, value)) RaiseError(cmInvalidMoldenFile, sourceName, line);
    return value;
}

// Anything but "AU" after the header selects Angstrom; "(AU)" is how some
// programs write atomic units.
bool UnitIsAngstrom(const char* header)
{
    char text[UMoldenFilter::recordLength + 1];
    std::strncpy(text, header, UMoldenFilter::recordLength);
    text[UMoldenFilter::recordLength] = '\0';
    char* unit = CutWord(text);
    if (unit == nullptr || unit[0] == '\0') return false;
    return stricmp(unit, "AU") != 0 && stricmp(unit, "(AU)") != 0;
}

// The three numbers of the fields that start at x; text after the third
// field and a blank is ignored.
V3 CoordinateFields(char* x)
{
    char* y = NextField(x, __LINE__);
    char* z = NextField(y, __LINE__);
    CutWord(z);
    return V3(NumberField(x, __LINE__), NumberField(y, __LINE__), NumberField(z, __LINE__));
}

// One atom line: the element and the coordinates as written.
struct AtomLine {
    UElement element;
    V3 r;
};

// "[ATOMS]": symbol, number (ignored), atomic number, x, y, z. The atomic
// number is read only when the symbol names no element.
AtomLine CutAtomsLine(char* line)
{
    char* number = NextField(line, __LINE__);
    char* atno = NextField(number, __LINE__);
    char* x = NextField(atno, __LINE__);
    AtomLine atom;
    atom.r = CoordinateFields(x);
    atom.element = pTable.Find(line);
    if (!atom.element.IsValid()) atom.element = pTable[IntegerField(atno, __LINE__)];
    return atom;
}

// "[FR-COORD]": symbol, x, y, z, always in bohr.
AtomLine CutFrCoordLine(char* line)
{
    char* x = NextField(line, __LINE__);
    AtomLine atom;
    atom.r = CoordinateFields(x);
    atom.element = pTable.Find(line);
    return atom;
}

// Columns that no block fills stay zero. Filled columns take memory in
// proportion to the file's text; unfilled ones that would take more than
// 128 MiB (a whole set for some 1350 atoms) are damage, not modes.
void CheckUnfilledColumns(long rows, long columns, long filled)
{
    const long maxUnfilledElements = 1L << 24;
    if (columns - filled > maxUnfilledElements / rows)
        RaiseError(cmInvalidMoldenFile, sourceName, __LINE__);
}
}  // namespace

void UMoldenFilter::ReadCoordinates(UQGeometryData* geom, const char* header)
{
    ReadAtomLines(geom, true, UnitIsAngstrom(header));
}

void UMoldenFilter::ReadFreqCoordinates(UQGeometryData* geom) { ReadAtomLines(geom, false, false); }

// An empty molecule receives the atoms, one with atoms has them overwritten.
// After "[FREQ]" the molecule may hold only the placeholder atoms that the
// frequencies made: those are overwritten and the rest appended, and the
// frequencies, which appending clears, are stored again as the file gave them.
void UMoldenFilter::ReadAtomLines(UQGeometryData* geom, bool atomsSection, bool angstrom)
{
    bool append = geom->GetDim() == 0;
    UVector<double> kept(0, 1);
    if (geom->GetHasFrequencies()) kept.CloneContentsFrom(geom->GetFrequencies());
    long frequencies = kept.GetDim();
    long limit = geom->GetHasFrequencies() ? (frequencies + 6) / 3 : 0;
    bool appended = false;
    char line[recordLength + 1];
    long n = 0;
    for (; NextDataLine(line); ++n) {
        AtomLine atom = atomsSection ? CutAtomsLine(line) : CutFrCoordLine(line);
        if (angstrom) atom.r /= bohrInAngstrom;
        if (!append && n == geom->GetDim() && geom->GetHasFrequencies() &&
            !geom->GetHasVibrations())
            append = true;
        if (append) {
            if (limit > 0 && n >= limit) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
            geom->AddCoordinates(atom.element.GetCharge(), atom.r);
            appended = true;
        } else {
            if (n >= geom->GetDim()) RaiseError(umIndexOutOfRange, sourceName, __LINE__);
            if (atomsSection || atom.element.IsValid()) geom->SetAtom(n, atom.element.GetCharge());
            geom->SetCoordinates(n, atom.r);
        }
    }
    if (!append && n != geom->GetDim()) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    if (limit == 0) return;
    // Padding the frequencies to 3n would add modes the file does not hold;
    // the placeholders and the limit keep their count within 3n - 6..3n.
    if (appended) geom->SetFrequencies(kept);
}

void UMoldenFilter::ReadFrequencies(UQGeometryData* geom)
{
    UVector<double> values(0, 1);
    char line[recordLength + 1];
    while (NextDataLine(line)) {
        CutWord(line);
        values.Add(NumberField(line, __LINE__));
    }
    long k = values.GetDim();
    long atoms = geom->GetDim();
    if (atoms > 0 && ((k + 2) / 3 > atoms || atoms > (k + 6) / 3))
        RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    geom->SetFrequencies(values);
}

// Blocks "vibration k" of one line per atom fill column k - 1; the columns
// grow with the mode numbers met, so memory follows what the file holds.
void UMoldenFilter::ReadVibrations(UQGeometryData* geom)
{
    long atoms = geom->GetDim();
    if (atoms == 0) RaiseError(cmInvalidMoldenFile, sourceName, __LINE__);
    long rows = 3 * atoms;
    UMatrix<double> modes(rows, 0, -1);
    std::vector<bool> filled;
    long filledCount = 0;
    long highest = 0;
    char line[recordLength + 1];
    while (NextDataLine(line)) {
        char* number = NextField(line, __LINE__);
        if (stricmp(line, "vibration") != 0) RaiseError(cmInvalidMoldenFile, sourceName, __LINE__);
        long k = IntegerField(number, __LINE__);
        if (k < 1 || k > rows) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
        if (k > modes.GetRowDim()) {
            CheckUnfilledColumns(rows, k, filledCount + 1);
            modes.SetRowDim(k);
            filled.resize(k);
        }
        if (!filled[k - 1]) {
            filled[k - 1] = true;
            ++filledCount;
        }
        highest = Max(highest, k);
        for (long a = 0; a < atoms; ++a) {
            if (GetRecord(line, recordLength) == 1)
                RaiseError(sectionType == mfsNone ? cmUnexpectedEof : cmInvalidMoldenFile,
                           sourceName, __LINE__);
            V3 d = CoordinateFields(line);
            for (long c = 0; c < 3; ++c) modes(3 * a + c, k - 1) = d[c];
        }
    }
    if (geom->GetHasFrequencies()) highest = Max(highest, geom->GetFrequencies().GetDim());
    CheckUnfilledColumns(rows, highest, filledCount);
    modes.SetRowDim(highest);
    geom->SetVibrations(modes);
}
