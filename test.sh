#!/usr/bin/env bash
# Builds the sanitizer kind and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-packages.sh
ensure_packages

jobs=$(nproc)
cmake -S . -B build/test -G Ninja -DZAV_KIND=test >/dev/null
cmake --build build/test -j "$jobs"

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=0:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
cd build/test
ctest --output-on-failure -j "$jobs"
