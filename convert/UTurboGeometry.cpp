// Readers of "$coord", "$energy", "$grad" and "$hessian".
#include <cctype>
#include <cstring>

#include "convert/FieldText.h"
#include "convert/UTurbo.h"
#include "convert/UTurboText.h"
#include "molecule/UAtCoord.h"
#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "utilities/CustExcept.h"
#include "utilities/MiscUtils.h"
#include "utilities/UStrUtilities.h"

using namespace FieldText;
using namespace TurboText;

namespace {

const char* const sourceName = "UTurbo";

// Hessian lines: row number, line number, then five values of 15 characters.
const long hessRowStart = 0, hessRowWidth = 3;
const long hessLineStart = 3, hessLineWidth = 2;
const long hessValueStart = 5, hessValueWidth = 15, hessValuesPerLine = 5;

// The atom rule: an empty molecule receives the atoms, one that has atoms
// has them overwritten line by line.
void StoreAtom(UQGeometryData* geom, bool hadAtoms, long i, long atno, const V3& r, int line)
{
    if (!hadAtoms) {
        geom->AddCoordinates(atno, r);
        return;
    }
    if (i >= geom->GetDim()) RaiseError(umIndexOutOfRange, sourceName, line);
    geom->SetAtom(i, atno);
    geom->SetCoordinates(i, r);
}

long ElementNumber(const char* symbol) { return pTable.Find(symbol).GetCharge(); }

// A "$coord" line cut into its words: x, y, z and the element symbol, which
// is null when no blank follows z (as in a gradient line of "$grad").
struct CoordinateLine {
    char* x;
    char* y;
    char* z;
    char* symbol;
};

CoordinateLine CutCoordinateLine(char* line, int raiseLine)
{
    CoordinateLine words{line, nullptr, nullptr, nullptr};
    words.y = CutWord(words.x);
    if (words.y == nullptr) RaiseError(cmInvalidTurbomoleFile, sourceName, raiseLine);
    words.z = CutWord(words.y);
    if (words.z == nullptr) RaiseError(cmInvalidTurbomoleFile, sourceName, raiseLine);
    words.symbol = CutWord(words.z);
    return words;
}

V3 LineVector(const CoordinateLine& words, int raiseLine)
{
    double x = NumberField(words.x, raiseLine);
    double y = NumberField(words.y, raiseLine);
    double z = NumberField(words.z, raiseLine);
    return V3(x, y, z);
}

}  // namespace

void UTurboFilter::ReadCoordinates(UQGeometryData* geom)
{
    char line[recordLength + 1];
    bool hadAtoms = geom->GetDim() > 0;
    long count = 0;
    while (GetRecord(line, sizeof line) == 0) {
        CoordinateLine words = CutCoordinateLine(line, __LINE__);
        if (words.symbol == nullptr) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        V3 r = LineVector(words, __LINE__);
        StoreAtom(geom, hadAtoms, count, ElementNumber(words.symbol), r, __LINE__);
        ++count;
    }
    if (hadAtoms && count != geom->GetDim())
        RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
}

void UTurboFilter::ReadEnergy(UQGeometryData* geom)
{
    char line[recordLength + 1];
    char last[recordLength + 1] = "";
    while (GetRecord(line, sizeof line) == 0) strcpy(last, line);
    // The cycle and the energy; the numbers after them are not used. The
    // energy is taken as written: a D exponent does not scan.
    char* energy = CutWord(last);
    if (energy == nullptr) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    CutWord(energy);
    long cycle;
    double value;
    if (!ScanLong(last, cycle) || !ScanDouble(energy, value))
        RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    geom->SetEnergy(value);
}

void UTurboFilter::ReadGradients(UQGeometryData* geom)
{
    char line[recordLength + 1];
    bool hadAtoms = geom->GetDim() > 0;

    // Cycle line: the energy follows the second '='.
    if (GetRecord(line, sizeof line) == 1) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    char* eq = strchr(line, '=');
    if (eq == nullptr) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    eq = strchr(eq + 1, '=');
    if (eq == nullptr) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    char* energy = eq + 1;
    CutWord(energy);
    geom->SetEnergy(NumberField(energy, __LINE__));

    // Coordinate lines up to the first line of three numbers. An element
    // symbol starts with a letter; anything else after the numbers (a
    // comment, a further column) belongs to a gradient line.
    char firstGradient[recordLength + 1] = "";
    bool haveGradient = false;
    long count = 0;
    while (GetRecord(line, sizeof line) == 0) {
        strcpy(firstGradient, line);
        CoordinateLine words = CutCoordinateLine(line, __LINE__);
        if (words.symbol == nullptr || !isalpha((unsigned char)words.symbol[0])) {
            haveGradient = true;
            break;
        }
        V3 r = LineVector(words, __LINE__);
        StoreAtom(geom, hadAtoms, count, ElementNumber(words.symbol), r, __LINE__);
        ++count;
    }
    if (hadAtoms && count != geom->GetDim())
        RaiseError(umIncompatibleDimensions, sourceName, __LINE__);

    // One gradient line per atom; all are read before any is stored, so a
    // short cycle leaves the gradients as they were.
    long n = geom->GetDim();
    if (n == 0) return;
    if (!haveGradient) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    UVector<V3> gradients(n, 1);
    strcpy(line, firstGradient);
    for (long i = 0; i < n; ++i) {
        if (i > 0 && GetRecord(line, sizeof line) == 1)
            RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        // The three numbers must scan whole; what follows them is not read.
        CoordinateLine words = CutCoordinateLine(line, __LINE__);
        gradients[i] = LineVector(words, __LINE__);
    }
    for (long i = 0; i < n; ++i) geom->SetGradients(i, gradients[i]);
    GetRecord(nullptr, 0);
}

namespace {

// An integer field of a Hessian line; 25010 at the caller's line unless it scans.
long HessianInt(const UFilter& filter, const char* line, long start, long width, int raiseLine)
{
    char field[hessValueWidth + 1];
    filter.GetField(line, start, width, field);
    long value;
    if (!ScanLong(field, value)) RaiseError(cmInvalidTurbomoleFile, sourceName, raiseLine);
    return value;
}

// Value k of a Hessian line; false for an empty field (also one that starts
// at or beyond the end of the line), 25010 for one that does not scan.
bool HessianValue(const UFilter& filter, const char* line, long k, double& value, int raiseLine)
{
    char field[hessValueWidth + 1];
    filter.GetField(line, hessValueStart + k * hessValueWidth, hessValueWidth, field);
    strtrim(field);
    if (field[0] == '\0') return false;
    value = NumberField(field, raiseLine);
    return true;
}

}  // namespace

void UTurboFilter::ReadHessian(UQGeometryData* geom)
{
    char line[recordLength + 1];

    // The first row fixes the size.
    UVector<double> first(0, 1);
    for (;;) {
        if (GetRecord(line, sizeof line) == 1)
            RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        if (HessianInt(*this, line, hessRowStart, hessRowWidth, __LINE__) != 1) break;
        long lineNo = HessianInt(*this, line, hessLineStart, hessLineWidth, __LINE__);
        if (lineNo != first.GetDim() / hessValuesPerLine + 1)
            RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        double value;
        for (long k = 0; k < hessValuesPerLine; ++k) {
            if (!HessianValue(*this, line, k, value, __LINE__)) break;
            first.Add(value);
        }
    }
    long n = first.GetDim();
    if (n == 0) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    if (geom->GetDim() > 0) {
        if (n != 3 * geom->GetDim()) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    } else {
        // Three values per atom: any other width cannot be stored.
        if (n % 3 != 0) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
        geom->SetDim(n / 3);
    }

    UMatrix<double> hessian = geom->GetHessian();
    for (long j = 0; j < n; ++j) hessian(0, j) = first[j];
    for (long r = 1; r < n; ++r) {
        if (recordType == 1) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        for (long j0 = 0; j0 < n; j0 += hessValuesPerLine) {
            if (HessianInt(*this, record, hessRowStart, hessRowWidth, __LINE__) != r + 1)
                RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
            if (HessianInt(*this, record, hessLineStart, hessLineWidth, __LINE__) !=
                j0 / hessValuesPerLine + 1)
                RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
            long values = n - j0 < hessValuesPerLine ? n - j0 : hessValuesPerLine;
            for (long k = 0; k < values; ++k) {
                double value;
                if (!HessianValue(*this, record, k, value, __LINE__))
                    RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
                hessian(r, j0 + k) = value;
            }
            GetRecord(nullptr, 0);
        }
    }
    geom->SetHasHessian(true);
}
