#!/usr/bin/env bash
# A short bounded run of every fuzz target (clang, libFuzzer) on its seeds,
# all targets side by side; any finding fails. Inputs that once failed are
# kept under tests/data/fuzz/<target>/ and replayed by the normal tests.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
fuzz_seconds=${ZAV_FUZZ_SECONDS:-15}
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DZAV_KIND=test -DZAV_FUZZ=ON >/dev/null
targets=()
for source in fuzz/*_fuzzer.cpp; do
  targets+=("$(basename "$source" .cpp)")
done
cmake --build build/fuzz -j "$jobs" --target "${targets[@]}"
mkdir -p build/fuzz/findings

run_target() {
  local target=$1
  local corpus=build/fuzz/corpus/$target
  mkdir -p "$corpus"
  build/fuzz/bin/"$target" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=0 -artifact_prefix=build/fuzz/findings/"$target"- \
    "$corpus" tests/data/fuzz/"$target"/seeds >build/fuzz/"$target".log 2>&1
}

echo "fuzzing ${targets[*]} for ${fuzz_seconds}s each, side by side"
declare -A pids
for target in "${targets[@]}"; do
  run_target "$target" &
  pids[$target]=$!
done
failed=0
for target in "${targets[@]}"; do
  if ! wait "${pids[$target]}"; then
    tail -n 60 build/fuzz/"$target".log
    echo "fuzz target $target found a failure; input kept in build/fuzz/findings/" >&2
    failed=1
  fi
done
exit "$failed"
