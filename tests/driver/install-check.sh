#!/usr/bin/env bash
# Installs the build into a fresh prefix and converts the bundled example with the installed
# program: cmake --install must give a working PREFIX/bin/Kalvex.
# Usage: install-check.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$1"
source="$2"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
cd "$source/example"
out=$("$prefix/bin/Kalvex" $(cat args) -o "$prefix/h2.molden")
[ "$out" = "Kalvex exits..." ]
grep -q '^\[MO\]' "$prefix/h2.molden"
