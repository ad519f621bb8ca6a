#include "convert/UMolden.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "convert/UFixedFormat.h"
#include "molecule/UAtCoord.h"
#include "molecule/UQBasAux.h"
#include "molecule/UQBasis.h"
#include "molecule/UQEcp.h"
#include "molecule/UQGauss.h"
#include "molecule/UQGeom.h"
#include "molecule/UQSlater.h"
#include "molecule/UStrChem.h"
#include "utilities/CustExcept.h"
#include "utilities/UStrUtilities.h"
#include "utilities/UStream.h"

const char* const UMoldenFilter::sectionHeader[21] = {
    "",        "[Molden Format]", "[FREQ]",   "[FR-COORD]", "[FR-NORM-COORD]",
    "[ATOMS]", "[GEOMETRIES]",    "[FORCES]", "[GEOCONV]",  "[GTO]",
    "[STO]",   "[PSEUDO]",        "[MO]",     "[5D7F]",     "[6D7F]",
    "[5D10F]", "[6D10F]",         "[5D]",     "[6D]",       "[7F]",
    "[10F]"};

namespace {
// Harmonic and Cartesian d (and f) share one label; the basis-type line tells them apart.
const char* const ShellLabel[8] = {"s", "p", "sp", "d", "d", "f", "f", "g"};

const char* const sourceName = "UMolden";

// Room for a line of three doubles as wide as "%20.14lf" makes them (325 characters each).
const size_t lineLength = 2048;

// Symbol of element atno padded to two characters; 21033 outside 1..103.
const char* PaddedSymbol(long atno, bool lower)
{
    return pTable[atno].GetAdjustedName(lower, true);
}

// True when a pair of the set names an atom at or beyond atomCount.
bool NamesMissingAtom(const UBasisSet& basis, long atomCount)
{
    UVector<UPair> pairs = basis.GetMatches();
    for (long i = 0; i < pairs.GetDim(); i++)
        if (pairs[i].atom >= atomCount) return true;
    return false;
}

bool ColumnIsZero(const UMatrix<double>& m, long column)
{
    for (long row = 0; row < m.GetColDim(); row++)
        if (m(row, column) != 0.0) return false;  // NaN counts as non-zero
    return true;
}
}  // namespace

UMoldenFilter::UMoldenFilter(UStream* stream)
    : recordType(-1), sectionType(-1), stream(stream), sectionLine{}
{
}

void UMoldenFilter::PutSection(MoldenFileSectionType t, const char* text)
{
    stream->printf("%s %s\n", sectionHeader[t], text);
}

void UMoldenFilter::PutData(const char* text) { stream->printf("%s\n", text); }

void UMoldenFilter::WriteGeometry(UQGeometryData* geom)
{
    PutSection(mfsMoldenFormat, "");
    if (geom->GetHasCoordinates()) WriteCoordinates(geom);
    if (geom->GetHasFrequencies() && geom->GetHasCoordinates() && geom->GetHasVibrations()) {
        WriteFrequencies(geom);
        WriteFreqCoordinates(geom);
        WriteVibrations(geom);
    }
}

void UMoldenFilter::WriteCoordinates(UQGeometryData* geom)
{
    if (!geom->GetHasCoordinates()) RaiseError(cmMissingData, sourceName, __LINE__);
    PutSection(mfsAtoms, "AU");
    UVector<UQAtomData> atoms = geom->GetAtomData();
    char line[lineLength];
    for (long i = 0; i < geom->GetDim(); i++) {
        const UQAtomData& atom = atoms[i];
        V3 r = atom.GetCoord();
        std::snprintf(line, sizeof line, "%s %3ld %3ld %20.14lf %20.14lf %20.14lf",
                      PaddedSymbol(atom.GetAtno(), false), i + 1, atom.GetAtno(), r.Getx(),
                      r.Gety(), r.Getz());
        PutData(line);
    }
}

void UMoldenFilter::WriteFrequencies(UQGeometryData* geom)
{
    if (!geom->GetHasFrequencies()) RaiseError(cmMissingData, sourceName, __LINE__);
    long k = GetReducedDim(geom);
    PutSection(mfsFreq, "");
    UVector<double> frequencies = geom->GetFrequencies();
    char line[lineLength];
    for (long m = 0; m < k; m++) {
        std::snprintf(line, sizeof line, "%20.14lf", frequencies[m]);
        PutData(line);
    }
}

void UMoldenFilter::WriteFreqCoordinates(UQGeometryData* geom)
{
    if (!geom->GetHasCoordinates()) RaiseError(cmMissingData, sourceName, __LINE__);
    PutSection(mfsFrCoord, "");
    UVector<UQAtomData> atoms = geom->GetAtomData();
    char line[lineLength];
    for (long i = 0; i < geom->GetDim(); i++) {
        const UQAtomData& atom = atoms[i];
        V3 r = atom.GetCoord();
        std::snprintf(line, sizeof line, "%s %20.14lf %20.14lf %20.14lf",
                      PaddedSymbol(atom.GetAtno(), true), r.Getx(), r.Gety(), r.Getz());
        PutData(line);
    }
}

void UMoldenFilter::WriteVibrations(UQGeometryData* geom)
{
    if (!geom->GetHasVibrations()) RaiseError(cmMissingData, sourceName, __LINE__);
    long k = GetReducedDim(geom);
    PutSection(mfsFrNormCoord, "");
    UMatrix<double> modes = geom->GetVibrations();
    char line[lineLength];
    for (long m = 0; m < k; m++) {
        std::snprintf(line, sizeof line, "vibration %1ld", m + 1);
        PutData(line);
        for (long a = 0; a < geom->GetDim(); a++) {
            std::snprintf(line, sizeof line, "%20.14lf %20.14lf %20.14lf", modes(3 * a, m),
                          modes(3 * a + 1, m), modes(3 * a + 2, m));
            PutData(line);
        }
    }
}

long UMoldenFilter::GetReducedDim(UQGeometryData* geom)
{
    if (!geom->GetHasFrequencies()) RaiseError(cmMissingData, sourceName, __LINE__);
    UVector<double> frequencies = geom->GetFrequencies();
    long k = frequencies.GetDim();
    long floor = 3 * geom->GetDim() - 6;
    if (floor < 0) floor = 0;
    if (!geom->GetHasVibrations()) {
        while (k > floor && frequencies[k - 1] == 0.0) k--;
        return k;
    }
    UMatrix<double> modes = geom->GetVibrations();
    // A mode matrix with fewer columns than frequencies would be read past its end.
    if (modes.GetRowDim() < k || modes.GetColDim() < 3 * geom->GetDim())
        RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    while (k > floor && frequencies[k - 1] == 0.0 && ColumnIsZero(modes, k - 1)) k--;
    return k;
}

void UMoldenFilter::WriteBasis(UQGeometryData* geom)
{
    UBasisSet* basis = geom->GetBasis();
    if (basis->GetDim() == 0 || basis->GetBasisType() == btNone) return;
    long atomDim = basis->GetAtomDim();
    // A basis written for an atom the molecule does not have would not match the atoms and
    // orbitals of the file.
    if (NamesMissingAtom(*basis, geom->GetDim()))
        RaiseError(umIndexOutOfRange, sourceName, __LINE__);
    if (basis->GetBasisType() == btGaussian)
        WriteGaussianBasis(geom, atomDim);
    else
        WriteSlaterBasis(geom, atomDim);
    if (geom->GetEcp()->GetDim() > 0)
        WriteEcpCharges(geom, atomDim);
    else if (basis->GetBasisType() == btSlater)
        WriteSlaterCoreCharges(geom, atomDim);
}

void UMoldenFilter::WriteGaussianBasis(UQGeometryData* geom, long atomDim)
{
    UBasisSet* basis = geom->GetBasis();
    bool sphericalD = basis->TestdFuncType() == bfHarmonic;
    bool sphericalF = basis->TestfFuncType() == bfHarmonic;
    MoldenFileSectionType header =
        sphericalD ? (sphericalF ? mfs5D7F : mfs5D10F) : (sphericalF ? mfs6D7F : mfs6D10F);
    stream->printf("%s\n", sectionHeader[header]);
    stream->printf("%s\n", sectionHeader[mfsGTO]);
    const std::vector<std::vector<long>> lists = EntriesByAtom(basis->GetMatches(), atomDim);
    for (long a = 0; a < atomDim; a++) {
        const std::vector<long>& list = lists[a];
        if (list.empty()) continue;
        stream->printf("%1ld 0\n", a + 1);
        for (long entry : list) {
            const UGaussianAtom* atomBasis = basis->GetGaussian(entry);
            const UPointerList<UGaussianShell>& shells = atomBasis->GetShells();
            for (long s = 0; s < shells.GetDim(); s++) {
                const UGaussianShell* shell = shells[s];
                const UVector<UGaussianPrimitive>& prims = shell->GetPrim();
                stream->printf("%s %1ld 1.00\n", ShellLabel[shell->GetType()], prims.GetDim());
                for (long p = 0; p < prims.GetDim(); p++) {
                    const UGaussianPrimitive& prim = prims[p];
                    if (shell->GetType() == stSP)
                        stream->printf("%14.8lf %15.10lf %15.10lf\n", prim.exponent,
                                       prim.coefficient, prim.coefficient2);
                    else
                        stream->printf("%14.8lf %15.10lf\n", prim.exponent, prim.coefficient);
                }
            }
        }
        stream->printf("\n");
    }
}

void UMoldenFilter::WriteSlaterBasis(UQGeometryData* geom, long atomDim)
{
    UBasisSet* basis = geom->GetBasis();
    stream->printf("%s\n", sectionHeader[mfsSTO]);
    const std::vector<std::vector<long>> lists = EntriesByAtom(basis->GetMatches(), atomDim);
    for (long a = 0; a < atomDim; a++) {
        for (long entry : lists[a]) {
            const UVector<USlaterPrimitive>& prims = basis->GetSlater(entry)->GetPrims();
            for (long p = 0; p < prims.GetDim(); p++) {
                const USlaterPrimitive& prim = prims[p];
                stream->printf("%1ld %1ld %1ld %1ld %1ld %14.8lf %15.10lf\n", a + 1, prim.nx,
                               prim.ny, prim.nz, prim.nr, prim.exponent,
                               1.0 / std::sqrt(prim.GetNorm()));
            }
        }
    }
}

void UMoldenFilter::WriteEcpCharges(UQGeometryData* geom, long atomDim)
{
    // A line for every atom below atomDim, which is 1 also when no atom has a basis.
    if (atomDim > geom->GetDim()) RaiseError(umIndexOutOfRange, sourceName, __LINE__);
    UEcpSet* ecp = geom->GetEcp();
    UVector<UQAtomData> atoms = geom->GetAtomData();
    // The first potential of each atom, as FindAtom gives it, without a pass per atom.
    const std::vector<std::vector<long>> potentials = EntriesByAtom(ecp->GetMatches(), atomDim);
    stream->printf("%s\n", sectionHeader[mfsPseudo]);
    for (long i = 0; i < atomDim; i++) {
        long atno = atoms[i].GetAtno();
        long charge = atno;
        long p = potentials[i].empty() ? -1 : potentials[i][0];
        if (p >= 0) charge -= ecp->GetEcp(p)->GetCoreElec();
        stream->printf("%s %3ld %3ld\n", PaddedSymbol(atno, false), i + 1, charge);
    }
}

void UMoldenFilter::WriteSlaterCoreCharges(UQGeometryData* geom, long atomDim)
{
    UBasisSet* basis = geom->GetBasis();
    const std::vector<std::vector<long>> lists = EntriesByAtom(basis->GetMatches(), atomDim);
    bool hasCore = false;
    for (long a = 0; a < atomDim && !hasCore; a++) {
        const std::vector<long>& list = lists[a];
        if (list.size() != 1) continue;
        const UVector<USlaterShell>& shells = basis->GetSlater(list[0])->GetShells();
        for (long s = 0; s < shells.GetDim(); s++)
            if (shells[s].core) hasCore = true;
    }
    if (!hasCore) return;
    UVector<UQAtomData> atoms = geom->GetAtomData();
    stream->printf("%s\n", sectionHeader[mfsPseudo]);
    for (long a = 0; a < atomDim; a++) {
        const std::vector<long>& list = lists[a];
        if (list.size() != 1) continue;
        long atno = atoms[a].GetAtno();
        long charge = atno;
        const UVector<USlaterShell>& shells = basis->GetSlater(list[0])->GetShells();
        for (long s = 0; s < shells.GetDim(); s++)
            if (shells[s].core) charge -= 4 * shells[s].l + 2;
        stream->printf("%s %3ld %3ld\n", PaddedSymbol(atno, false), a + 1, charge);
    }
}

void UMoldenFilter::WriteOrbitals(UQGeometryData* geom)
{
    stream->printf("%s\n", sectionHeader[mfsMO]);
    if (geom->GetIsUnrestricted()) {
        UVector<double> oAlpha = geom->GetOAlpha();
        UVector<double> eAlpha = geom->GetEAlpha();
        UMatrix<double> alpha = geom->GetAlpha();
        WriteOrbitals1(geom, oAlpha, eAlpha, alpha, false);
        UVector<double> oBeta = geom->GetOBeta();
        UVector<double> eBeta = geom->GetEBeta();
        UMatrix<double> beta = geom->GetBeta();
        WriteOrbitals1(geom, oBeta, eBeta, beta, true);
    } else {
        UVector<double> o = geom->GetO();
        UVector<double> e = geom->GetE();
        UMatrix<double> mos = geom->GetMos();
        WriteOrbitals1(geom, o, e, mos, false);
    }
}

namespace {
// Orbitals reordered into Molden order at a time: a reordered copy of the whole
// matrix would double the memory of a large conversion.
const long sliceColumns = 64;

// Columns first to first + count of coefficients into slice, in Molden order
// when there is a transform.
void MoldenSlice(const UBasFuncTransform* toMolden, const UMatrix<double>& coefficients, long first,
                 long count, UMatrix<double>& slice)
{
    UMatrix<double> part = coefficients.SubMatrix(0, first, -1, count);
    if (toMolden)
        toMolden->TransformMatrix(part, slice);
    else
        slice.CloneContentsFrom(part);
}

// The lines of an orbital set go to the stream in large batches: a write per
// orbital or per line costs more than the formatting.
class LineBatch {
public:
    explicit LineBatch(UStream* stream) : stream(stream), text(capacity) {}

    // Room for one more orbital's four lines or coefficient line, which take
    // less than longestLine even with the widest long (20 characters) and the
    // widest doubles in "%20.14lf" and "%10.5lf" (325).
    char* Room(long& size)
    {
        if (fill > capacity - longestLine) Flush();
        size = capacity - fill;
        return text.data() + fill;
    }
    void Added(long n) { fill += n; }
    void Flush()
    {
        stream->PutText(text.data(), fill);
        fill = 0;
    }

private:
    static constexpr long capacity = 1L << 18;
    static constexpr long longestLine = 1024;
    UStream* stream;
    std::vector<char> text;
    long fill = 0;
};

// The orbital's four lines, then a line for every coefficient that is not
// zero; a column lies in storage as one run.
void PutOrbital(LineBatch& batch, long number, double energy, const char* spin, double occupation,
                const double* column, long rows)
{
    long size;
    char* room = batch.Room(size);
    batch.Added(snprintf(room, (size_t)size,
                         " Sym= %5lda\n Ene= %20.14lf\n Spin= %s\n Occup= %10.5lf\n", number,
                         energy, spin, occupation));
    for (long j = 0; j < rows; j++) {
        double c = column[j];
        if (c == 0.0) continue;
        room = batch.Room(size);
        batch.Added(FormatCoefficientLine(room, size, j + 1, c));
    }
}
}  // namespace

void UMoldenFilter::WriteOrbitals1(UQGeometryData* geom, UVector<double>& occ,
                                   UVector<double>& energies, UMatrix<double>& coefficients,
                                   bool beta)
{
    long n = energies.GetDim();
    long columns = coefficients.GetRowDim();
    std::unique_ptr<UBasFuncTransform> toMolden;
    if (geom->GetHasBasis()) toMolden.reset(new UBasFuncTransform(geom, bftCartFToGaussian));
    UMatrix<double> m(0, 0, -1);
    long first = 0;
    MoldenSlice(toMolden.get(), coefficients, first, Min(sliceColumns, columns), m);
    // One coefficient column and one occupation per energy, or the loop reads past them.
    if (columns < n || occ.GetDim() < n) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    long rows = m.GetColDim();
    const char* spin = beta ? "Beta" : "Alpha";
    LineBatch batch(stream);
    for (long i = 0; i < n; i++) {
        if (i - first == sliceColumns) {
            // What is written stays in the file should the next slice raise.
            batch.Flush();
            first = i;
            MoldenSlice(toMolden.get(), coefficients, first, Min(sliceColumns, columns - first), m);
        }
        long column = i - first;
        if (ColumnIsZero(m, column)) continue;
        PutOrbital(batch, i + 1, energies[i], spin, occ[i],
                   m.GetConstData() + column * m.GetColSpace(), rows);
    }
    batch.Flush();
}
