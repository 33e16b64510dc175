#!/usr/bin/env bash
# Pictures of every window and dialog of the client with the demo member's
# data, at 1366x768 and at 1920x1080, and one contact sheet per size:
#
#   bash scripts/screens.sh [--language CODE] [OUTPUT_FOLDER]  (default: build/screens)
#
# OUTPUT_FOLDER/<size>/<window>.png and OUTPUT_FOLDER/contact-sheet-<size>.png,
# in the system's language. With --language (en, es, pseudo for the
# pseudo-translation, or all for the three) the pictures of each language go
# to OUTPUT_FOLDER/<language>/ instead.
# Installs what is missing and builds olva-screens, which runs olva-server
# with demo data inside itself on the offscreen platform (no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."
languages=("")
if [ "${1:-}" = "--language" ]; then
  if [ "${2:-}" = "all" ]; then languages=(en es pseudo); else languages=("${2:?a language}"); fi
  shift 2
fi
out=${1:-build/screens}
build_dir=${OLVA_BUILD_DIR:-build}
jobs=$(nproc 2>/dev/null || echo 2)

bash scripts/install-deps.sh
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
fi
cmake --build "$build_dir" --target olva-screens -j"$jobs"

font=/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF/Roboto-Regular.ttf
font_args=()
[ -f "$font" ] && font_args=(-font "$font")

status=0
for language in "${languages[@]}"; do
for size in 1366x768 1920x1080; do
  where="$out${language:+/$language}"
  folder="$where/$size"
  language_args=()
  [ -n "$language" ] && language_args=(--language "$language")
  rm -rf "$folder"
  mkdir -p "$folder"
  echo "== $size${language:+ $language}"
  log=$(mktemp)
  QT_QPA_PLATFORM=offscreen "$build_dir/tests/gallery/olva-screens" "${language_args[@]}" "$folder" "$size" | tee "$log" || status=1
  # The pictures in the gallery's order, each labelled with its name.
  mapfile -t pictures < <(awk '$1 == "saved" { print $2 }' "$log")
  rm -f "$log"
  if [ ${#pictures[@]} -eq 0 ]; then
    echo "no pictures for $size" >&2
    status=1
    continue
  fi
  montage "${font_args[@]}" -depth 8 -pointsize 16 -fill white -background '#1e1e28' \
    -label '%t' "${pictures[@]}" -tile 6x -geometry 440x+12+12 "$where/contact-sheet-$size.png"
  echo "contact sheet: $where/contact-sheet-$size.png"
done
done
exit $status
