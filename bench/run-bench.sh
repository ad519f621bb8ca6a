#!/usr/bin/env bash
# Converts a large synthetic Turbomole case and compares Kalvex with a baseline that
# only reads and prints every orbital coefficient. Prints wall time, input MB per
# second, peak resident memory and the ratio Kalvex / baseline.
# Usage: bash bench/run-bench.sh [ATOMS]   (default 300 atoms, 3000 functions)
# Megabytes (MB) are 10^6 bytes throughout.
set -euo pipefail
cd "$(dirname "$0")/.."
atoms="${1:-300}"
bash scripts/install-packages.sh cmake make g++ time python3
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DKALVEX_TESTS=OFF >/dev/null
cmake --build build-bench -j 4 --target Kalvex >/dev/null
g++ -std=c++17 -O2 -o build-bench/conversion-baseline bench/ConversionBaseline.cpp

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
echo "generating $atoms atoms in $work ..."
/usr/bin/python3 bench/make-case.py "$work/case" "$atoms"
functions=$((10 * atoms))
input_bytes=$(cat "$work"/case/{coord,basis,control,mos} | wc -c)

# Runs a command under /usr/bin/time -v; sets seconds and kbytes from its report.
measure() {
    local report="$work/time.txt"
    /usr/bin/time -v -o "$report" "$@"
    local elapsed
    elapsed=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$report")
    seconds=$(echo "$elapsed" | awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; print s }')
    kbytes=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$report")
}

cd "$work/case"
# Warm the page cache so that both runs read from memory.
cat coord basis control mos >/dev/null
measure "$OLDPWD/build-bench/Kalvex" $(cat args) -o "$work/out.molden" >/dev/null
kalvex_s=$seconds kalvex_kb=$kbytes
measure sh -c "\"$OLDPWD/build-bench/conversion-baseline\" mos > \"$work/baseline.txt\""
baseline_s=$seconds baseline_kb=$kbytes
cd "$OLDPWD"

awk -v n="$functions" -v bytes="$input_bytes" -v out="$(wc -c < "$work/out.molden")" \
    -v ks="$kalvex_s" -v kkb="$kalvex_kb" -v bs="$baseline_s" -v bkb="$baseline_kb" 'BEGIN {
    mb = bytes / 1e6
    limit = 3 * 8 * n * n / 1e6
    printf "functions N            %d (%d coefficients)\n", n, n * n
    printf "input                  %.1f MB, Molden output %.1f MB\n", mb, out / 1e6
    printf "Kalvex                 %.2f s, %.1f MB/s, peak RSS %.1f MB\n", ks, mb / ks, kkb * 1024 / 1e6
    printf "baseline (strtod+printf) %.2f s, %.1f MB/s, peak RSS %.1f MB\n", bs, mb / bs, bkb * 1024 / 1e6
    printf "ratio Kalvex/baseline  %.2f (aim <= 1.5)\n", ks / bs
    printf "peak memory            %.1f MB, aim <= %.1f MB (3 x 8 N^2 bytes)\n", kkb * 1024 / 1e6, limit
}'
