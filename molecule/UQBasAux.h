#pragma once
// Reordering of orbital coefficients between the basis-function conventions
// of Turbomole, the molecule record and Molden, and a per-element registry of
// basis-set and core-potential names.
//
// Function order within a shell in the molecule record:
//   spherical d  m = 0, +1, -1, +2, -2
//   Cartesian d  xx, yy, zz, xy, xz, yz
//   spherical f  m = 0, +1, -1, +2, -2, +3, -3
//   Cartesian f  xxx, yyy, zzz, xxy, xxz, xyy, yyz, xzz, yzz, xyz
// Turbomole orders spherical d as m = 0, +1, -1, -2, +2 and spherical f as
// m = 0, +1, -1, -2, +2, +3, -3, and its m = -3 function is the negative of
// y(3x^2 - y^2). Its Cartesian d and f shells hold these spherical functions
// followed by the normalised lower companions r^2 (d) and z r^2, x r^2, y r^2
// (f). Molden orders Cartesian f as xxx, yyy, zzz, xyy, xxy, xxz, xzz, yzz,
// yyz, xyz.
#include <cstdint>

#include "utilities/UMatVec.h"

class UQGeometryData;

// Tables read row by row: R rows and K columns map K input functions to R
// output functions, out(i) = sum over j of T(i, j) in(j).
extern double const d_TurboToHarm[5 * 5];
extern double const d_HarmToTurbo[5 * 5];
extern double const f_TurboToHarm[7 * 7];
extern double const f_HarmToTurbo[7 * 7];
extern double const f_GaussianToCart[10 * 10];
extern double const f_CartToGaussian[10 * 10];
extern double const d_CartToHarm[5 * 6];
extern double const d_HarmToCart[6 * 5];
extern double const d_TurboToCart[6 * 6];
extern double const d_CartToTurbo[6 * 6];
extern double const f_CartToHarm[7 * 10];
extern double const f_HarmToCart[10 * 7];
extern double const f_TurboToCart[10 * 10];
extern double const f_CartToTurbo[10 * 10];

// Which tables replace the identity blocks of d and f shells; values without
// a name select combinations of the tables that only tests and tools use.
enum BasFuncTransformType : int32_t {
    bftCartFToGaussian = 3,  // Cartesian f into Molden order
    bftToTurbo = 4,          // internal order into Turbomole's
    bftFromTurbo = 8         // Turbomole order into the internal one
};

// Resizes m to rows x cols and fills it from table, read row by row.
void SetMatrix(UMatrix<double>& m, long rows, long cols, double const* table);

// A block-diagonal matrix with one block per Gaussian shell of a molecule's
// basis: atoms in order, for each atom its atom bases in assignment order,
// for each atom basis its shells in list order. A Slater basis gives no
// blocks, and every transform then copies its input.
class UBasFuncTransform {
public:
    UBasFuncTransform(UQGeometryData* geom, BasFuncTransformType type);
    ~UBasFuncTransform();
    UBasFuncTransform(UBasFuncTransform const&) = delete;
    UBasFuncTransform& operator=(UBasFuncTransform const&) = delete;

    // One identity block per shell; 25007 without a basis or for a g shell.
    void MakeDefaultTransform(UQGeometryData* geom);
    // Replaces the blocks of d and f shells by the tables that type selects.
    void AdjustTransform(UQGeometryData* geom, BasFuncTransformType type);

    long GetDimIn() const;
    long GetDimOut() const;

    // out = the transform applied to in; 21003 when in does not fit.
    void TransformVector(UVector<double> const& in, UVector<double>& out) const;
    // Each column of in (one row per basis function) into the same column of out.
    void TransformMatrix(UMatrix<double> const& in, UMatrix<double>& out) const;

    void Clear();

private:
    UPointerList<UMatrix<double>> blocks;
    // Set for a Slater basis: there are no blocks and the input is copied.
    bool copiesInput;
};

// Names of basis sets and core potentials known for one element.
class UBasisInfo {
public:
    explicit UBasisInfo(long element);
    ~UBasisInfo();
    UBasisInfo(UBasisInfo const&) = delete;
    UBasisInfo& operator=(UBasisInfo const&) = delete;

    long GetElement() const { return element; }
    // Append a copy of name; a null name is ignored.
    void AddBasis(const char* name);
    void AddPseudo(const char* name);
    UArrayList<char>& GetBasis() { return basisNames; }
    UArrayList<char>& GetPseudo() { return pseudoNames; }

private:
    long element;
    UArrayList<char> basisNames;
    UArrayList<char> pseudoNames;
};

// One UBasisInfo per atomic number of the periodic table, from 0.
class UDefaultBasis {
public:
    UDefaultBasis();
    ~UDefaultBasis();
    UDefaultBasis(UDefaultBasis const&) = delete;
    UDefaultBasis& operator=(UDefaultBasis const&) = delete;

    // Entry z; z must lie below the element count of the periodic table.
    UBasisInfo* GetInfo(long z) { return infos[z]; }

private:
    UPointerList<UBasisInfo> infos;
};
