#!/usr/bin/env bash
# Inside the virtual display: start the app, wait until the splash has gone, then File > Exit by keyboard.
set -euo pipefail
app=$1
"$app" &
pid=$!
window=""
for _ in $(seq 100); do
  window=$(xdotool search --name '^Keyvane$' 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "FAIL: no main window appeared"; kill "$pid"; exit 1; }
sleep 3 # the splash stays 2.3 s; the main window takes keys after it
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
