// Shape analysis of the molecule: the weighted centre, the principal axes of inertia and the
// projector that removes translations and rotations, with the frame transforms and projections
// built on them. The projector acts on vectors in the principal-axes frame.
#include <cmath>
#include <vector>

#include "molecule/UQGeom.h"
#include "numeric/BlasDouble.h"
#include "numeric/LAPackDouble.h"
#include "numeric/laostuff.h"

namespace {

short const kEigenvectorsLower = Blas::LaEigVectors | Blas::LaUseLower;

// A principal moment below 0.001 amu bohr^2 vanishes. The same test decides which rotations count
// as rigid motions (a rotation vector's squared length in the principal frame is its moment), so
// the number of rotations projected out always equals rotationalDim.
bool IsVanishingMoment(double moment) { return std::fabs(moment) < 0.001; }

// Every triple of v turned by the transpose of axes (into the frame) or by axes (back).
void TurnTriples(UMatrix<double> const& axes, UVector<double>& v, bool toFrame)
{
    long atoms = v.GetDim() / 3;
    for (long a = 0; a < atoms; a++) {
        UVector<double> t = v.SubVector(3 * a, 3, 1);
        if (toFrame)
            QuarnNumer::VMmult(t, axes, t);
        else
            QuarnNumer::MVmult(axes, t, t);
    }
}

// Every 3 x 3 block B of h becomes axes^T B axes (into the frame) or axes B axes^T (back).
void TurnBlocks(UMatrix<double> const& axes, UMatrix<double>& h, bool toFrame)
{
    UMatrix<double> transposed(3, 3, -1);
    for (long i = 0; i < 3; i++)
        for (long j = 0; j < 3; j++) transposed(i, j) = axes(j, i);
    UMatrix<double> const& left = toFrame ? transposed : axes;
    UMatrix<double> const& right = toFrame ? axes : transposed;
    long atoms = h.GetRowDim() / 3;
    for (long i = 0; i < atoms; i++)
        for (long j = 0; j < atoms; j++) {
            UMatrix<double> block = h.SubMatrix(3 * i, 3 * j, 3, 3);
            QuarnNumer::MMmult(left, block, block);
            QuarnNumer::MMmult(block, right, block);
        }
}

// The inertia tensor of centred positions r with weights w.
void InertiaTensor(std::vector<double> const& w, std::vector<V3> const& r, UMatrix<double>& inertia)
{
    Mset(inertia, 0.0);
    for (long k = 0; k < 3; k++) {
        long k1 = (k + 1) % 3;
        long k2 = (k + 2) % 3;
        double diagonal = 0.0;
        for (size_t a = 0; a < r.size(); a++)
            diagonal += w[a] * (r[a][k1] * r[a][k1] + r[a][k2] * r[a][k2]);
        inertia(k, k) = diagonal;
        for (long j = 0; j < k; j++) {
            double product = 0.0;
            for (size_t a = 0; a < r.size(); a++) product += w[a] * r[a][k] * r[a][j];
            inertia(k, j) = -product;
            inertia(j, k) = -product;
        }
    }
}

// p(i, j) -= the sum over columns first .. first + 2 of motions of motion(i) * motion(j).
void SubtractMotions(UMatrix<double> const& motions, long first, UMatrix<double>& p)
{
    long n = p.GetColDim();
    for (long i = 0; i < n; i++)
        for (long j = 0; j < n; j++) {
            double sum = 0.0;
            for (long c = first; c < first + 3; c++) sum += motions(i, c) * motions(j, c);
            p(i, j) -= sum;
        }
}

}  // namespace

bool TryNorm(UVector<double>& v)
{
    if (BlasDouble::VVmult(v, v) > 1e-4) {
        QuarnNumer::Vnorm(v, 1.0);
        return true;
    }
    Vset(v, 0.0);
    return false;
}

MolShapeInfo::MolShapeInfo()
    : hasZeroMoment(false), massWeighted(true), removeTranslations(true), removeRotations(true),
      rotationalDim(0), totalMass(0.0), moments(0, 1), axes(0, 0, -1), projector(0, 0, -1)
{
}

double UQGeometryData::ShapeWeight(long a, bool massWeighted) const
{
    return massWeighted ? atoms[a].GetMass() : 1.0;
}

void UQGeometryData::AnalyzeShape(MolShapeInfo& info, bool massWeighted, bool removeTranslations,
                                  bool removeRotations) const
{
    info.massWeighted = massWeighted;
    info.removeTranslations = removeTranslations;
    info.removeRotations = removeRotations;

    std::vector<double> w(static_cast<size_t>(dim));
    std::vector<V3> r(static_cast<size_t>(dim));
    double total = 0.0;
    V3 weighted;
    for (long a = 0; a < dim; a++) {
        w[a] = ShapeWeight(a, massWeighted);
        r[a] = atoms[a].GetCoord();
        total += w[a];
        weighted += w[a] * r[a];
    }
    info.totalMass = total;
    info.centre = weighted / total;
    for (V3& position : r) position -= info.centre;

    UMatrix<double> inertia(3, 3, -1);
    UVector<double> moments(3, 1);
    InertiaTensor(w, r, inertia);
    LAPackDouble::SymMdiag(kEigenvectorsLower, inertia, moments, Blas::defProgMon);
    long vanishing = 0;
    for (long k = 0; k < 3; k++)
        if (IsVanishingMoment(moments[k])) vanishing++;
    info.hasZeroMoment = vanishing > 0;
    info.rotationalDim = 3 - vanishing;
    info.moments.CloneContentsFrom(moments);
    info.axes.CloneContentsFrom(inertia);

    UMatrix<double> p(3 * dim, 3 * dim, -1);
    Mset(p, 0.0, 1.0);
    if (removeTranslations || removeRotations) {
        UMatrix<double> motions = RigidMotions(info);
        for (long c = 0; c < 6; c++) {
            UVector<double> motion = motions.ColVector(c);
            TryNorm(motion);
        }
        if (removeTranslations) SubtractMotions(motions, 0, p);
        if (removeRotations) SubtractMotions(motions, 3, p);
    }
    info.projector.CloneContentsFrom(p);
}

UMatrix<double> UQGeometryData::RigidMotions(MolShapeInfo& info) const
{
    UVector<double> c(3 * dim, 1);
    for (long a = 0; a < dim; a++)
        for (long k = 0; k < 3; k++) c[3 * a + k] = atoms[a].GetCoord()[k] - info.centre[k];
    TransformVectorInertialFrame(info, c, true);

    UMatrix<double> motions(3 * dim, 6, -1);
    for (long a = 0; a < dim; a++) {
        double s = std::sqrt(ShapeWeight(a, info.massWeighted));
        double x = c[3 * a], y = c[3 * a + 1], z = c[3 * a + 2];
        motions(3 * a, 0) = s;
        motions(3 * a + 1, 1) = s;
        motions(3 * a + 2, 2) = s;
        motions(3 * a + 1, 3) = -s * z;
        motions(3 * a + 2, 3) = s * y;
        motions(3 * a, 4) = s * z;
        motions(3 * a + 2, 4) = -s * x;
        motions(3 * a, 5) = -s * y;
        motions(3 * a + 1, 5) = s * x;
    }
    for (long k = 0; k < info.moments.GetDim() && k < 3; k++)
        if (IsVanishingMoment(info.moments[k])) {
            UVector<double> rotation = motions.ColVector(3 + k);
            Vset(rotation, 0.0);
        }
    return motions;
}

void UQGeometryData::TransformVectorInertialFrame(MolShapeInfo& info, UVector<double>& v,
                                                  bool toFrame) const
{
    TurnTriples(info.axes, v, toFrame);
}

void UQGeometryData::TransformVectorsInertialFrame(MolShapeInfo& info, UMatrix<double>& m,
                                                   bool toFrame) const
{
    for (long j = 0; j < m.GetRowDim(); j++) {
        UVector<double> column = m.ColVector(j);
        TurnTriples(info.axes, column, toFrame);
    }
}

void UQGeometryData::TransformMatrixInertialFrame(MolShapeInfo& info, UMatrix<double>& h,
                                                  bool toFrame) const
{
    TurnBlocks(info.axes, h, toFrame);
}

void UQGeometryData::ProjectVector(MolShapeInfo& info, UVector<double>& v) const
{
    TransformVectorInertialFrame(info, v, true);
    QuarnNumer::MVmult(info.projector, v, v);
    TransformVectorInertialFrame(info, v, false);
}

void UQGeometryData::ProjectVectors(MolShapeInfo& info, UMatrix<double>& m) const
{
    TransformVectorsInertialFrame(info, m, true);
    QuarnNumer::MMmult(info.projector, m, m);
    TransformVectorsInertialFrame(info, m, false);
}

void UQGeometryData::ProjectMatrix(MolShapeInfo& info, UMatrix<double>& h) const
{
    TransformMatrixInertialFrame(info, h, true);
    QuarnNumer::MMmult(info.projector, h, h);
    QuarnNumer::MMmult(h, info.projector, h);
    TransformMatrixInertialFrame(info, h, false);
}
