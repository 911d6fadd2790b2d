#!/usr/bin/env bash
# Inside the virtual display: the app on a sealed database asks for its password first; typed, the main
# window opens, and File > Exit saves.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
app=$1 password=$2
"$app" &
pid=$!
prompt=$(visible_window '^Password Verification$') || {
  echo "FAIL: the sealed database did not ask for its password"
  kill "$pid" 2>/dev/null || true
  exit 1
}
xdotool windowfocus --sync "$prompt"
xdotool type --delay 20 "$password"
xdotool key Return
await_main_window
exit_through_file_menu
