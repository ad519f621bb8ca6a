#include "tests/molecule/AnalysisSupport.h"

#include <cmath>

Molecule Water()
{
    return {"water",
            {{"O", V3(0.0, 0.0, 0.22)}, {"H", V3(1.43, 0.0, -0.88)}, {"H", V3(-1.43, 0.0, -0.88)}},
            3};
}

Molecule LinearCarbonDioxide()
{
    // Along (1, 2, 2)/3, off the origin.
    V3 axis(1.0 / 3.0, 2.0 / 3.0, 2.0 / 3.0);
    V3 origin(0.5, -1.0, 2.0);
    return {
        "linear CO2", {{"O", origin - 2.2 * axis}, {"C", origin}, {"O", origin + 2.2 * axis}}, 2};
}

Molecule NearlyLinearTriatomic()
{
    double d = 2.2, bend = 0.2 * M_PI / 180.0;
    return {"bent by 0.4 degrees",
            {{"O", V3(-d * std::cos(bend), d * std::sin(bend), 0.0)},
             {"C", V3(0.0, 0.0, 0.0)},
             {"O", V3(d * std::cos(bend), d * std::sin(bend), 0.0)}},
            2};
}

Molecule DiatomicAlongZ()
{
    return {"HCl along z", {{"H", V3(0.0, 0.0, -1.2)}, {"Cl", V3(0.0, 0.0, 1.2)}}, 2};
}

Molecule Pyramid()
{
    return {"pyramid",
            {{"N", V3(0.1, -0.2, 0.3)},
             {"H", V3(1.9, 0.0, -0.4)},
             {"H", V3(-0.8, 1.6, -0.5)},
             {"H", V3(-0.7, -1.5, -0.9)}},
            3};
}

Molecule Argon() { return {"argon", {{"Ar", V3(1.0, 2.0, 3.0)}}, 0}; }

std::vector<Molecule> AllMolecules()
{
    return {Water(), LinearCarbonDioxide(), NearlyLinearTriatomic(), DiatomicAlongZ(), Pyramid(),
            Argon()};
}

void Build(Molecule const& m, UQGeometryData& g)
{
    for (PlacedAtom const& a : m.atoms) g.AddCoordinates(a.symbol, a.position);
}

std::vector<std::vector<double>> CartesianRigidMotions(UQGeometryData const& g, bool massWeighted,
                                                       std::vector<V3> const& axes)
{
    UVector<UQAtomData> atoms = g.GetAtomData();
    long n = g.GetDim();
    std::vector<double> w(n);
    double total = 0.0;
    V3 centre;
    for (long a = 0; a < n; a++) {
        w[a] = massWeighted ? atoms[a].GetMass() : 1.0;
        total += w[a];
        centre += w[a] * atoms[a].GetCoord();
    }
    centre /= total;
    std::vector<std::vector<double>> motions(6, std::vector<double>(3 * n, 0.0));
    for (long a = 0; a < n; a++) {
        double s = std::sqrt(w[a]);
        V3 r = atoms[a].GetCoord() - centre;
        for (long k = 0; k < 3; k++) {
            motions[k][3 * a + k] = s;
            V3 velocity = Outer(axes[k], r);
            for (long c = 0; c < 3; c++) motions[3 + k][3 * a + c] = s * velocity[c];
        }
    }
    return motions;
}

double Dot(std::vector<double> const& a, std::vector<double> const& b)
{
    double sum = 0.0;
    for (size_t i = 0; i < a.size(); i++) sum += a[i] * b[i];
    return sum;
}

std::vector<double> OffRigid(std::vector<std::vector<double>> const& basis, std::vector<double> v)
{
    for (std::vector<double> const& q : basis) {
        double c = Dot(q, v);
        for (size_t i = 0; i < v.size(); i++) v[i] -= c * q[i];
    }
    return v;
}

std::vector<std::vector<double>> RigidBasis(UQGeometryData const& g)
{
    std::vector<std::vector<double>> basis;
    for (std::vector<double> v : CartesianRigidMotions(g, false)) {
        v = OffRigid(basis, v);
        double length = std::sqrt(Dot(v, v));
        if (length < 1e-8) continue;
        for (double& x : v) x /= length;
        basis.push_back(v);
    }
    return basis;
}

std::vector<double> Column(UMatrix<double> const& m, long j)
{
    std::vector<double> c;
    for (long i = 0; i < m.GetColDim(); i++) c.push_back(m(i, j));
    return c;
}

UMatrix<double> RestingHessian(UQGeometryData const& g)
{
    long n = 3 * g.GetDim();
    // K = A A^T + I with a fixed, irregular A.
    std::vector<double> a(n * n);
    for (long i = 0; i < n * n; i++) a[i] = std::sin(1.0 + 0.37 * i * i) * 0.3;
    std::vector<std::vector<double>> k(n, std::vector<double>(n, 0.0));
    for (long i = 0; i < n; i++)
        for (long j = 0; j < n; j++) {
            for (long l = 0; l < n; l++) k[i][j] += a[i * n + l] * a[j * n + l];
            if (i == j) k[i][j] += 0.2;
        }
    std::vector<std::vector<double>> basis = RigidBasis(g);
    // Q K Q, column by column and then row by row.
    std::vector<std::vector<double>> kq(n);
    for (long j = 0; j < n; j++) kq[j] = OffRigid(basis, k[j]);
    UMatrix<double> h(n, n, -1);
    for (long i = 0; i < n; i++) {
        std::vector<double> row(n);
        for (long j = 0; j < n; j++) row[j] = kq[j][i];
        row = OffRigid(basis, row);
        for (long j = 0; j < n; j++) h(i, j) = row[j];
    }
    for (long i = 0; i < n; i++)
        for (long j = 0; j < i; j++) h(i, j) = h(j, i) = 0.5 * (h(i, j) + h(j, i));
    return h;
}
