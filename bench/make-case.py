#!/usr/bin/env python3
"""Writes a large synthetic but well-formed Turbomole case into a folder:
coord, basis, control and mos for ATOMS carbon atoms on a cubic grid, each with
a basis of two s, one p and one spherical d shell (10 functions), so that the
orbital file holds (10 ATOMS)^2 coefficients.  The numbers are random, not a
calculation: the benchmark measures reading and writing, not chemistry.

Usage: make-case.py FOLDER [ATOMS]
"""
import os
import random
import sys


def main():
    folder = sys.argv[1]
    atoms = int(sys.argv[2]) if len(sys.argv) > 2 else 300
    functions = 10 * atoms
    rng = random.Random(20261210)
    os.makedirs(folder, exist_ok=True)
    side = 1
    while side ** 3 < atoms:
        side += 1
    with open(os.path.join(folder, "coord"), "w") as f:
        f.write("$coord\n")
        for a in range(atoms):
            x, y, z = a % side, (a // side) % side, a // (side * side)
            f.write("%20.14f  %20.14f  %20.14f      c\n" % (2.9 * x, 2.9 * y, 2.9 * z))
        f.write("$end\n")
    with open(os.path.join(folder, "basis"), "w") as f:
        f.write("$basis\n*\nc synthetic\n*\n")
        f.write("   3  s\n  172.25600000      0.61766900000E-01\n"
                "  25.910900000      0.35879400000\n  5.5333500000      0.70071300000\n")
        f.write("   1  s\n  0.36449800000       1.0000000000\n")
        f.write("   2  p\n  3.6649800000      0.23646000000\n  0.77054500000      0.86061900000\n")
        f.write("   1  d\n  0.80000000000       1.0000000000\n")
        f.write("*\n$end\n")
    with open(os.path.join(folder, "control"), "w") as f:
        f.write("$title\nsynthetic benchmark case\n$atoms\n")
        f.write("c  1-%d                                                                  \\\n"
                "   basis =c synthetic\n" % atoms)
        f.write("$closed shells\n a       1-%d                                    ( 2 )\n"
                % (3 * atoms))
        f.write("$end\n")
    with open(os.path.join(folder, "mos"), "w") as f:
        f.write("$scfmo    scfconv=7   format(4d20.14)\n#\n")
        for j in range(functions):
            energy = -20.0 + 40.0 * j / functions
            f.write("%6d  a      eigenvalue=%s   nsaos=%d\n"
                    % (j + 1, ("%20.13E" % energy).replace("E", "D"), functions))
            values = ["%20.13E" % rng.uniform(-1.0, 1.0) for _ in range(functions)]
            for k in range(0, functions, 4):
                f.write("".join(values[k:k + 4]).replace("E", "D") + "\n")
        f.write("$end\n")
    with open(os.path.join(folder, "args"), "w") as f:
        f.write("-ic coord -ba basis -bc control -bo mos\n")


if __name__ == "__main__":
    main()
