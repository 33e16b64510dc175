#!/usr/bin/env bash
# Installs what is missing, builds, starts olva-server with demo data on
# 127.0.0.1:8618 and runs the client against it. The server stops with the client.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
build_dir=${OLVA_BUILD_DIR:-build}
port=${OLVA_PORT:-8618}
state_dir=${OLVA_SERVER_DIR:-$HOME/.local/share/olva-server}
mkdir -p "$state_dir"

# Files go out at 512 KiB/s by default, so a demo video's download shows its
# progress, speed and pause; OLVA_DEMO_THROTTLE_KIB=0 lifts the limit.
"$build_dir"/server/olva-server --port "$port" --db "$state_dir/olva.sqlite" \
    --files "$state_dir/files" --demo --throttle "${OLVA_DEMO_THROTTLE_KIB:-512}" &
server_pid=$!
trap 'kill $server_pid 2>/dev/null || true' EXIT

# The first start renders the demo pictures and videos: give it a minute.
ready=false
for _ in $(seq 1 300); do
  if curl -s -o /dev/null -X POST "http://127.0.0.1:$port/api/checkVersion" -d platform=windows; then
    ready=true
    break
  fi
  kill -0 "$server_pid" 2>/dev/null || break
  sleep 0.2
done
if ! $ready; then
  echo "olva-server did not start on 127.0.0.1:$port (is the port taken?)" >&2
  exit 1
fi

cat <<MSG
olva-server is running on 127.0.0.1:$port with demo data.
  Demo member:  demo@olva.local / olva-demo-2026
  The first sign-in on this computer asks for an 8-digit code: the server
  prints it in this terminal ("verification code ...").
  Test cards:   4242 4242 4242 4242 is accepted, 4000 0000 0000 0002 is declined
                (any future expiry date, any 3-digit code).
MSG

# Without a display (a server, a container), run under a virtual X server.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: running the client under Xvfb (DISPLAY=:99)."
  Xvfb :99 -screen 0 1920x1080x24 >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill $server_pid $xvfb_pid 2>/dev/null || true' EXIT
  export DISPLAY=:99
  sleep 1
fi

OLVA_API_HOST="127.0.0.1:$port" "$build_dir"/OlvaApp
