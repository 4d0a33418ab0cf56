# shellcheck shell=bash
# shellcheck disable=SC2034 # x_server_pid and x_display are read by the scripts that source this
# Sourced by the scripts that drive the real window (the screen-reader, undo and Wayland roads, and
# the screen-reader benchmark): a private X server, the session and accessibility buses, and Orca,
# each started the same way everywhere, and ended again by stop_started.

# The processes to end, in the order they were started; stop_started ends them newest first.
started=()

# Ends every process in `started`, newest first, waits for each, and empties the list.
stop_started() {
  local i
  for ((i = ${#started[@]} - 1; i >= 0; i--)); do
    kill "${started[i]}" 2>/dev/null || true
  done
  for ((i = ${#started[@]} - 1; i >= 0; i--)); do
    wait "${started[i]}" 2>/dev/null || true
  done
  started=()
}

# Waits up to `seconds` for `file` to have a line matching the extended regular expression
# `pattern`; fails naming what it waited for.
wait_for_line() {
  local file=$1 pattern=$2 seconds=$3
  local deadline=$((SECONDS + seconds))
  until [[ -f "$file" ]] && grep -Eq -- "$pattern" "$file"; do
    if ((SECONDS >= deadline)); then
      echo "FAIL: no line matching /$pattern/ in $(basename "$file") after ${seconds}s" >&2
      return 1
    fi
    sleep 0.1
  done
}

# Starts Xvfb on a display that is free (the server picks it and tells its number), with a screen
# of `size` (1024x768 unless given), logging to `folder`/xvfb.log. Sets x_server_pid and
# x_display (":N"); the caller decides whether it goes into `started` and into DISPLAY. The server
# does not reset when its last client leaves: the accessibility bus's launcher connects and leaves
# at start, and a client that connects while the server resets can be refused.
start_x_server() {
  local folder=$1 size=${2:-1024x768}
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$folder/display" \
    2>"$folder/xvfb.log" &
  x_server_pid=$!
  wait_for_line "$folder/display" '^[0-9]+$' 30
  x_display=":$(head -n1 "$folder/display")"
}

# Starts a session bus and the accessibility bus of its own, whose registry starts on it when
# first asked for, and exports DBUS_SESSION_BUS_ADDRESS. Both go into `started`.
start_accessibility_buses() {
  local folder=$1
  dbus-daemon --session --nofork --print-address=3 3>"$folder/bus" 2>/dev/null &
  started+=($!)
  wait_for_line "$folder/bus" '^unix:' 30
  DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$folder/bus")
  export DBUS_SESSION_BUS_ADDRESS
  /usr/libexec/at-spi-bus-launcher --launch-immediately 2>"$folder/atspi.log" &
  started+=($!)
}

# Starts Orca with its settings in `folder`/orca-settings, its debug log in `folder`/orca.log.
# No speech server: the speech-dispatcher client's start command refuses at once, and Orca logs
# each line it would have spoken all the same. Orca writes its debug log through a buffer that it
# never flushes, except to a terminal, where each line goes out whole: so it runs on one (script)
# and writes the log there. Orca refuses to start while another Orca of this user runs (another
# run of a road, say), and a road must not replace someone's screen reader: it waits its turn for
# up to three minutes. Orca and its terminal go into `started`; fails when Orca never starts.
start_orca() {
  local folder=$1
  local deadline=$((SECONDS + 180)) terminal
  mkdir -p "$folder/orca-settings"
  while true; do
    rm -f "$folder/orca.log"
    SPEECHD_CMD=$(type -P false) script --quiet --flush --command \
      "exec orca --user-prefs '$folder/orca-settings' --debug-file /dev/stdout" \
      "$folder/orca.log" >/dev/null 2>&1 </dev/null &
    terminal=$!
    until grep -q "ORCA: ATSPI registry initialized" "$folder/orca.log" 2>/dev/null; do
      kill -0 "$terminal" 2>/dev/null || break
      sleep 0.2
    done
    if kill -0 "$terminal" 2>/dev/null; then
      started+=("$terminal")
      # Orca itself, the terminal's child, ends first.
      local orca
      orca=$(pgrep -P "$terminal" || true)
      [[ -z $orca ]] || started+=("$orca")
      return 0
    fi
    wait "$terminal" || true
    if ((SECONDS >= deadline)); then
      echo "FAIL: Orca did not start: $(tail -n 3 "$folder/orca.log" 2>/dev/null)" >&2
      return 1
    fi
    sleep 2
  done
}
