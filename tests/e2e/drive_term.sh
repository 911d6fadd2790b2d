#!/usr/bin/env bash
# Inside the virtual display: start the app, then end it with SIGTERM as a logout would.
set -euo pipefail
app=$1
"$app" &
pid=$!
for _ in $(seq 100); do
  xdotool search --name '^Keyvane$' >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 3
kill -TERM "$pid"
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "FAIL: the app did not end on SIGTERM"
  kill -KILL "$pid"
  exit 1
fi
wait "$pid" || { echo "FAIL: the app ended with status $? on SIGTERM"; exit 1; }
