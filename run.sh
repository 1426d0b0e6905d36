#!/usr/bin/env bash
# Builds the release kind and runs the program with the given arguments.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/scripts/ensure-packages.sh"
ensure_packages >&2

cmake -S "$here" -B "$here/build/release" -G Ninja -DZAV_KIND=release >/dev/null
# Only what the program runs with: the test programs build in ./test.sh.
cmake --build "$here/build/release" -j "$(nproc)" --target zav_deliverables >&2
program="$here/build/release/bin/ZAVPdf"
if [ ! -x "$program" ]; then
  echo "run.sh: the program is not built yet" >&2
  exit 2
fi
exec "$program" "$@"
