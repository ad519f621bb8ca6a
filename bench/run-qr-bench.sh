#!/usr/bin/env bash
# Builds and runs the QR benchmark (QRfactor + QRformProduct against the reference dgeqrf +
# dorgqr) and prints the machine's load beside the figures.
# Usage: bash bench/run-qr-bench.sh [REPEATS]   (default 5)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh cmake make g++ libblas-dev liblapack-dev libbenchmark-dev
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DKALVEX_TESTS=OFF -DKALVEX_BENCH=ON >/dev/null
cmake --build build-bench -j 4 --target qr_bench >/dev/null
uptime
build-bench/bench/qr_bench "${1:-5}"
uptime
