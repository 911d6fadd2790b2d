#!/usr/bin/env bash
# Inside the virtual display, on a database holding A and B: A is deleted in the app while a sync engine
# renames another computer's copy (A, B and FromOtherPC) over the file; then File > Exit.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
app=$1 other=$2 db=$3
start_keyvane "$app"
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers alt+f
sleep 0.5
xdotool key Right Down Down Return # Entry > Delete, on A, the row selected at start
sleep 0.5
cp "$other" "$db.syncing"
mv "$db.syncing" "$db"
sleep 1
exit_through_file_menu
