#!/usr/bin/env bash
# Kills the catalogue's writer thousands of times at random moments and checks after every kill
# that no unit was lost or half-written (the long run of CrashSafety in the catalogue tests), with a
# fresh random workload each time unless CALPERO_TEST_SEED names one.
# Usage: tests/crash_soak.sh [kills, default 5000] [build folder, default build/debug]
set -euo pipefail
cd "$(dirname "$0")/.."

kills=${1:-5000}
build=${2:-build/debug}
[[ -f "$build/CMakeCache.txt" ]] || cmake --preset debug
cmake --build "$build" --target catalogue_tests
seed=${CALPERO_TEST_SEED:-$(shuf -i 0-4294967295 -n 1)}
CALPERO_TEST_SEED=$seed CALPERO_CRASH_KILLS=$kills "$build/tests/catalogue/catalogue_tests" \
  --gtest_filter='CrashSafety.*'
