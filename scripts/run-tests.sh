#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test with ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
build_dir=${OLVA_BUILD_DIR:-build}
export QT_QPA_PLATFORM=offscreen
# Most tests spend their time waiting on sockets, timers and the disk (the
# whole suite needs about a fifth of a core on average), so three at a time
# per core; the fuzzers' build and run tell ctest the cores they take.
cores=$(nproc 2>/dev/null || echo 2)
ctest --test-dir "$build_dir" --output-on-failure -j"$((3 * cores))" --timeout 300
