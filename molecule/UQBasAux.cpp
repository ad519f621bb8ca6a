#include "molecule/UQBasAux.h"

#include <cmath>
#include <vector>

#include "molecule/NameCopy.h"
#include "molecule/UAtCoord.h"
#include "molecule/UQBasis.h"
#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "numeric/laostuff.h"
#include "utilities/CustExcept.h"
#include "utilities/UStrUtilities.h"

namespace {

const char* const sourceName = "UQBasAux";

double Root(double x) { return std::sqrt(x); }

// Columns that TransformMatrix takes at a time.
long const sliceColumns = 64;

}  // namespace

// clang-format off
// Permutations of spherical functions. Turbomole swaps m = +2 and -2, and its
// m = -3 f function has the opposite sign of y(3x^2 - y^2).
double const d_TurboToHarm[5 * 5] = {
    1, 0, 0, 0, 0,
    0, 1, 0, 0, 0,
    0, 0, 1, 0, 0,
    0, 0, 0, 0, 1,
    0, 0, 0, 1, 0,
};

double const d_HarmToTurbo[5 * 5] = {
    1, 0, 0, 0, 0,
    0, 1, 0, 0, 0,
    0, 0, 1, 0, 0,
    0, 0, 0, 0, 1,
    0, 0, 0, 1, 0,
};

double const f_TurboToHarm[7 * 7] = {
    1, 0, 0, 0, 0, 0, 0,
    0, 1, 0, 0, 0, 0, 0,
    0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 0, 0,
    0, 0, 0, 1, 0, 0, 0,
    0, 0, 0, 0, 0, 1, 0,
    0, 0, 0, 0, 0, 0, -1,
};

double const f_HarmToTurbo[7 * 7] = {
    1, 0, 0, 0, 0, 0, 0,
    0, 1, 0, 0, 0, 0, 0,
    0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 0, 0,
    0, 0, 0, 1, 0, 0, 0,
    0, 0, 0, 0, 0, 1, 0,
    0, 0, 0, 0, 0, 0, -1,
};

// Molden Cartesian f (xxx yyy zzz xyy xxy xxz xzz yzz yyz xyz) and ours
// (xxx yyy zzz xxy xxz xyy yyz xzz yzz xyz).
double const f_GaussianToCart[10 * 10] = {
    1, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 1, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 1, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 1, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 1, 0,
    0, 0, 0, 0, 0, 0, 1, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 1, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 1,
};

double const f_CartToGaussian[10 * 10] = {
    1, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 1, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 1, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 1, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 1, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 1, 0,
    0, 0, 0, 0, 0, 0, 1, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 1,
};

// The computed tables are coefficients over individually normalised
// Cartesian functions. They are built by the static initialisation of this
// file, before main runs.
double const d_CartToHarm[5 * 6] = {
    -1.0 / 3.0, -1.0 / 3.0, 2.0 / 3.0, 0, 0, 0,
    0, 0, 0, 0, 1, 0,
    0, 0, 0, 0, 0, 1,
    Root(1.0 / 3.0), -Root(1.0 / 3.0), 0, 0, 0, 0,
    0, 0, 0, 1, 0, 0,
};

double const d_HarmToCart[6 * 5] = {
    -0.5, 0, 0, Root(0.75), 0,
    -0.5, 0, 0, -Root(0.75), 0,
    1, 0, 0, 0, 0,
    0, 0, 0, 0, 1,
    0, 1, 0, 0, 0,
    0, 0, 1, 0, 0,
};

// The sixth Turbomole function is the normalised r^2 = (xx + yy + zz) / sqrt(5).
double const d_TurboToCart[6 * 6] = {
    -0.5, 0, 0, 0, Root(0.75), 1.0 / Root(5.0),
    -0.5, 0, 0, 0, -Root(0.75), 1.0 / Root(5.0),
    1, 0, 0, 0, 0, 1.0 / Root(5.0),
    0, 0, 0, 1, 0, 0,
    0, 1, 0, 0, 0, 0,
    0, 0, 1, 0, 0, 0,
};

double const d_CartToTurbo[6 * 6] = {
    -1.0 / 3.0, -1.0 / 3.0, 2.0 / 3.0, 0, 0, 0,
    0, 0, 0, 0, 1, 0,
    0, 0, 0, 0, 0, 1,
    0, 0, 0, 1, 0, 0,
    Root(1.0 / 3.0), -Root(1.0 / 3.0), 0, 0, 0, 0,
    Root(5.0) / 3.0, Root(5.0) / 3.0, Root(5.0) / 3.0, 0, 0, 0,
};

double const f_CartToHarm[7 * 10] = {
    0, 0, 1, 0, 0, 0, 0, 0, 0, 0,
    -Root(3.0 / 2.0), 0, 0, 0, 0, -Root(5.0 / 6.0), 0, 0, 0, 0,
    0, -Root(3.0 / 2.0), 0, -Root(5.0 / 6.0), 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, Root(1.0 / 3.0), 0, -Root(1.0 / 3.0), 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 1,
    Root(1.0 / 10.0), 0, 0, 0, 0, -Root(1.0 / 2.0), 0, 0, 0, 0,
    0, -Root(1.0 / 10.0), 0, Root(1.0 / 2.0), 0, 0, 0, 0, 0, 0,
};

double const f_HarmToCart[10 * 7] = {
    0, -Root(3.0 / 8.0), 0, 0, 0, Root(5.0 / 8.0), 0,
    0, 0, -Root(3.0 / 8.0), 0, 0, 0, -Root(5.0 / 8.0),
    1, 0, 0, 0, 0, 0, 0,
    0, 0, -Root(3.0 / 40.0), 0, 0, 0, Root(2.0) * 0.75,
    -Root(9.0 / 20.0), 0, 0, Root(3.0 / 4.0), 0, 0, 0,
    0, -Root(3.0 / 40.0), 0, 0, 0, Root(2.0) * -0.75, 0,
    -Root(9.0 / 20.0), 0, 0, -Root(3.0 / 4.0), 0, 0, 0,
    0, Root(6.0 / 5.0), 0, 0, 0, 0, 0,
    0, 0, Root(6.0 / 5.0), 0, 0, 0, 0,
    0, 0, 0, 0, 1, 0, 0,
};

double const f_TurboToCart[10 * 10] = {
    0, -Root(3.0 / 8.0), 0, 0, 0, Root(5.0 / 8.0), 0, 0, Root(3.0 / 7.0), 0,
    0, 0, -Root(3.0 / 8.0), 0, 0, 0, Root(5.0 / 8.0), 0, 0, Root(3.0 / 7.0),
    1, 0, 0, 0, 0, 0, 0, Root(3.0 / 7.0), 0, 0,
    0, 0, -Root(3.0 / 40.0), 0, 0, 0, -3.0 / Root(8.0), 0, 0, Root(3.0 / 35.0),
    -1.5 / Root(5.0), 0, 0, 0, Root(3.0 / 4.0), 0, 0, Root(3.0 / 35.0), 0, 0,
    0, -Root(3.0 / 40.0), 0, 0, 0, -3.0 / Root(8.0), 0, 0, Root(3.0 / 35.0), 0,
    -1.5 / Root(5.0), 0, 0, 0, -Root(3.0 / 4.0), 0, 0, Root(3.0 / 35.0), 0, 0,
    0, Root(6.0 / 5.0), 0, 0, 0, 0, 0, 0, Root(3.0 / 35.0), 0,
    0, 0, Root(6.0 / 5.0), 0, 0, 0, 0, 0, 0, Root(3.0 / 35.0),
    0, 0, 0, 1, 0, 0, 0, 0, 0, 0,
};

double const f_CartToTurbo[10 * 10] = {
    0, 0, 2.0 / 5.0, 0, -Root(1.0 / 5.0), 0, -Root(1.0 / 5.0), 0, 0, 0,
    -Root(3.0 / 50.0), 0, 0, 0, 0, -1.0 / Root(30.0), 0, 4.0 / Root(30.0), 0, 0,
    0, -Root(3.0 / 50.0), 0, -1.0 / Root(30.0), 0, 0, 0, 0, 4.0 / Root(30.0), 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 1,
    0, 0, 0, 0, 1.0 / Root(3.0), 0, -1.0 / Root(3.0), 0, 0, 0,
    Root(1.0 / 10.0), 0, 0, 0, 0, -Root(1.0 / 2.0), 0, 0, 0, 0,
    0, Root(1.0 / 10.0), 0, -Root(1.0 / 2.0), 0, 0, 0, 0, 0, 0,
    0, 0, Root(21.0) * 0.2, 0, Root(7.0 / 15.0), 0, Root(7.0 / 15.0), 0, 0, 0,
    Root(21.0) * 0.2, 0, 0, 0, 0, Root(7.0 / 15.0), 0, Root(7.0 / 15.0), 0, 0,
    0, Root(21.0) * 0.2, 0, Root(7.0 / 15.0), 0, 0, 0, 0, Root(7.0 / 15.0), 0,
};
// clang-format on

namespace {

struct Table {
    double const* data;
    long rows;
    long cols;
};

Table const none = {nullptr, 0, 0};
Table const dTurboToHarm = {d_TurboToHarm, 5, 5};
Table const dHarmToTurbo = {d_HarmToTurbo, 5, 5};
Table const fTurboToHarm = {f_TurboToHarm, 7, 7};
Table const fHarmToTurbo = {f_HarmToTurbo, 7, 7};
Table const fGaussianToCart = {f_GaussianToCart, 10, 10};
Table const fCartToGaussian = {f_CartToGaussian, 10, 10};
Table const dCartToHarm = {d_CartToHarm, 5, 6};
Table const dHarmToCart = {d_HarmToCart, 6, 5};
Table const dTurboToCart = {d_TurboToCart, 6, 6};
Table const dCartToTurbo = {d_CartToTurbo, 6, 6};
Table const fCartToHarm = {f_CartToHarm, 7, 10};
Table const fHarmToCart = {f_HarmToCart, 10, 7};
Table const fTurboToCart = {f_TurboToCart, 10, 10};
Table const fCartToTurbo = {f_CartToTurbo, 10, 10};

// The table that replaces the identity block of a shell, or none.
Table TableFor(long type, ShellType shell)
{
    // Columns: spherical d, Cartesian d, spherical f, Cartesian f.
    static Table const byType[13][4] = {
        {none, none, none, none},
        {none, none, none, fCartToGaussian},
        {dHarmToCart, none, fHarmToCart, none},
        {none, none, none, fCartToGaussian},
        {dHarmToTurbo, dCartToTurbo, fHarmToTurbo, fCartToTurbo},
        {none, none, none, fGaussianToCart},
        {dCartToHarm, none, fCartToHarm, none},
        {none, none, none, fGaussianToCart},
        {dTurboToHarm, dTurboToCart, fTurboToHarm, fTurboToCart},
        {none, dCartToHarm, none, none},
        {dHarmToCart, none, none, none},
        {none, none, none, fCartToHarm},
        {none, none, fHarmToCart, none},
    };
    if (type < 0 || type > 12) return none;
    switch (shell) {
    case stD5:
        return byType[type][0];
    case stD6:
        return byType[type][1];
    case stF7:
        return byType[type][2];
    case stF10:
        return byType[type][3];
    default:
        return none;
    }
}

// The shells of the transform in block order: atoms 0 to N - 1, each atom's
// bases in assignment order, each basis's shells in list order.
template <class Visit>
void ForEachShell(UQGeometryData* geom, Visit visit)
{
    UBasisSet const* basis = geom->GetBasis();
    // Gathered in one pass: a set that names millions of atoms the molecule
    // lacks must not be scanned once per atom.
    std::vector<std::vector<long>> const entries =
        EntriesByAtom(basis->GetMatches(), geom->GetDim());
    for (std::vector<long> const& list : entries) {
        for (long entry : list) {
            // A pair naming no atom basis would otherwise read past the list.
            if (entry < 0 || entry >= basis->GetDim())
                RaiseError(cmMissingData, sourceName, __LINE__);
            UPointerList<UGaussianShell> const& shells = basis->GetGaussian(entry)->GetShells();
            for (long s = 0; s < shells.size(); ++s) visit(shells[s]->GetType());
        }
    }
}

// Calls visit(block, p, q) for each block, with p the offset of its input
// functions (as many as its columns) and q that of its output functions.
template <class Visit>
void ForEachBlock(UPointerList<UMatrix<double>> const& blocks, Visit visit)
{
    long p = 0;
    long q = 0;
    for (long b = 0; b < blocks.size(); ++b) {
        UMatrix<double> const& block = *blocks[b];
        visit(block, p, q);
        p += block.GetRowDim();
        q += block.GetColDim();
    }
}

}  // namespace

void SetMatrix(UMatrix<double>& m, long rows, long cols, double const* table)
{
    m.SetColDim(rows);
    m.SetRowDim(cols);
    for (long i = 0; i < rows; ++i)
        for (long j = 0; j < cols; ++j) m(i, j) = table[i * cols + j];
}

UBasFuncTransform::UBasFuncTransform(UQGeometryData* geom, BasFuncTransformType type)
    : copiesInput(false)
{
    MakeDefaultTransform(geom);
    AdjustTransform(geom, type);
}

UBasFuncTransform::~UBasFuncTransform() { Clear(); }

void UBasFuncTransform::Clear() { blocks.clear(); }

void UBasFuncTransform::MakeDefaultTransform(UQGeometryData* geom)
{
    Clear();
    copiesInput = false;
    BasisType kind = geom->GetBasis()->GetBasisType();
    if (kind == btNone) RaiseError(cmMissingData, sourceName, __LINE__);
    if (kind == btSlater) {
        copiesInput = true;
        return;
    }
    try {
        ForEachShell(geom, [this](ShellType t) {
            // No reordering is known for g shells.
            if (t < stS || t > stF10) RaiseError(cmMissingData, sourceName, __LINE__);
            long const k = ShellDim(t);
            UMatrix<double>* block = new UMatrix<double>(k, k, -1);
            Mset(*block, 0.0, 1.0);
            blocks.Add(block);
        });
    } catch (...) {
        // A partial transform would map only some of the functions.
        Clear();
        throw;
    }
}

void UBasFuncTransform::AdjustTransform(UQGeometryData* geom, BasFuncTransformType type)
{
    BasisType kind = geom->GetBasis()->GetBasisType();
    if (kind == btNone) RaiseError(cmMissingData, sourceName, __LINE__);
    if (kind == btSlater) return;
    long index = 0;
    ForEachShell(geom, [this, type, &index](ShellType t) {
        // Only the molecule the blocks were made for fits them.
        if (index >= blocks.size()) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
        Table table = TableFor(type, t);
        if (table.data) SetMatrix(*blocks[index], table.rows, table.cols, table.data);
        ++index;
    });
}

long UBasFuncTransform::GetDimIn() const
{
    long n = 0;
    for (long i = 0; i < blocks.size(); ++i) n += blocks[i]->GetRowDim();
    return n;
}

long UBasFuncTransform::GetDimOut() const
{
    long n = 0;
    for (long i = 0; i < blocks.size(); ++i) n += blocks[i]->GetColDim();
    return n;
}

void UBasFuncTransform::TransformVector(UVector<double> const& in, UVector<double>& out) const
{
    if (copiesInput) {
        out.CloneContentsFrom(in);
        return;
    }
    if (in.GetDim() != GetDimIn()) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    // Reading from a copy keeps in-place calls right when blocks change sizes.
    UVector<double> saved(0, 1);
    bool sameStorage = in.GetDim() > 0 && in.GetConstData() == out.GetConstData();
    if (sameStorage) saved.CloneContentsFrom(in);
    UVector<double> const& source = sameStorage ? saved : in;
    out.SetDim(GetDimOut());
    ForEachBlock(blocks, [&](UMatrix<double> const& block, long p, long q) {
        UVector<double> x = source.SubVector(p, block.GetRowDim(), 1);
        UVector<double> y = out.SubVector(q, block.GetColDim(), 1);
        QuarnNumer::MVmult(block, x, y);
    });
}

void UBasFuncTransform::TransformMatrix(UMatrix<double> const& in, UMatrix<double>& out) const
{
    if (copiesInput) {
        out.CloneContentsFrom(in);
        return;
    }
    if (in.GetColDim() != GetDimIn()) RaiseError(umIncompatibleDimensions, sourceName, __LINE__);
    bool sameStorage =
        in.GetColDim() > 0 && in.GetRowDim() > 0 && in.GetConstData() == out.GetConstData();
    // In place, columns that keep their shape are read from a copy of a few
    // at a time, so that a large matrix is not held twice.
    bool inPlace = sameStorage && GetDimOut() == GetDimIn() &&
                   in.GetColSpace() == out.GetColSpace() && in.GetColDim() == out.GetColDim() &&
                   in.GetRowDim() == out.GetRowDim();
    UMatrix<double> saved(0, 0, -1);
    if (sameStorage && !inPlace) saved.CloneContentsFrom(in);
    UMatrix<double> const& source = sameStorage && !inPlace ? saved : in;
    if (!inPlace) {
        out.SetRowDim(source.GetRowDim());
        out.SetColDim(GetDimOut());
    }
    long const columns = source.GetRowDim();
    UMatrix<double> copied(0, 0, -1);
    for (long first = 0; first < columns; first += sliceColumns) {
        long const count = Min(sliceColumns, columns - first);
        UMatrix<double> from = source.SubMatrix(0, first, -1, count);
        if (inPlace) copied.CloneContentsFrom(from);
        UMatrix<double> const& x = inPlace ? copied : from;
        UMatrix<double> y = out.SubMatrix(0, first, -1, count);
        // Each block times its rows of every column of the slice: the same
        // sums as block times each column's segment.
        ForEachBlock(blocks, [&](UMatrix<double> const& block, long p, long q) {
            UMatrix<double> rows = y.SubMatrix(q, 0, block.GetColDim(), count);
            QuarnNumer::MMmult(block, x.SubMatrix(p, 0, block.GetRowDim(), count), rows);
        });
    }
}

UBasisInfo::UBasisInfo(long element) : element(element) {}

UBasisInfo::~UBasisInfo()
{
    pseudoNames.clear();
    basisNames.clear();
}

namespace {

void AddCopy(UArrayList<char>& list, const char* name)
{
    if (name) list.Add(CopyName(name));
}

}  // namespace

void UBasisInfo::AddBasis(const char* name) { AddCopy(basisNames, name); }

void UBasisInfo::AddPseudo(const char* name) { AddCopy(pseudoNames, name); }

UDefaultBasis::UDefaultBasis()
{
    for (long z = 0; z < pTable.GetNElements(); ++z) infos.Add(new UBasisInfo(z));
}

UDefaultBasis::~UDefaultBasis() { infos.clear(); }
