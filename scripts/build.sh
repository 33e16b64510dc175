#!/usr/bin/env bash
# Configures and builds everything into build/ (or $OLVA_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${OLVA_BUILD_DIR:-build}
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build_dir" -j"$jobs"
