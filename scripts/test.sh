#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test twice: in a normal
# build and in one with the address and undefined-behaviour sanitizers.
# KALVEX_SHARED_DIR, when set, is the shared folder the real-data tests read instead of
# ../shared; unset, both builds go back to that default, whatever an earlier run cached.
set -euo pipefail
if [ -n "${KALVEX_SHARED_DIR:-}" ]; then
  shared=(-DKALVEX_SHARED_DIR="$(realpath -m "$KALVEX_SHARED_DIR")")
else
  shared=(-UKALVEX_SHARED_DIR)
fi
cd "$(dirname "$0")/.."
# jmol: a client that the Molden history test loads its file into; strace counts the size
# queries of a conversion; acl's setfacl and getfacl set and show the ACLs an output keeps.
bash scripts/install-packages.sh cmake make g++ libgtest-dev libblas-dev liblapack-dev python3 python3-numpy jmol clang-format strace acl
jobs=$(nproc)

bash scripts/check-format.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${shared[@]}"
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DKALVEX_SANITIZE=ON "${shared[@]}"
cmake --build build-sanitize -j "$jobs"
(cd build-sanitize && ctest --output-on-failure -j "$jobs")
