#!/usr/bin/env bash
# Inside the virtual display: find an entry by part of its name from the keyboard, copy its password with
# Ctrl+C, read the real clipboard (the password, marked as a secret), and see it cleared after
# ClipboardSeconds (set to 2 here).
set -euo pipefail
app=$1 cli=$2 ini=$3
command -v xclip >/dev/null || { echo "SKIP: xclip is not installed (search and clipboard steps)"; exit 0; }
"$cli" add --category 2 "Payroll" "clerk" "ledger-pw" "" "" >/dev/null
printf "ClipboardSeconds=2\n" >>"$ini" # the file holds the one group, [Settings]
fail() {
  echo "FAIL: $*"
  kill "$pid" 2>/dev/null || true
  exit 1
}
"$app" &
pid=$!
for _ in $(seq 100); do
  xdotool search --onlyvisible --name '^Keyvane$' >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 3 # the splash stays 2.3 s
window=""
widest=0
for w in $(xdotool search --onlyvisible --name '^Keyvane$' 2>/dev/null); do
  width=$(xwininfo -id "$w" 2>/dev/null | awk '/Width:/ {print $2}')
  [ "${width:-0}" -gt "$widest" ] && widest=$width && window=$w
done
[ -n "$window" ] || fail "no main window appeared"
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
