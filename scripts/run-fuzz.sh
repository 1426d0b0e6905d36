#!/usr/bin/env bash
# A short bounded run of every fuzz target (clang, libFuzzer) on its seeds;
# any finding fails. Inputs that once failed are kept under
# tests/data/fuzz/<target>/ and replayed by the normal tests.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
fuzz_seconds=${ZAV_FUZZ_SECONDS:-15}
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DZAV_KIND=test -DZAV_FUZZ=ON >/dev/null
for source in fuzz/*_fuzzer.cpp; do
  target=$(basename "$source" .cpp)
  cmake --build build/fuzz -j "$jobs" --target "$target"
  corpus=build/fuzz/corpus/$target
  mkdir -p "$corpus" build/fuzz/findings
  seeds=tests/data/fuzz/$target/seeds
  echo "fuzzing $target for ${fuzz_seconds}s"
  build/fuzz/bin/"$target" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=0 -artifact_prefix=build/fuzz/findings/"$target"- \
    "$corpus" "$seeds" >build/fuzz/"$target".log 2>&1 || {
      tail -n 60 build/fuzz/"$target".log
      echo "fuzz target $target found a failure; input kept in build/fuzz/findings/" >&2
      exit 1
    }
done
