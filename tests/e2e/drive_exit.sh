#!/usr/bin/env bash
# Inside the virtual display: start the app, wait until the splash has gone, then File > Exit by keyboard.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
app=$1
start_keyvane "$app"
exit_through_file_menu
