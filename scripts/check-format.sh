#!/usr/bin/env bash
# Lists the C++ files, tracked or new but not ignored, that do not match
# .clang-format and fails if there are any; it never rewrites them
# (clang-format -i FILE mends one).
set -euo pipefail
cd "$(dirname "$0")/.."
report=$(git ls-files -z --cached --others --exclude-standard '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror 2>&1 || true)
unformatted=$(printf '%s\n' "$report" | sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: .*/\1/p' | sort -u)
if [ -n "$unformatted" ]; then
  echo "Not formatted as .clang-format says:"
  printf '  %s\n' $unformatted
  exit 1
fi
echo "Every C++ file matches .clang-format."
