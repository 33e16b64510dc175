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
# Codes go out by mail only: the server's log shows the mail it sent.
code=$(grep -o '"pincode":"[0-9]*"' "$here/corpus/fuzz_account/verifydevice" | grep -o '[0-9]\{8\}' \
  || grep -o 'verification code [0-9]\{8\}' "$work/server.log" | tail -n1 | grep -o '[0-9]\{8\}' || true)
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
# Keeps the first few entries of every list in a recorded reply.
trim() { # file count
  python3 - "$1" "$2" <<'PY'
import json, sys
path, count = sys.argv[1], int(sys.argv[2])
try:
    reply = json.load(open(path))
except ValueError:
    sys.exit(0)
for key, value in list(reply.items()):
    if isinstance(value, list):
        reply[key] = value[:count]
open(path, 'w').write(json.dumps(reply, separators=(',', ':')))
PY
}

# Store, library and cart lists.
save fuzz_storelists workout getVideos 'user_id=1&video_type=WORKOUT'
save fuzz_storelists programs getVideos 'user_id=1&video_type=PROGRAM'
save fuzz_storelists nutrition getVideos 'user_id=1&video_type=NUTRITION'
save fuzz_storelists search getVideos 'user_id=1&video_type=SEARCH3'
save fuzz_storelists library getLocalVideo 'user_id=1&type=WORKOUT'
post setCheckout 'user_id=1&product_id=101&quantity=1&ebook=0' >/dev/null
post setCheckout 'user_id=1&product_id=102&quantity=1&ebook=1' >/dev/null
save fuzz_storelists cart getCheckout 'user_id=1&product_type=WORKOUT'
save fuzz_storelists unknown_type getVideos 'user_id=1&video_type=NONE'
for file in "$here/corpus/fuzz_storelists"/*; do trim "$file" 3; done

# Payment and purchase answers, and the payment of the cart above.
mkdir -p "$here/corpus/fuzz_payment"
cp "$here/corpus/fuzz_storelists/cart" "$here/corpus/fuzz_payment/cart"
save fuzz_payment checkout_again setCheckout 'user_id=1&product_id=101&quantity=1&ebook=0'
# The payment of what the cart holds, as the card dialog sends it.
cart_fields=$(python3 - "$here/corpus/fuzz_payment/cart" <<'PY'
import json, sys
from decimal import Decimal
items = json.load(open(sys.argv[1])).get('checkout_list', [])
ids = '_'.join(str(item['id']) for item in items)
amount = sum(Decimal(str(item['price'])) for item in items)
print('productID=%s&amount=%s' % (ids, amount))
PY
)
payer='pay_type=manual&type=WORKOUT&user_id=1&country=US&first_name=Ann&last_name=Lee&address=1%20Main&city=Austin&state=TX&zipcode=78701&user_email=ann%40example.com&user_phone=555&expirationDate=2030-07&cardCode=123&description=x&subsebook=0'
save fuzz_payment payment_declined paymentProcess "$cart_fields&cardNumber=4000000000000002&$payer"
save fuzz_payment payment_badcard paymentProcess "$cart_fields&cardNumber=1234&$payer"
save fuzz_payment payment paymentProcess "$cart_fields&cardNumber=4242424242424242&$payer"
paid=$(printf '%s' "$cart_fields" | sed 's/^productID=\([^&]*\).*/\1/')
# 30 days after the payment: a later end day is refused.
month_ahead=$(( ($(date +%s) + 30 * 86400) * 1000 ))
ends=$(printf '%s' "$paid" | sed "s/[0-9][0-9]*/$month_ahead/g")
save fuzz_payment purchase setPurchase "user_id=1&purchase_id=$paid&endDay=$ends&status=yes"
save fuzz_payment renewal_auto paymentProcess 'pay_type=auto&productID=202&type=PROGRAM&user_id=1&amount=59.99&subsebook=0'
save fuzz_payment remove_all_programs removeAllProgramVideo 'user_id=1&product_id=201'
save fuzz_payment remove_checkout removeCheckout 'user_id=1&product_id=999'

# Program videos and the download reports.
save fuzz_programvideos program_202 getProgramVideos 'user_id=1&product_id=202'
save fuzz_programvideos program_unknown getProgramVideos 'user_id=1&product_id=99999'
save fuzz_programvideos videouri setVideoUri 'user_id=1&video_id=104&uri=&uri1=%2Ftmp%2Folva%2F.clip.mp4'
save fuzz_programvideos programuri setProgramVideoUri 'user_id=1&program_id=1002_desktop&uri1=%2Ftmp%2Folva%2F.p.mp4'
save fuzz_programvideos videouri_unknown setVideoUri 'user_id=1&video_id=99999&uri=&uri1=x'
for file in "$here/corpus/fuzz_programvideos"/program_*; do trim "$file" 3; done

# Live services: the lists, the cart and the answers around it.
save fuzz_services telehealth getService 'user_id=1&service_type=TELEHEALTH'
save fuzz_services livefitness getService 'user_id=1&service_type=LIVEFITNESS'
save fuzz_services purchases getLocalService 'user_id=1&type=TELEHEALTH'
save fuzz_services servicecheckout setServiceCheckout 'user_id=1&service_id=23&quantity=1'
save fuzz_services servicecheckout_owned setServiceCheckout 'user_id=1&service_id=21&quantity=1'
save fuzz_services cart getServiceCheckout 'user_id=1'
save fuzz_services makeappoint makeAppoint 'user_id=1&service_id=21'
save fuzz_services unknown_type getService 'user_id=1&service_type=NONE'
for file in "$here/corpus/fuzz_services"/*; do trim "$file" 3; done

# The file server's headers as the downloader reads them, and URLs.
mkdir -p "$here/corpus/fuzz_downloadheaders"
curl -s -o /dev/null -D "$work/head" -r 100-199 "$base/uploadfiles/videos/product_104.mp4" || true
grep -i '^content-range:' "$work/head" | cut -d' ' -f2- | tr -d '\r\n' > "$here/corpus/fuzz_downloadheaders/range_recorded" || true
[ -s "$here/corpus/fuzz_downloadheaders/range_recorded" ] || rm -f "$here/corpus/fuzz_downloadheaders/range_recorded"
printf '%s' 'bytes 0-1023/5000' > "$here/corpus/fuzz_downloadheaders/range"
printf '%s' 'bytes */5000' > "$here/corpus/fuzz_downloadheaders/range_unsatisfiable"
printf '%s' 'bytes 1000-4999/*' > "$here/corpus/fuzz_downloadheaders/range_unknown_total"
printf '%s' 'Bytes' > "$here/corpus/fuzz_downloadheaders/accept_bytes"
printf '%s' 'none' > "$here/corpus/fuzz_downloadheaders/accept_none"
printf '%s' "http://127.0.0.1:$port/uploadfiles/videos/program_1001.sys" > "$here/corpus/fuzz_downloadheaders/url"
echo "corpora recorded under $here/corpus"
