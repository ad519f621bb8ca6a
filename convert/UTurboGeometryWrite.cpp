// Writers of "$coord", "$grad" and "$hessian".
#include <cstdio>

#include "convert/UTurbo.h"
#include "molecule/UAtCoord.h"
#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "utilities/CustExcept.h"
#include "utilities/UStream.h"

namespace {

const char* const sourceName = "UTurbo";

// Formats one value into out; 25010 at the caller's line when the text is
// wider than width, or fills it where a reader needs a blank before it, since
// the reader would then see shifted or merged fields.
void FormatField(char* out, size_t size, const char* format, double value, int width,
                 bool leadingBlank, int line)
{
    int n = snprintf(out, size, format, value);
    if (n != width || (leadingBlank && out[0] != ' '))
        RaiseError(cmInvalidTurbomoleFile, sourceName, line);
}

void PrintCoordinateLines(UStream* stream, UQGeometryData* geom)
{
    UVector<UQAtomData> atoms = geom->GetAtomData();
    for (long i = 0; i < geom->GetDim(); ++i) {
        V3 r = atoms[i].GetCoord();
        const char* symbol = pTable[atoms[i].GetAtno()].GetAdjustedName(true, true);
        stream->printf("%20.14lf  %20.14lf  %20.14lf      %s\n", r.Getx(), r.Gety(), r.Getz(),
                       symbol);
    }
}

}  // namespace

void UTurboFilter::WriteCoordinates(UQGeometryData* geom)
{
    if (!geom->GetHasCoordinates()) RaiseError(cmMissingData, sourceName, __LINE__);
    PutSection(tfsCoord);
    PrintCoordinateLines(input, geom);
    PutSection(tfsEnd);
}

void UTurboFilter::WriteGradients(UQGeometryData* geom)
{
    if (!geom->GetHasGradients() || !geom->GetHasCoordinates() || !geom->GetHasEnergy())
        RaiseError(cmMissingData, sourceName, __LINE__);
    input->printf("$grad          cartesian gradients\n");
    input->printf("  cycle =      1    SCF energy =%18.10lf   |dE/dxyz| =  0.000000\n",
                  geom->GetEnergy());
    PrintCoordinateLines(input, geom);
    UVector<UQAtomData> atoms = geom->GetAtomData();
    for (long i = 0; i < geom->GetDim(); ++i) {
        V3 g = atoms[i].GetGrad();
        // The reader splits at blanks: each value keeps at least one before it.
        char x[32], y[32], z[32];
        FormatField(x, sizeof x, "%22.14le", g.Getx(), 22, true, __LINE__);
        FormatField(y, sizeof y, "%22.14le", g.Gety(), 22, true, __LINE__);
        FormatField(z, sizeof z, "%22.14le", g.Getz(), 22, true, __LINE__);
        input->printf("%s%s%s\n", x, y, z);
    }
    PutSection(tfsEnd);
}

void UTurboFilter::WriteHessian(UQGeometryData* geom)
{
    if (!geom->GetHasHessian()) RaiseError(cmMissingData, sourceName, __LINE__);
    UMatrix<double> hessian = geom->GetHessian();
    long n = hessian.GetRowDim();
    PutSection(tfsHessian);
    char line[8 + 5 * 32];
    for (long r = 0; r < n; ++r) {
        for (long j0 = 0; j0 < n; j0 += 5) {
            int pos = snprintf(line, sizeof line, "%3ld%2ld", r + 1, j0 / 5 + 1);
            if (pos != 5) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
            for (long j = j0; j < n && j < j0 + 5; ++j) {
                FormatField(line + pos, sizeof line - pos, "%15.10lf", hessian(r, j), 15, false,
                            __LINE__);
                pos += 15;
            }
            input->printf("%s\n", line);
        }
    }
    PutSection(tfsEnd);
}
