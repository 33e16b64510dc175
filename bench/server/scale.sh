#!/usr/bin/env bash
# olva-server behind nginx, as several machines would run it, on this one:
# nginx balances over N instances that share one database, and wrk measures
# through nginx
#   getFoodList   BENCH_CONNECTIONS connections (default 32), one member;
#   writes        as many connections, one member each (carts, own foods,
#                 payments; bench/server/writes.lua);
# for each set-up:
#   sqlite   N = 1  on one SQLite file;
#   pg       N = 1 and N = 2  on one PostgreSQL database, a throwaway cluster
#            started in the work folder (skipped, with a note, when the
#            PostgreSQL tools are missing or olva-server refuses the URI).
# then both again with BENCH_LIGHT_CONNECTIONS connections (default 4), a
# load the machine is not saturated by. Before them nginx serves the
# getFoodList reply as a file, the yardstick: every line of the summary gives
# requests per second, p99, the ratio to that file's rate (same connections,
# same bytes) and the CPU time one request cost the instances and the
# database server (steadier than the rate on a machine shared with others).
#
#   bench/server/scale.sh [path/to/olva-server]
#   BENCH_DURATION=10s BENCH_CONNECTIONS=32 SCALE_SETUPS="sqlite:1 pg:1 pg:2"
#   BENCH_LIGHT_CONNECTIONS=4                 the light-load pass (0: none)
#   SCALE_SERVER_ARGS="--db-connections 16"   more options for every instance
#   SCALE_PG_SETTINGS="-c commit_delay=0"     more settings for the cluster
# Loopback only; every process it starts is stopped on exit.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
server="${1:-$root/build/server/olva-server}"
connections="${BENCH_CONNECTIONS:-32}"
light="${BENCH_LIGHT_CONNECTIONS:-4}"
duration="${BENCH_DURATION:-10s}"
setups="${SCALE_SETUPS:-sqlite:1 pg:1 pg:2}"
read -r -a server_args <<<"${SCALE_SERVER_ARGS:-}"
pg_bin="${PG_BIN:-/usr/lib/postgresql/15/bin}"
export BENCH_DIR="$here"

command -v wrk >/dev/null || { echo "wrk is missing: run scripts/install-deps.sh" >&2; exit 1; }
nginx_bin="$(command -v nginx || echo /usr/sbin/nginx)"
[ -x "$nginx_bin" ] || { echo "nginx is missing (nginx-light)" >&2; exit 1; }
[ -x "$server" ] || { echo "no olva-server at $server (build it or pass its path)" >&2; exit 1; }
# The instances run in the work folder.
server="$(readlink -f "$server")"

work="$(mktemp -d)"
# nginx's workers and PostgreSQL run as other users: they must reach it.
chmod 755 "$work"
server_pids=()
nginx_pid=""
pg_data=""
pg_uri=""
pg_port=""
ports=()
stop_servers() {
  for pid in "${server_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${server_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  server_pids=()
}
stop_nginx() {
  if [ -n "$nginx_pid" ]; then kill "$nginx_pid" 2>/dev/null || true; wait "$nginx_pid" 2>/dev/null || true; fi
  nginx_pid=""
}
as_pg() { if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }
stop_pg() {
  if [ -n "$pg_data" ]; then as_pg "$pg_bin/pg_ctl" -D "$pg_data" -m fast -w stop >/dev/null 2>&1 || true; fi
  pg_data=""
}
cleanup() {
  stop_nginx
  stop_servers
  stop_pg
  rm -rf "$work"
}
trap cleanup EXIT

free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }

# A throwaway PostgreSQL cluster on a Unix socket in the work folder; sets
# pg_port and pg_uri (the --db URI).
start_pg() {
  [ -x "$pg_bin/initdb" ] || return 1
  pg_port="$(free_port)"
  mkdir -p "$work/pg/socket"
  if [ "$(id -u)" = 0 ]; then chown -R postgres "$work/pg"; fi
  as_pg "$pg_bin/initdb" -D "$work/pg/data" -U olva -A trust >"$work/pg/initdb.log" 2>&1 || return 1
  pg_data="$work/pg/data"
  # Settings as the README recommends for an operator on a shared machine;
  # fsync and synchronous_commit stay on: the writes case should pay what a
  # real database pays.
  as_pg "$pg_bin/pg_ctl" -D "$pg_data" -w -l "$work/pg/server.log" \
    -o "-k $work/pg/socket -p $pg_port -c listen_addresses='' -c max_connections=200 -c shared_buffers=256MB -c effective_cache_size=1GB ${SCALE_PG_SETTINGS:-}" \
    start >/dev/null 2>&1 || return 1
  pg_uri="postgresql://olva@/olva?host=$work/pg/socket&port=$pg_port"
}

# nginx forwards the client's address; a server that predates the option
# simply counts nginx's.
proxy_args=()
if "$server" --help 2>/dev/null | grep -q -- --trusted-proxy; then proxy_args=(--trusted-proxy 127.0.0.1); fi

# Starts N instances on the database `$1` (all at once, as a fleet restarts)
# and sets `ports` to their ports.
start_servers() {
  local db="$1" count="$2" i port
  ports=()
  for i in $(seq 1 "$count"); do
    (cd "$work" && exec env QT_QPA_PLATFORM=offscreen "$server" --port 0 --db "$db" --files "$work/files" --demo --no-videos \
      "${proxy_args[@]}" "${server_args[@]}" >"$work/server$i.log" 2>&1) &
    server_pids+=($!)
  done
  for i in $(seq 1 "$count"); do
    port=""
    for _ in $(seq 1 600); do
      port="$(sed -n 's/^olva-server listening on 127\.0\.0\.1:\([0-9]*\),.*/\1/p' "$work/server$i.log")"
      [ -n "$port" ] && break
      kill -0 "${server_pids[$((i - 1))]}" 2>/dev/null || break
      sleep 0.1
    done
    [ -n "$port" ] || { sed 's/^/  /' "$work/server$i.log" >&2; return 1; }
    ports+=("$port")
  done
}

# nginx on `$1`, balancing /api/ over the given instance ports and serving
# the shared files folder and the saved reply itself.
start_nginx() {
  local port="$1"; shift
  local upstream="" p
  for p in "$@"; do upstream="$upstream    server 127.0.0.1:$p;"$'\n'; done
  mkdir -p "$work/nginx" "$work/static" "$work/files"
  cat >"$work/nginx/nginx.conf" <<CONF
daemon off;
worker_processes auto;
pid $work/nginx/nginx.pid;
error_log $work/nginx/error.log;
events { worker_connections 4096; }
http {
  access_log off;
  client_body_temp_path $work/nginx/body;
  proxy_temp_path $work/nginx/proxy;
  fastcgi_temp_path $work/nginx/fastcgi;
  uwsgi_temp_path $work/nginx/uwsgi;
  scgi_temp_path $work/nginx/scgi;
  default_type application/json;
  upstream olva {
$upstream    keepalive 64;
  }
  server {
    listen 127.0.0.1:$port;
    location /api/ {
      proxy_pass http://olva;
      proxy_http_version 1.1;
      proxy_set_header Connection "";
      proxy_set_header Host \$http_host;
      proxy_set_header X-Forwarded-For \$proxy_add_x_forwarded_for;
    }
    location /uploadfiles/ { alias $work/files/; }
    location /static/ { alias $work/static/; }
  }
}
CONF
  "$nginx_bin" -c "$work/nginx/nginx.conf" -p "$work/nginx" 2>"$work/nginx/start.log" &
  nginx_pid=$!
  for _ in $(seq 1 50); do
    curl -s -m 1 -o /dev/null "http://127.0.0.1:$port/static/" && return 0
    sleep 0.1
  done
  cat "$work/nginx/start.log" "$work/nginx/error.log" >&2 2>/dev/null || true
  return 1
}

. "$here/members.sh"

summary=()
static_rate=""
# CPU time (clock ticks) used so far by the instances and, when it runs, the
# PostgreSQL cluster: on a machine shared with other work the rate moves
# with the neighbours, the CPU a request costs much less.
service_ticks() {
  local pids=("${server_pids[@]}") postmaster total=0 pid
  if [ -n "$pg_data" ] && [ -r "$pg_data/postmaster.pid" ]; then
    postmaster="$(head -1 "$pg_data/postmaster.pid")"
    pids+=("$postmaster" $(pgrep -P "$postmaster" || true))
  fi
  for pid in "${pids[@]}"; do
    [ -r "/proc/$pid/stat" ] || continue
    total=$((total + $(sed 's/.*) //' "/proc/$pid/stat" | awk '{print $12 + $13}')))
  done
  echo "$total"
}

# Runs wrk, shows its report and adds "name rate p99 cpu" to the summary.
measure() {
  local name="$1"; shift
  local out rate p99 requests before after cpu=-
  echo "== $name"
  before="$(service_ticks)"
  out="$(wrk --latency "$@" | sed -n '/^requests\/s/,$p')"
  after="$(service_ticks)"
  echo "$out"
  rate="$(sed -n 's/^requests\/s: \([0-9.]*\)/\1/p' <<<"$out")"
  p99="$(sed -n 's/.*p99: \([0-9.]*\) ms.*/\1/p' <<<"$out")"
  requests="$(sed -n 's/.*(of \([0-9]*\)).*/\1/p' <<<"$out")"
  if [ -n "$static_rate" ] && [ "${requests:-0}" -gt 0 ]; then
    cpu="$(python3 -c "print(f'{($after - $before) * 1000 / $(getconf CLK_TCK) / $requests:.3f}')")"
  fi
  summary+=("$name|$rate|$p99|$cpu")
  [ -n "$static_rate" ] || static_rate="$rate"
}

# One set-up: the database kind and N.
run_setup() {
  local kind="$1" count="$2" db nginx_port
  case "$kind" in
    sqlite) db="$work/sqlite/olva.sqlite"; rm -rf "$work/sqlite" ;;
    pg)
      # An olva-server without the PostgreSQL back end would take the URI
      # for a file name.
      if ! "$server" --help 2>/dev/null | grep -qi postgres; then
        echo "(this olva-server has no PostgreSQL back end: pg N=$count skipped)"
        return 0
      fi
      if [ -z "$pg_uri" ] && ! start_pg; then
        echo "(no PostgreSQL cluster could be started from $pg_bin: pg N=$count skipped)"
        return 0
      fi
      db="$pg_uri"
      # Every N starts from an empty database.
      as_pg "$pg_bin/dropdb" --if-exists -h "$work/pg/socket" -p "$pg_port" -U olva olva >/dev/null 2>&1
      as_pg "$pg_bin/createdb" -h "$work/pg/socket" -p "$pg_port" -U olva olva >/dev/null 2>&1
      ;;
  esac
  rm -rf "$work/files"; mkdir -p "$work/files"
  if ! start_servers "$db" "$count"; then
    echo "($kind N=$count: olva-server did not start on this database; skipped)"
    stop_servers
    return 0
  fi
  nginx_port="$(free_port)"
  start_nginx "$nginx_port" "${ports[@]}" || { echo "nginx did not start" >&2; exit 1; }
  base="http://127.0.0.1:$nginx_port/api"

  local demo_session
  demo_session="$(session_for demo%40olva.local olva-demo-2026 BENCH-1)"
  [ -n "$demo_session" ] || { echo "signin through nginx failed" >&2; exit 1; }
  if [ -z "$static_rate" ]; then
    curl -s -m 10 -b "olva_session=$demo_session" -d "user_id=1" "$base/getFoodList" >"$work/static/foodlist.json"
    chmod 644 "$work/static/foodlist.json"; chmod 755 "$work/static"
    echo "(nginx serves the same $(stat -c %s "$work/static/foodlist.json") bytes as a file)"
    measure "nginx file" -t 2 -c "$connections" -d "$duration" --timeout 5s -s "$here/static.lua" \
      "http://127.0.0.1:$nginx_port/static/foodlist.json"
  fi
  BENCH_BODY="user_id=1" BENCH_COOKIE="$demo_session" measure "$kind N=$count getFoodList" \
    -t 2 -c "$connections" -d "$duration" --timeout 5s -s "$here/post.lua" "$base/getFoodList"

  local members product price
  members="$(writer_members)"
  read -r product price < <(demo_product)
  BENCH_MEMBERS="$members" BENCH_PRODUCT="$product" BENCH_PRICE="$price" BENCH_PRODUCT_TYPE=WORKOUT \
    measure "$kind N=$count writes" \
    -t "$connections" -c "$connections" -d "$duration" --timeout 5s -s "$here/writes.lua" \
    "http://127.0.0.1:$nginx_port"

  # The same with a few connections, a load that leaves the machine some
  # room: the latency of a request rather than of a queue.
  if [ "$light" -gt 0 ]; then
    BENCH_BODY="user_id=1" BENCH_COOKIE="$demo_session" measure "$kind N=$count getFoodList c$light" \
      -t 1 -c "$light" -d "$duration" --timeout 5s -s "$here/post.lua" "$base/getFoodList"
    BENCH_MEMBERS="$members" BENCH_PRODUCT="$product" BENCH_PRICE="$price" BENCH_PRODUCT_TYPE=WORKOUT \
      measure "$kind N=$count writes c$light" \
      -t "$light" -c "$light" -d "$duration" --timeout 5s -s "$here/writes.lua" \
      "http://127.0.0.1:$nginx_port"
  fi

  stop_nginx
  stop_servers
}

for setup in $setups; do
  run_setup "${setup%%:*}" "${setup##*:}"
done

echo
echo "== summary ($(nproc) cores, $connections connections unless named cN, $duration each)"
echo "(CPU ms: what one request cost the instances and the database server together)"
printf '%-28s %12s %10s %18s %8s\n' "case" "requests/s" "p99 ms" "ratio to nginx file" "CPU ms"
for line in "${summary[@]}"; do
  IFS='|' read -r name rate p99 cpu <<<"$line"
  ratio="$(python3 -c "print(f'{float(\"$rate\") / float(\"$static_rate\"):.3f}')" 2>/dev/null || echo -)"
  printf '%-28s %12s %10s %18s %8s\n' "$name" "$rate" "$p99" "$ratio" "$cpu"
done
