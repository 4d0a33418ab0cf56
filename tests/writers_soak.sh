#!/usr/bin/env bash
# Runs the tests of several writers at once for many rounds: four library writers in forked
# processes, and rounds of eight calpero-cli processes started together (saves, replaces and erases
# of different units). Every change that reported success must be in the final file.
# Usage: tests/writers_soak.sh [rounds, default 300] [build folder, default build/debug]
set -euo pipefail
cd "$(dirname "$0")/.."

rounds=${1:-300}
build=${2:-build/debug}
[[ -f "$build/CMakeCache.txt" ]] || cmake --preset debug
cmake --build "$build" --target catalogue_tests calpero_cli_tests calpero-cli
export CALPERO_WRITER_ROUNDS=$rounds
"$build/tests/catalogue/catalogue_tests" --gtest_filter='ConcurrentWriters.*'
"$build/tests/cli/calpero_cli_tests" --gtest_filter='*WritersStartedTogether*:*FirstTimeSaves*'
