#!/usr/bin/env bash
# Load benchmark of olva-server on 127.0.0.1 with a fresh demo database:
#   signin, getFoodList   32 connections for 10 s each;
#   nginx                 the same getFoodList reply as a static file, for
#                         comparison (when nginx is installed);
#   writes                32 connections, one member each, writing carts,
#                         foods of their own and payments for 10 s.
# Reports requests per second, latency percentiles and errors for each case.
#
#   bench/server/run.sh [path/to/olva-server]
# Needs wrk, curl and python3 (scripts/install-deps.sh installs them).
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
server="${1:-$root/build/server/olva-server}"
connections="${BENCH_CONNECTIONS:-32}"
duration="${BENCH_DURATION:-10s}"
export BENCH_DIR="$here"

command -v wrk >/dev/null || { echo "wrk is missing: run scripts/install-deps.sh" >&2; exit 1; }
[ -x "$server" ] || { echo "no olva-server at $server (build it or pass its path)" >&2; exit 1; }

work="$(mktemp -d)"
server_pid=""
nginx_pid=""
cleanup() {
  if [ -n "$server_pid" ]; then kill "$server_pid" 2>/dev/null || true; wait "$server_pid" 2>/dev/null || true; fi
  if [ -n "$nginx_pid" ]; then kill "$nginx_pid" 2>/dev/null || true; wait "$nginx_pid" 2>/dev/null || true; fi
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

. "$here/members.sh"

demo_form="email=demo%40olva.local&password=olva-demo-2026&deviceToken=BENCH-1&deviceType=windows"
demo_session="$(session_for demo%40olva.local olva-demo-2026 BENCH-1)"
[ -n "$demo_session" ] || { echo "signin check failed" >&2; exit 1; }

run() {
  local name="$1"; shift
  echo "== $name"
  wrk --latency "$@" | sed -n '/^requests\/s/,$p'
}

BENCH_BODY="$demo_form" run "signin: $connections connections, $duration" \
  -t 2 -c "$connections" -d "$duration" --timeout 5s -s "$here/post.lua" "$base/signin"
BENCH_BODY="user_id=1" BENCH_COOKIE="$demo_session" run "getFoodList: $connections connections, $duration" \
  -t 2 -c "$connections" -d "$duration" --timeout 5s -s "$here/post.lua" "$base/getFoodList"

# The same bytes from nginx, the yardstick for getFoodList.
if command -v nginx >/dev/null || [ -x /usr/sbin/nginx ]; then
  nginx_bin="$(command -v nginx || echo /usr/sbin/nginx)"
  mkdir -p "$work/static" "$work/nginx"
  # nginx's workers run as an unprivileged user: they must reach the file.
  chmod 755 "$work" "$work/static"
  curl -s -m 10 -b "olva_session=$demo_session" -d "user_id=1" "$base/getFoodList" >"$work/static/foodlist.json"
  nginx_port="$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
  cat >"$work/nginx/nginx.conf" <<CONF
daemon off;
worker_processes auto;
pid $work/nginx/nginx.pid;
error_log $work/nginx/error.log;
events { worker_connections 1024; }
http {
  access_log off;
  client_body_temp_path $work/nginx/body;
  proxy_temp_path $work/nginx/proxy;
  fastcgi_temp_path $work/nginx/fastcgi;
  uwsgi_temp_path $work/nginx/uwsgi;
  scgi_temp_path $work/nginx/scgi;
  default_type application/json;
  server {
    listen 127.0.0.1:$nginx_port;
    root $work/static;
  }
}
CONF
  "$nginx_bin" -c "$work/nginx/nginx.conf" -p "$work/nginx" 2>"$work/nginx/start.log" &
  nginx_pid=$!
  for _ in $(seq 1 50); do
    curl -s -m 1 -o /dev/null "http://127.0.0.1:$nginx_port/foodlist.json" && break
    sleep 0.1
  done
  echo "(nginx serves the same $(stat -c %s "$work/static/foodlist.json") bytes)"
  run "nginx, same reply as a file: $connections connections, $duration" \
    -t 2 -c "$connections" -d "$duration" --timeout 5s -s "$here/static.lua" \
    "http://127.0.0.1:$nginx_port/foodlist.json"
  kill "$nginx_pid" 2>/dev/null || true; wait "$nginx_pid" 2>/dev/null || true; nginx_pid=""
fi

members="$(writer_members)"
read -r product price < <(demo_product)
BENCH_MEMBERS="$members" BENCH_PRODUCT="$product" BENCH_PRICE="$price" BENCH_PRODUCT_TYPE=WORKOUT \
  run "writes (carts, own foods, payments): $connections connections, one member each, $duration" \
  -t "$connections" -c "$connections" -d "$duration" --timeout 5s -s "$here/writes.lua" "http://127.0.0.1:$port"
