#!/usr/bin/env bash
# Calpero on a Wayland desktop, driven through the compositor's own seat. weston runs with its X11
# backend inside a private Xvfb; xdotool moves the pointer of that Xvfb, which is weston's seat.
#  1. weston with XWayland, qt6-wayland installed, WAYLAND_DISPLAY, DISPLAY and
#     XDG_SESSION_TYPE=wayland set and no QT_QPA_PLATFORM: the window is an X client of XWayland,
#     and a unit dragged from the list onto the lower part of the trash, where a drop computed
#     through the frame's unknown offset would miss, is erased from the catalogue.
#  2. weston alone, no X server: the window is a native Wayland surface, and a click on the
#     maximise button of the title bar that the toolkit draws leaves it running at its size.
# Usage: wayland_desktops.sh <calpero program> <sample catalogue>; exits 77 when weston, XWayland
# or the toolkit's Wayland platform is missing.
set -euo pipefail

program=$(realpath "$1")
sample=$(realpath "$2")
scratch=$(mktemp -d)
# shellcheck source=tests/support/x_session.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/x_session.sh"

finish() {
  local status=$?
  stop_started
  if [[ -n ${xvfb:-} ]]; then
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
  fi
  if ((status != 0)); then
    for log in "$scratch"/*.log; do
      [[ -f $log ]] && { echo "--- $(basename "$log"):" >&2; tail -n 15 "$log" >&2; }
    done
  fi
  rm -rf "$scratch"
  exit "$status"
}
trap finish EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Waits up to `seconds` for the command to succeed.
wait_until() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    ((SECONDS < deadline)) || return 1
    sleep 0.2
  done
}

for tool in Xvfb weston weston-debug Xwayland xdotool xwininfo; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing" >&2; exit 77; }
done
qt_plugins=$(qtpaths6 --plugin-dir 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)
[[ -f $qt_plugins/platforms/libqwayland-generic.so ]] ||
  { echo "SKIP: qt6-wayland is not installed" >&2; exit 77; }

mkdir -m 700 "$scratch/runtime"
mkdir -p "$scratch/home"
export HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime" LANG=C.UTF-8 LC_ALL=C.UTF-8
unset WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_ACTIVATION_TOKEN DESKTOP_STARTUP_ID SESSION_MANAGER

# The outer X server is larger than weston's output, so that the pointer can leave weston's
# window and enter it again: weston's seat then knows the pointer is there.
start_x_server "$scratch" 1280x1024
xvfb=$x_server_pid
outer=$x_display
pointer() { DISPLAY=$outer xdotool "$@"; }

socket="calpero-wayland"
# Starts weston (with any further options) and waits for its socket; stop_started ends it.
start_weston() {
  rm -f "$XDG_RUNTIME_DIR/$socket" "$scratch/weston.log"
  DISPLAY=$outer weston --backend=x11-backend.so --use-pixman --width=1024 --height=768 \
    --socket="$socket" --idle-time=0 --no-config --debug --log="$scratch/weston.log" "$@" \
    2>/dev/null &
  started+=($!)
  wait_until 30 test -S "$XDG_RUNTIME_DIR/$socket" || fail "weston did not start"
  pointer mousemove 1200 1000 sleep 0.3 mousemove 512 384
}

# Starts Calpero on a fresh copy of the sample catalogue with the environment given.
start_calpero() {
  rm -rf "$scratch/workspace"
  mkdir -p "$scratch/workspace/Data" "$scratch/workspace/Backup"
  cp "$sample" "$scratch/workspace/Data/data.ini"
  (cd "$scratch/workspace" && exec env WAYLAND_DISPLAY="$socket" XDG_SESSION_TYPE=wayland "$@" \
    "$program") >"$scratch/calpero.log" 2>&1 &
  calpero=$!
  started+=("$calpero")
}

# The place of Calpero's surface in weston's scene, "x1 y1 x2 y2", from weston's scene graph.
calpero_view() {
  WAYLAND_DISPLAY=$socket timeout 5 weston-debug scene-graph 2>/dev/null |
    grep -A1 "top-level window 'Calpero'" |
    sed -n 's/.*position: (\(-*[0-9]*\), \(-*[0-9]*\)) -> (\(-*[0-9]*\), \(-*[0-9]*\)).*/\1 \2 \3 \4/p'
}

sections() { grep -c '^\[' "$scratch/workspace/Data/data.ini"; }

# 1. Through XWayland.
start_weston --xwayland
wait_until 30 grep -q "xserver listening on display" "$scratch/weston.log" ||
  fail "weston started no XWayland"
inner=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$scratch/weston.log" | head -n1)
start_calpero DISPLAY="$inner"
wait_until 60 env DISPLAY="$inner" xdotool search --onlyvisible --name '^Calpero$' ||
  fail "no Calpero window on XWayland's display $inner: the window did not take the X platform"
window=$(DISPLAY=$inner xdotool search --onlyvisible --name '^Calpero$' | head -n1)
# weston's window manager places an X window after it is mapped, and a loaded machine lets it
# take a while: the geometry counts once two looks half a second apart agree.
geometry=$(DISPLAY=$inner xwininfo -id "$window")
for _ in $(seq 20); do
  sleep 0.5
  again=$(DISPLAY=$inner xwininfo -id "$window")
  [[ $again == "$geometry" ]] && break
  geometry=$again
done
left=$(awk '/Absolute upper-left X/ {print $4}' <<<"$geometry")
top=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$geometry")
size=$(awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}' <<<"$geometry")
[[ $size == 658x364 ]] || fail "the window is $size on XWayland, not 658x364"
echo "XWayland: an X client of $inner, $size at $left,$top"
# XWayland's root is weston's output, which lies at the outer server's corner. The list's first
# item, then the trash 44 pixels down its 48: a drop 27 pixels low would miss it.
before=$(sections)
from_x=$((left + 60)) from_y=$((top + 56)) to_x=$((left + 324)) to_y=$((top + 328))
pointer mousemove "$from_x" "$from_y" sleep 0.3 click 1 sleep 0.5 mousedown 1 sleep 0.3
for step in 1 2 3 4 5 6 7 8; do
  pointer mousemove $((from_x + (to_x - from_x) * step / 8)) $((from_y + (to_y - from_y) * step / 8))
  sleep 0.1
done
pointer sleep 0.3 mouseup 1
erased() { (($(sections) == before - 1)); }
wait_until 10 erased ||
  fail "the unit dropped on the trash was not erased: $(sections) sections, $before before"
echo "XWayland: the unit dragged onto the trash was erased ($before sections, now $(sections))"
stop_started

# 2. Wayland alone.
start_weston
start_calpero env -u DISPLAY QT_LOGGING_RULES=qt.qpa.wayland.input=true
shown() { [[ -n $(calpero_view) ]]; }
wait_until 60 shown || fail "no native Calpero surface in weston's scene"
read -r x1 y1 x2 y2 <<<"$(calpero_view)"
echo "Wayland: a native surface of $((x2 - x1))x$((y2 - y1)) at $x1,$y1, title bar included"
# The maximise button of the toolkit's title bar: 18 pixels wide, 5 left of the close button,
# which lies 8 from the right edge; the bar is 30 pixels high.
button_x=$((x2 - 8 - 18 - 5 - 9)) button_y=$((y1 + 15))
for _ in 1 2 3; do
  pointer mousemove $((button_x - 100)) $((button_y + 100)) sleep 0.3 \
    mousemove "$button_x" "$button_y" sleep 0.3 click 1
  wait_until 3 grep -q "MouseButtonRelease" "$scratch/calpero.log" && break
done
grep -q "MouseButtonRelease" "$scratch/calpero.log" || fail "the click never reached the title bar"
# The pointer crosses the window's controls, which repaint: a window that the compositor had
# maximised would now show a surface of the wrong size, which weston punishes.
for step in 1 2 3 4 5 6; do
  pointer mousemove $((x1 + 100 + 40 * step)) $((y1 + 200)) sleep 0.3
done
sleep 1
kill -0 "$calpero" 2>/dev/null || fail "Calpero ended after the maximise request"
[[ "$(calpero_view)" == "$x1 $y1 $x2 $y2" ]] ||
  fail "the window changed from $x1 $y1 $x2 $y2 to $(calpero_view)"
echo "Wayland: Calpero runs on after the maximise request, its size and place unchanged"
echo "PASS"
