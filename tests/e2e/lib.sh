# Sourced by the drivers. start_keyvane APP: starts the app in the background ($pid) and waits until its
# main window ($window) takes keys; a run with no main window fails the driver.
start_keyvane() {
  "$1" &
  pid=$!
  await_main_window
}

# Prints the first visible window whose name matches $1, waiting up to 10 s for one; fails without one.
visible_window() {
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 | grep . && return 0
    sleep 0.1
  done
  return 1
}

# Waits until the main window ($window) of the app started as $pid takes keys; fails the driver without one.
await_main_window() {
  visible_window '^Keyvane$' >/dev/null || true
  sleep 3 # the splash stays 2.3 s; the main window takes keys after it
  # The splash and the tray icon are called Keyvane too: the widest window is the main one.
  window=""
  local widest=0 w width
  for w in $(xdotool search --onlyvisible --name '^Keyvane$' 2>/dev/null); do
    width=$(xwininfo -id "$w" 2>/dev/null | awk '/Width:/ {print $2}')
    [ "${width:-0}" -gt "$widest" ] && widest=$width && window=$w
  done
  if [ -z "$window" ]; then
    echo "FAIL: no main window appeared"
    kill "$pid" 2>/dev/null || true
    exit 1
  fi
}

# Waits for the app ($pid) to end; fails the driver, saying it did not "$1", when it is still there after 10 s.
await_end() {
  for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  echo "FAIL: the app did not $1"
  kill -KILL "$pid"
  exit 1
}

# File > Exit by keyboard in $window.
exit_through_file_menu() {
  xdotool windowfocus --sync "$window"
  xdotool key --clearmodifiers alt+f
  sleep 0.5
  xdotool key Up Return
  await_end "exit through File > Exit"
  wait "$pid"
}
