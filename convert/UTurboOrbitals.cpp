// Reader and writer of the orbital sections "$scfmo", "$uhfmo_alpha" and
// "$uhfmo_beta".
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/mman.h>
#include <unistd.h>
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

// The number format NdW.D of the coefficient lines: N values to a line, each
// in a field of W characters.
struct CoefficientFormat {
    long perLine;
    long width;
};

// The format that the section's header names, "4d20.14" when it names none.
CoefficientFormat ReadCoefficientFormat(const char* header)
{
    const long recordLength = UTurboFilter::recordLength;
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
    AdjustExponentLetters(format);
    CoefficientFormat f;
    if (sscanf(format, "%lde%ld", &f.perLine, &f.width) != 2)
        RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    // A line of coefficients must fit one record.
    if (f.perLine < 1 || f.width < 1 || f.width > recordLength / f.perLine)
        RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    return f;
}

// Reads up to the first orbital line, which becomes the filter's record, and
// returns the count after its second '=': the count of every orbital.
long ReadFirstOrbitalCount(UTurboFilter& filter)
{
    char line[UTurboFilter::recordLength + 1];
    do {
        if (filter.GetRecord(line, sizeof line) == 1)
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
    return n;
}

// The eigenvalue of an orbital line, the text after its first '=' up to the
// next blank.
double ReadOrbitalEnergy(const char* line, long n)
{
    const char* eq = strchr(line, '=');
    if (eq == nullptr) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    // An orbital of another count belongs to another symmetry block or
    // another basis: reading it with n coefficients would misplace them.
    const char* countEq = strchr(eq + 1, '=');
    long count;
    if (countEq != nullptr && sscanf(countEq + 1, "%ld", &count) == 1 && count != n)
        RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    char field[UTurboFilter::recordLength + 1];
    strcpy(field, eq + 1);
    CutWord(field);
    return NumberField(field, __LINE__);
}

// Reads the n coefficients of one orbital onto the end of columns.
void ReadOrbitalCoefficients(UTurboFilter& filter, const CoefficientFormat& format, long n,
                             std::vector<double>& columns)
{
    char line[UTurboFilter::recordLength + 1];
    for (long first = 0; first < n; first += format.perLine) {
        if (filter.GetRecord(line, sizeof line) == 1)
            RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        long const length = (long)strlen(line);
        long const count = Min(format.perLine, n - first);
        for (long start = 0; start < count * format.width; start += format.width) {
            // Fields come from this line only. Turbomole writes each at its
            // full width, right-aligned, so one that the line's end cuts short
            // has lost characters (a D-07 read as D-0), not trailing blanks.
            if (start + format.width > length)
                RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
            columns.push_back(NumberField(line + start, format.width, __LINE__));
        }
    }
}

// Storage filled at once is better served by huge pages, which spare a page
// fault every few kilobytes; only a hint, and none where the system lacks it.
void AdviseHugePages(void* data, size_t bytes)
{
#ifdef MADV_HUGEPAGE
    uintptr_t const page = (uintptr_t)sysconf(_SC_PAGESIZE);
    uintptr_t const begin = ((uintptr_t)data + page - 1) / page * page;
    uintptr_t const end = ((uintptr_t)data + bytes) / page * page;
    if (end > begin) madvise((void*)begin, end - begin, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

// Once the first orbital has proved the count, room is reserved for as many
// orbitals as the bytes left in the file can hold (each takes n fields of
// the format's width): a damaged count or a truncated file cannot demand a
// matrix the file does not back, and a whole section is held once.
void ReserveBackedColumns(std::vector<double>& columns, long n, long width, long left)
{
    long backed = Min(n, 1 + left / (n * width));
    columns.reserve((size_t)n * (size_t)backed);
    AdviseHugePages(columns.data(), columns.capacity() * sizeof(double));
}

// Stores the energies and the n x n coefficients (a column per orbital read,
// zeros for the orbitals the section lacks) as the set of the section type,
// reordered into the internal order when the molecule has its basis set.
void StoreOrbitals(UQGeometryData* geom, TurboFileSectionType type,
                   const std::vector<double>& energies, std::vector<double>&& columns, long n)
{
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
    // The matrix is reordered in place.
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

}  // namespace

void UTurboFilter::ReadOrbitals(UQGeometryData* geom, TurboFileSectionType type, const char* header)
{
    const CoefficientFormat format = ReadCoefficientFormat(header);
    const long n = ReadFirstOrbitalCount(*this);
    // The coefficients go straight into the matrix's storage, a column per
    // orbital.
    std::vector<double> energies;
    std::vector<double> columns;
    for (long j = 0;; ++j) {
        if (j >= n) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
        energies.push_back(ReadOrbitalEnergy(record, n));
        ReadOrbitalCoefficients(*this, format, n, columns);
        if (j == 0)
            ReserveBackedColumns(columns, n, format.width,
                                 Max(0L, input->GetSize() - input->GetPosition()));
        if (GetRecord(nullptr, 0) == 1) break;
    }
    if (sectionType != tfsEnd) RaiseError(cmInvalidTurbomoleFile, sourceName, __LINE__);
    StoreOrbitals(geom, type, energies, std::move(columns), n);
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
