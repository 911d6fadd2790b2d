#!/usr/bin/env bash
# Inside the virtual display: start the app, wait until the splash has gone, then File > Exit by keyboard.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
app=$1
start_keyvane "$app"
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
