#!/usr/bin/env bash
# Builds and runs the SVD benchmark (MgetSvd against the reference dgesvd, singular values only
# and with all vectors) and prints the machine's load beside the figures.
# Usage: bash bench/run-svd-bench.sh [REPEATS]   (default 3)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh cmake make g++ libblas-dev liblapack-dev libbenchmark-dev
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DKALVEX_TESTS=OFF -DKALVEX_BENCH=ON >/dev/null
cmake --build build-bench -j 4 --target svd_bench >/dev/null
uptime
build-bench/bench/svd_bench "${1:-3}"
uptime
