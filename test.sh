#!/usr/bin/env bash
# Sets up what is missing, then builds Calpero with its tests and runs the whole suite through ctest
# twice: in the Debug build, and again under AddressSanitizer and UndefinedBehaviorSanitizer (the
# "asan" preset), GUI tests included. Between the two, scripts/lint.sh checks the formatting and
# clang-tidy on the Debug build's files. Every step always runs; exits non-zero when any fails.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-dependencies.sh

# GUI tests run offscreen, each with a private runtime folder.
export QT_QPA_PLATFORM=offscreen
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT

# Configures, builds and tests one preset; fails on the first step that fails.
run_suite() {
  cmake --preset "$1" && cmake --build --preset "$1" && ctest --preset "$1"
}

failed=()
run_suite debug || failed+=(debug)
scripts/lint.sh build/debug || failed+=(lint)
run_suite asan || failed+=(asan)

if [[ ${#failed[@]} -gt 0 ]]; then
  echo "test.sh: failed: ${failed[*]}" >&2
  exit 1
fi
echo "test.sh: all tests passed in the Debug and the sanitizer builds, and the code is lint-clean"
