#!/usr/bin/env bash
# Inside the virtual display, with a tray host: the row a command acts on is the highlighted one (shown
# at start, kept when the empty area below the rows is clicked), and the tray's Settings while Settings
# is open brings that window forward instead of opening a second one.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
app=$1 cli=$2
"$cli" add --category 0 "Second" "bob" "pw" "" "" >/dev/null
shot=$(mktemp --suffix=.png)
tray=""
pid=""
cleanup() {
  if [ -n "$pid" ]; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  [ -n "$tray" ] && kill "$tray" 2>/dev/null || true
  rm -f "$shot"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  exit 1
}

# The tray must be there before the app looks for it; a tray host that could not open the display (another
# virtual display starting at the same moment) is started again.
for _ in 1 2 3; do
  trayer --edge bottom --align right --widthtype request --height 32 --SetDockType true >/dev/null 2>&1 &
  tray=$!
  for _ in $(seq 30); do
    xdotool search --classname '^panel$' >/dev/null 2>&1 && break 2
    sleep 0.1
  done
  kill "$tray" 2>/dev/null || true
done
xdotool search --classname '^panel$' >/dev/null 2>&1 || fail "the tray host did not start"
sleep 0.5
start_keyvane "$app"

# Pixels in the list's highlight colour within a band of the window (height 15 from y).
highlighted() {
  import -window "$window" "$shot"
  convert "$shot" -crop "600x15+10+$1" -fuzz 8% -fill black +opaque '#308CC6' -fill white -opaque '#308CC6' \
    -format '%[fx:int(mean*w*h)]' info:
}
row1=187 row2=206 # the first two rows of the Web Pages list, under the search box

[ "$(highlighted $row1)" -gt 3000 ] || fail "no row is highlighted at start"
xdotool mousemove --window "$window" 100 $((row2 + 7)) click 1
sleep 0.3
xdotool mousemove --window "$window" 100 285 click 1 # the empty area below the rows
sleep 0.3
[ "$(highlighted $row2)" -gt 3000 ] || fail "a click on the empty area took the highlight away"
[ "$(highlighted $row1)" -lt 100 ] || fail "the first row is still highlighted"
xdotool mousemove --window "$window" 122 40 click 1 # Delete on the toolbar
sleep 0.3
[ "$(highlighted $row1)" -gt 3000 ] || fail "no row is highlighted after a delete"

# Settings from the Tools menu, then the tray's Settings.
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers alt+t
sleep 0.5
xdotool key Up Return
sleep 1
[ "$(xdotool search --onlyvisible --name '^Settings$' | wc -l)" = 1 ] || fail "Tools > Settings did not open"
icon=""
for _ in $(seq 50); do
  for w in $(xdotool search --onlyvisible --pid "$pid"); do
    [ "$(xwininfo -id "$w" 2>/dev/null | awk '/Width:/ {print $2}')" -le 32 ] 2>/dev/null && icon=$w
  done
  [ -n "$icon" ] && break
  sleep 0.1
done
[ -n "$icon" ] || fail "no tray icon"
xdotool mousemove --window "$icon" 8 8 click 3
sleep 0.7
xdotool key Down Down Return
sleep 1
[ "$(xdotool search --onlyvisible --name '^Settings$' | wc -l)" = 1 ] || fail "a second Settings window opened"
# Ended as a logout would, with Settings still open: the database is written back as at Exit.
kill -TERM "$pid"
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the app did not end on SIGTERM"
wait "$pid"
pid=""
listed=$("$cli" list --category 0)
grep -q Second <<<"$listed" && fail "Delete did not remove the highlighted row"
grep -q Example <<<"$listed" || fail "Delete removed a row that was not highlighted"
echo "selection and single dialogs: passed"
