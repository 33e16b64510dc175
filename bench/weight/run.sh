#!/usr/bin/env bash
# Builds and runs bench_weight: 3,650, 7,300 and 14,600 daily weighings
# through CSV parse, trend, summary, list and chart, and the resident memory
# over 200 openings of the weight window.
#   bench/weight/run.sh [build-dir] [chart.png]   (default: <repo>/build; the picture: the 3,650 days chart)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=${1:-$repo/build}
cmake --build "$build" --target bench_weight -j2 >/dev/null
bench=$(find "$build" -type f -name bench_weight -perm -u+x | head -n1)
[ -x "$bench" ] || { echo "bench_weight not built in $build" >&2; exit 1; }
QT_QPA_PLATFORM=offscreen "$bench" "${@:2}"
