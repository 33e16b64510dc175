#!/usr/bin/env bash
# Download throughput of DownloadManager (bench_download) against curl, both
# fetching one file from a private nginx on 127.0.0.1 into a memory-backed
# folder (/dev/shm), so that page-cache writeback does not decide the result.
# The two alternate (ours, curl, ours, curl, ...) for BENCH_PAIRS pairs; the
# figures are the median of the pairwise throughput ratios (goal >= 0.90),
# each side's median CPU seconds (user + system) per GiB, the figure the
# machine's noise moves least, and our highest peak memory. Then BENCH_BUSY
# downloads run with the main thread blocked for 50 ms of every 100 ms (a busy
# window); their highest peak memory is printed as well (goal <= 32 MiB).
# Qt sometimes reads far ahead of a reply's read buffer at its start, so a
# single run may miss a high peak.
#   bench/download/run.sh [build-dir]      (default: <repo>/build)
#   BENCH_SIZE_MIB=1024 BENCH_PAIRS=5 BENCH_BUSY=5   (defaults)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=${1:-$repo/build}
size_mib=${BENCH_SIZE_MIB:-1024}
pairs=${BENCH_PAIRS:-5}
busy_runs=${BENCH_BUSY:-5}
[ "$pairs" -ge 1 ] || { echo "BENCH_PAIRS must be at least 1" >&2; exit 1; }

cmake --build "$build" --target bench_download -j2 >/dev/null
bench=$(find "$build" -type f -name bench_download -perm -u+x | head -n1)
[ -x "$bench" ] || { echo "bench_download not built in $build" >&2; exit 1; }

shm=/dev/shm
[ -d "$shm" ] && [ -w "$shm" ] || { echo "$shm is not writable" >&2; exit 1; }
work=$(mktemp -d "$shm/olva-bench-download.XXXXXX")
nginx_pid=
cleanup() {
  if [ -n "$nginx_pid" ]; then
    kill "$nginx_pid" 2>/dev/null || true
    wait "$nginx_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"
mkdir -p "$work/www" "$work/ours" "$work/curl" "$work/temp"

echo "Creating a ${size_mib} MiB file in $shm..."
head -c "$((size_mib * 1024 * 1024))" /dev/urandom >"$work/www/video.sys"
expected=$(stat -c %s "$work/www/video.sys")

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
cat >"$work/nginx.conf" <<CONF
daemon off;
master_process off;
worker_processes 1;
pid $work/nginx.pid;
error_log $work/error.log;
events { worker_connections 64; }
http {
  access_log off;
  sendfile on;
  tcp_nopush on;
  client_body_temp_path $work/temp/body;
  proxy_temp_path $work/temp/proxy;
  fastcgi_temp_path $work/temp/fastcgi;
  uwsgi_temp_path $work/temp/uwsgi;
  scgi_temp_path $work/temp/scgi;
  types { application/octet-stream sys; }
  server {
    listen 127.0.0.1:$port;
    root $work/www;
  }
}
CONF
nginx -p "$work" -c "$work/nginx.conf" -e "$work/error.log" &
nginx_pid=$!
url="http://127.0.0.1:$port/video.sys"
for _ in $(seq 50); do
  curl -sfI "$url" >/dev/null 2>&1 && break
  sleep 0.1
done
curl -sfI "$url" >/dev/null || { echo "nginx did not start" >&2; cat "$work/error.log" >&2; exit 1; }

# Runs a command and prints "wall_seconds cpu_seconds" (user + system of
# the command and its children); its output goes to $MEASURE_OUT.
measure() {
  python3 - "$@" <<'PY'
import os, resource, subprocess, sys, time
start = time.perf_counter()
with open(os.environ.get("MEASURE_OUT", os.devnull), "w") as out:
    subprocess.run(sys.argv[1:], check=True, stdout=out)
wall = time.perf_counter() - start
usage = resource.getrusage(resource.RUSAGE_CHILDREN)
print(f"{wall:.6f} {usage.ru_utime + usage.ru_stime:.6f}")
PY
}

results="$work/results"
: >"$results"
peak_kib=0
for pair in $(seq "$pairs"); do
  ours_path="$work/ours/.video.mp4"
  ours=$(MEASURE_OUT="$work/ours.txt" measure "$bench" "$url" "$work/ours")
  peak=$(awk '$1 == "peak_kib" { print $2 }' "$work/ours.txt")
  [ "$peak" -gt "$peak_kib" ] && peak_kib=$peak
  cmp -s "$ours_path" "$work/www/video.sys" || { echo "DownloadManager's copy differs" >&2; exit 1; }
  rm -f "$ours_path"

  curl_out="$work/curl/video.sys"
  theirs=$(measure curl -s -o "$curl_out" "$url")
  [ "$(stat -c %s "$curl_out")" -eq "$expected" ] || { echo "curl's copy has the wrong size" >&2; exit 1; }
  rm -f "$curl_out"

  echo "$pair $ours $theirs" | tee -a "$results" | awk -v s="$expected" '{
    printf "pair %d: ours %.1f MiB/s (%.2f CPU s), curl %.1f MiB/s (%.2f CPU s)\n",
      $1, s / 1048576 / $2, $3, s / 1048576 / $4, $5 }'
done

busy_peak_kib=0
for run in $(seq "$busy_runs"); do
  ours_path="$work/ours/.video.mp4"
  "$bench" --busy-gui "$url" "$work/ours" >"$work/busy.txt"
  peak=$(awk '$1 == "peak_kib" { print $2 }' "$work/busy.txt")
  [ "$peak" -gt "$busy_peak_kib" ] && busy_peak_kib=$peak
  cmp -s "$ours_path" "$work/www/video.sys" || { echo "DownloadManager's copy differs (busy GUI)" >&2; exit 1; }
  rm -f "$ours_path"
  awk -v s="$expected" -v r="$run" '$1 == "seconds" { t = $2 } $1 == "peak_kib" { p = $2 }
    END { printf "busy GUI run %d: %.1f MiB/s, peak %.1f MiB\n", r, s / 1048576 / t, p / 1024 }' "$work/busy.txt"
done

python3 - "$results" "$expected" "$peak_kib" "$busy_peak_kib" "$busy_runs" <<'PY'
import statistics, sys
rows = [list(map(float, line.split())) for line in open(sys.argv[1]) if line.strip()]
size = int(sys.argv[2])
gib = size / 1024**3
mib = size / 1024**2
ratios = [(mib / r[1]) / (mib / r[3]) for r in rows]
print(f"size            {size} bytes (every copy verified), {len(rows)} pairs, in /dev/shm")
print(f"DownloadManager median {statistics.median(mib / r[1] for r in rows):.1f} MiB/s, "
      f"{statistics.median(r[2] for r in rows) / gib:.2f} CPU s/GiB")
print(f"curl            median {statistics.median(mib / r[3] for r in rows):.1f} MiB/s, "
      f"{statistics.median(r[4] for r in rows) / gib:.2f} CPU s/GiB")
print(f"ratios          {' '.join(f'{x:.2f}' for x in ratios)}")
print(f"median ratio    {statistics.median(ratios):.2f} (goal >= 0.90)")
print(f"peak memory     {float(sys.argv[3]) / 1024:.1f} MiB (goal < 64)")
if int(sys.argv[5]) > 0:
    print(f"peak, busy GUI  {float(sys.argv[4]) / 1024:.1f} MiB (goal <= 32)")
PY
