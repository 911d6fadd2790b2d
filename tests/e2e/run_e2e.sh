#!/usr/bin/env bash
# Starts keyvane on a virtual display with a database written by keyvane-cli, leaves through File > Exit,
# and checks that the app wrote the file back whole and that the CLI reads the same entries from it.
set -euo pipefail
app=$1 cli=$2
here=$(cd "$(dirname "$0")" && pwd)
for tool in xvfb-run xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

# Each step gets a display of its own. The search for a free one starts at a random number, so that two
# suites run at once (a developer's and a build's) do not both reach for the first free number.
on_display() {
  local server="-screen 0 1280x1024x24"
  if [ "$1" = -noreset ]; then server+=" -noreset"; shift; fi
  xvfb-run -n $((100 + RANDOM % 800)) -a -s "$server" "$@"
}

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export KEYVANE_HOME=$home XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

"$cli" add --category 0 "Example" "anna" "s3cret é" "https://example.org" "first"
"$cli" add --category 5 "Locker" "anna" "" "" ""
expected=$("$cli" list --show)
db=$(ls "$home"/*.adr)
inode_before=$(stat -c %i "$db")

on_display bash "$here/drive_exit.sh" "$app"

inode_after=$(stat -c %i "$db")
[ "$inode_before" != "$inode_after" ] || { echo "FAIL: the app did not write the database at exit"; exit 1; }
actual=$("$cli" list --show)
[ "$actual" = "$expected" ] || { printf 'FAIL: entries differ\nexpected:\n%s\nactual:\n%s\n' "$expected" "$actual"; exit 1; }
grep -qx 'Hidden=True' "$home/keyvane.ini" || { echo "FAIL: Hidden was not written at exit"; exit 1; }
[ "$(stat -c %a "$db")" = 600 ] || { echo "FAIL: the database is not owner-only"; exit 1; }

# A logout's SIGTERM ends the run as Exit does: the database is written back and the lock released.
on_display bash "$here/drive_term.sh" "$app"
[ "$(stat -c %i "$db")" != "$inode_after" ] || { echo "FAIL: SIGTERM did not save the database"; exit 1; }
[ "$("$cli" list --show)" = "$expected" ] || { echo "FAIL: entries differ after SIGTERM"; exit 1; }
[ ! -e "$db.lock" ] || { echo "FAIL: the lock was left behind"; exit 1; }
on_display bash "$here/drive_selection_dialogs.sh" "$app" "$cli"
on_display bash "$here/drive_search_clipboard.sh" "$app" "$cli" "$home/keyvane.ini"
# Each copy's keyvane-clip is the display's only client: without -noreset the server resets when one ends,
# and the next may try to connect during the reset.
on_display -noreset bash "$here/drive_cli_copy.sh" "$cli"

# A sealed database: the app asks for the password, and the exit save leaves a sealed file that the same
# password still opens.
vault=$home/vault
KEYVANE_HOME=$vault "$cli" add --category 0 "Vault" "anna" "v4ult-pw" "" "" >/dev/null
printf 'open sesame\n' | KEYVANE_HOME=$vault "$cli" encrypt >/dev/null
sealed=$(ls "$vault"/*.adr)
sealed_inode=$(stat -c %i "$sealed")
KEYVANE_HOME=$vault on_display bash "$here/drive_sealed.sh" "$app" "open sesame"
[ "$(stat -c %i "$sealed")" != "$sealed_inode" ] || { echo "FAIL: the app did not save the sealed database"; exit 1; }
! grep -aq 'v4ult' "$sealed" || { echo "FAIL: the sealed database holds a field in the clear"; exit 1; }
[ "$(printf 'open sesame\n' | KEYVANE_HOME=$vault "$cli" list --show)" = "$(printf '0\tVault\tanna\tv4ult-pw\t\t')" ] ||
  { echo "FAIL: the saved sealed database does not open with its password"; exit 1; }

# Another computer's copy renamed over the database while A is deleted here: the exit keeps B and FromOtherPC.
for folder in sync other; do
  for site in A B; do KEYVANE_HOME=$home/$folder "$cli" add --category 0 "$site" anna "" "" "" >/dev/null; done
done
KEYVANE_HOME=$home/other "$cli" add --category 0 FromOtherPC anna "" "" "" >/dev/null
synced=$(ls "$home"/sync/*.adr)
KEYVANE_HOME=$home/sync on_display bash "$here/drive_sync.sh" "$app" \
  "$(ls "$home"/other/*.adr)" "$synced"
sites=$("$cli" --db "$synced" list | cut -f2 | tr '\n' ' ')
[ "$sites" = "B FromOtherPC " ] || { echo "FAIL: after the sync and the exit the database holds: $sites"; exit 1; }
echo "2 passed, 0 failed"
