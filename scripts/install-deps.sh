#!/usr/bin/env bash
# Installs the Debian packages needed to build, run and test the client and
# olva-server. Does nothing when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev-tools
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  qt6-multimedia-dev qt6-scxml-dev qt6-httpserver-dev qt6-websockets-dev
  libqt6sql6-sqlite libqt6sql6-psql libqt6opengl6-dev libgl-dev libxkbcommon-dev
  postgresql-15 postgresql-client-15
  qt6-qpa-plugins
  fonts-roboto-unhinted
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav
  xvfb xauth
  qt6-charts-dev qtkeychain-qt6-dev
  clang libclang-rt-14-dev lld
  ccache
  nginx-light curl ffmpeg wrk
  imagemagick
  desktop-file-utils appstream
  dbus-daemon
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
