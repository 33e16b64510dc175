#!/usr/bin/env bash
# Builds and runs bench_exercise: the activity search over 2,000 activities
# (or the count given), alone and through the exercise window's search box
# with the list redrawn after every keystroke.
#   bench/exercise/run.sh [build-dir] [activities=2000]   (default: <repo>/build)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=${1:-$repo/build}
cmake --build "$build" --target bench_exercise -j2 >/dev/null
bench=$(find "$build" -type f -name bench_exercise -perm -u+x | head -n1)
[ -x "$bench" ] || { echo "bench_exercise not built in $build" >&2; exit 1; }
QT_QPA_PLATFORM=offscreen "$bench" "${@:2}"
