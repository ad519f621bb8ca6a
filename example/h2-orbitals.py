#!/usr/bin/env python3
"""Restricted Hartree-Fock orbitals of H2 in the STO-3G basis, written as the
Turbomole orbital file `mos` of this example.

In a minimal basis the two orbitals of H2 are fixed by symmetry,
(1s_A + 1s_B)/sqrt(2(1+S)) and (1s_A - 1s_B)/sqrt(2(1-S)), so the SCF needs no
iterations: only the one- and two-electron integrals over the contracted s
functions are computed here, and the orbital energies follow from the Fock
matrix of the doubly occupied bonding orbital.

Usage: python3 h2-orbitals.py > mos
"""
import math

BOND = 1.4  # bohr, the atoms at z = -0.7 and +0.7
EXPONENTS = [3.42525091, 0.62391373, 0.16885540]
COEFFICIENTS = [0.15432897, 0.53532814, 0.44463454]


def boys0(t):
    return 1.0 if t < 1e-12 else 0.5 * math.sqrt(math.pi / t) * math.erf(math.sqrt(t))


def primitive_norm(a):
    return (2.0 * a / math.pi) ** 0.75


def contracted():
    """Primitives (exponent, coefficient) of the normalised contracted 1s function."""
    prims = [(a, c * primitive_norm(a)) for a, c in zip(EXPONENTS, COEFFICIENTS)]
    self_overlap = sum(ci * cj * (math.pi / (ai + aj)) ** 1.5
                       for ai, ci in prims for aj, cj in prims)
    return [(a, c / math.sqrt(self_overlap)) for a, c in prims]


def overlap(a, b, r2):
    p = a + b
    return (math.pi / p) ** 1.5 * math.exp(-a * b / p * r2)


def kinetic(a, b, r2):
    p = a + b
    mu = a * b / p
    return mu * (3.0 - 2.0 * mu * r2) * overlap(a, b, r2)


def attraction(a, A, b, B, C):
    """<a|-1/|r-C||b> for s Gaussians on the z axis."""
    p = a + b
    P = (a * A + b * B) / p
    return -2.0 * math.pi / p * math.exp(-a * b / p * (A - B) ** 2) * boys0(p * (P - C) ** 2)


def repulsion(a, A, b, B, c, C, d, D):
    """(ab|cd) for s Gaussians on the z axis."""
    p, q = a + b, c + d
    P, Q = (a * A + b * B) / p, (c * C + d * D) / q
    pre = 2.0 * math.pi ** 2.5 / (p * q * math.sqrt(p + q))
    return (pre * math.exp(-a * b / p * (A - B) ** 2 - c * d / q * (C - D) ** 2)
            * boys0(p * q / (p + q) * (P - Q) ** 2))


def integrals():
    centres = [-BOND / 2, BOND / 2]
    basis = contracted()
    n = len(centres)
    S = [[0.0] * n for _ in range(n)]
    H = [[0.0] * n for _ in range(n)]
    for i, A in enumerate(centres):
        for j, B in enumerate(centres):
            for a, ca in basis:
                for b, cb in basis:
                    w = ca * cb
                    S[i][j] += w * overlap(a, b, (A - B) ** 2)
                    H[i][j] += w * kinetic(a, b, (A - B) ** 2)
                    H[i][j] += w * sum(attraction(a, A, b, B, C) for C in centres)
    eri = {}
    for i, A in enumerate(centres):
        for j, B in enumerate(centres):
            for k, C in enumerate(centres):
                for l, D in enumerate(centres):
                    eri[i, j, k, l] = sum(ca * cb * cc * cd * repulsion(a, A, b, B, c, C, d, D)
                                          for a, ca in basis for b, cb in basis
                                          for c, cc in basis for d, cd in basis)
    return S, H, eri


def main():
    S, H, eri = integrals()
    s = S[0][1]
    bonding = [1.0 / math.sqrt(2.0 * (1.0 + s))] * 2
    antibonding = [1.0 / math.sqrt(2.0 * (1.0 - s)), -1.0 / math.sqrt(2.0 * (1.0 - s))]
    P = [[2.0 * bonding[i] * bonding[j] for j in range(2)] for i in range(2)]
    F = [[H[i][j] + sum(P[k][l] * (eri[i, j, k, l] - 0.5 * eri[i, k, j, l])
                        for k in range(2) for l in range(2))
          for j in range(2)] for i in range(2)]
    energies = [(F[0][0] + F[0][1]) / (1.0 + s), (F[0][0] - F[0][1]) / (1.0 - s)]
    electronic = 0.5 * sum(P[i][j] * (H[i][j] + F[i][j]) for i in range(2) for j in range(2))
    total = electronic + 1.0 / BOND
    print("$scfmo    scfconv=7   format(4d20.14)")
    print("# SCF total energy is %19.10f a.u." % total)
    print("#")
    for number, (energy, vector) in enumerate(zip(energies, [bonding, antibonding]), 1):
        print("%6d  a      eigenvalue=%20.14E   nsaos=%d" % (number, energy, len(vector)))
        print("".join("%20.13E" % c for c in vector))
    print("$end")


if __name__ == "__main__":
    main()
