#!/usr/bin/env bash
# Checks the habits of the code base and fails on any finding:
# - clang-format: every tracked C++ file is formatted as .clang-format says;
# - clang-tidy: every C++ file of the build's compile_commands.json is clean under .clang-tidy, and
#   so are the project's headers they include. The root file holds the full check set with the
#   path-sensitive analyzer, for the toolkit-free core; ui/, tests/ and bench/ narrow it to the
#   checks that find faults there (see their .clang-tidy).
# It reads only the compile commands: no project source includes a generated file, so the build
# folder needs to be configured, not built. test.sh configures the "lint" preset (the program, its
# tests and its benchmarks) and runs it on build/lint.
# Usage: scripts/lint.sh [build folder, default build/lint] [regex of the paths to check, default
# all of them, e.g. '^tests/catalogue/']        (CALPERO_LINT_JOBS: runs at once, default 2)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/lint}
only=${2:-.}
jobs=${CALPERO_LINT_JOBS:-2}
if [[ ! -f "$build/compile_commands.json" ]]; then
  echo "lint: $build/compile_commands.json is missing: configure it first" \
       "(cmake --preset lint for build/lint)" >&2
  exit 1
fi
failed=0

mapfile -t tracked < <(git ls-files '*.cpp' '*.h' | grep -E -- "$only" || true)
start=$SECONDS
if ! clang-format --dry-run --Werror "${tracked[@]}"; then
  echo "lint: clang-format: the files above differ from .clang-format's layout" \
       "(clang-format -i <file> fixes them)" >&2
  failed=1
fi
echo "lint: clang-format checked ${#tracked[@]} files in $((SECONDS - start)) s"

# The project's own sources in the build, not the files that moc and rcc generate into it.
mapfile -t sources < <(python3 -c '
import json, os, sys
root = os.getcwd() + os.sep
for entry in json.load(open(sys.argv[1])):
    path = os.path.normpath(os.path.join(entry["directory"], entry["file"]))
    if path.startswith(root) and not path.startswith(os.path.abspath(sys.argv[2]) + os.sep):
        print(path[len(root):])
' "$build/compile_commands.json" "$build" | grep -E -- "$only" | sort -u || true)
start=$SECONDS
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# One clang-tidy per file, $jobs at once; each prints its findings in one piece, and only when it
# fails, which any finding makes it do.
tidy_one='out=$(clang-tidy -p "$0" --quiet --warnings-as-errors="*" "$1" 2>&1) ||
  { printf "%s\n" "$out"; exit 1; }'
if ! printf '%s\0' "${sources[@]}" |
    xargs -0 -P "$jobs" -n 1 sh -c "$tidy_one" "$build" >"$log"; then
  grep -v -e '^[0-9]* warnings\? \(and [0-9]* errors\? \)\?generated' \
          -e '^Suppressed [0-9]* warnings' -e '^Use -header-filter' \
          -e '^[0-9]* warnings\? treated as errors' "$log" >&2 || true
  checks=$(grep -o '\[[a-z][a-zA-Z0-9.-]*\(,-warnings-as-errors\)\?\]$' "$log" |
           sed 's/,-warnings-as-errors//; s/[][]//g' | sort | uniq -c | sort -rn |
           awk '{printf "%s%s (%s)", (NR > 1 ? ", " : ""), $2, $1}')
  echo "lint: clang-tidy found problems, by check: ${checks:-see above}" >&2
  failed=1
fi
echo "lint: clang-tidy checked ${#sources[@]} files in $((SECONDS - start)) s, $jobs at once"

if [[ $failed -ne 0 ]]; then
  echo "lint: FAILED" >&2
  exit 1
fi
echo "lint: clean"
