#!/usr/bin/env bash
# Builds the benchmarks with the "bench" preset (Release), runs them and prints the table: each
# operation at 100, 10,000 and 100,000 units, its ratio to the floor of the same size measured in
# the same run, its growth, and the goals. Extra arguments go to every benchmark program, e.g.
#   bench/run.sh --benchmark_filter=ReadPower
# The catalogues are generated in a private folder under $TMPDIR (or /tmp) and removed at the end;
# set TMPDIR to measure on another file system.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset bench >/dev/null
cmake --build --preset bench --target calpero_core_bench
# The window benchmarks exist when the window itself is built (Qt 6 found).
window_bench=build/bench/bench/calpero_window_bench
if grep -q calpero_window_bench build/bench/build.ninja; then
  cmake --build --preset bench --target calpero_window_bench calpero_process_bench
else
  window_bench=
fi

# The raw figures stay in the build folder: bench/report.py prints the table from them again.
results=build/bench/results
rm -rf "$results"
mkdir -p "$results"
# Five repetitions of each figure, interleaved at random so that a burst of load elsewhere on
# the machine spreads over all of them rather than spoiling one; the table takes their medians.
options=(--benchmark_repetitions=5 --benchmark_enable_random_interleaving=true
         --benchmark_report_aggregates_only=true --benchmark_out_format=json)

# Runs one benchmark program quietly; its own output is shown only when it fails.
run_quietly() {
  local log=$1
  shift
  if ! "$@" >"$log" 2>&1; then
    cat "$log" >&2
    exit 1
  fi
}

echo "Running the catalogue and evaluation benchmarks..."
run_quietly "$results/core.log" build/bench/bench/calpero_core_bench "${options[@]}" \
  --benchmark_out="$results/core.json" "$@"
if [[ -n "$window_bench" ]]; then
  echo "Running the window benchmarks (offscreen)..."
  export QT_QPA_PLATFORM=offscreen
  # Absolute, as the start-up probe runs in the catalogue's workspace.
  XDG_RUNTIME_DIR="$PWD/$results/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  export XDG_RUNTIME_DIR
  run_quietly "$results/window.log" "$window_bench" "${options[@]}" \
    --benchmark_out="$results/window.json" "$@"
  echo "Running the whole-process start-up benchmark (offscreen)..."
  run_quietly "$results/process.log" build/bench/bench/calpero_process_bench "${options[@]}" \
    --benchmark_out="$results/process.json" "$@"
fi
echo "Load average during the run: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
python3 bench/report.py "$results"/*.json
