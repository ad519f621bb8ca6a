#!/usr/bin/env bash
# Builds one solver benchmark in Release mode and runs it, with the machine's load printed before
# and after the figures. Each compares our routine with the reference LAPACK over the reference
# BLAS on the same matrices:
#   qr     QRfactor + QRformProduct against dgeqrf + dorgqr (1000 x 1000, 2000 x 500)
#   eigen  SymMdiag against dsyev (n = 300, 1000; with and without vectors)
#   svd    MgetSvd against dgesvd (1000 x 1000, 2000 x 300; values only and all vectors)
# Usage: bash bench/run-solver-bench.sh qr|eigen|svd [REPEATS]
set -euo pipefail
cd "$(dirname "$0")/.."
case "${1:-}" in
    qr) target=qr_bench ;;
    eigen) target=sym_eigen_bench ;;
    svd) target=svd_bench ;;
    *) echo "usage: bash bench/run-solver-bench.sh qr|eigen|svd [REPEATS]" >&2; exit 2 ;;
esac
shift
bash scripts/install-packages.sh cmake make g++ libblas-dev liblapack-dev libbenchmark-dev
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DKALVEX_TESTS=OFF -DKALVEX_BENCH=ON >/dev/null
cmake --build build-bench -j 4 --target "$target" >/dev/null
uptime
"build-bench/bench/$target" "$@"
uptime
