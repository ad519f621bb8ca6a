#pragma once
// Small molecules, their rigid motions computed independently of the library, and Hessians that
// those motions leave at rest, for the shape, vibration and thermochemistry tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "molecule/UQGeom.h"

struct PlacedAtom {
    const char* symbol;
    V3 position;
};

struct Molecule {
    std::string name;
    std::vector<PlacedAtom> atoms;
    long rotations;  // expected rotationalDim
};

// Water, a tilted linear CO2, a triatomic bent by 0.4 degrees whose smallest moment
// (about 5e-4 amu bohr^2) lies between 1e-4 and 1e-3, a diatomic along z, a non-planar
// four-atom molecule and a single argon atom.
Molecule Water();
Molecule LinearCarbonDioxide();
Molecule NearlyLinearTriatomic();
Molecule DiatomicAlongZ();
Molecule Pyramid();
Molecule Argon();
std::vector<Molecule> AllMolecules();

void Build(Molecule const& m, UQGeometryData& g);

// A molecule and its shape analysis, both rigid motions removed.
class AnalysedMolecule : public ::testing::Test {
protected:
    void Analyse(Molecule const& m, bool massWeighted = true)
    {
        Build(m, g);
        g.AnalyzeShape(info, massWeighted, true, true);
    }

    UQGeometryData g;
    MolShapeInfo info;
};

// The three translations and the three rotations about the centre and the given axes (by default
// x, y, z) as Cartesian 3N vectors, each component scaled by the square root of its atom's
// weight (mass, or 1).
std::vector<std::vector<double>> CartesianRigidMotions(UQGeometryData const& g, bool massWeighted,
                                                       std::vector<V3> const& axes = {
                                                           V3(1, 0, 0), V3(0, 1, 0), V3(0, 0, 1)});

// An orthonormal basis of the span of the unweighted rigid motions (Gram-Schmidt; directions
// shorter than 1e-8 dropped).
std::vector<std::vector<double>> RigidBasis(UQGeometryData const& g);

// Q K Q with K a fixed positive definite matrix and Q the projector off the rigid motions: a
// Hessian whose null space is exactly the rigid motions.
UMatrix<double> RestingHessian(UQGeometryData const& g);

// v with its components along the rigid basis removed.
std::vector<double> OffRigid(std::vector<std::vector<double>> const& basis, std::vector<double> v);

std::vector<double> Column(UMatrix<double> const& m, long j);
double Dot(std::vector<double> const& a, std::vector<double> const& b);
