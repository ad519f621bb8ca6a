#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test twice: in a normal
# build and in one with the address and undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
# jmol: a client that the Molden history test loads its file into; strace counts the size
# queries of a conversion.
bash scripts/install-packages.sh cmake make g++ libgtest-dev libblas-dev liblapack-dev python3 python3-numpy jmol clang-format strace
jobs=$(nproc)

bash scripts/check-format.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DKALVEX_SANITIZE=ON
cmake --build build-sanitize -j "$jobs"
(cd build-sanitize && ctest --output-on-failure -j "$jobs")
