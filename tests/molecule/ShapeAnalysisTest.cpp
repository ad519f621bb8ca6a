// Shape analysis: centre, principal moments and axes, the projector of rigid motions, the frame
// transforms and the helpers TryNorm and AddVec.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "molecule/UQGeom.h"
#include "molecule/UStrChem.h"
#include "tests/molecule/AnalysisSupport.h"
#include "tests/support/RaisedCode.h"
#include "tests/support/VectorItems.h"

namespace {

double Trace(UMatrix<double> const& m)
{
    double t = 0.0;
    for (long i = 0; i < m.GetColDim(); i++) t += m(i, i);
    return t;
}

UVector<double> Vector(std::vector<double> const& v)
{
    UVector<double> out(static_cast<long>(v.size()), 1);
    for (size_t i = 0; i < v.size(); i++) out[static_cast<long>(i)] = v[i];
    return out;
}

class ShapeAnalysis : public AnalysedMolecule {};

// P symmetric, idempotent, of trace 3N - 3 - rotationalDim, and every (weighted) Cartesian
// translation and rotation projected to zero, for weighted and unweighted analyses.
TEST(Projector, RemovesExactlyTheRigidMotions)
{
    for (Molecule const& m : AllMolecules())
        for (bool weighted : {true, false}) {
            SCOPED_TRACE(m.name + (weighted ? " weighted" : " unweighted"));
            UQGeometryData g;
            Build(m, g);
            MolShapeInfo info;
            g.AnalyzeShape(info, weighted, true, true);
            long n = 3 * g.GetDim();
            EXPECT_EQ(m.rotations, info.rotationalDim);
            EXPECT_EQ(m.rotations < 3, info.hasZeroMoment);
            UMatrix<double> const& p = info.projector;
            ASSERT_EQ(n, p.GetColDim());
            ASSERT_EQ(n, p.GetRowDim());
            EXPECT_NEAR(double(n - 3 - info.rotationalDim), Trace(p), 1e-9);
            for (long i = 0; i < n; i++)
                for (long j = 0; j < n; j++) {
                    EXPECT_NEAR(p(i, j), p(j, i), 1e-12);
                    double square = 0.0;
                    for (long l = 0; l < n; l++) square += p(i, l) * p(l, j);
                    EXPECT_NEAR(p(i, j), square, 1e-9) << i << "," << j;
                }
            // About the principal axes: a rotation about an axis of vanishing moment (below
            // 0.001) is no rigid motion and stays.
            std::vector<V3> axes;
            for (long k = 0; k < 3; k++)
                axes.push_back(V3(info.axes(0, k), info.axes(1, k), info.axes(2, k)));
            std::vector<std::vector<double>> motions = CartesianRigidMotions(g, weighted, axes);
            for (long k = 0; k < 6; k++) {
                UVector<double> v = Vector(motions[k]);
                g.ProjectVector(info, v);
                bool kept = k >= 3 && std::fabs(info.moments[k - 3]) < 0.001;
                for (long i = 0; i < n; i++)
                    EXPECT_NEAR(kept ? motions[k][i] : 0.0, v[i], 1e-9) << k;
            }
        }
}

TEST(Projector, RemoveFlagsChooseWhatItRemoves)
{
    UQGeometryData g;
    Build(Water(), g);
    MolShapeInfo info;
    g.AnalyzeShape(info, true, false, false);
    EXPECT_FALSE(info.removeTranslations);
    EXPECT_FALSE(info.removeRotations);
    for (long i = 0; i < 9; i++)
        for (long j = 0; j < 9; j++) EXPECT_EQ(i == j ? 1.0 : 0.0, info.projector(i, j));
    g.AnalyzeShape(info, true, true, false);
    EXPECT_TRUE(info.removeTranslations);
    EXPECT_NEAR(6.0, Trace(info.projector), 1e-12);
    g.AnalyzeShape(info, true, false, true);
    EXPECT_NEAR(6.0, Trace(info.projector), 1e-12);
    // Removing only the rotations keeps a translation whole.
    std::vector<double> motion = CartesianRigidMotions(g, true)[1];
    UVector<double> translation = Vector(motion);
    g.ProjectVector(info, translation);
    for (long i = 0; i < 9; i++) EXPECT_NEAR(motion[i], translation[i], 1e-12);
}

TEST_F(ShapeAnalysis, SingleAtom)
{
    Analyse(Argon());
    EXPECT_DOUBLE_EQ(39.962383, info.totalMass);
    EXPECT_DOUBLE_EQ(1.0, info.centre.x);
    EXPECT_DOUBLE_EQ(2.0, info.centre.y);
    EXPECT_DOUBLE_EQ(3.0, info.centre.z);
    ASSERT_EQ(3, info.moments.GetDim());
    for (long k = 0; k < 3; k++) EXPECT_EQ(0.0, info.moments[k]);
    EXPECT_TRUE(info.hasZeroMoment);
    EXPECT_EQ(0, info.rotationalDim);
    for (long i = 0; i < 3; i++)
        for (long j = 0; j < 3; j++) EXPECT_NEAR(0.0, info.projector(i, j), 1e-15);
}

TEST_F(ShapeAnalysis, DiatomicAlongZ)
{
    Analyse(DiatomicAlongZ());
    double m1 = 1.007825, m2 = 34.968853, reduced = m1 * m2 / (m1 + m2);
    EXPECT_NEAR(0.0, info.moments[0], 1e-12);
    EXPECT_NEAR(reduced * 2.4 * 2.4, info.moments[1], 1e-12);
    EXPECT_NEAR(reduced * 2.4 * 2.4, info.moments[2], 1e-12);
    EXPECT_NEAR(1.0, std::fabs(info.axes(2, 0)), 1e-12);
    EXPECT_NEAR((m2 - m1) * 1.2 / (m1 + m2), info.centre.z, 1e-12);
    EXPECT_NEAR(1.0, Trace(info.projector), 1e-12);
}

TEST_F(ShapeAnalysis, UnweightedAnalysisUsesUnitWeights)
{
    Analyse(Water(), false);
    EXPECT_FALSE(info.massWeighted);
    EXPECT_EQ(3.0, info.totalMass);
    EXPECT_NEAR(0.0, info.centre.x, 1e-15);
    EXPECT_NEAR((0.22 - 0.88 - 0.88) / 3.0, info.centre.z, 1e-15);
    // The two hydrogens 2.86 apart along x and the oxygen: I_zz = 2 * 1.43^2 about the centre.
    EXPECT_NEAR(2.0 * 1.43 * 1.43, info.moments[1], 1e-12);
}

// Turned into the frame, the centred positions have a diagonal inertia tensor whose diagonal is
// the moments; a rigid motion of the molecule leaves the moments as they are.
TEST_F(ShapeAnalysis, PrincipalFrameDiagonalisesTheInertiaTensor)
{
    Analyse(Pyramid());
    UVector<double> c(0, 1);
    g.GetCoordinates(c);
    for (long i = 0; i < c.GetDim(); i++) c[i] -= info.centre[i % 3];
    g.TransformVectorInertialFrame(info, c, true);
    UVector<UQAtomData> atoms = g.GetAtomData();
    double tensor[3][3] = {};
    for (long a = 0; a < g.GetDim(); a++) {
        double w = atoms[a].GetMass();
        double r[3] = {c[3 * a], c[3 * a + 1], c[3 * a + 2]};
        double r2 = r[0] * r[0] + r[1] * r[1] + r[2] * r[2];
        for (long i = 0; i < 3; i++)
            for (long j = 0; j < 3; j++) tensor[i][j] += w * ((i == j ? r2 : 0.0) - r[i] * r[j]);
    }
    for (long i = 0; i < 3; i++)
        for (long j = 0; j < 3; j++)
            EXPECT_NEAR(i == j ? info.moments[i] : 0.0, tensor[i][j], 1e-10);
    EXPECT_LT(info.moments[0], info.moments[1]);
    EXPECT_LT(info.moments[1], info.moments[2]);

    // Rotated about (1, 1, 1) by 40 degrees and shifted.
    double t = 40.0 * M_PI / 180.0, cs = std::cos(t), sn = std::sin(t);
    V3 u(1.0 / std::sqrt(3.0), 1.0 / std::sqrt(3.0), 1.0 / std::sqrt(3.0));
    UQGeometryData moved;
    for (long a = 0; a < g.GetDim(); a++) {
        V3 r = atoms[a].GetCoord();
        V3 turned = cs * r + sn * Outer(u, r) + (1.0 - cs) * Inner(u, r) * u;
        moved.AddCoordinates(atoms[a].GetAtno(), turned + V3(3.0, -2.0, 7.5));
    }
    MolShapeInfo movedInfo;
    moved.AnalyzeShape(movedInfo, true, true, true);
    for (long k = 0; k < 3; k++)
        EXPECT_NEAR(info.moments[k], movedInfo.moments[k], 1e-10 * info.moments[2]);
    EXPECT_DOUBLE_EQ(info.totalMass, movedInfo.totalMass);
}

// Into the frame and back restores vectors and matrices, and the matrix transform agrees with
// the vector transform: (T h)(T v) = T (h v).
TEST_F(ShapeAnalysis, FrameTransformsAgreeAndInvert)
{
    Analyse(Pyramid());
    long n = 12;
    UMatrix<double> h = RestingHessian(g);
    UVector<double> v(n, 1);
    for (long i = 0; i < n; i++) v[i] = std::cos(0.7 * i + 0.1);
    UVector<double> hv(n, 1);
    for (long i = 0; i < n; i++)
        for (long j = 0; j < n; j++) hv[i] += h(i, j) * v[j];

    UVector<double> turned(0, 1);
    turned.CloneContentsFrom(v);
    g.TransformVectorInertialFrame(info, turned, true);
    UMatrix<double> turnedH(0, 0, -1);
    turnedH.CloneContentsFrom(h);
    g.TransformMatrixInertialFrame(info, turnedH, true);
    UVector<double> turnedHv(0, 1);
    turnedHv.CloneContentsFrom(hv);
    g.TransformVectorInertialFrame(info, turnedHv, true);
    for (long i = 0; i < n; i++) {
        double product = 0.0;
        for (long j = 0; j < n; j++) product += turnedH(i, j) * turned[j];
        EXPECT_NEAR(turnedHv[i], product, 1e-12);
    }

    g.TransformVectorInertialFrame(info, turned, false);
    g.TransformMatrixInertialFrame(info, turnedH, false);
    for (long i = 0; i < n; i++) {
        EXPECT_NEAR(v[i], turned[i], 1e-14);
        for (long j = 0; j < n; j++) EXPECT_NEAR(h(i, j), turnedH(i, j), 1e-14);
    }

    // The columns of a matrix turn as the vectors do.
    UMatrix<double> columns(n, 2, -1);
    for (long i = 0; i < n; i++) {
        columns(i, 0) = v[i];
        columns(i, 1) = hv[i];
    }
    g.TransformVectorsInertialFrame(info, columns, true);
    for (long i = 0; i < n; i++) EXPECT_NEAR(turnedHv[i], columns(i, 1), 1e-14);
}

// Projecting vectors one by one, as the columns of a matrix, and from both sides of a matrix
// gives the same, and a projected Hessian of a molecule at rest is the Hessian itself.
TEST_F(ShapeAnalysis, ProjectionsOfVectorsAndMatricesAgree)
{
    Analyse(Water(), false);
    long n = 9;
    UMatrix<double> m(n, 3, -1);
    for (long i = 0; i < n; i++)
        for (long j = 0; j < 3; j++) m(i, j) = std::sin(1.0 + i + 3.0 * j);
    UMatrix<double> projected(0, 0, -1);
    projected.CloneContentsFrom(m);
    g.ProjectVectors(info, projected);
    for (long j = 0; j < 3; j++) {
        UVector<double> v(n, 1);
        for (long i = 0; i < n; i++) v[i] = m(i, j);
        g.ProjectVector(info, v);
        for (long i = 0; i < n; i++) EXPECT_NEAR(v[i], projected(i, j), 1e-14);
    }
    UMatrix<double> h = RestingHessian(g);
    UMatrix<double> ph(0, 0, -1);
    ph.CloneContentsFrom(h);
    g.ProjectMatrix(info, ph);
    for (long i = 0; i < n; i++)
        for (long j = 0; j < n; j++) EXPECT_NEAR(h(i, j), ph(i, j), 1e-12);
}

// The mend: a moment below 0.001 is a vanishing moment for the rotations projected out too, so
// a triatomic bent by a fraction of a degree is handled as linear throughout.
TEST_F(ShapeAnalysis, OneZeroCriterionForMomentsAndRotations)
{
    Analyse(NearlyLinearTriatomic());
    ASSERT_GT(info.moments[0], 1e-4);
    ASSERT_LT(info.moments[0], 1e-3);
    EXPECT_EQ(2, info.rotationalDim);
    EXPECT_NEAR(4.0, Trace(info.projector), 1e-9);
    UMatrix<double> nulls(0, 0, -1);
    EXPECT_EQ(5, g.MakeNullVibrations(info, nulls));
    EXPECT_EQ(5, nulls.GetRowDim());
}

TEST(TryNorm, ScalesToUnitLengthOrZeroes)
{
    struct Case {
        std::vector<double> v;
        bool kept;
        std::vector<double> result;
    };
    std::vector<Case> cases = {
        {{3.0, 4.0}, true, {0.6, 0.8}},
        {{0.001, 0.001, 0.0}, false, {0.0, 0.0, 0.0}},
        {{0.0099}, false, {0.0}},
        {{0.0101}, true, {1.0}},
        {{0.0, -2.0, 0.0}, true, {0.0, -1.0, 0.0}},
        {{}, false, {}},
    };
    for (Case const& c : cases) {
        UVector<double> v = Vector(c.v);
        EXPECT_EQ(c.kept, TryNorm(v));
        std::vector<double> got = Items(v);
        ASSERT_EQ(c.result.size(), got.size());
        for (size_t i = 0; i < got.size(); i++) EXPECT_NEAR(c.result[i], got[i], 1e-15);
    }
}

TEST(AddVec, FillsColumnsInTurnAndSkipsShortVectors)
{
    UMatrix<double> m(2, 2, -1);
    long count = 0;
    UVector<double> shortOne = Vector({0.001, 0.0});
    AddVec(m, shortOne, count);
    EXPECT_EQ(0, count);
    UVector<double> first = Vector({0.0, 5.0});
    AddVec(m, first, count);
    UVector<double> second = Vector({-2.0, 0.0});
    AddVec(m, second, count);
    EXPECT_EQ(2, count);
    EXPECT_EQ(0.0, m(0, 0));
    EXPECT_EQ(1.0, m(1, 0));
    EXPECT_EQ(-1.0, m(0, 1));
    EXPECT_EQ(0.0, m(1, 1));
    // Still skipped silently when full; a vector that would need a third column raises.
    AddVec(m, shortOne, count);
    UVector<double> third = Vector({1.0, 1.0});
    EXPECT_EQ(cmQGeomInternal, RaisedCode([&] { AddVec(m, third, count); }));
    EXPECT_EQ(2, count);
}

}  // namespace
