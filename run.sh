#!/usr/bin/env bash
# Sets up what is missing, builds Calpero in release mode, prepares a demo workspace and starts
# the program there.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-dependencies.sh

cmake --preset release
cmake --build --preset release

program=build/release/app/calpero
if [[ ! -x "$program" ]]; then
  echo "The window program is not built yet; the catalogue and calculation libraries are." >&2
  exit 0
fi
exec ./scripts/start-demo.sh "$program"
