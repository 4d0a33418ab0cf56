#!/usr/bin/env bash
# Times `calpero-cli eval` against GNU units (`units -t`) on the same expressions, as whole
# processes, and prints the median of each and their ratio, measured in one run.
# Usage: bench/compare_units.sh [RUNS]   (default 200 runs of each command)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-200}

# GNU units is only run for comparison; it is installed the way scripts/install-dependencies.sh
# installs what the build needs.
if ! command -v units >/dev/null 2>&1; then
  if [[ $(id -u) -eq 0 ]]; then
    run_as_root=()
  elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
    run_as_root=(sudo)
  else
    echo "GNU units is missing and this script cannot install it (not root, no sudo)." >&2
    echo "Run, then start this script again:" >&2
    echo "  sudo apt-get update && sudo apt-get install -y units" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${run_as_root[@]}" apt-get update -q
  "${run_as_root[@]}" apt-get install -y -q --no-install-recommends units
fi

cmake --preset bench >/dev/null
cmake --build --preset bench --target calpero-cli

python3 bench/compare_units.py --cli build/bench/cli/calpero-cli \
  --catalogue resources/sample/data.ini --runs "$runs"
