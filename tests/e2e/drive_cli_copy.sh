#!/usr/bin/env bash
# Inside the virtual display: keyvane-cli copy puts a password on the real clipboard marked as a secret and
# clears it when its seconds are over; something the user copies meanwhile stays, and copy ends at once.
set -euo pipefail
cli=$1
command -v xclip >/dev/null || { echo "SKIP: xclip is not installed (keyvane-cli copy)"; exit 0; }
fail() {
  echo "FAIL: $*"
  exit 1
}
# Waits up to 5 s for the clipboard to hold $1.
holds() {
  for _ in $(seq 50); do
    [ "$(xclip -o -selection clipboard 2>/dev/null || true)" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}
"$cli" add --category 4 "gateway" "root" "tunnel-pw" "" "" >/dev/null

"$cli" copy --category 4 --index 1 --seconds 4 >/dev/null &
copier=$!
holds tunnel-pw || fail "copy did not put the password on the clipboard"
[ "$(xclip -o -selection clipboard -t x-kde-passwordManagerHint)" = secret ] || fail "the password is not marked"
wait "$copier" || fail "copy ended with an error"
[ -z "$(xclip -o -selection clipboard 2>/dev/null || true)" ] || fail "the clipboard still holds the password"

"$cli" copy --category 4 --index 1 --field 1 --seconds 60 >/dev/null &
copier=$!
holds gateway || fail "copy --field 1 did not put field 1 on the clipboard"
start=$SECONDS
echo mine | xclip -selection clipboard
wait "$copier" || fail "copy ended with an error"
[ $((SECONDS - start)) -lt 10 ] || fail "copy waited on after something else was copied"
holds mine || fail "copy cleared what the user copied"
echo "keyvane-cli copy: passed"
