#!/usr/bin/env bash
# Converts a large synthetic Turbomole case and compares Kalvex with two baselines that
# only read and print every orbital coefficient: one with strtod and printf line by line,
# one with fast_float and fmt over the whole file in memory. Each program runs RUNS times,
# the three taking turns so that they share the machine's load; the fastest run of each
# counts. Prints wall times, input MB per second, peak resident memory, the ratios of
# Kalvex to both baselines against their aims, the machine's load before and after, and
# the system calls of one more Kalvex run under strace (not timed), among them the file
# size queries, so that a return to a call per line shows.
# Usage: bash bench/run-bench.sh [ATOMS [RUNS]]   (default 300 atoms, 3000 functions; 3 runs)
# Megabytes (MB) are 10^6 bytes throughout.
set -euo pipefail
cd "$(dirname "$0")/.."
atoms="${1:-300}"
runs="${2:-3}"
# fast_float and fmt are for the second baseline only; Kalvex never links them. strace
# counts the system calls.
bash scripts/install-packages.sh cmake make g++ time python3 libfast-float-dev libfmt-dev strace
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DKALVEX_TESTS=OFF >/dev/null
cmake --build build-bench -j 4 --target Kalvex >/dev/null
g++ -std=c++17 -O2 -o build-bench/conversion-baseline bench/ConversionBaseline.cpp
g++ -std=c++17 -O2 -o build-bench/conversion-baseline-fast bench/ConversionBaselineFast.cpp -lfmt

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

# Keeps the fastest time and the largest peak memory of program $1 over the runs.
declare -A best_s peak_kb
keep() {
    if [ -z "${best_s[$1]:-}" ] || awk -v a="$seconds" -v b="${best_s[$1]}" 'BEGIN { exit !(a < b) }'; then
        best_s[$1]=$seconds
    fi
    if [ -z "${peak_kb[$1]:-}" ] || [ "$kbytes" -gt "${peak_kb[$1]}" ]; then peak_kb[$1]=$kbytes; fi
}

root="$PWD"
load_before=$(uptime)
cd "$work/case"
# Warm the page cache so that every run reads from memory.
cat coord basis control mos >/dev/null
for ((run = 1; run <= runs; run++)); do
    measure "$root/build-bench/Kalvex" $(cat args) -o "$work/out.molden" >/dev/null
    keep kalvex
    measure sh -c "\"$root/build-bench/conversion-baseline\" mos > \"$work/baseline.txt\""
    keep baseline
    measure sh -c "\"$root/build-bench/conversion-baseline-fast\" mos > \"$work/baseline-fast.txt\""
    keep fast
done
# One more run under strace: every system call and the size queries (lseek and the fstat
# family) among them.
syscalls="" size_queries=""
if strace -f -c -o "$work/strace.txt" "$root/build-bench/Kalvex" $(cat args) \
    -o "$work/out-strace.molden" >/dev/null 2>&1; then
    syscalls=$(awk '$NF == "total" { print $4 }' "$work/strace.txt")
    size_queries=$(awk '$NF ~ /^(lseek|_llseek|fstat|fstat64|newfstatat|fstatat64|statx)$/ \
        { n += $4 } END { print n + 0 }' "$work/strace.txt")
fi
cd "$root"
load_after=$(uptime)

echo "load before: $load_before"
echo "load after:  $load_after"
awk -v n="$functions" -v bytes="$input_bytes" -v out="$(wc -c < "$work/out.molden")" -v runs="$runs" \
    -v calls="$syscalls" -v queries="$size_queries" \
    -v ks="${best_s[kalvex]}" -v kkb="${peak_kb[kalvex]}" -v bs="${best_s[baseline]}" \
    -v bkb="${peak_kb[baseline]}" -v fs="${best_s[fast]}" -v fkb="${peak_kb[fast]}" 'BEGIN {
    mb = bytes / 1e6
    matrix = 8 * n * n / 1e6
    limit = 1.15 * matrix + 24
    printf "functions N            %d (%d coefficients, %.1f MB as doubles)\n", n, n * n, matrix
    printf "input                  %.1f MB, Molden output %.1f MB; fastest of %d runs\n", mb, out / 1e6, runs
    printf "Kalvex                 %.2f s, %.1f MB/s, peak RSS %.1f MB\n", ks, mb / ks, kkb * 1024 / 1e6
    printf "baseline strtod+printf %.2f s, %.1f MB/s, peak RSS %.1f MB\n", bs, mb / bs, bkb * 1024 / 1e6
    printf "baseline fast_float+fmt %.2f s, %.1f MB/s, peak RSS %.1f MB\n", fs, mb / fs, fkb * 1024 / 1e6
    printf "ratio Kalvex/fast_float+fmt  %.2f (done at <= 0.70, aim toward 0.50)\n", ks / fs
    printf "ratio Kalvex/strtod+printf   %.2f\n", ks / bs
    printf "peak memory            %.1f MB, aim <= %.1f MB (1.15 x 8 N^2 bytes + 24 MB)\n", kkb * 1024 / 1e6, limit
    if (calls == "") {
        printf "system calls           not counted (strace could not trace the run)\n"
    } else {
        printf "system calls           %d in one Kalvex run\n", calls
        printf "size queries           %d (lseek and fstat), aim <= %d (one per 64 KB of input)\n", queries, bytes / 65536
    }
}'
