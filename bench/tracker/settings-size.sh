#!/usr/bin/env bash
# The member's settings file after 120 closed days of realistic tracking (and
# after a year's worth, to show it stays bounded). Configure first
# with scripts/build.sh.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${OLVA_BUILD_DIR:-build}
cmake --build "$build" --target bench_daysettings -j2 >/dev/null
bin=$build/bench/tracker/bench_daysettings
for days in 120 365; do
  "$bin" "$days"
  echo
done
