#!/usr/bin/env bash
# Downloads a 1 GiB file from a private nginx on 127.0.0.1, once with our
# DownloadManager (bench_download) and once with curl, and prints both
# throughputs, their ratio and our peak memory.
#   bench/download/run.sh [build-dir]      (default: <repo>/build)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=${1:-$repo/build}
size_mib=${BENCH_SIZE_MIB:-1024}

cmake --build "$build" --target bench_download -j2 >/dev/null
bench=$(find "$build" -type f -name bench_download -perm -u+x | head -n1)
[ -x "$bench" ] || { echo "bench_download not built in $build" >&2; exit 1; }

work=$(mktemp -d /tmp/olva-bench-download.XXXXXX)
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

echo "Creating a ${size_mib} MiB file..."
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

echo "Downloading with DownloadManager..."
ours=$("$bench" "$url" "$work/ours")
ours_rate=$(awk '$1 == "mib_per_s" { print $2 }' <<<"$ours")
ours_peak=$(awk '$1 == "peak_kib" { print $2 }' <<<"$ours")
ours_path=$(awk '$1 == "path" { print $2 }' <<<"$ours")
ours_size=$(stat -c %s "$ours_path")
cmp -s "$ours_path" "$work/www/video.sys" || { echo "DownloadManager's copy differs" >&2; exit 1; }
rm -f "$ours_path"

echo "Downloading with curl..."
curl_rate_bps=$(curl -s -o "$work/curl/video.sys" -w '%{speed_download}' "$url")
curl_size=$(stat -c %s "$work/curl/video.sys")
rm -f "$work/curl/video.sys"

[ "$ours_size" -eq "$expected" ] || { echo "size mismatch: ours $ours_size, expected $expected" >&2; exit 1; }
[ "$curl_size" -eq "$expected" ] || { echo "size mismatch: curl $curl_size, expected $expected" >&2; exit 1; }

curl_rate=$(awk -v b="$curl_rate_bps" 'BEGIN { printf "%.1f", b / 1048576 }')
awk -v o="$ours_rate" -v c="$curl_rate" -v p="$ours_peak" -v s="$expected" 'BEGIN {
  printf "size            %d bytes (both verified)\n", s
  printf "DownloadManager %.1f MiB/s\n", o
  printf "curl            %.1f MiB/s\n", c
  printf "ratio           %.2f (goal >= 0.90)\n", o / c
  printf "peak memory     %.1f MiB (goal < 64)\n", p / 1024
}'
