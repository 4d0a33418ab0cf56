#!/usr/bin/env bash
# Sets up what is missing, then checks everything in five phases, each timed on a line of its own:
# - install: the Debian packages that building and testing need (scripts/install-dependencies.sh);
# - layers: scripts/check_layers.py, every #include of the tree against the layer table
#   (cmake/layers.txt), so that no folder includes one above it;
# - build: the "asan" preset, AddressSanitizer and UndefinedBehaviorSanitizer, with every test;
# - test: the whole suite through ctest in that build, GUI tests, fuzz replays, packaging and
#   comma-locale runs included, so every test runs once, under the sanitizers;
# - lint: scripts/lint.sh, clang-format on every tracked C++ file and clang-tidy on the program, its
#   tests and its benchmarks, from the "lint" preset's compile commands (configured, not built);
#   it runs beside the test phase.
# Every phase after the installation runs even when an earlier one fails (the tests need the
# build); exits non-zero when any fails.
set -euo pipefail
cd "$(dirname "$0")"

# GUI tests run offscreen, each with a private runtime folder.
export QT_QPA_PLATFORM=offscreen
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT

failed=()
timings=()
# Notes a phase's time and outcome: record <name> <seconds> <ok|FAILED>.
record() {
  [[ $3 == ok ]] || failed+=("$1")
  timings+=("$(printf '%-8s %5d s  %s' "$1" "$2" "$3")")
  echo "test.sh: phase $1 took $2 s ($3)"
}
# Runs one phase: phase <name> <command...>.
phase() {
  local name=$1 start=$SECONDS outcome=ok
  shift
  "$@" || outcome=FAILED
  record "$name" $((SECONDS - start)) "$outcome"
}

build() { cmake --preset asan && cmake --build --preset asan; }
lint() { cmake --preset lint >/dev/null && scripts/lint.sh build/lint; }

phase install ./scripts/install-dependencies.sh
if [[ ${#failed[@]} -gt 0 ]]; then
  exit 1
fi
phase layers python3 scripts/check_layers.py
phase build build

# The suite leaves the processor idle much of the time (GUI event loops, timers, waits for other
# processes, the package's installation), so the lint runs beside it; its report follows the
# tests' output.
lint_log=$(mktemp)
trap 'rm -rf "$XDG_RUNTIME_DIR" "$lint_log" "$lint_log.result"' EXIT
(
  start=$SECONDS
  outcome=ok
  lint >"$lint_log" 2>&1 || outcome=FAILED
  echo "$((SECONDS - start)) $outcome" >"$lint_log.result"
) &
lint_pid=$!

if [[ " ${failed[*]} " == *" build "* ]]; then
  failed+=(test)
  echo "test.sh: phase test not run: the build failed"
else
  phase test ctest --preset asan
fi

wait "$lint_pid" || true
cat "$lint_log"
read -r lint_seconds lint_outcome <"$lint_log.result" || { lint_seconds=0; lint_outcome=FAILED; }
record lint "$lint_seconds" "$lint_outcome"

echo "test.sh: time by phase (lint beside test)"
printf '  %s\n' "${timings[@]}"
echo "  total    $(printf '%5d' "$SECONDS") s"
if [[ ${#failed[@]} -gt 0 ]]; then
  echo "test.sh: failed: ${failed[*]}" >&2
  exit 1
fi
echo "test.sh: every test passed under the sanitizers, and the code is lint-clean"
