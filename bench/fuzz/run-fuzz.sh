#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer and the sanitizers, seeds their
# corpora from seeds/ and, when present, copies of ../shared/data made in the work
# folder (never in the repository), and runs each target for a bounded time,
# at most four at once.
# Usage: bash bench/fuzz/run-fuzz.sh [SECONDS_PER_TARGET] [WORK_DIR] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds="${1:-300}"
work="${2:-/tmp/kalvex-fuzz}"
shift $(( $# > 2 ? 2 : $# ))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(Geometry Control Orbitals Aoforce Driver Streams Molden)
data="$(pwd)/../shared/data"
molden="$(pwd)/../shared/molden"
seeds="$(pwd)/bench/fuzz/seeds"

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DKALVEX_SANITIZE=ON -DKALVEX_FUZZ=ON -DKALVEX_TESTS=OFF >/dev/null
cmake --build build-fuzz -j 4 >/dev/null

sep=$'\n#@@\n'
# Joins files into one input, "#@@" lines between them; an empty name is an empty piece.
join() {
  local first=1 f
  for f in "$@"; do
    [ $first -eq 1 ] || printf '%s' "$sep"
    first=0
    [ -z "$f" ] || cat "$f"
  done
}
# One seed: join the files into corpus folder $1.
seed() {
  local dir="$work/corpus/$1"; shift
  mkdir -p "$dir"
  join "$@" > "$dir/seed-$(join "$@" | md5sum | cut -c1-12)"
}
# The seeds of one case folder: coord, energy, grad, hessian, aoforce, basis, control, mos, betas.
seed_case() {
  local c=$1 coord=$2 energy=$3 grad=$4 hessian=$5 aoforce=$6 basis=$7 control=$8 mos=$9 betas=${10}
  for f in "$coord" "$energy" "$grad" "$hessian" "$basis" "$mos" "$betas"; do
    [ -z "$f" ] || seed Geometry "$f"
  done
  [ -z "$basis" ] || seed Control "$basis" "$control"
  [ -z "$basis" ] || seed Orbitals "$basis" "$control" "$mos" "$betas"
  [ -z "$aoforce" ] || seed Aoforce "$coord" "$aoforce"
  seed Driver "$coord" "$energy" "$grad" "$hessian" "$aoforce" "$basis" "$control" "$mos" "$betas"
}
s="$seeds"
seed_case hand "$s/coord" "$s/energy" "" "$s/hessian" "$s/aoforce.out" "$s/basis" "$s/control" "$s/mos" ""
seed_case hand "$s/coord" "" "$s/grad" "" "" "$s/basis" "$s/uhfcontrol" "$s/alpha" "$s/beta"
seed_case hand "" "" "" "" "$s/aoforce.out" "" "" "" ""
if [ -d "$data" ]; then
  for d in "$data"/*/; do
    f() { [ -f "$d/$1" ] && echo "$d/$1" || echo ""; }
    mos=$(f mos); betas=""
    [ -n "$mos" ] || { mos=$(f alpha); betas=$(f beta); }
    seed_case real "$(f coord)" "$(f energy)" "$(f gradient)" "$(f hessian)" "$(f aoforce.out)" \
      "$(f basis)" "$(f control)" "$mos" "$betas"
  done
fi
# Molden files: handmade ones, those of other programs, and Kalvex's own output.
for f in "$seeds"/*.molden "$molden"/*.molden; do
  [ -f "$f" ] && seed Molden "$f"
done
if [ -d "$data" ]; then
  mkdir -p "$work/own"
  for d in "$data"/*/; do
    out="$work/own/$(basename "$d").molden"
    (cd "$d" && "$OLDPWD/build-fuzz/Kalvex" $(cat args) -o "$out" >/dev/null 2>&1) && seed Molden "$out"
  done
fi

# The targets run side by side, at most four at a time.
run() {
  local t=$1 dict=bench/fuzz/turbomole.dict
  [ "$t" != Streams ] || dict=bench/fuzz/streams.dict
  [ "$t" != Molden ] || dict=bench/fuzz/molden.dict
  mkdir -p "$work/found/$t" "$work/corpus/$t"
  ./build-fuzz/bench/fuzz/fuzz_$t "$work/corpus/$t" -dict="$dict" \
    -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb="${MALLOC_LIMIT_MB:-2048}" -timeout="${UNIT_TIMEOUT:-10}" \
    -max_len="${MAX_LEN:-200000}" -artifact_prefix="$work/found/$t/" -print_final_stats=1 \
    > "$work/$t.log" 2>&1 || echo "== $t stopped: see $work/$t.log and $work/found/$t/"
  echo "== $t: $seconds s, $(grep -o 'number_of_executed_units: [0-9]*' "$work/$t.log" | tail -1)"
}
for t in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge 4 ]; do sleep 1; done
  run "$t" &
done
wait
