#!/usr/bin/env bash
# Checks the format, builds the sanitizer kind, runs the short fuzz pass,
# then every test.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-packages.sh
ensure_packages

# A source file clang-format would change fails the run before anything builds.
scripts/check-format.sh

jobs=$(nproc)
cmake -S . -B build/test -G Ninja -DZAV_KIND=test >/dev/null
cmake --build build/test -j "$jobs"

scripts/run-fuzz.sh

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=0:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
cd build/test
# The test summary stays the last thing the run prints.
ctest --output-on-failure -j "$jobs"
