#!/usr/bin/env bash
# Fails when a C++ file of the project differs from what clang-format makes of it (.clang-format at the
# root), and names the files.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' | grep -v '^tests/data/')
if ! clang-format --dry-run --Werror "${files[@]}"; then
  echo "Formatting differs; run: clang-format -i \$(git ls-files '*.cpp' '*.h')" >&2
  exit 1
fi
