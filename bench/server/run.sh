#!/usr/bin/env bash
# Load benchmark of olva-server: 32 concurrent connections for 10 seconds
# against signin and getFoodList, on 127.0.0.1 with a fresh demo database.
# Reports requests per second, p99 latency and errors for each endpoint.
#
#   bench/server/run.sh [path/to/olva-server]
# Needs wrk (scripts/install-deps.sh installs it).
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
server="${1:-$root/build/server/olva-server}"
connections="${BENCH_CONNECTIONS:-32}"
duration="${BENCH_DURATION:-10s}"

command -v wrk >/dev/null || { echo "wrk is missing: run scripts/install-deps.sh" >&2; exit 1; }
[ -x "$server" ] || { echo "no olva-server at $server (build it or pass its path)" >&2; exit 1; }

work="$(mktemp -d)"
server_pid=""
cleanup() {
  if [ -n "$server_pid" ]; then kill "$server_pid" 2>/dev/null || true; wait "$server_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# Port 0: the server picks a free port and prints it.
QT_QPA_PLATFORM=offscreen "$server" --port 0 --db "$work/bench.sqlite" --files "$work/files" \
  --demo --no-videos >"$work/server.log" 2>&1 &
server_pid=$!
port=""
for _ in $(seq 1 300); do
  port="$(sed -n 's/^olva-server listening on 127\.0\.0\.1:\([0-9]*\),.*/\1/p' "$work/server.log")"
  [ -n "$port" ] && break
  kill -0 "$server_pid" 2>/dev/null || { cat "$work/server.log" >&2; exit 1; }
  sleep 0.1
done
[ -n "$port" ] || { echo "olva-server did not start" >&2; exit 1; }
base="http://127.0.0.1:$port/api"

# Register the benchmark's computer for the demo member so that signin
# succeeds all the way (password check, device check, backgrounds).
form="email=demo@olva.local&password=olva-demo-2026&deviceToken=BENCH-1&deviceType=windows"
curl -s -m 5 -d "email=demo@olva.local" "$base/verifyDevice" >/dev/null
curl -s -m 5 -d "email=demo@olva.local&deviceToken=BENCH-1&deviceType=windows" "$base/registerToken" >/dev/null
curl -s -m 5 -d "$form" "$base/signin" | grep -q '"result_code":0' || { echo "signin check failed" >&2; exit 1; }

run() {
  local endpoint="$1" body="$2"
  echo "== $endpoint: $connections connections, $duration"
  BENCH_BODY="$body" wrk -t 2 -c "$connections" -d "$duration" --timeout 5s -s "$here/post.lua" "$base/$endpoint" \
    | sed -n '/^requests\/s/,$p'
}

run signin "$form"
run getFoodList "user_id=1"
