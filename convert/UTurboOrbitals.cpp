// Reader and writer of the orbital sections "$scfmo", "$uhfmo_alpha" and
// "$uhfmo_beta".
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "convert/FieldText.h"
#include "convert/UTurbo.h"
#include "convert/UTurboText.h"
#include "molecule/UQBasAux.h"
#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "utilities/CustExcept.h"
#include "utilities/MiscUtils.h"
#include "utilities/UStrUtilities.h"
#include "utilities/UStream.h"

using namespace FieldText;
using namespace TurboText;

namespace {

const char* const sourceName = "UTurbo";

// One more than the index of the last column holding a non-zero element
// (NaN counts as non-zero); 0 when all are zero.
long nonzerodim(UMatrix<double>& m)
{
    for (long j = m.GetRowDim() - 1; j >= 0; --j)
        for (long i = 0; i < m.GetColDim(); ++i)
            if (m(i, j) != 0.0) return j + 1;
    return 0;
}

}  // namespace

void UTurboFilter::ReadOrbitals(UQGeometryData* geom, TurboFileSectionType type, const char* header)
{
    char line[recordLength + 1];

    // Number format NdW.D of the coefficient lines.
    char format[recordLength + 1] = "4d20.14";
    const char* open = strstr(header, "format(");
    if (open != nullptr) {
        open += strlen("format(");
        const char* close = strchr(open, ')');
        if (close == nullptr) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        size_t n = (size_t)(close - open);
        if (n > (size_t)recordLength) n = (size_t)recordLength;
        memcpy(format, open, n);
        format[n] = '\0';
        strtrim(format);
    }
    AdjustExpChars(format);
    long perLine, width;
    if (sscanf(format, "%lde%ld", &perLine, &width) != 2)
        RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    // A line of coefficients must fit one record.
    if (perLine < 1 || width < 1 || width > recordLength / perLine)
        RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);

    // The first orbital line gives the count of every orbital.
    do {
        if (GetRecord(line, sizeof line) == 1)
            RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        strtrim(line);
    } while (line[0] == '#');
    char* eq = strchr(line, '=');
    if (eq == nullptr) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    eq = strchr(eq + 1, '=');
    if (eq == nullptr) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    long n;
    if (sscanf(eq + 1, "%ld", &n) != 1 || n < 1)
        RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);

    // The coefficients go straight into the matrix's storage, a column per
    // orbital. Once the first orbital has proved the count, room is reserved
    // for as many orbitals as the rest of the file can hold (each takes n
    // fields of the format's width): a damaged count or a truncated file
    // cannot demand a matrix the file does not back, and a whole section is
    // held once.
    std::vector<double> energies;
    std::vector<double> columns;
    char field[recordLength + 1];
    for (long j = 0;; ++j) {
        if (j >= n) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        eq = strchr(record, '=');
        if (eq == nullptr) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        // An orbital of another count belongs to another symmetry block or
        // another basis: reading it with n coefficients would misplace them.
        char* countEq = strchr(eq + 1, '=');
        long count;
        if (countEq != nullptr && sscanf(countEq + 1, "%ld", &count) == 1 && count != n)
            RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        strcpy(field, eq + 1);
        CutWord(field);
        energies.push_back(NumberField(field, __LINE__));

        long length = 0;
        for (long i = 0; i < n; ++i) {
            long k = i % perLine;
            if (k == 0) {
                if (GetRecord(line, sizeof line) == 1)
                    RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
                length = (long)strlen(line);
            }
            // Fields come from this line only. Turbomole writes each at its
            // full width, right-aligned, so one that the line's end cuts short
            // has lost characters (a D-07 read as D-0), not trailing blanks.
            long start = k * width;
            if (start + width > length) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
            memcpy(field, line + start, (size_t)width);
            field[width] = '\0';
            columns.push_back(NumberField(field, __LINE__));
        }
        if (j == 0) {
            long left = Max(0L, input->GetSize() - input->GetPosition());
            long backed = Min(n, 1 + left / (n * width));
            columns.reserve((size_t)n * (size_t)backed);
        }
        if (GetRecord(nullptr, 0) == 1) break;
    }
    if (sectionType != tfsEnd) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);

    // A count that is not the basis's is refused before the square matrix is
    // made, so that a damaged count cannot demand gigabytes first.
    std::unique_ptr<UBasFuncTransform> transform;
    if (geom->GetHasBasis()) {
        transform.reset(new UBasFuncTransform(geom, bftFromTurbo));
        if (geom->GetBasis()->GetBasisType() == btGaussian && transform->GetDimIn() != n)
            RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    }
    UVector<double> e(n, 1);
    Vset(e, 0.0);
    for (size_t j = 0; j < energies.size(); ++j) e[(long)j] = energies[j];
    // Orbitals the section lacks have zero coefficients; the matrix is
    // reordered in place.
    UMatrix<double> mos(std::move(columns), n, n);
    if (transform) transform->TransformMatrix(mos, mos);
    if (type == tfsScfMo) {
        geom->SetE(e);
        geom->SetMos(std::move(mos), otRestricted);
    } else if (type == tfsUhfMoAlpha) {
        geom->SetEAlpha(e);
        geom->SetMos(std::move(mos), otAlpha);
    } else if (type == tfsUhfMoBeta) {
        geom->SetEBeta(e);
        geom->SetMos(std::move(mos), otBeta);
    }
}

void UTurboFilter::WriteOrbitals(UQGeometryData* geom, TurboFileSectionType type)
{
    if (type != tfsScfMo && type != tfsUhfMoAlpha && type != tfsUhfMoBeta)
        RaiseError(cmMissingData, sourceName, __LINE__);
    OrbitalType set = (OrbitalType)(type - tfsScfMo);
    UVector<double> energies = geom->GetE(set);
    UMatrix<double> stored = geom->GetMos(set);
    UMatrix<double> mos(0, 0, -1);
    if (geom->GetHasBasis()) {
        UBasFuncTransform transform(geom, bftToTurbo);
        transform.TransformMatrix(stored, mos);
    } else {
        mos.CloneContentsFrom(stored);
    }
    long m = nonzerodim(mos);
    long nb = mos.GetColDim();
    if (energies.GetDim() < m) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);

    input->printf("%s   scfconv=6   format(4d20.14)\n", sectionHeader[type]);
    input->printf("# molecular orbitals of project :\n#  --->  Dranvel  <---\n");
    if (geom->GetHasEnergy())
        input->printf("# SCF total energy is%20.10lf a.u.\n", geom->GetEnergy());
    else
        input->printf("# no SCF total energy available\n");
    input->printf("#\n");

    const long perLine = 4, width = 20;
    char line[perLine * 32];
    for (long j = 0; j < m; ++j) {
        input->printf("%6ld  a      eigenvalue=%20.14le   nsaos=%1ld\n", j + 1, energies[j], nb);
        long pos = 0;
        for (long i = 0; i < nb; ++i) {
            int w = snprintf(line + pos, sizeof line - (size_t)pos, "%20.13le", mos(i, j));
            // The reader takes fixed columns: a wider value would shift them.
            if (w != width) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
            pos += w;
            if (i % perLine == perLine - 1 || i == nb - 1) {
                input->printf("%s\n", line);
                pos = 0;
            }
        }
    }
    PutSection(tfsEnd);
}
