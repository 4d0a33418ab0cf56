#!/usr/bin/env bash
# Sets up what is missing, builds Calpero with its tests and runs the whole suite through ctest.
# Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-dependencies.sh

# GUI tests run offscreen, each with a private runtime folder.
export QT_QPA_PLATFORM=offscreen
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT

cmake --preset debug
cmake --build --preset debug
ctest --preset debug
