// Vibrational analysis: frequencies and normal modes from Hessians whose rigid motions are known,
// the null modes, and the errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "tests/molecule/AnalysisSupport.h"
#include "tests/numeric/RefLapackEigen.h"
#include "tests/support/RaisedCode.h"
#include "tests/support/VectorItems.h"

namespace {

// cm-1 per sqrt(hartree/(bohr^2 u)) from the 1986 constants.
double const kFactor =
    std::sqrt(4.3597482e-18 / (0.529177249e-10 * 0.529177249e-10 * 1.660540186674939e-27)) /
    (2.0 * M_PI * 2.99792458e10);

// L^T M L = I over all stored modes.
void ExpectMassOrthonormal(UQGeometryData const& g)
{
    UMatrix<double> l = g.GetVibrations();
    UVector<UQAtomData> atoms = g.GetAtomData();
    for (long a = 0; a < l.GetRowDim(); a++)
        for (long b = 0; b <= a; b++) {
            double product = 0.0;
            for (long r = 0; r < l.GetColDim(); r++)
                product += l(r, a) * atoms[r / 3].GetMass() * l(r, b);
            EXPECT_NEAR(a == b ? 1.0 : 0.0, product, 1e-10) << a << "," << b;
        }
}

// The eigenvalues of M^-1/2 H M^-1/2 from the reference LAPACK, ascending.
std::vector<double> WeightedEigenvalues(UQGeometryData const& g)
{
    UMatrix<double> h = g.GetHessian();
    UVector<UQAtomData> atoms = g.GetAtomData();
    int n = static_cast<int>(h.GetColDim()), lwork = 64 * n, info = 0;
    std::vector<double> k(n * n), values(n), work(lwork);
    for (int j = 0; j < n; j++)
        for (int i = 0; i < n; i++)
            k[i + n * j] = h(i, j) / std::sqrt(atoms[i / 3].GetMass() * atoms[j / 3].GetMass());
    dsyev_("N", "L", &n, k.data(), &n, values.data(), work.data(), &lwork, &info, 1, 1);
    EXPECT_EQ(0, info);
    return values;
}

// The record's frequencies, then its modes' dimensions and elements column by column.
std::vector<double> StoredResults(UQGeometryData const& g)
{
    std::vector<double> stored = Items(g.GetFrequencies());
    UMatrix<double> l = g.GetVibrations();
    stored.push_back(static_cast<double>(l.GetColDim()));
    stored.push_back(static_cast<double>(l.GetRowDim()));
    for (long j = 0; j < l.GetRowDim(); j++)
        for (long i = 0; i < l.GetColDim(); i++) stored.push_back(l(i, j));
    return stored;
}

// A spring of constant k (hartree/bohr^2) along z between the two atoms.
TEST(Vibrations, DiatomicFrequencyFromItsForceConstant)
{
    UQGeometryData g;
    Build(DiatomicAlongZ(), g);
    double k = 0.3, m1 = 1.007825, m2 = 34.968853;
    UMatrix<double> h(6, 6, -1);
    h(2, 2) = h(5, 5) = k;
    h(2, 5) = h(5, 2) = -k;
    g.SetHessian(h);
    ASSERT_EQ(1, g.MakeVibrations(true, true, true));
    UVector<double> f = g.GetFrequencies();
    ASSERT_EQ(1, f.GetDim());
    EXPECT_NEAR(kFactor * std::sqrt(k * (m1 + m2) / (m1 * m2)), f[0], 1e-9 * f[0]);
    EXPECT_NEAR(5140.487, kFactor, 1e-3);
    UMatrix<double> l = g.GetVibrations();
    ASSERT_EQ(6, l.GetColDim());
    ASSERT_EQ(1, l.GetRowDim());
    for (long r : {0, 1, 3, 4}) EXPECT_NEAR(0.0, l(r, 0), 1e-12);
    EXPECT_NEAR(0.0, m1 * l(2, 0) + m2 * l(5, 0), 1e-12);
    ExpectMassOrthonormal(g);
}

// Every molecule keeps 3N - 3 - rotationalDim modes; their frequencies are the non-zero ones of
// the analysis without projection, ascending, and the modes are orthonormal under the masses.
TEST(Vibrations, ProjectionKeepsTheGenuineVibrations)
{
    for (Molecule const& m :
         {Water(), LinearCarbonDioxide(), DiatomicAlongZ(), Pyramid(), Argon()}) {
        SCOPED_TRACE(m.name);
        UQGeometryData g;
        Build(m, g);
        g.SetHessian(RestingHessian(g));
        long n = 3 * g.GetDim(), kept = n - 3 - m.rotations;
        ASSERT_EQ(n, g.MakeVibrations(true, false, false));
        std::vector<double> all = Items(g.GetFrequencies());
        ASSERT_EQ(kept, g.MakeVibrations(true, true, true));
        std::vector<double> f = Items(g.GetFrequencies());
        ASSERT_EQ(size_t(kept), f.size());
        EXPECT_EQ(n, g.GetVibrations().GetColDim());
        EXPECT_EQ(kept, g.GetVibrations().GetRowDim());
        for (long c = 0; c < kept; c++) {
            EXPECT_GT(f[c], 100.0);
            if (c > 0) {
                EXPECT_LE(f[c - 1], f[c]);
            }
            EXPECT_NEAR(all[n - kept + c], f[c], 1e-7 * f[c]);
        }
        for (long c = 0; c < n - kept; c++)
            EXPECT_LT(std::fabs(all[c]), 1e-3 * (kept > 0 ? f[0] : 1.0));
        ExpectMassOrthonormal(g);
    }
}

// Without truncation the null modes follow the vibrations with value 0: first the three
// translations (every atom moved alike), then the rotations, all rigid motions.
TEST(Vibrations, NullModesComeLast)
{
    UQGeometryData g;
    Build(Water(), g);
    g.SetHessian(RestingHessian(g));
    ASSERT_EQ(3, g.MakeVibrations(true, true, false));
    std::vector<double> f = Items(g.GetFrequencies());
    UMatrix<double> l = g.GetVibrations();
    ASSERT_EQ(9u, f.size());
    ASSERT_EQ(9, l.GetRowDim());
    for (long c = 0; c < 3; c++) EXPECT_GT(f[c], 100.0);
    for (long c = 3; c < 9; c++) EXPECT_EQ(0.0, f[c]);
    std::vector<std::vector<double>> basis = RigidBasis(g);
    for (long c = 3; c < 9; c++) {
        std::vector<double> rest = OffRigid(basis, Column(l, c));
        EXPECT_LT(std::sqrt(Dot(rest, rest)), 1e-10) << c;
    }
    for (long c = 3; c < 6; c++)
        for (long a = 1; a < 3; a++)
            for (long k = 0; k < 3; k++) EXPECT_NEAR(l(k, c), l(3 * a + k, c), 1e-12) << c;
    ExpectMassOrthonormal(g);
}

// Without mass weighting the stored values are the Hessian's eigenvalues and the modes its
// orthonormal eigenvectors.
TEST(Vibrations, UnweightedValuesAreEigenvalues)
{
    UQGeometryData g;
    Build(Pyramid(), g);
    UMatrix<double> h = RestingHessian(g);
    g.SetHessian(h);
    ASSERT_EQ(6, g.MakeVibrations(false, true, true));
    UVector<double> e = g.GetFrequencies();
    UMatrix<double> l = g.GetVibrations();
    ASSERT_EQ(6, e.GetDim());
    for (long c = 0; c < 6; c++) {
        EXPECT_GT(e[c], 0.01);
        for (long i = 0; i < 12; i++) {
            double hl = 0.0;
            for (long j = 0; j < 12; j++) hl += h(i, j) * l(j, c);
            EXPECT_NEAR(e[c] * l(i, c), hl, 1e-12);
        }
        for (long d = 0; d <= c; d++)
            EXPECT_NEAR(c == d ? 1.0 : 0.0, Dot(Column(l, c), Column(l, d)), 1e-12);
    }
}

// The mend: the bent triatomic with a moment between 1e-4 and 1e-3 is linear for the count of
// rotations and for the rotations projected out alike, so no 25021.
TEST(Vibrations, NearlyLinearTriatomicKeepsThreeNMinusFive)
{
    UQGeometryData g;
    Build(NearlyLinearTriatomic(), g);
    g.MakeDefaultHessian();
    long kept = -1;
    EXPECT_EQ(0, RaisedCode([&] { kept = g.MakeVibrations(true, true, true); }));
    EXPECT_EQ(4, kept);
    EXPECT_EQ(4, g.GetFrequencies().GetDim());
    EXPECT_EQ(4, g.MakeVibrations(true, true, false));
    std::vector<double> f = Items(g.GetFrequencies());
    ASSERT_EQ(9u, f.size());
    for (long c = 0; c < 4; c++) EXPECT_GT(f[c], 100.0);
    for (long c = 4; c < 9; c++) EXPECT_EQ(0.0, f[c]);
    ExpectMassOrthonormal(g);
}

TEST(Vibrations, MissingDataRaisesAndLeavesTheModes)
{
    UQGeometryData empty;
    EXPECT_EQ(cmMissingData, RaisedCode([&] { empty.MakeVibrations(false, false, false); }));

    // A Hessian on an empty record brings atoms without coordinates.
    UQGeometryData g;
    UMatrix<double> h(6, 6, -1);
    Mset(h, 0.0, 2.0);
    g.SetHessian(h);
    g.SetFrequencies(Values({1, 2, 3, 4, 5, 6}));
    for (bool weight : {false, true})
        for (bool project : {false, true}) {
            if (!weight && !project) continue;
            EXPECT_EQ(cmMissingData, RaisedCode([&] { g.MakeVibrations(weight, project, true); }));
            EXPECT_EQ(6.0, g.GetFrequencies()[5]);
            EXPECT_FALSE(g.GetHasVibrations());
        }
    EXPECT_EQ(6, g.MakeVibrations(false, false, true));
    std::vector<double> e = Items(g.GetFrequencies());
    for (double value : e) EXPECT_EQ(2.0, value);
    EXPECT_TRUE(g.GetHasVibrations());
}

// A saddle point: the pyramid's resting Hessian curved downwards along a direction off the rigid
// motions. Its one negative eigenvalue is an imaginary mode, stored as a negative frequency before
// the real ones, and one of the vibrations kept.
TEST(Vibrations, ImaginaryModeComesFirstAsANegativeFrequency)
{
    UQGeometryData g;
    Build(Pyramid(), g);
    UMatrix<double> h = RestingHessian(g);
    long n = 12;
    std::vector<double> w(n);
    for (long i = 0; i < n; i++) w[i] = std::cos(0.7 * i + 0.2);
    w = OffRigid(RigidBasis(g), w);
    for (long i = 0; i < n; i++)
        for (long j = 0; j < n; j++) h(i, j) -= 0.5 * w[i] * w[j];
    g.SetHessian(h);

    // The six eigenvalues nearest zero belong to the rigid motions.
    std::vector<double> e = WeightedEigenvalues(g);
    std::sort(e.begin(), e.end(), [](double a, double b) { return std::fabs(a) < std::fabs(b); });
    std::vector<double> expected(e.begin() + 6, e.end());
    std::sort(expected.begin(), expected.end());
    ASSERT_LT(expected[0], -0.01);
    ASSERT_GT(expected[1], 0.01);
    for (double& value : expected)
        value = value < 0.0 ? -kFactor * std::sqrt(-value) : kFactor * std::sqrt(value);

    ASSERT_EQ(6, g.MakeVibrations(true, true, true));
    std::vector<double> f = Items(g.GetFrequencies());
    ASSERT_EQ(6u, f.size());
    for (long c = 0; c < 6; c++) EXPECT_NEAR(expected[c], f[c], 1e-9 * std::fabs(expected[c]));
    ExpectMassOrthonormal(g);

    ASSERT_EQ(6, g.MakeVibrations(true, true, false));
    f = Items(g.GetFrequencies());
    ASSERT_EQ(12u, f.size());
    EXPECT_NEAR(expected[0], f[0], 1e-9 * std::fabs(expected[0]));
    for (long c = 6; c < 12; c++) EXPECT_EQ(0.0, f[c]);
}

// Mass weighting divides by the square root of every mass: an atom of atomic number 0 has mass 0
// (the eigensolver then failed to converge), and SetMass keeps a NaN or an infinity. Refused
// before any work; the analysis without weighting still runs.
TEST(Vibrations, UnusableMassRaisesBeforeAnyWork)
{
    struct Case {
        const char* what;
        long atno;
        double mass;  // set when not 0
    } cases[] = {
        {"atomic number 0", 0, 0.0},
        {"NaN", 1, std::numeric_limits<double>::quiet_NaN()},
        {"infinite", 1, std::numeric_limits<double>::infinity()},
    };
    for (Case const& c : cases)
        for (bool project : {false, true}) {
            SCOPED_TRACE(c.what);
            UQGeometryData g;
            g.AddCoordinates("O", V3(0.0, 0.0, 0.22));
            g.AddCoordinates("H", V3(1.43, 0.0, -0.88));
            g.AddCoordinates(c.atno, V3(-1.43, 0.0, -0.88));
            if (c.mass != 0.0) g.SetMass(2, c.mass);
            double mass = g.GetAtomData()[2].GetMass();
            ASSERT_FALSE(mass > 0.0 && std::isfinite(mass));
            g.MakeDefaultHessian();
            ASSERT_EQ(9, g.MakeVibrations(false, false, false));
            std::vector<double> before = StoredResults(g);

            EXPECT_EQ(cmMissingData, RaisedCode([&] { g.MakeVibrations(true, project, true); }));
            EXPECT_EQ(before, StoredResults(g));
            EXPECT_TRUE(g.GetHasFrequencies());
            EXPECT_TRUE(g.GetHasVibrations());
            EXPECT_EQ(project ? 3 : 9, g.MakeVibrations(false, project, true));
        }
}

// A NaN or an infinity that the analysis reads raises, whatever the options, and the results of
// the previous analysis stay. That includes one alone on the diagonal, which the eigensolver
// passed through as a NaN frequency.
TEST(Vibrations, NonFiniteHessianRaisesAndKeepsTheResults)
{
    struct Case {
        const char* what;
        bool dense;
        long i, j;  // also (j, i) when both
        bool both;
    } cases[] = {
        {"alone on the diagonal", false, 4, 4, false},
        {"a pair off the diagonal", false, 7, 1, true},
        {"on the diagonal of a dense Hessian", true, 4, 4, false},
        {"only in the lower triangle of a dense Hessian", true, 7, 1, false},
    };
    double const inf = std::numeric_limits<double>::infinity();
    for (Case const& c : cases)
        for (double bad : {std::numeric_limits<double>::quiet_NaN(), inf, -inf})
            for (bool weight : {false, true})
                for (bool project : {false, true}) {
                    SCOPED_TRACE(c.what);
                    SCOPED_TRACE(bad);
                    UQGeometryData g;
                    Build(Water(), g);
                    if (c.dense)
                        g.SetHessian(RestingHessian(g));
                    else
                        g.MakeDefaultHessian();
                    ASSERT_EQ(3, g.MakeVibrations(true, true, true));
                    std::vector<double> before = StoredResults(g);
                    UMatrix<double> h = g.GetHessian();
                    h(c.i, c.j) = bad;
                    if (c.both) h(c.j, c.i) = bad;
                    EXPECT_EQ(cmMissingData,
                              RaisedCode([&] { g.MakeVibrations(weight, project, true); }))
                        << weight << project;
                    EXPECT_EQ(before, StoredResults(g)) << weight << project;
                }
}

// The eigensolver reads the lower triangle only: a NaN above the diagonal matters only to the
// projection, which reads the whole matrix.
TEST(Vibrations, NaNAboveTheDiagonalMattersOnlyToTheProjection)
{
    UQGeometryData g;
    Build(Water(), g);
    g.MakeDefaultHessian();
    g.GetHessian()(1, 7) = std::numeric_limits<double>::quiet_NaN();
    for (bool weight : {false, true}) {
        ASSERT_EQ(9, g.MakeVibrations(weight, false, true));
        for (double value : Items(g.GetFrequencies())) EXPECT_TRUE(std::isfinite(value));
        EXPECT_EQ(cmMissingData, RaisedCode([&] { g.MakeVibrations(weight, true, true); }));
    }
}

class NullVibrations : public AnalysedMolecule {};

TEST_F(NullVibrations, AreTheNormalisedRigidMotions)
{
    Analyse(Pyramid());
    UMatrix<double> z(0, 0, -1);
    ASSERT_EQ(6, g.MakeNullVibrations(info, z));
    ASSERT_EQ(12, z.GetColDim());
    ASSERT_EQ(6, z.GetRowDim());
    std::vector<std::vector<double>> motions = CartesianRigidMotions(g, true);
    for (long c = 0; c < 6; c++) {
        for (long d = 0; d <= c; d++)
            EXPECT_NEAR(c == d ? 1.0 : 0.0, Dot(Column(z, c), Column(z, d)), 1e-12);
        // Each column is a combination of the weighted rigid motions: nothing is left of it
        // once they are removed.
        std::vector<double> rest = Column(z, c);
        std::vector<std::vector<double>> basis;
        for (std::vector<double> v : motions) {
            v = OffRigid(basis, v);
            double length = std::sqrt(Dot(v, v));
            for (double& x : v) x /= length;
            basis.push_back(v);
        }
        rest = OffRigid(basis, rest);
        EXPECT_LT(std::sqrt(Dot(rest, rest)), 1e-10) << c;
    }
    // The translations come first, each sqrt(m) along one axis.
    UVector<UQAtomData> atoms = g.GetAtomData();
    for (long k = 0; k < 3; k++)
        for (long a = 1; a < 4; a++)
            EXPECT_NEAR(z(k, k) / std::sqrt(atoms[0].GetMass()),
                        z(3 * a + k, k) / std::sqrt(atoms[a].GetMass()), 1e-12);
}

TEST_F(NullVibrations, InconsistentCountsRaiseInternalProblem)
{
    Analyse(LinearCarbonDioxide());
    ASSERT_EQ(2, info.rotationalDim);
    // Columns that lie wholly among the vibrations: none is flagged, fewer than the five motions.
    UMatrix<double> modes(9, 2, -1);
    UVector<double> values(2, 1);
    for (long c = 0; c < 2; c++) {
        UVector<double> v = modes.ColVector(c);
        for (long i = 0; i < 9; i++) v[i] = std::cos(1.0 + 2.0 * i + 5.0 * c);
        g.ProjectVector(info, v);
        TryNorm(v);
    }
    EXPECT_EQ(cmQGeomInternal, RaisedCode([&] { g.ProjectVibrations(info, modes, values); }));
    // A linear molecule has only five rigid motions to offer.
    info.rotationalDim = 3;
    UMatrix<double> z(0, 0, -1);
    EXPECT_EQ(cmQGeomInternal, RaisedCode([&] { g.MakeNullVibrations(info, z); }));
}

}  // namespace
