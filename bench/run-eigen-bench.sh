#!/usr/bin/env bash
# Builds the library in Release mode and times SymMdiag against the reference LAPACK's dsyev for
# n = 300 and 1000, with and without eigenvectors; prints the machine's load beside the figures.
# Usage: bash bench/run-eigen-bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh cmake make g++ libblas-dev liblapack-dev libbenchmark-dev
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DKALVEX_TESTS=OFF -DKALVEX_BENCH=ON >/dev/null
cmake --build build-bench -j 4 --target sym_eigen_bench >/dev/null
uptime
./build-bench/bench/sym_eigen_bench
uptime
