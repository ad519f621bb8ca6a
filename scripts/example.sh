#!/usr/bin/env bash
# Installs what is missing, builds Kalvex and converts the bundled example.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh cmake make g++
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DKALVEX_TESTS=OFF
cmake --build build-release -j "$(nproc)" --target Kalvex
