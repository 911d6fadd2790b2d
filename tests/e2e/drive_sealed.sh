#!/usr/bin/env bash
# Inside the virtual display: the app on a sealed database asks for its password first; typed, the main
# window opens, and File > Exit saves.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
app=$1 password=$2
"$app" &
pid=$!
prompt=""
for _ in $(seq 100); do
  prompt=$(xdotool search --onlyvisible --name '^Password Verification$' 2>/dev/null | head -1) && [ -n "$prompt" ] && break
  sleep 0.1
done
if [ -z "$prompt" ]; then
  echo "FAIL: the sealed database did not ask for its password"
  kill "$pid" 2>/dev/null || true
  exit 1
fi
xdotool windowfocus --sync "$prompt"
xdotool type --delay 20 "$password"
xdotool key Return
await_main_window
exit_through_file_menu
