#!/usr/bin/env bash
# Fuzzes every reply parser with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer.
#   bench/fuzz/run.sh SECONDS        every target in turn for its share of
#                                    SECONDS, one fuzzer per core
#   bench/fuzz/run.sh --ci SECONDS   every target SECONDS on its seed corpus,
#                                    one target per core; exit 77 (skipped)
#                                    without clang
#   bench/fuzz/run.sh --build-only   only builds the targets (ctest's fuzz_build,
#                                    so that --ci --no-build times only the runs)
# Builds the targets with clang into $OLVA_FUZZ_BUILD_DIR (default
# <repo>/build-fuzz). Prints one line per target, then "execs N crashes M".
# New corpus entries and crash inputs stay in a temporary folder (the path of
# any crash input is printed); the seed corpora in the repository are only read.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
ci=0
build_only=0
no_build=0
while [ $# -gt 0 ]; do
  case "$1" in
    --ci) ci=1 ;;
    --build-only) build_only=1 ci=1 ;;
    --no-build) no_build=1 ;;
    *) break ;;
  esac
  shift
done
seconds=${1:-0}
[ "$build_only" = 1 ] || [ "$seconds" -gt 0 ] || { echo "usage: run.sh [--ci] [--no-build] SECONDS | --build-only" >&2; exit 2; }
build=${OLVA_FUZZ_BUILD_DIR:-$repo/build-fuzz}
clangxx=${CLANGXX:-$(command -v clang++ || command -v clang++-14 || true)}

skip() {
  echo "fuzzing skipped: $1"
  if [ "$ci" = 1 ]; then exit 77; fi
  exit 1
}
[ -n "$clangxx" ] || skip "clang++ not found"
probe=$(mktemp -d /tmp/olva-fuzz-probe.XXXXXX)
trap 'rm -rf "$probe"' EXIT
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' > "$probe/p.cpp"
"$clangxx" -fsanitize=fuzzer,address,undefined "$probe/p.cpp" -o "$probe/p" 2>/dev/null \
  || skip "clang's fuzzer runtime is missing (libclang-rt-14-dev)"

launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$repo"
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cores=$(nproc 2>/dev/null || echo 2)
if [ "$no_build" = 0 ]; then
  # -O1 and line tables: libFuzzer's advice, and a build half as long as -O2 -g.
  cmake -S "$repo" -B "$build" -DCMAKE_CXX_COMPILER="$clangxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG" \
    -DOLVA_FUZZ=ON -DOLVA_PCH=ON "${launcher[@]}" >/dev/null
  cmake --build "$build" --target fuzz_all -j"$cores" >/dev/null
fi
[ "$build_only" = 0 ] || exit 0

targets=()
for source in "$here"/fuzz_*.cpp; do
  targets+=("$(basename "$source" .cpp)")
done
workers=$cores
share=$(( seconds / ${#targets[@]} ))
if [ "$ci" = 1 ]; then
  workers=1
  share=$seconds
fi
[ "$share" -ge 1 ] || share=1

work=$(mktemp -d /tmp/olva-fuzz.XXXXXX)
trap 'rm -rf "$probe"; find "$work" -name "crash-*" -o -name "leak-*" -o -name "timeout-*" | grep -q . || rm -rf "$work"' EXIT
# Starts the fuzzers of one target in the background; each notes its exit
# status next to its log.
launch() {
  local target=$1 binary corpus worker
  binary=$(find "$build" -type f -name "$target" -perm -u+x | head -n1)
  [ -x "$binary" ] || { echo "$target not built" >&2; exit 1; }
  corpus="$work/$target/corpus"
  mkdir -p "$corpus" "$work/$target/artifacts"
  [ -d "$here/corpus/$target" ] && cp "$here/corpus/$target"/* "$corpus"/ 2>/dev/null || true
  for worker in $(seq 1 "$workers"); do
    ( "$binary" "$corpus" -dict="$here/olva.dict" -max_total_time="$share" \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -seed="$worker$RANDOM" \
        -artifact_prefix="$work/$target/artifacts/" >"$work/$target/log.$worker" 2>&1
      echo $? >"$work/$target/status.$worker" ) &
  done
}

for target in "${targets[@]}"; do
  launch "$target"
  if [ "$ci" = 1 ]; then
    # The short CI runs go side by side, one target per core.
    while [ "$(jobs -rp | wc -l)" -ge "$cores" ]; do wait -n || true; done
  else
    wait
  fi
done
wait

total_execs=0
total_crashes=0
for target in "${targets[@]}"; do
  artifacts="$work/$target/artifacts/"
  crashes=$(grep -L -x 0 "$work/$target"/status.* | wc -l)
  execs=0
  for log in "$work/$target"/log.*; do
    n=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -n1 || true)
    execs=$((execs + ${n:-0}))
  done
  found=$(find "$artifacts" -type f | wc -l)
  [ "$found" -gt "$crashes" ] && crashes=$found
  printf '%-20s execs %10d crashes %d corpus %d\n' "$target" "$execs" "$crashes" "$(ls "$work/$target/corpus" | wc -l)"
  if [ "$crashes" -gt 0 ]; then
    find "$artifacts" -type f | sed 's/^/  input: /'
    grep -h -m3 -E 'ERROR: |runtime error:' "$work/$target"/log.* | sed 's/^/  /' || true
  fi
  total_execs=$((total_execs + execs))
  total_crashes=$((total_crashes + crashes))
done
echo "execs $total_execs crashes $total_crashes"
[ "$total_crashes" -eq 0 ]
