#!/usr/bin/env bash
# Inside the virtual display: find an entry by part of its name from the keyboard, copy its password with
# Ctrl+C, read the real clipboard (the password, marked as a secret), and see it cleared after
# ClipboardSeconds (set to 2 here).
set -euo pipefail
source "$(dirname "$0")/lib.sh"
app=$1 cli=$2 ini=$3
command -v xclip >/dev/null || { echo "SKIP: xclip is not installed (search and clipboard steps)"; exit 0; }
"$cli" add --category 2 "Payroll" "clerk" "ledger-pw" "" "" >/dev/null
printf "ClipboardSeconds=2\n" >>"$ini" # the file holds the one group, [Settings]
fail() {
  echo "FAIL: $*"
  kill "$pid" 2>/dev/null || true
  exit 1
}
start_keyvane "$app"
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers ctrl+f
xdotool type --delay 50 "yrol"
sleep 0.3
xdotool key --clearmodifiers Down ctrl+c
sleep 0.5
[ "$(xclip -o -selection clipboard)" = "ledger-pw" ] || fail "Ctrl+C did not copy the password of the match"
xclip -o -selection clipboard -t TARGETS | grep -qx 'x-kde-passwordManagerHint' ||
  fail "the copied password is not marked as a secret"
[ "$(xclip -o -selection clipboard -t x-kde-passwordManagerHint)" = secret ] || fail "the mark is not \"secret\""
sleep 3
[ -z "$(xclip -o -selection clipboard 2>/dev/null || true)" ] || fail "the clipboard still holds the password"
kill -TERM "$pid"
wait "$pid" || true
