#!/usr/bin/env bash
# Undo and redo in the real window, driven by real X keys (xdotool) on a private X server: an
# erase (the list's context menu from the keyboard), a unit's powers replaced in the new-unit
# dialog, a restore and a backup are each undone with Ctrl+Z, the file byte-identical to what it
# was, and redone with Ctrl+Shift+Z (Ctrl+Y), byte-identical to what the change made. Then a unit
# erased in the window and saved again by calpero-cli meanwhile: Ctrl+Z keeps the terminal's unit
# and the window says why in a message box (its text is checked by the window tests). Last,
# calpero-cli restore NAME with a backup that holds the unit.
# Usage: undo_road.sh <calpero program> <calpero-cli> <sample catalogue>
set -euo pipefail

program=$(realpath "$1")
cli=$(realpath "$2")
sample=$(realpath "$3")
scratch=$(mktemp -d)
# shellcheck source=tests/support/x_session.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/x_session.sh"

finish() {
  local status=$?
  stop_started
  if ((status != 0)) && [[ -f "$scratch/calpero.out" ]]; then
    echo "--- the window's output:" >&2
    cat "$scratch/calpero.out" >&2
  fi
  rm -rf "$scratch"
  exit "$status"
}
trap finish EXIT

command -v Xvfb >/dev/null && command -v xdotool >/dev/null ||
  { echo "FAIL: Xvfb or xdotool is missing: run scripts/install-dependencies.sh" >&2; exit 1; }

work="$scratch/workspace"
data="$work/Data/data.ini"
backup="$work/Backup/data.ini"
mkdir -m 700 "$scratch/runtime"
mkdir -p "$work/Data" "$work/Backup"
cp "$sample" "$data"
# A backup older than the catalogue, with its own line ends, for the restore to bring in.
printf '[Newton]\r\nMass=1\r\nLength=1\r\nTemperature=0\r\nTime=-2\r\n[Old]\r\nMass=3\r\n' \
  >"$backup"
export XDG_RUNTIME_DIR="$scratch/runtime" LANG=C.UTF-8 LC_ALL=C.UTF-8 LANGUAGE=en
unset WAYLAND_DISPLAY SESSION_MANAGER

start_x_server "$scratch"
started+=("$x_server_pid")
export DISPLAY=$x_display

(cd "$work" && QT_QPA_PLATFORM=xcb exec "$program") >"$scratch/calpero.out" 2>&1 &
started+=($!)
main=$(timeout 30 xdotool search --sync --onlyvisible --name '^Calpero$' | head -n1)
timeout 30 xdotool windowfocus --sync "$main"

keys() { timeout 30 xdotool key --delay 60 "$@"; }

# Waits up to 10 s until `file` holds exactly the bytes of `expected` (a file), or is missing
# when `expected` is "missing".
wait_same() {
  local file=$1 expected=$2 what=$3
  local deadline=$((SECONDS + 10))
  while true; do
    if [[ $expected == missing ]]; then
      [[ ! -e $file ]] && break
    elif cmp -s "$file" "$expected"; then
      break
    fi
    if ((SECONDS >= deadline)); then
      echo "FAIL: $what" >&2
      [[ $expected == missing ]] || diff <(od -c "$expected") <(od -c "$file") | head -n 20 >&2
      exit 1
    fi
    sleep 0.1
  done
  echo "ok: $what"
}

# Waits until `file` changes from `old` and keeps a copy of it as `copy`.
wait_changed() {
  local file=$1 old=$2 copy=$3 what=$4
  local deadline=$((SECONDS + 10))
  until [[ -e $file ]] && ! cmp -s "$file" "$old"; do
    ((SECONDS < deadline)) || { echo "FAIL: $what made no change" >&2; exit 1; }
    sleep 0.1
  done
  sleep 0.2
  cp "$file" "$copy"
  echo "ok: $what changed the file"
}

# Fails unless the catalogue has no unit `name`. A bare "! grep" would not stop the script:
# errexit passes over a negated command.
lacks_unit() {
  if grep -q "^\[$1\]" "$data"; then
    echo "FAIL: the catalogue still holds $1" >&2
    exit 1
  fi
}

# Gives the main window the keyboard back, as a window manager would when a dialog closes.
focus_main() { timeout 30 xdotool windowfocus --sync "$main"; }

# The list has the focus at start: its type-ahead makes Newton current; the context menu key
# opens "Delete" on it.
erase_by_keys() {
  timeout 30 xdotool type --delay 60 "$1"
  keys Menu
  sleep 0.3
  keys Down Return
}

# 1. An erase.
cp "$data" "$scratch/erase.before"
erase_by_keys Newton
wait_changed "$data" "$scratch/erase.before" "$scratch/erase.after" "erase of Newton"
lacks_unit Newton
keys ctrl+z
wait_same "$data" "$scratch/erase.before" "Ctrl+Z after the erase: the catalogue byte-identical"
keys ctrl+shift+z
wait_same "$data" "$scratch/erase.after" "Ctrl+Shift+Z redoes the erase"

# 2. A unit's powers replaced in the dialog (Gram's 1 0 0 0 by the zeros it opens with).
cp "$data" "$scratch/replace.before"
keys ctrl+n
dialog=$(timeout 30 xdotool search --sync --onlyvisible --name '^Create Variable Dialogue$' | head -n1)
timeout 30 xdotool windowfocus --sync "$dialog"
timeout 30 xdotool type --delay 60 Gram
# "Save && Exit" takes no keyboard focus: it is clicked.
timeout 30 xdotool mousemove --window "$dialog" 372 152 click 1
question=$(timeout 30 xdotool search --sync --onlyvisible --name '^Warning$' | head -n1)
timeout 30 xdotool windowfocus --sync "$question"
keys Return
wait_changed "$data" "$scratch/replace.before" "$scratch/replace.after" "replace of Gram"
focus_main
keys ctrl+z
wait_same "$data" "$scratch/replace.before" "Ctrl+Z after the replace: old powers in their old spelling"
keys ctrl+shift+z
wait_same "$data" "$scratch/replace.after" "Ctrl+Shift+Z redoes the replace"

# 3. A restore.
cp "$data" "$scratch/restore.before"
keys ctrl+shift+r
wait_same "$data" "$backup" "Ctrl+Shift+R restores the backup"
cp "$data" "$scratch/restore.after"
keys ctrl+z
wait_same "$data" "$scratch/restore.before" "Ctrl+Z after the restore: the catalogue byte-identical"
keys ctrl+y
wait_same "$data" "$scratch/restore.after" "Ctrl+Y redoes the restore"
keys ctrl+z
wait_same "$data" "$scratch/restore.before" "Ctrl+Z once more"

# 4. A backup over the previous one, and one over none.
cp "$backup" "$scratch/backup.before"
keys ctrl+b
wait_same "$backup" "$data" "Ctrl+B backs up"
keys ctrl+z
wait_same "$backup" "$scratch/backup.before" "Ctrl+Z after the backup: the previous backup byte-identical"
keys ctrl+shift+z
wait_same "$backup" "$data" "Ctrl+Shift+Z redoes the backup"
rm "$backup"
keys ctrl+b
wait_same "$backup" "$data" "Ctrl+B backs up where there was no backup"
keys ctrl+z
wait_same "$backup" missing "Ctrl+Z after a backup over none removes it"

# 5. Erased in the window, saved again from a terminal: Ctrl+Z keeps the terminal's unit.
cp "$data" "$scratch/other.before"
erase_by_keys Kilogram
wait_changed "$data" "$scratch/other.before" "$scratch/other.erased" "erase of Kilogram"
(cd "$work" && "$cli" save Kilogram 2 0 0 0)
cp "$data" "$scratch/other.terminal"
keys ctrl+z
box=$(timeout 30 xdotool search --sync --onlyvisible --name '^Calpero$' | grep -vx "$main" | head -n1)
[[ -n $box ]] || { echo "FAIL: no message box" >&2; exit 1; }
wait_same "$data" "$scratch/other.terminal" "Ctrl+Z over calpero-cli's Kilogram writes nothing, and a box tells why"
timeout 30 xdotool windowfocus --sync "$box"
keys Return

# 6. calpero-cli restore NAME with a backup that holds the unit (the catalogue has been without
# Newton since the erase was redone).
lacks_unit Newton
printf '[Newton]\r\nMass=1\r\nLength=1\r\nTemperature=0\r\nTime=-2\r\n[Old]\r\nMass=3\r\n' \
  >"$backup"
cp "$data" "$scratch/cli.before"
(cd "$work" && "$cli" restore Newton)
{
  cat "$scratch/cli.before"
  printf '[Newton]\r\nMass=1\r\nLength=1\r\nTemperature=0\r\nTime=-2\r\n'
} >"$scratch/cli.expected"
wait_same "$data" "$scratch/cli.expected" "calpero-cli restore Newton: Newton back, every other unit as it was"
echo "PASS"
