#!/usr/bin/env bash
# Checks the habits of the code base and fails on any finding:
# - clang-format: every tracked C++ file is formatted as .clang-format says;
# - clang-tidy: every C++ file of the build's compile_commands.json is clean under .clang-tidy, and
#   so are the project's headers they include. The root file holds the full check set with the
#   path-sensitive analyzer, for the toolkit-free core; ui/, tests/ and bench/ narrow it to the
#   checks that find faults there (see their .clang-tidy). Where the analyzer is off, the files of
#   one target are checked in one run, so that Qt and GoogleTest are parsed once per target rather
#   than once per file (scripts/lint_units.py plans the runs).
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

# The runs that check the project's own sources (not the files that moc and rcc generate into the
# build): each file under the analyzer alone, and the files of each other target together (see
# scripts/lint_units.py). A plan that fails fails the lint, rather than checking nothing.
plan=$(python3 scripts/lint_units.py "$build" "$only")
runs=()
if [[ -n $plan ]]; then
  mapfile -t runs <<<"$plan"
fi
sources=0
for run in "${runs[@]}"; do
  read -r -a members <<<"${run#*$'\t'}"
  sources=$((sources + ${#members[@]}))
done
start=$SECONDS
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# One planned run: "<file to check><tab><its sources>". Each prints its findings in one piece, and
# only when it fails, which any finding makes it do. A run of several sources that fails, whether
# on a finding or because they do not compile together, is done again source by source, and those
# runs decide: every finding is reported as the source's own run reports it.
tidy_run() {
  local checked=${1%%$'\t'*} sources=${1#*$'\t'} out source failed=0
  if [[ $checked == "$sources" ]]; then
    out=$(clang-tidy -p "$build" --quiet --warnings-as-errors='*' "$checked" 2>&1) && return 0
    printf '%s\n' "$out"
    return 1
  fi
  clang-tidy -p "$build/lint-units" --quiet --warnings-as-errors='*' --header-filter='.*' \
    --line-filter="$(<"$checked.line-filter")" "$checked" >/dev/null 2>&1 && return 0
  echo "lint: $checked did not pass as one run; checking its sources one by one" >&2
  for source in $sources; do
    tidy_run "$source"$'\t'"$source" || failed=1
  done
  return $failed
}
export -f tidy_run
export build
if ! printf '%s\n' "${runs[@]}" |
    xargs -d '\n' -P "$jobs" -n 1 bash -c 'tidy_run "$1"' tidy_run >"$log" 2>&1; then
  grep -v -e '^[0-9]* warnings\? \(and [0-9]* errors\? \)\?generated' \
          -e '^Suppressed [0-9]* warnings' -e '^Use -header-filter' \
          -e '^[0-9]* warnings\? treated as errors' "$log" >&2 || true
  checks=$(grep -o '\[[a-z][a-zA-Z0-9.-]*\(,-warnings-as-errors\)\?\]$' "$log" |
           sed 's/,-warnings-as-errors//; s/[][]//g' | sort | uniq -c | sort -rn |
           awk '{printf "%s%s (%s)", (NR > 1 ? ", " : ""), $2, $1}')
  echo "lint: clang-tidy found problems, by check: ${checks:-see above}" >&2
  failed=1
else
  grep '^lint: ' "$log" >&2 || true
fi
echo "lint: clang-tidy checked $sources files in ${#runs[@]} runs in $((SECONDS - start)) s, $jobs at once"

if [[ $failed -ne 0 ]]; then
  echo "lint: FAILED" >&2
  exit 1
fi
echo "lint: clean"
