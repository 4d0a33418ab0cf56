#!/usr/bin/env bash
# The window's keyboard road timed with and without the Orca screen reader, on generated
# catalogues of 1,000, 10,000 and 100,000 units, in one run: start-up, typing a 14-character find
# and Enter, 20 x Down in the list, 5 x Page Down, an erase through the context menu (Menu, Down,
# Return) and one by Ctrl+Delete. Each step is timed from its first key until the window's CPU
# time stops rising for 0.5 s (the time printed ends at the last rise, or at the last key when
# that comes later). The whole road runs BENCH_REPEATS times (3 unless given), the sizes and the
# runs with and without Orca taking turns; prints, per size and step, the median time with Orca,
# without, and their ratio; then start-up with Orca at 100 units, the reference for start-up at
# 100,000.
# Usage: bench/screen_reader_bench.sh [calpero program] [sizes...]
# With BENCH_LOGS=<folder>, Orca's debug log of each run is kept there (orca-<size>.log).
# The program defaults to the release build, else the debug build. Runs on a private X server
# (Xvfb) with a session bus and an accessibility bus of its own; keys are real X key events.
set -euo pipefail
cd "$(dirname "$0")/.."

program=${1:-}
if [[ -z "$program" ]]; then
  for candidate in build/release/app/calpero build/debug/app/calpero; do
    if [[ -x "$candidate" ]]; then
      program=$candidate
      break
    fi
  done
fi
[[ -x "$program" ]] || { echo "no calpero program: build one or name it" >&2; exit 1; }
program=$(realpath "$program")
shift || true
sizes=("$@")
((${#sizes[@]})) || sizes=(1000 10000 100000)
repeats=${BENCH_REPEATS:-3}
[[ -z "${BENCH_LOGS:-}" ]] || mkdir -p "$BENCH_LOGS"

for tool in Xvfb xdotool dbus-daemon orca script pgrep /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done

scratch=$(mktemp -d)
# shellcheck source=tests/support/x_session.sh
source tests/support/x_session.sh
trap 'stop_started; rm -rf "$scratch"' EXIT

# A catalogue of `count` units named "Quantity 000000" on, stored in a scrambled order (the
# number of the unit at place i is i * 7919 modulo the count), with four short powers each, as
# bench/generated_catalogue.cpp writes them.
generate_catalogue() {
  awk -v n="$1" 'BEGIN {
    for (i = 0; i < n; i++) {
      u = (i * 7919) % n
      printf "[Quantity %06d]\nMass=%d\nLength=-2\nTemperature=0.5\nTime=%d\n", u, u % 3, u % 5
    }
  }' >"$2"
}

# The window's CPU time so far, in clock ticks (user and system).
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
now_ms() { date +%s%3N; }

# Waits until process `pid` has used no CPU for 0.5 s; prints the milliseconds from `start_ms` to
# the last rise of its CPU time.
settle_ms() {
  local pid=$1 start_ms=$2
  local last last_rise now ticks
  last=$(cpu_ticks "$pid")
  last_rise=$(now_ms)
  while true; do
    sleep 0.05
    now=$(now_ms)
    ticks=$(cpu_ticks "$pid")
    if ((ticks != last)); then
      last=$ticks
      last_rise=$now
    elif ((now - last_rise >= 500)); then
      break
    fi
  done
  echo $((last_rise > start_ms ? last_rise - start_ms : 0))
}

# Starts the X server and the buses for one run, as tests/ui/screen_reader_road.sh does; with
# `orca` as $1, Orca too, started as that road starts it.
start_session() {
  local run=$scratch/run
  rm -rf "$run"
  mkdir -p "$run/home" "$run/workspace/Data" "$run/workspace/Backup"
  mkdir -m 700 "$run/runtime"
  export HOME="$run/home" XDG_RUNTIME_DIR="$run/runtime"
  export XDG_CONFIG_HOME="$run/home/.config" XDG_DATA_HOME="$run/home/.local/share"
  export LANG=C.UTF-8 LC_ALL=C.UTF-8
  unset WAYLAND_DISPLAY SESSION_MANAGER
  start_x_server "$run"
  started+=("$x_server_pid")
  export DISPLAY=$x_display
  start_accessibility_buses "$run"
  if [[ "${1:-}" == orca ]]; then
    start_orca "$run"
  fi
}

# Runs the road once on a catalogue of `size` units; prints "step milliseconds" lines.
run_road() {
  local size=$1 mode=$2
  # It runs in a shell of its own: a road that fails on the way stops what it started.
  trap stop_started EXIT
  start_session "$mode"
  local run=$scratch/run
  cp "$scratch/catalogue-$size.ini" "$run/workspace/Data/data.ini"
  local accessibility=()
  [[ "$mode" == orca ]] && accessibility=(QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1)
  local start
  start=$(now_ms)
  (cd "$run/workspace" && env QT_QPA_PLATFORM=xcb "${accessibility[@]}" "$program") \
    >"$run/calpero.out" 2>&1 &
  local pid=$!
  started+=("$pid")
  timeout 60 xdotool search --sync --onlyvisible --name '^Calpero$' windowfocus --sync >/dev/null
  echo "start-up $(settle_ms "$pid" "$start")"

  timed() {
    local step=$1
    shift
    local begin sent settled
    begin=$(now_ms)
    "$@"
    sent=$(($(now_ms) - begin))
    settled=$(settle_ms "$pid" "$begin")
    # The step cannot end before its last key has been sent: a window that works less than a
    # clock tick per key may show its last rise of CPU time before that.
    echo "$step $((settled > sent ? settled : sent))"
  }
  find_unit() {
    xdotool key ctrl+f
    xdotool type --delay 40 'Quantity 00050'
    xdotool key Return
  }
  timed "find (14 keys + Enter)" find_unit
  # Into the list (it comes before the find box in the tab order), untimed.
  xdotool key shift+Tab
  settle_ms "$pid" "$(now_ms)" >/dev/null
  timed "20 x Down" xdotool key --delay 40 $(printf 'Down %.0s' {1..20})
  timed "5 x Page Down" xdotool key --delay 40 Next Next Next Next Next
  timed "erase (Menu, Down, Return)" xdotool key --delay 100 Menu Down Return
  xdotool key Down
  settle_ms "$pid" "$(now_ms)" >/dev/null
  timed "erase (Ctrl+Delete)" xdotool key ctrl+Delete
  stop_started
  if [[ -n "${BENCH_LOGS:-}" && "$mode" == orca ]]; then
    cp "$run/orca.log" "$BENCH_LOGS/orca-$size.log"
  fi
}

declare -A with without
steps=("start-up" "find (14 keys + Enter)" "20 x Down" "5 x Page Down" "erase (Menu, Down, Return)"
       "erase (Ctrl+Delete)")
for size in 100 "${sizes[@]}"; do
  generate_catalogue "$size" "$scratch/catalogue-$size.ini"
done
echo "Load average before the run: $(cut -d' ' -f1-3 /proc/loadavg)"
for ((repeat = 1; repeat <= repeats; repeat++)); do
  for size in 100 "${sizes[@]}"; do
    for mode in none orca; do
      [[ "$size" == 100 && "$mode" == none ]] && continue
      echo "Running $size units, $([[ $mode == orca ]] && echo with || echo without) Orca" \
        "($repeat of $repeats)..." >&2
      run_road "$size" "$mode" >"$scratch/figures" &
      if ! wait $!; then
        echo "FAIL: the road on $size units did not finish (see above)" >&2
        exit 1
      fi
      while read -r line; do
        step=${line% *}
        ms=${line##* }
        if [[ "$mode" == orca ]]; then
          with["$size/$step"]+=" $ms"
        else
          without["$size/$step"]+=" $ms"
        fi
      done <"$scratch/figures"
    done
  done
done
echo "Load average after the run: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
# The median of the figures given as words (the lower middle one of an even count).
median() { tr ' ' '\n' <<<"$1" | grep . | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
for key in "${!with[@]}"; do with[$key]=$(median "${with[$key]}"); done
for key in "${!without[@]}"; do without[$key]=$(median "${without[$key]}"); done
seconds() { awk -v ms="$1" 'BEGIN { printf "%.2f s", ms / 1000 }'; }
printf '| %s | %s | %s | %s | %s |\n' "Units" "Step" "With Orca" "Without" "Ratio"
printf '|---|---|---|---|---|\n'
for size in "${sizes[@]}"; do
  for step in "${steps[@]}"; do
    w=${with["$size/$step"]:-} o=${without["$size/$step"]:-}
    [[ -n "$w" && -n "$o" ]] || continue
    ratio=$(awk -v w="$w" -v o="$o" 'BEGIN { printf "%.1fx", w / (o > 10 ? o : 10) }')
    printf '| %s | %s | %s | %s | %s |\n' "$size" "$step" "$(seconds "$w")" "$(seconds "$o")" \
      "$ratio"
  done
done
echo
largest=${sizes[-1]}
printf 'Start-up with Orca: %s at 100 units, %s at %s units (%s)\n' \
  "$(seconds "${with[100/start-up]}")" "$(seconds "${with[$largest/start-up]}")" "$largest" \
  "$(awk -v a="${with[$largest/start-up]}" -v b="${with[100/start-up]}" \
    'BEGIN { printf "%.1fx", a / (b > 10 ? b : 10) }')"
