// Reader of the printed output of Turbomole's aoforce program: atoms and
// coordinates, Cartesian gradients, the force-constant matrix and the normal
// modes with their frequencies, all taken from fixed columns.
#include <cstring>

#include "convert/FieldText.h"
#include "convert/UTurbo.h"
#include "convert/UTurboText.h"
#include "molecule/UAtCoord.h"
#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "utilities/CustExcept.h"
#include "utilities/MiscUtils.h"
#include "utilities/UMatVec.h"
#include "utilities/UStrUtilities.h"
#include "utilities/UStream.h"

namespace {

const char* const sourceName = "UTurbo";

// Block headings, each matched against a whole trimmed line.
const char* VibSectionHeaders[] = {
    "atomic coordinates              atom shells charge pseudo isotop",
    "actual cartesian coordinates",
    "actual cartesian gradients",
    "CARTESIAN FORCE CONSTANT MATRIX (hartree/bohr**2)",
    "NORMAL MODES and VIBRATIONAL FREQUENCIES (cm**(-1))",
    ""};

enum VibBlock { vbAtomicCoordinates = 0, vbCartesianCoordinates, vbGradients, vbHessian, vbModes };

// The first line of each block of six normal modes.
const char* modeStartLine = "mode               1";

// Fixed columns (start, width) of the fields of one coordinate or gradient line.
struct Field {
    long start;
    long width;
};

struct CoordinateLayout {
    long skippedLines;
    Field element;
    Field xyz[3];
};

const CoordinateLayout atomicCoordinates = {0, {45, 6}, {{1, 14}, {15, 14}, {29, 14}}};
const CoordinateLayout cartesianCoordinates = {1, {6, 2}, {{8, 22}, {30, 22}, {52, 22}}};
const Field gradientFields[3] = {{8, 22}, {30, 22}, {52, 22}};

// Force constants: six columns per block, column c of a row at 14 + 10 (c - s).
const long hessianColumns = 6;
const Field hessianValue = {14, 10};
// Normal modes: six modes per block, mode c at 20 + 9 (c - s).
const long modeColumns = 6;
const Field modeValue = {20, 9};

// Widest field of the layouts, plus room for the terminator.
const long fieldBufferSize = 32;

class VibrationReader {
public:
    VibrationReader(UTurboFilter& filter, UStream& stream, UQGeometryData& geom)
        : filter(filter), stream(stream), geom(geom)
    {
        line[0] = '\0';
    }

    // Reads blocks until the molecule holds all four kinds of data or the
    // stream ends between blocks.
    void Read()
    {
        bool foundBlock = false;
        while (!stream.GetAtEOF()) {
            NextLine();
            long block = FindBlock();
            if (block < 0) continue;
            foundBlock = true;
            ReadBlock(block);
            if (geom.GetHasCoordinates() && geom.GetHasGradients() && geom.GetHasHessian() &&
                geom.GetHasVibrations())
                return;
        }
        // A file without a single block is not aoforce output at all.
        if (!foundBlock) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    }

private:
    void NextLine() { filter.GetRecord(line, sizeof line); }

    void SkipLines(long count)
    {
        for (long i = 0; i < count; ++i) NextLine();
    }

    long FindBlock() const
    {
        for (long i = 0; VibSectionHeaders[i][0] != '\0'; ++i)
            if (filter.MatchesFull(line, VibSectionHeaders[i])) return i;
        return -1;
    }

    void ReadBlock(long block)
    {
        switch (block) {
        case vbAtomicCoordinates:
            ReadCoordinates(atomicCoordinates);
            break;
        case vbCartesianCoordinates:
            ReadCoordinates(cartesianCoordinates);
            break;
        case vbGradients:
            ReadGradients();
            break;
        case vbHessian:
            ReadHessian();
            break;
        case vbModes:
            ReadModes();
            break;
        }
    }

    // A number field of the current line; one that is not a number in full
    // (blank, letters, cut by the line's end) raises 25010.
    double Number(Field f) const
    {
        char field[fieldBufferSize];
        filter.GetField(line, f.start, f.width, field);
        return TurboText::NumberField(field, __LINE__);
    }

    // A printed frequency; an imaginary one (i123.45) is stored negative.
    double Frequency(Field f) const
    {
        char field[fieldBufferSize];
        filter.GetField(line, f.start, f.width, field);
        char* i = strchr(field, 'i');
        if (i != nullptr) *i = '-';
        double value;
        if (!FieldText::ScanDouble(field, value))
            RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        return value;
    }

    V3 Vector(const Field* xyz) const
    {
        double x = Number(xyz[0]);
        double y = Number(xyz[1]);
        double z = Number(xyz[2]);
        return V3(x, y, z);
    }

    // Lines up to the first with a blank element field; appended to an empty
    // molecule, otherwise overwriting its atoms one by one.
    void ReadCoordinates(const CoordinateLayout& layout)
    {
        bool hadAtoms = geom.GetDim() > 0;
        SkipLines(layout.skippedLines);
        long count = 0;
        for (;;) {
            NextLine();
            char symbol[fieldBufferSize];
            filter.GetField(line, layout.element.start, layout.element.width, symbol);
            strtrim(symbol);
            if (symbol[0] == '\0') break;
            V3 r = Vector(layout.xyz);
            long atno = pTable.Find(symbol).GetCharge();
            if (!hadAtoms) {
                geom.AddCoordinates(atno, r);
            } else {
                if (count >= geom.GetDim()) RaiseError(umIndexOutOfRange, sourceName, __LINE__);
                geom.SetAtom(count, atno);
                geom.SetCoordinates(count, r);
            }
            ++count;
        }
        if (hadAtoms && count != geom.GetDim())
            RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    }

    void ReadGradients()
    {
        if (geom.GetDim() == 0) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
        SkipLines(1);
        for (long i = 0; i < geom.GetDim(); ++i) {
            NextLine();
            geom.SetGradients(i, Vector(gradientFields));
        }
    }

    // The matrix is allocated before its lines are read, so a stream too short
    // to hold them ends the block at once instead of after a huge allocation.
    void RequireBytes(double lines, double charactersPerLine) const
    {
        double rest = (double)(stream.GetSize() - stream.GetPosition());
        if (rest < lines * charactersPerLine) RaiseError(cmUnexpectedEof, sourceName, __LINE__);
    }

    // Lower triangle in blocks of six columns, each block's rows followed by
    // three lines that are skipped.
    void ReadHessian()
    {
        if (geom.GetDim() == 0) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
        SkipLines(5);
        long n = 3 * geom.GetDim();
        double rowLines = 0.0;
        for (long s = 0; s < n; s += hessianColumns) rowLines += (double)(n - s);
        // A row holds at least the number that starts in its first field.
        RequireBytes(rowLines, (double)(hessianValue.start + 1));
        UMatrix<double> h(n, n, -1);
        Mset(h, 0.0);
        for (long s = 0; s < n; s += hessianColumns) {
            for (long r = s; r < n; ++r) {
                NextLine();
                long end = Min(s + hessianColumns, r + 1);
                for (long c = s; c < end; ++c) {
                    double v = Number(
                        {hessianValue.start + hessianValue.width * (c - s), hessianValue.width});
                    h(r, c) = v;
                    h(c, r) = v;
                }
            }
            SkipLines(3);
        }
        geom.SetHessian(h);
    }

    // Blocks of six modes: the frequency line two lines below the "mode" line,
    // ten lines, one line per Cartesian coordinate, then five lines of which
    // the last is the next block's "mode" line.
    void ReadModes()
    {
        if (geom.GetDim() == 0) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
        for (;;) {
            if (stream.GetAtEOF()) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
            NextLine();
            if (filter.Matches(line, modeStartLine)) break;
        }
        long n = 3 * geom.GetDim();
        double blocks = (double)((n + modeColumns - 1) / modeColumns);
        // A coordinate line holds at least the number that starts in its first field.
        RequireBytes(blocks * (double)n, (double)(modeValue.start + 1));
        UVector<double> frequencies(n, 1);
        Vset(frequencies, 0.0);
        UMatrix<double> modes(n, n, -1);
        Mset(modes, 0.0);
        for (long s = 0; s < n; s += modeColumns) {
            long e = Min(s + modeColumns, n);
            SkipLines(2);
            for (long c = s; c < e; ++c) frequencies[c] = Frequency(ModeField(c - s));
            SkipLines(10);
            for (long r = 0; r < n; ++r) {
                NextLine();
                for (long c = s; c < e; ++c) modes(r, c) = Number(ModeField(c - s));
            }
            SkipLines(5);
        }
        geom.SetFrequencies(frequencies);
        geom.SetVibrations(modes);
    }

    static Field ModeField(long k)
    {
        return {modeValue.start + modeValue.width * k, modeValue.width};
    }

    UTurboFilter& filter;
    UStream& stream;
    UQGeometryData& geom;
    char line[UTurboFilter::recordLength + 1];
};

}  // namespace

void UTurboFilter::ReadVibrations(UQGeometryData* geom)
{
    // Empty lines count in the fixed skips and end the coordinate blocks.
    SetSkipEmptyLines(false);
    VibrationReader(*this, *input, *geom).Read();
}
