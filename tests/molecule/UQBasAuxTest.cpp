#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "molecule/UQBasAux.h"
#include "molecule/UQBasis.h"
#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "tests/support/RaisedCode.h"
#include "utilities/UStrUtilities.h"

namespace {

// ---- An independent model of one shell: individually normalised Cartesian
// Gaussians x^a y^b z^c exp(-alpha r^2) sharing one exponent, their overlap,
// and the functions Turbomole and we build from them.

using Matrix = std::vector<std::vector<double>>;

struct Monomial {
    int a, b, c;
};

// Our Cartesian orders.
std::vector<Monomial> const cartD = {{2, 0, 0}, {0, 2, 0}, {0, 0, 2},
                                     {1, 1, 0}, {1, 0, 1}, {0, 1, 1}};
std::vector<Monomial> const cartF = {{3, 0, 0}, {0, 3, 0}, {0, 0, 3}, {2, 1, 0}, {2, 0, 1},
                                     {1, 2, 0}, {0, 2, 1}, {1, 0, 2}, {0, 1, 2}, {1, 1, 1}};
// Molden's Cartesian f order.
std::vector<Monomial> const moldenF = {{3, 0, 0}, {0, 3, 0}, {0, 0, 3}, {1, 2, 0}, {2, 1, 0},
                                       {2, 0, 1}, {1, 0, 2}, {0, 1, 2}, {0, 2, 1}, {1, 1, 1}};

// (n - 1)!! for even n >= 0, the one-dimensional Gaussian moment up to a
// factor common to all functions of one shell.
double Moment(int n)
{
    if (n % 2) return 0.0;
    double r = 1.0;
    for (int k = n - 1; k > 1; k -= 2) r *= k;
    return r;
}

double RawOverlap(Monomial const& p, Monomial const& q)
{
    return Moment(p.a + q.a) * Moment(p.b + q.b) * Moment(p.c + q.c);
}

// Overlap of the normalised Cartesian functions.
Matrix Overlap(std::vector<Monomial> const& cart)
{
    size_t n = cart.size();
    Matrix s(n, std::vector<double>(n));
    for (size_t i = 0; i < n; ++i)
        for (size_t j = 0; j < n; ++j)
            s[i][j] = RawOverlap(cart[i], cart[j]) /
                      std::sqrt(RawOverlap(cart[i], cart[i]) * RawOverlap(cart[j], cart[j]));
    return s;
}

struct Term {
    double u;
    Monomial m;
};
using Polynomial = std::vector<Term>;

// Coefficients over the normalised Cartesian functions of the normalised
// function with polynomial part p.
std::vector<double> Normalised(Polynomial const& p, std::vector<Monomial> const& cart)
{
    size_t n = cart.size();
    std::vector<double> c(n, 0.0);
    for (Term const& t : p)
        for (size_t i = 0; i < n; ++i)
            if (cart[i].a == t.m.a && cart[i].b == t.m.b && cart[i].c == t.m.c)
                c[i] += t.u * std::sqrt(RawOverlap(cart[i], cart[i]));
    Matrix s = Overlap(cart);
    double norm = 0.0;
    for (size_t i = 0; i < n; ++i)
        for (size_t j = 0; j < n; ++j) norm += c[i] * s[i][j] * c[j];
    for (double& x : c) x /= std::sqrt(norm);
    return c;
}

// Real solid harmonics and companions by name, with the usual signs.
Polynomial Function(std::string const& name)
{
    if (name == "d0") return {{2, {0, 0, 2}}, {-1, {2, 0, 0}}, {-1, {0, 2, 0}}};
    if (name == "d+1") return {{1, {1, 0, 1}}};
    if (name == "d-1") return {{1, {0, 1, 1}}};
    if (name == "d+2") return {{1, {2, 0, 0}}, {-1, {0, 2, 0}}};
    if (name == "d-2") return {{1, {1, 1, 0}}};
    if (name == "r2") return {{1, {2, 0, 0}}, {1, {0, 2, 0}}, {1, {0, 0, 2}}};
    if (name == "f0") return {{2, {0, 0, 3}}, {-3, {2, 0, 1}}, {-3, {0, 2, 1}}};
    if (name == "f+1") return {{4, {1, 0, 2}}, {-1, {3, 0, 0}}, {-1, {1, 2, 0}}};
    if (name == "f-1") return {{4, {0, 1, 2}}, {-1, {2, 1, 0}}, {-1, {0, 3, 0}}};
    if (name == "f+2") return {{1, {2, 0, 1}}, {-1, {0, 2, 1}}};
    if (name == "f-2") return {{1, {1, 1, 1}}};
    if (name == "f+3") return {{1, {3, 0, 0}}, {-3, {1, 2, 0}}};
    if (name == "f-3") return {{3, {2, 1, 0}}, {-1, {0, 3, 0}}};
    // Turbomole's m = -3 f function has the opposite sign.
    if (name == "tf-3") return {{-3, {2, 1, 0}}, {1, {0, 3, 0}}};
    if (name == "zr2") return {{1, {0, 0, 3}}, {1, {2, 0, 1}}, {1, {0, 2, 1}}};
    if (name == "xr2") return {{1, {3, 0, 0}}, {1, {1, 2, 0}}, {1, {1, 0, 2}}};
    if (name == "yr2") return {{1, {2, 1, 0}}, {1, {0, 3, 0}}, {1, {0, 1, 2}}};
    ADD_FAILURE() << "no function " << name;
    return {};
}

std::vector<std::string> const harmD = {"d0", "d+1", "d-1", "d+2", "d-2"};
std::vector<std::string> const turboD = {"d0", "d+1", "d-1", "d-2", "d+2"};
std::vector<std::string> const turboCartD = {"d0", "d+1", "d-1", "d-2", "d+2", "r2"};
std::vector<std::string> const harmF = {"f0", "f+1", "f-1", "f+2", "f-2", "f+3", "f-3"};
std::vector<std::string> const turboF = {"f0", "f+1", "f-1", "f-2", "f+2", "f+3", "tf-3"};
std::vector<std::string> const turboCartF = {"f0",  "f+1",  "f-1", "f-2", "f+2",
                                             "f+3", "tf-3", "zr2", "xr2", "yr2"};

// Columns: the Cartesian coefficients of the named functions.
Matrix Columns(std::vector<std::string> const& names, std::vector<Monomial> const& cart)
{
    Matrix m(cart.size(), std::vector<double>(names.size()));
    for (size_t j = 0; j < names.size(); ++j) {
        std::vector<double> c = Normalised(Function(names[j]), cart);
        for (size_t i = 0; i < cart.size(); ++i) m[i][j] = c[i];
    }
    return m;
}

Matrix Product(Matrix const& a, Matrix const& b)
{
    Matrix p(a.size(), std::vector<double>(b[0].size(), 0.0));
    for (size_t i = 0; i < a.size(); ++i)
        for (size_t j = 0; j < b[0].size(); ++j)
            for (size_t k = 0; k < b.size(); ++k) p[i][j] += a[i][k] * b[k][j];
    return p;
}

Matrix Transposed(Matrix const& a)
{
    Matrix t(a[0].size(), std::vector<double>(a.size()));
    for (size_t i = 0; i < a.size(); ++i)
        for (size_t j = 0; j < a[0].size(); ++j) t[j][i] = a[i][j];
    return t;
}

// Gauss-Jordan inverse with partial pivoting.
Matrix Inverse(Matrix a)
{
    size_t n = a.size();
    Matrix inv(n, std::vector<double>(n, 0.0));
    for (size_t i = 0; i < n; ++i) inv[i][i] = 1.0;
    for (size_t c = 0; c < n; ++c) {
        size_t pivot = c;
        for (size_t r = c + 1; r < n; ++r)
            if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
        std::swap(a[c], a[pivot]);
        std::swap(inv[c], inv[pivot]);
        double d = a[c][c];
        for (size_t j = 0; j < n; ++j) {
            a[c][j] /= d;
            inv[c][j] /= d;
        }
        for (size_t r = 0; r < n; ++r) {
            if (r == c) continue;
            double f = a[r][c];
            for (size_t j = 0; j < n; ++j) {
                a[r][j] -= f * a[c][j];
                inv[r][j] -= f * inv[c][j];
            }
        }
    }
    return inv;
}

// The rows of the overlap projection onto orthonormal columns h: h^T S.
Matrix Projection(Matrix const& h, std::vector<Monomial> const& cart)
{
    return Product(Transposed(h), Overlap(cart));
}

// Row i of the left inverse of h that uses only the Cartesian functions in
// support: r h = e_i with r zero elsewhere (least squares on the support,
// exact when such a row exists).
std::vector<double> SupportedLeftInverseRow(Matrix const& h, size_t i,
                                            std::vector<size_t> const& support)
{
    size_t n = support.size();
    Matrix g(n, std::vector<double>(n, 0.0));
    for (size_t a = 0; a < n; ++a)
        for (size_t b = 0; b < n; ++b)
            for (size_t k = 0; k < h[0].size(); ++k) g[a][b] += h[support[a]][k] * h[support[b]][k];
    Matrix ginv = Inverse(g);
    std::vector<double> row(h.size(), 0.0);
    for (size_t a = 0; a < n; ++a)
        for (size_t b = 0; b < n; ++b) row[support[a]] += h[support[b]][i] * ginv[b][a];
    return row;
}

// A permutation from matching function names or monomials.
template <class T, class Same>
Matrix Matching(std::vector<T> const& to, std::vector<T> const& from, Same same)
{
    Matrix m(to.size(), std::vector<double>(from.size(), 0.0));
    for (size_t i = 0; i < to.size(); ++i)
        for (size_t j = 0; j < from.size(); ++j)
            if (same(to[i], from[j])) m[i][j] = 1.0;
    return m;
}

bool SameMonomial(Monomial const& p, Monomial const& q)
{
    return p.a == q.a && p.b == q.b && p.c == q.c;
}

void ExpectTable(double const* table, Matrix const& expected, const char* name)
{
    size_t cols = expected[0].size();
    for (size_t i = 0; i < expected.size(); ++i)
        for (size_t j = 0; j < cols; ++j)
            EXPECT_NEAR(table[i * cols + j], expected[i][j], 1e-15)
                << name << " row " << i << " column " << j;
}

Matrix FromTable(double const* table, size_t rows, size_t cols)
{
    Matrix m(rows, std::vector<double>(cols));
    for (size_t i = 0; i < rows; ++i)
        for (size_t j = 0; j < cols; ++j) m[i][j] = table[i * cols + j];
    return m;
}

Matrix Identity(size_t n)
{
    Matrix m(n, std::vector<double>(n, 0.0));
    for (size_t i = 0; i < n; ++i) m[i][i] = 1.0;
    return m;
}

TEST(BasFuncTables, CartesianDTablesFollowFromTheOverlap)
{
    Matrix harm = Columns(harmD, cartD);
    Matrix turbo = Columns(turboCartD, cartD);
    ExpectTable(d_HarmToCart, harm, "d_HarmToCart");
    ExpectTable(d_TurboToCart, turbo, "d_TurboToCart");
    ExpectTable(d_CartToTurbo, Inverse(turbo), "d_CartToTurbo");
    ExpectTable(d_CartToHarm, Projection(harm, cartD), "d_CartToHarm");
    // The r^2 companion is normalised: its xx, yy, zz coefficients are 1/sqrt(5).
    EXPECT_NEAR(d_TurboToCart[5], 1.0 / std::sqrt(5.0), 1e-16);
    EXPECT_NEAR(d_CartToTurbo[30], std::sqrt(5.0) / 3.0, 1e-16);
}

TEST(BasFuncTables, CartesianFTablesFollowFromTheOverlap)
{
    Matrix harm = Columns(harmF, cartF);
    Matrix turbo = Columns(turboCartF, cartF);
    ExpectTable(f_HarmToCart, harm, "f_HarmToCart");
    ExpectTable(f_TurboToCart, turbo, "f_TurboToCart");
    ExpectTable(f_CartToTurbo, Inverse(turbo), "f_CartToTurbo");

    // Cartesian to spherical f reads each m from as few Cartesian functions
    // as possible; for m = +-2 and +-3 that is the overlap projection.
    std::vector<std::vector<size_t>> const support = {{2}, {0, 5}, {1, 3}, {4, 6},
                                                      {9}, {0, 5}, {1, 3}};
    Matrix rebuilt;
    for (size_t m = 0; m < harmF.size(); ++m)
        rebuilt.push_back(SupportedLeftInverseRow(harm, m, support[m]));
    ExpectTable(f_CartToHarm, rebuilt, "f_CartToHarm");
    Matrix projection = Projection(harm, cartF);
    for (size_t m = 3; m < 7; ++m)
        for (size_t j = 0; j < cartF.size(); ++j)
            EXPECT_NEAR(f_CartToHarm[m * 10 + j], projection[m][j], 1e-15) << m << " " << j;
}

TEST(BasFuncTables, SphericalPermutationsMatchTurbomoleFunctions)
{
    // Overlap of our harmonic i with Turbomole's function j.
    Matrix d = Product(Projection(Columns(harmD, cartD), cartD), Columns(turboD, cartD));
    ExpectTable(d_TurboToHarm, d, "d_TurboToHarm");
    ExpectTable(d_HarmToTurbo, Inverse(d), "d_HarmToTurbo");
    Matrix f = Product(Projection(Columns(harmF, cartF), cartF), Columns(turboF, cartF));
    ExpectTable(f_TurboToHarm, f, "f_TurboToHarm");
    ExpectTable(f_HarmToTurbo, Inverse(f), "f_HarmToTurbo");
    EXPECT_EQ(f_TurboToHarm[48], -1.0);
    EXPECT_EQ(f_HarmToTurbo[48], -1.0);
}

TEST(BasFuncTables, MoldenCartesianFOrder)
{
    ExpectTable(f_CartToGaussian, Matching(moldenF, cartF, SameMonomial), "f_CartToGaussian");
    ExpectTable(f_GaussianToCart, Matching(cartF, moldenF, SameMonomial), "f_GaussianToCart");
}

TEST(BasFuncTables, InversePairs)
{
    struct Pair {
        const char* name;
        double const* left;
        double const* right;
        size_t rows, inner, cols;
    };
    Pair const pairs[] = {
        {"d CartToHarm HarmToCart", d_CartToHarm, d_HarmToCart, 5, 6, 5},
        {"f CartToHarm HarmToCart", f_CartToHarm, f_HarmToCart, 7, 10, 7},
        {"d CartToTurbo TurboToCart", d_CartToTurbo, d_TurboToCart, 6, 6, 6},
        {"d TurboToCart CartToTurbo", d_TurboToCart, d_CartToTurbo, 6, 6, 6},
        {"f CartToTurbo TurboToCart", f_CartToTurbo, f_TurboToCart, 10, 10, 10},
        {"f TurboToCart CartToTurbo", f_TurboToCart, f_CartToTurbo, 10, 10, 10},
        {"d HarmToTurbo TurboToHarm", d_HarmToTurbo, d_TurboToHarm, 5, 5, 5},
        {"f HarmToTurbo TurboToHarm", f_HarmToTurbo, f_TurboToHarm, 7, 7, 7},
        {"f CartToGaussian GaussianToCart", f_CartToGaussian, f_GaussianToCart, 10, 10, 10},
    };
    for (Pair const& p : pairs) {
        Matrix product =
            Product(FromTable(p.left, p.rows, p.inner), FromTable(p.right, p.inner, p.cols));
        Matrix one = Identity(p.rows);
        for (size_t i = 0; i < p.rows; ++i)
            for (size_t j = 0; j < p.cols; ++j)
                EXPECT_NEAR(product[i][j], one[i][j], 1e-15) << p.name << " " << i << " " << j;
    }
}

// ---- The transform on small molecules.

UGaussianAtom* Basis(const char* name, std::vector<ShellType> const& types)
{
    UGaussianAtom* a = new UGaussianAtom(name);
    for (ShellType t : types) {
        UGaussianShell* s = new UGaussianShell(t);
        s->Add(UGaussianPrimitive(1.0, 1.0, 0.0));
        a->Add(s);
    }
    return a;
}

// Atom 0 carries every shell kind but g; atom 1 two atom bases, the second
// of which is also given to an atom index the molecule does not have.
void MakeMolecule(UQGeometryData& geom)
{
    geom.SetDim(2);
    UBasisSet* b = geom.GetBasis();
    b->Add(Basis("a", {stS, stP, stSP, stD5, stD6, stF7, stF10}));
    b->Add(Basis("b", {stP, stF7}));
    b->Add(Basis("c", {stS, stD5}));
    b->Add(0, 0);
    b->Add(1, 2);
    b->Add(1, 1);
    b->Add(2, 1);
}

std::vector<ShellType> const moleculeShells = {stS,   stP, stSP, stD5, stD6, stF7,
                                               stF10, stS, stD5, stP,  stF7};

long Width(ShellType t)
{
    static long const widths[] = {1, 3, 4, 5, 6, 7, 10};
    return widths[t];
}

UMatrix<double> Numbered(long rows, long cols)
{
    UMatrix<double> m(rows, cols, -1);
    for (long i = 0; i < rows; ++i)
        for (long j = 0; j < cols; ++j) m(i, j) = 1.0 + i + 100.0 * j + 0.01 * i * i;
    return m;
}

struct TypeCase {
    long type;
    double const* d5;
    double const* d6;
    double const* f7;
    double const* f10;
};

// A null table keeps the identity.
TypeCase const typeCases[] = {
    {0, nullptr, nullptr, nullptr, nullptr},
    {1, nullptr, nullptr, nullptr, f_CartToGaussian},
    {2, d_HarmToCart, nullptr, f_HarmToCart, nullptr},
    {3, nullptr, nullptr, nullptr, f_CartToGaussian},
    {4, d_HarmToTurbo, d_CartToTurbo, f_HarmToTurbo, f_CartToTurbo},
    {5, nullptr, nullptr, nullptr, f_GaussianToCart},
    {6, d_CartToHarm, nullptr, f_CartToHarm, nullptr},
    {7, nullptr, nullptr, nullptr, f_GaussianToCart},
    {8, d_TurboToHarm, d_TurboToCart, f_TurboToHarm, f_TurboToCart},
    {9, nullptr, d_CartToHarm, nullptr, nullptr},
    {10, d_HarmToCart, nullptr, nullptr, nullptr},
    {11, nullptr, nullptr, nullptr, f_CartToHarm},
    {12, nullptr, nullptr, f_HarmToCart, nullptr},
    {13, nullptr, nullptr, nullptr, nullptr},
    {-1, nullptr, nullptr, nullptr, nullptr},
};

// Rows and columns of the table that maps a shell's functions.
void TableShape(double const* t, ShellType s, long& rows, long& cols)
{
    rows = cols = Width(s);
    if (t == d_CartToHarm) rows = 5, cols = 6;
    if (t == d_HarmToCart) rows = 6, cols = 5;
    if (t == f_CartToHarm) rows = 7, cols = 10;
    if (t == f_HarmToCart) rows = 10, cols = 7;
}

double const* TableOf(TypeCase const& c, ShellType s)
{
    switch (s) {
    case stD5:
        return c.d5;
    case stD6:
        return c.d6;
    case stF7:
        return c.f7;
    case stF10:
        return c.f10;
    default:
        return nullptr;
    }
}

TEST(BasFuncTransform, EveryTypeOnASmallMolecule)
{
    for (TypeCase const& c : typeCases) {
        SCOPED_TRACE(c.type);
        UQGeometryData geom;
        MakeMolecule(geom);
        UBasFuncTransform t(&geom, BasFuncTransformType(c.type));
        long dimIn = 0, dimOut = 0;
        for (ShellType s : moleculeShells) {
            long rows, cols;
            TableShape(TableOf(c, s), s, rows, cols);
            dimIn += cols;
            dimOut += rows;
        }
        ASSERT_EQ(t.GetDimIn(), dimIn);
        ASSERT_EQ(t.GetDimOut(), dimOut);
        UMatrix<double> in = Numbered(dimIn, 3);
        UMatrix<double> out(0, 0, -1);
        t.TransformMatrix(in, out);
        ASSERT_EQ(out.GetColDim(), dimOut);
        ASSERT_EQ(out.GetRowDim(), 3);

        // The expected result, shell by shell; a null table is the identity.
        long p = 0, q = 0;
        for (ShellType s : moleculeShells) {
            double const* table = TableOf(c, s);
            long rows, cols;
            TableShape(table, s, rows, cols);
            for (long j = 0; j < 3; ++j)
                for (long i = 0; i < rows; ++i) {
                    double e = 0.0;
                    for (long k = 0; k < cols; ++k)
                        e += (table ? table[i * cols + k] : (i == k ? 1.0 : 0.0)) * in(p + k, j);
                    EXPECT_DOUBLE_EQ(out(q + i, j), e) << "shell " << s << " row " << i;
                }
            p += cols;
            q += rows;
        }

        // A vector gives the first column.
        UVector<double> v = in.ColVector(0);
        UVector<double> w(0, 1);
        t.TransformVector(v, w);
        ASSERT_EQ(w.GetDim(), dimOut);
        for (long i = 0; i < dimOut; ++i) EXPECT_EQ(w[i], out(i, 0));
    }
}

TEST(BasFuncTransform, ReshapingTypesChangeOnlyTheirShells)
{
    UQGeometryData geom;
    geom.SetDim(1);
    geom.GetBasis()->Add(Basis("a", {stS, stP, stD5}));
    geom.GetBasis()->Add(0, 0);
    UBasFuncTransform six(&geom, BasFuncTransformType(6));
    EXPECT_EQ(six.GetDimIn(), 1 + 3 + 6);
    EXPECT_EQ(six.GetDimOut(), 1 + 3 + 5);
    UBasFuncTransform eight(&geom, bftFromTurbo);
    EXPECT_EQ(eight.GetDimIn(), 9);
    EXPECT_EQ(eight.GetDimOut(), 9);
}

TEST(BasFuncTransform, FromTurboThenToTurboIsTheIdentity)
{
    UQGeometryData geom;
    MakeMolecule(geom);
    UBasFuncTransform from(&geom, bftFromTurbo);
    UBasFuncTransform to(&geom, bftToTurbo);
    UMatrix<double> turbo = Numbered(from.GetDimIn(), 4);
    UMatrix<double> internal(0, 0, -1);
    UMatrix<double> back(0, 0, -1);
    from.TransformMatrix(turbo, internal);
    to.TransformMatrix(internal, back);
    ASSERT_EQ(back.GetColDim(), turbo.GetColDim());
    ASSERT_EQ(back.GetRowDim(), 4);
    for (long i = 0; i < turbo.GetColDim(); ++i)
        for (long j = 0; j < 4; ++j)
            EXPECT_NEAR(back(i, j), turbo(i, j), 1e-12 * std::fabs(turbo(i, j)));
}

// The same Turbomole m = -3 f function read from a spherical and from a
// Cartesian shell ends up as the same internal function.
TEST(BasFuncTransform, BothTurbomoleFShellsAgreeOnTheMinusThreeFunction)
{
    UQGeometryData geom;
    geom.SetDim(1);
    geom.GetBasis()->Add(Basis("a", {stF7, stF10}));
    geom.GetBasis()->Add(0, 0);
    UBasFuncTransform from(&geom, bftFromTurbo);
    UVector<double> in(17, 1);
    in[6] = 1.0;      // spherical shell, Turbomole's m = -3
    in[7 + 6] = 1.0;  // Cartesian shell, the same function
    UVector<double> out(0, 1);
    from.TransformVector(in, out);
    ASSERT_EQ(out.GetDim(), 17);
    EXPECT_EQ(out[6], -1.0);
    // The Cartesian coefficients, projected on our m = -3, give the same -1.
    double minusThree = 0.0;
    for (long k = 0; k < 10; ++k) minusThree += f_CartToHarm[6 * 10 + k] * out[7 + k];
    EXPECT_NEAR(minusThree, -1.0, 1e-15);
}

TEST(BasFuncTransform, TurbomoleRSquaredIsNormalised)
{
    UQGeometryData geom;
    geom.SetDim(1);
    geom.GetBasis()->Add(Basis("a", {stD6}));
    geom.GetBasis()->Add(0, 0);
    UBasFuncTransform from(&geom, bftFromTurbo);
    UVector<double> in(6, 1);
    in[5] = 1.0;
    UVector<double> cart(0, 1);
    from.TransformVector(in, cart);
    Matrix s = Overlap(cartD);
    double norm = 0.0;
    for (long i = 0; i < 6; ++i)
        for (long j = 0; j < 6; ++j) norm += cart[i] * s[i][j] * cart[j];
    EXPECT_NEAR(norm, 1.0, 1e-15);
    for (long i = 0; i < 3; ++i) EXPECT_NEAR(cart[i], 1.0 / std::sqrt(5.0), 1e-16);
    for (long i = 3; i < 6; ++i) EXPECT_EQ(cart[i], 0.0);
    UBasFuncTransform to(&geom, bftToTurbo);
    UVector<double> back(0, 1);
    to.TransformVector(cart, back);
    for (long i = 0; i < 6; ++i) EXPECT_NEAR(back[i], i == 5 ? 1.0 : 0.0, 1e-15);
}

TEST(BasFuncTransform, MoldenOrderOfCartesianF)
{
    UQGeometryData geom;
    geom.SetDim(1);
    geom.GetBasis()->Add(Basis("a", {stF10}));
    geom.GetBasis()->Add(0, 0);
    UBasFuncTransform t(&geom, bftCartFToGaussian);
    UVector<double> in(10, 1);
    for (long i = 0; i < 10; ++i) in[i] = i + 1;
    UVector<double> out(0, 1);
    t.TransformVector(in, out);
    double const expected[] = {1, 2, 3, 6, 4, 5, 8, 9, 7, 10};
    for (long i = 0; i < 10; ++i) EXPECT_EQ(out[i], expected[i]);
}

TEST(BasFuncTransform, InPlaceMatchesOutOfPlace)
{
    for (long type : {6L, 2L, 8L}) {
        SCOPED_TRACE(type);
        UQGeometryData geom;
        MakeMolecule(geom);
        UBasFuncTransform t(&geom, BasFuncTransformType(type));
        UMatrix<double> in = Numbered(t.GetDimIn(), 2);
        UMatrix<double> out(0, 0, -1);
        t.TransformMatrix(in, out);
        t.TransformMatrix(in, in);
        ASSERT_EQ(in.GetColDim(), out.GetColDim());
        for (long i = 0; i < out.GetColDim(); ++i)
            for (long j = 0; j < 2; ++j) EXPECT_EQ(in(i, j), out(i, j));
        UVector<double> v(t.GetDimIn(), 1);
        for (long i = 0; i < v.GetDim(); ++i) v[i] = 1.0 + 0.37 * i;
        UVector<double> w(0, 1);
        t.TransformVector(v, w);
        t.TransformVector(v, v);
        ASSERT_EQ(v.GetDim(), w.GetDim());
        for (long i = 0; i < w.GetDim(); ++i) EXPECT_EQ(v[i], w[i]);
    }
}

// A matrix of many orbitals, in place or not, gives in each column exactly
// what that column gives alone.
TEST(BasFuncTransform, EveryColumnOfAWideMatrixAsAVectorAlone)
{
    std::mt19937_64 rng(3108);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (long type : {2L, 3L, 4L, 6L, 8L}) {
        SCOPED_TRACE(type);
        UQGeometryData geom;
        MakeMolecule(geom);
        UBasFuncTransform t(&geom, BasFuncTransformType(type));
        const long columns = 150;
        UMatrix<double> in(t.GetDimIn(), columns, -1);
        for (long i = 0; i < in.GetColDim(); ++i)
            for (long j = 0; j < columns; ++j) in(i, j) = (i + j) % 11 == 0 ? -0.0 : unit(rng);
        UMatrix<double> out(0, 0, -1);
        t.TransformMatrix(in, out);
        UMatrix<double> same(0, 0, -1);
        same.CloneContentsFrom(in);
        t.TransformMatrix(same, same);
        ASSERT_EQ(out.GetRowDim(), columns);
        ASSERT_EQ(same.GetColDim(), out.GetColDim());
        for (long j = 0; j < columns; ++j) {
            UVector<double> w(0, 1);
            t.TransformVector(in.ColVector(j), w);
            for (long i = 0; i < w.GetDim(); ++i) {
                ASSERT_EQ(std::signbit(out(i, j)), std::signbit(w[i])) << i << " " << j;
                ASSERT_EQ(out(i, j), w[i]) << i << " " << j;
                ASSERT_EQ(same(i, j), w[i]) << i << " " << j;
            }
        }
    }
}

TEST(BasFuncTransform, InputOfTheWrongSizeIsRefused)
{
    UQGeometryData geom;
    MakeMolecule(geom);
    UBasFuncTransform t(&geom, bftFromTurbo);
    UVector<double> v(t.GetDimIn() - 1, 1);
    UVector<double> out(2, 1);
    out[0] = 7.0;
    EXPECT_EQ(RaisedCode([&] { t.TransformVector(v, out); }), umIncompatibleDimensions);
    EXPECT_EQ(out.GetDim(), 2);
    EXPECT_EQ(out[0], 7.0);
    UMatrix<double> m(t.GetDimIn() + 1, 2, -1);
    UMatrix<double> mout(1, 1, -1);
    EXPECT_EQ(RaisedCode([&] { t.TransformMatrix(m, mout); }), umIncompatibleDimensions);
    EXPECT_EQ(mout.GetColDim(), 1);
    EXPECT_EQ(mout.GetRowDim(), 1);
}

// A Gaussian basis without atoms has no functions: coefficients handed in
// cannot be passed on unconverted.
TEST(BasFuncTransform, GaussianBasisWithoutAtomsRefusesCoefficients)
{
    UQGeometryData geom;
    geom.GetBasis()->Add(Basis("a", {stS, stD6}));
    geom.GetBasis()->Add(0, 0);
    UBasFuncTransform t(&geom, bftFromTurbo);
    EXPECT_EQ(t.GetDimIn(), 0);
    UVector<double> v(7, 1);
    UVector<double> out(0, 1);
    EXPECT_EQ(RaisedCode([&] { t.TransformVector(v, out); }), umIncompatibleDimensions);
    EXPECT_EQ(out.GetDim(), 0);
    UMatrix<double> m(7, 3, -1);
    UMatrix<double> mout(0, 0, -1);
    EXPECT_EQ(RaisedCode([&] { t.TransformMatrix(m, mout); }), umIncompatibleDimensions);
    UVector<double> none(0, 1);
    EXPECT_EQ(RaisedCode([&] { t.TransformVector(none, out); }), 0);
    EXPECT_EQ(out.GetDim(), 0);
}

TEST(BasFuncTransform, SlaterBasisCopies)
{
    UQGeometryData geom;
    geom.SetDim(1);
    geom.GetBasis()->Add(new USlaterAtom("c"));
    geom.GetBasis()->Add(0, 0);
    UBasFuncTransform t(&geom, bftFromTurbo);
    EXPECT_EQ(t.GetDimIn(), 0);
    UMatrix<double> in = Numbered(5, 2);
    UMatrix<double> out(0, 0, -1);
    t.TransformMatrix(in, out);
    ASSERT_EQ(out.GetColDim(), 5);
    ASSERT_EQ(out.GetRowDim(), 2);
    for (long i = 0; i < 5; ++i)
        for (long j = 0; j < 2; ++j) EXPECT_EQ(out(i, j), in(i, j));
    UVector<double> v(3, 1);
    v[2] = 4.0;
    UVector<double> w(0, 1);
    t.TransformVector(v, w);
    ASSERT_EQ(w.GetDim(), 3);
    EXPECT_EQ(w[2], 4.0);
}

TEST(BasFuncTransform, MissingBasisAndGShellsRaise)
{
    UQGeometryData empty;
    empty.SetDim(1);
    EXPECT_EQ(RaisedCode([&] { UBasFuncTransform t(&empty, bftFromTurbo); }), cmMissingData);

    UQGeometryData g;
    g.SetDim(2);
    g.GetBasis()->Add(Basis("a", {stS, stP}));
    g.GetBasis()->Add(Basis("b", {stS, stG}));
    g.GetBasis()->Add(0, 0);
    g.GetBasis()->Add(1, 1);
    EXPECT_EQ(RaisedCode([&] { UBasFuncTransform t(&g, bftFromTurbo); }), cmMissingData);

    // A rebuild that fails leaves no partial transform behind.
    UQGeometryData ok;
    ok.SetDim(1);
    ok.GetBasis()->Add(Basis("a", {stS, stP}));
    ok.GetBasis()->Add(0, 0);
    UBasFuncTransform t(&ok, bftFromTurbo);
    EXPECT_EQ(RaisedCode([&] { t.MakeDefaultTransform(&g); }), cmMissingData);
    EXPECT_EQ(t.GetDimIn(), 0);
    UVector<double> v(4, 1);
    UVector<double> w(0, 1);
    EXPECT_EQ(RaisedCode([&] { t.TransformVector(v, w); }), umIncompatibleDimensions);
}

TEST(BasFuncTransform, PairNamingNoAtomBasisRaises)
{
    UQGeometryData geom;
    geom.SetDim(1);
    geom.GetBasis()->Add(Basis("a", {stS}));
    geom.GetBasis()->Add(0, 3);
    EXPECT_EQ(RaisedCode([&] { UBasFuncTransform t(&geom, bftFromTurbo); }), cmMissingData);
}

TEST(BasFuncTransform, AdjustingForAnotherMoleculeRaises)
{
    UQGeometryData one;
    one.SetDim(1);
    one.GetBasis()->Add(Basis("a", {stD5}));
    one.GetBasis()->Add(0, 0);
    UQGeometryData two;
    two.SetDim(2);
    two.GetBasis()->Add(Basis("a", {stD5}));
    two.GetBasis()->Add(0, 0);
    two.GetBasis()->Add(1, 0);
    UBasFuncTransform t(&one, BasFuncTransformType(0));
    EXPECT_EQ(RaisedCode([&] { t.AdjustTransform(&two, bftFromTurbo); }), umIncompatibleDimensions);
    UQGeometryData none;
    EXPECT_EQ(RaisedCode([&] { t.AdjustTransform(&none, bftFromTurbo); }), cmMissingData);
}

TEST(BasFuncTransform, SetMatrixReadsRowByRow)
{
    double const table[] = {1, 2, 3, 4, 5, 6};
    UMatrix<double> m(0, 0, -1);
    SetMatrix(m, 2, 3, table);
    ASSERT_EQ(m.GetColDim(), 2);
    ASSERT_EQ(m.GetRowDim(), 3);
    EXPECT_EQ(m(0, 2), 3.0);
    EXPECT_EQ(m(1, 0), 4.0);
}

TEST(DefaultBasis, OneEntryPerElementWithCopiedNames)
{
    UDefaultBasis registry;
    for (long z = 0; z < 104; ++z) EXPECT_EQ(registry.GetInfo(z)->GetElement(), z);
    UBasisInfo* carbon = registry.GetInfo(6);
    carbon->AddBasis(nullptr);
    EXPECT_EQ(carbon->GetBasis().size(), 0);
    char name[] = "def2-SVP";
    carbon->AddBasis(name);
    carbon->AddPseudo("ecp-10");
    name[0] = 'X';
    ASSERT_EQ(carbon->GetBasis().size(), 1);
    EXPECT_STREQ(carbon->GetBasis()[0], "def2-SVP");
    EXPECT_STREQ(carbon->GetPseudo()[0], "ecp-10");
}

}  // namespace
