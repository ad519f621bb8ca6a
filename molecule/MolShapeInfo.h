#pragma once
// The result of the shape analysis of a molecule (centre, principal moments and
// axes, the projector of rigid motions) and the vector helpers built on it.
#include "molecule/UAtCoord.h"
#include "utilities/UMatVec.h"

struct MolShapeInfo {
    MolShapeInfo();
    MolShapeInfo(MolShapeInfo const&) = delete;
    MolShapeInfo& operator=(MolShapeInfo const&) = delete;

    bool hasZeroMoment;  // a principal moment vanishes: linear molecule or one atom
    bool massWeighted;
    bool removeTranslations;
    bool removeRotations;
    long rotationalDim;         // 3 minus the number of vanishing moments
    double totalMass;           // sum of the weights
    V3 centre;                  // weighted centre, bohr
    UVector<double> moments;    // principal moments, ascending
    UMatrix<double> axes;       // 3 x 3, column k the axis of moments[k]
    UMatrix<double> projector;  // 3N x 3N, acts on vectors in the principal-axes frame
};

// Scales v to length 1 and returns true when v.v > 1e-4; otherwise zeroes it
// and returns false.
bool TryNorm(UVector<double>& v);

// When TryNorm(v) succeeds, v goes into column count of m and count grows; a
// vector that TryNorm zeroes is skipped. No free column raises 25021.
void AddVec(UMatrix<double>& m, UVector<double>& v, long& count);
