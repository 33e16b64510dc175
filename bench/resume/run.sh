#!/usr/bin/env bash
# Kills the downloading client with SIGKILL at a random point of a 200 MiB
# download, starts it again to resume from its partial file, and checks that
# the finished file is byte-identical to the served one; 20 rounds against
# olva-server.
#   bench/resume/run.sh [build-dir]          (default: <repo>/build)
#   BENCH_ROUNDS=5 BENCH_SIZE_MIB=50 bench/resume/run.sh
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=${1:-$repo/build}
rounds=${BENCH_ROUNDS:-20}
size_mib=${BENCH_SIZE_MIB:-200}

cmake --build "$build" --target bench_resume olva-server -j2 >/dev/null
client=$(find "$build" -type f -name bench_resume -perm -u+x | head -n1)
server=$(find "$build" -type f -name olva-server -perm -u+x | head -n1)
[ -x "$client" ] && [ -x "$server" ] || { echo "bench_resume or olva-server not built in $build" >&2; exit 1; }

work=$(mktemp -d /tmp/olva-bench-resume.XXXXXX)
server_pid=
client_pid=
cleanup() {
  [ -n "$client_pid" ] && kill -9 "$client_pid" 2>/dev/null || true
  if [ -n "$server_pid" ]; then
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/files/videos" "$work/client"

echo "Creating a ${size_mib} MiB file..."
head -c "$((size_mib * 1024 * 1024))" /dev/urandom >"$work/files/videos/big.sys"
size=$(stat -c %s "$work/files/videos/big.sys")
expected=$(sha256sum "$work/files/videos/big.sys" | cut -d' ' -f1)

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
QT_QPA_PLATFORM=offscreen "$server" --port "$port" --db "$work/olva.db" --files "$work/files" >"$work/server.log" 2>&1 &
server_pid=$!
for _ in $(seq 100); do
  grep -q listening "$work/server.log" 2>/dev/null && break
  sleep 0.1
done
grep -q listening "$work/server.log" || { echo "olva-server did not start" >&2; cat "$work/server.log" >&2; exit 1; }
url="http://127.0.0.1:$port/uploadfiles/videos/big.sys"
final="$work/client/.big.mp4"
part="$final.part"

identical=0
killed_mid=0
kill_points=()
for round in $(seq "$rounds"); do
  rm -f "$final" "$part"
  # A random point between 1 % and 99 % of the file.
  target=$(( size / 100 + (RANDOM * 32768 + RANDOM) % (size * 98 / 100) ))
  "$client" "$url" "$work/client" >/dev/null 2>"$work/client.err" &
  client_pid=$!
  while kill -0 "$client_pid" 2>/dev/null; do
    have=$(stat -c %s "$part" 2>/dev/null || echo 0)
    [ "$have" -ge "$target" ] && break
    sleep 0.002
  done
  if kill -9 "$client_pid" 2>/dev/null; then
    wait "$client_pid" 2>/dev/null || true
    if [ -f "$part" ] && [ ! -f "$final" ]; then
      killed_mid=$((killed_mid + 1))
    fi
  else
    wait "$client_pid" 2>/dev/null || true
  fi
  client_pid=
  at=$(stat -c %s "$part" 2>/dev/null || echo "$size")
  kill_points+=("$((at * 100 / size))%")
  # Start again: continues from the partial file.
  if [ ! -f "$final" ]; then
    "$client" "$url" "$work/client" >/dev/null 2>"$work/client.err" || {
      echo "round $round: the resumed download failed: $(cat "$work/client.err")" >&2
    }
  fi
  if [ -f "$final" ] && [ "$(sha256sum "$final" | cut -d' ' -f1)" = "$expected" ]; then
    identical=$((identical + 1))
    echo "round $round: killed at $at of $size bytes, resumed, identical"
  else
    echo "round $round: killed at $at of $size bytes, resumed, DIFFERENT" >&2
  fi
done

echo "rounds $rounds"
echo "killed_mid_file $killed_mid"
echo "kill_points ${kill_points[*]}"
echo "byte_identical $identical"
[ "$identical" -eq "$rounds" ]
