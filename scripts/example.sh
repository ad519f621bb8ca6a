#!/usr/bin/env bash
# Installs what is missing, builds Kalvex and converts the bundled example.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh cmake make g++
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DKALVEX_TESTS=OFF
cmake --build build-release -j "$(nproc)" --target Kalvex

# Convert the bundled H2 example (restricted orbitals in a minimal basis).
out="$PWD/build-release/h2.molden"
(cd example && ../build-release/Kalvex $(cat args) -o "$out")
echo "Molden file written: $out"
