#!/usr/bin/env bash
# Records the seed corpora of the fuzz targets from a fresh `olva-server --demo`:
# one file per reply, so the fuzzers start from what the service really sends.
#   bench/fuzz/record-corpora.sh [path/to/olva-server]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
server=${1:-$repo/build/server/olva-server}
port=${OLVA_RECORD_PORT:-18671}
work=$(mktemp -d /tmp/olva-fuzz-record.XXXXXX)
pid=
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

QT_QPA_PLATFORM=offscreen "$server" --demo --no-videos --port "$port" --db "$work/db.sqlite" \
  --files "$work/files" >"$work/server.log" 2>&1 &
pid=$!
base="http://127.0.0.1:$port"
for _ in $(seq 1 100); do
  curl -s -o /dev/null -X POST "$base/api/checkVersion" && break
  sleep 0.2
done

jar="$work/cookies"
post() { # endpoint form
  curl -s -b "$jar" -c "$jar" -X POST -H 'Content-Type: application/x-www-form-urlencoded' \
    --data "$2" "$base/api/$1"
}
save() { # target name endpoint form
  mkdir -p "$here/corpus/$1"
  post "$3" "$4" > "$here/corpus/$1/$2"
}

demo='email=demo%40olva.local&password=olva-demo-2026&deviceToken=FUZZSEED&deviceType=desktop'
save fuzz_account checkversion checkVersion ''
save fuzz_account signin_unregistered signin "$demo"
save fuzz_account signin_wrongpassword signin 'email=demo%40olva.local&password=nope&deviceToken=FUZZSEED'
save fuzz_account verifydevice verifyDevice "$demo"
code=$(grep -o '"pincode":"[0-9]*"' "$here/corpus/fuzz_account/verifydevice" | grep -o '[0-9]\{8\}' || true)
post registerToken "$demo&pincode=$code" >/dev/null
save fuzz_account signin signin "$demo"
save fuzz_account details getMyDetails "$demo"
save fuzz_account forgot forgot 'email=demo%40olva.local'
save fuzz_account missing_field signin ''

save fuzz_food foodlist getFoodList 'user_id=1'
# Three categories of four foods are enough to start from.
python3 - "$here/corpus/fuzz_food/foodlist" <<'PY'
import json, sys
reply = json.load(open(sys.argv[1]))
reply['food_list'] = reply['food_list'][:3]
for category in reply['food_list']:
    category['calorie_list'] = category['calorie_list'][:4]
open(sys.argv[1], 'w').write(json.dumps(reply, separators=(',', ':')))
PY
save fuzz_food foodlist_unknown getFoodList 'user_id=77'
printf '%s' '12:150.5:1@13:80:0@7:312.25:2' > "$here/corpus/fuzz_food/dayrecord"
printf '%s' '1450' > "$here/corpus/fuzz_food/total"
save fuzz_history history getHistory 'email=demo%40olva.local&user_id=1'
save fuzz_history history_unknown getHistory 'email=nobody%40olva.local&user_id=1'
for table in breakfast lunch thirdsnack; do
  save fuzz_samplelists "sample_$table" getSampleList "user_id=1&table_name=tb_sample$table"
done
save fuzz_samplelists sample_unknown getSampleList 'user_id=1&table_name=tb_none'

save fuzz_community friends getFriends 'user_id=1'
save fuzz_community realfriends getRealFriends 'user_id=1'
save fuzz_community offers specialOffers 'user_id=1'
save fuzz_community offer specialOffer 'user_id=1'
save fuzz_community about aboutUs ''
save fuzz_community unknown_member getFriends 'user_id=77'

# The downloader's input is a URL: those the demo replies hand out.
mkdir -p "$here/corpus/fuzz_downloadnames"
grep -ho '"http[^"]*"' "$here/corpus/fuzz_community"/* | tr -d '"' | sed 's|\\/|/|g' | sort -u | head -n 6 \
  | while read -r url; do printf '%s' "$url" > "$here/corpus/fuzz_downloadnames/$(basename "$url" | tr -c 'a-zA-Z0-9._\n' '_')"; done
printf '%s' "http://127.0.0.1:$port/uploadfiles/videos/workout%2F..%2Fsys.sys?x=1" > "$here/corpus/fuzz_downloadnames/encoded"

# The server's input: form bodies as the client sends them, and Range headers.
mkdir -p "$here/corpus/fuzz_serverform"
printf '%s' "$demo" > "$here/corpus/fuzz_serverform/signin"
printf '%s' 'user_id=1&product_id=12&amount=2' > "$here/corpus/fuzz_serverform/cart"
printf '%s' 'user_id=1&date=2026-12-07&calories=1450.5' > "$here/corpus/fuzz_serverform/calories"
printf '%s' 'bytes=0-1023' > "$here/corpus/fuzz_serverform/range"
printf '%s' 'bytes=1000-' > "$here/corpus/fuzz_serverform/range_open"
printf '%s' 'bytes=-500' > "$here/corpus/fuzz_serverform/range_suffix"
echo "corpora recorded under $here/corpus"
