#!/usr/bin/env bash
# A throwaway PostgreSQL cluster for the server tests, kept in one folder:
#   pgcluster.sh start DIR PORT   initdb (once) and start it on a Unix socket
#                                 in DIR/socket; no TCP at all, so PORT only
#                                 names the socket and cannot be taken
#   pgcluster.sh stop DIR         stop it and remove the folder
# The tests reach it as postgresql://olva@/postgres?host=DIR/socket&port=PORT.
# initdb refuses to run as root: as root the cluster belongs to postgres.
set -euo pipefail
command=$1 dir=$2 port=${3:-55432}

bin=
for candidate in /usr/lib/postgresql/*/bin; do
  [ -x "$candidate/initdb" ] && bin=$candidate
done
if [ -z "$bin" ]; then
  echo "pgcluster: PostgreSQL is not installed (apt-get install postgresql-15)" >&2
  exit 1
fi

as_owner=()
if [ "$(id -u)" = 0 ]; then
  as_owner=(runuser -u postgres --)
fi

case "$command" in
start)
  # A cluster left running by an interrupted run is stopped first.
  if [ -f "$dir/data/postmaster.pid" ]; then
    "${as_owner[@]}" "$bin/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
  fi
  rm -rf "$dir"
  mkdir -p "$dir/socket"
  [ ${#as_owner[@]} -gt 0 ] && chown -R postgres "$dir"
  "${as_owner[@]}" "$bin/initdb" -D "$dir/data" -U olva --auth=trust --no-sync -E UTF8 >"$dir/initdb.log" 2>&1 || {
    cat "$dir/initdb.log" >&2; exit 1; }
  # Speed over durability: the cluster lives only as long as the tests.
  "${as_owner[@]}" "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
    -o "-c listen_addresses='' -k $dir/socket -p $port -c fsync=off -c synchronous_commit=off \
        -c full_page_writes=off -c max_connections=200 -c shared_buffers=32MB" start >/dev/null || {
    cat "$dir/server.log" >&2; exit 1; }
  ;;
stop)
  if [ -f "$dir/data/postmaster.pid" ]; then
    "${as_owner[@]}" "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null
  fi
  rm -rf "$dir"
  ;;
*)
  echo "usage: $0 start|stop DIR [PORT]" >&2
  exit 2
  ;;
esac
