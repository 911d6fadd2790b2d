#!/usr/bin/env bash
# Inside the virtual display: start the app, then end it with SIGTERM as a logout would.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
app=$1
"$app" &
pid=$!
for _ in $(seq 100); do
  xdotool search --name '^Keyvane$' >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 3
kill -TERM "$pid"
await_end "end on SIGTERM"
wait "$pid" || { echo "FAIL: the app ended with status $? on SIGTERM"; exit 1; }
