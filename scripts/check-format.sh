#!/usr/bin/env bash
# Fails when a C++ source file differs from what clang-format makes of it
# (.clang-format at the root); names each file that does.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(find . \( -path ./build -o -path ./tests/data -o -path ./.git \) -prune -o \
                          -type f \( -name '*.cpp' -o -name '*.h' \) -print | sort)
clang-format --dry-run --Werror "${files[@]}"
