# Members for the server benches, sourced by run.sh and scale.sh. Needs
# $base (the API's address), $work (where the servers write server*.log) and,
# for the writers, $connections and $demo_session.

call() { curl -s -m 10 -d "$2" "$base/$1"; }

# Signs the member in from the benchmark's computer, registering it with
# the mailed code when needed (printed by whichever instance issued it),
# and prints the session token.
session_for() {
  local email="$1" password="$2" token="$3" form code
  form="email=$email&password=$password&deviceToken=$token&deviceType=windows"
  if call signin "$form" | grep -q '"result_code":3'; then
    call verifyDevice "email=$email" >/dev/null
    code="$(cat "$work"/server*.log | grep "^mail to ${email//%40/@}: Verify" | tail -1 \
            | sed 's/.*code \([0-9]*\)).*/\1/')"
    call registerToken "email=$email&deviceToken=$token&deviceType=windows&pincode=$code" >/dev/null
  fi
  curl -s -m 10 -D - -o /dev/null -d "$form" "$base/signin" \
    | sed -n 's/^Set-Cookie: olva_session=\([0-9a-f]*\);.*/\1/p' | tr -d '\r'
}

# One member per writing connection, as "user_id:session,..." for writes.lua.
writer_members() {
  local members="" i email id session
  for i in $(seq 1 "$connections"); do
    email="bench$i%40olva.local"
    id="$(call signup "email=$email&password=bench-pass&username=Bench%20$i" \
          | python3 -c 'import json,sys; print(json.load(sys.stdin).get("user_id", ""))')"
    session="$(session_for "$email" bench-pass "BENCH-W$i")"
    [ -n "$id" ] && [ -n "$session" ] || { echo "could not set up writer $i" >&2; return 1; }
    members="$members${members:+,}$id:$session"
  done
  echo "$members"
}

# A priced product of the demo store, as "id price", for the payments.
demo_product() {
  curl -s -m 10 -b "olva_session=$demo_session" -d "user_id=1&video_type=WORKOUT" "$base/getVideos" \
    | python3 -c 'import json,sys
for item in json.load(sys.stdin).get("video_list", []):
    if float(item.get("price", "0")) > 0:
        print(item["id"], item["price"]); break'
}
