#!/usr/bin/env bash
# Builds and runs bench_planner: the history window with 3,650 days, the
# details of a day with 50 food types of 40 foods, and the resident memory
# growth of opening 500 days one after another.
#   bench/planner/run.sh [build-dir]      (default: <repo>/build)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=${1:-$repo/build}
cmake --build "$build" --target bench_planner -j2 >/dev/null
bench=$(find "$build" -type f -name bench_planner -perm -u+x | head -n1)
[ -x "$bench" ] || { echo "bench_planner not built in $build" >&2; exit 1; }
QT_QPA_PLATFORM=offscreen "$bench"
