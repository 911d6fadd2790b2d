#!/usr/bin/env bash
# Inside the virtual display: start the app, wait until the splash has gone, then File > Exit by keyboard.
set -euo pipefail
app=$1
"$app" &
pid=$!
for _ in $(seq 100); do
  xdotool search --onlyvisible --name '^Keyvane$' >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 3 # the splash stays 2.3 s; the main window takes keys after it
# The splash is called Keyvane too, and may have been found first: the widest window is the main one.
window=""
widest=0
for w in $(xdotool search --onlyvisible --name '^Keyvane$' 2>/dev/null); do
  width=$(xwininfo -id "$w" 2>/dev/null | awk '/Width:/ {print $2}')
  [ "${width:-0}" -gt "$widest" ] && widest=$width && window=$w
done
[ -n "$window" ] || { echo "FAIL: no main window appeared"; kill "$pid"; exit 1; }
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers alt+f
sleep 0.5
xdotool key Up Return
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "FAIL: the app did not exit through File > Exit"
  kill "$pid"
  exit 1
fi
wait "$pid"
