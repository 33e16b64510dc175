#!/usr/bin/env bash
# Runs the tracker benchmark at three catalogue sizes so that growth with the
# catalogue shows. Configure first with scripts/build.sh.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${OLVA_BUILD_DIR:-build}
cmake --build "$build" --target bench_tracker -j2 >/dev/null
bin=$build/bench/tracker/bench_tracker
for foods in 2500 5000 10000; do
  categories=$((foods / 50))
  "$bin" "$foods" "$categories" 500 50
  echo
done
