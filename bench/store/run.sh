#!/usr/bin/env bash
# Store list benchmark: building a list of 2,000 product cards, and resident
# memory over 500 tab changes of a store window.
#   bench/store/run.sh [build-dir]      (default: <repo>/build)
# BENCH_ROUNDS and BENCH_TABS shorten or lengthen the runs.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=${1:-$repo/build}
cmake --build "$build" --target bench_store -j2 >/dev/null
bench=$(find "$build" -type f -name bench_store -perm -u+x | head -n1)
[ -x "$bench" ] || { echo "bench_store not built in $build" >&2; exit 1; }
work=$(mktemp -d /tmp/olva-bench-store.XXXXXX)
trap 'rm -rf "$work"' EXIT
XDG_CONFIG_HOME="$work/config" TMPDIR="$work" QT_QPA_PLATFORM=offscreen "$bench"
