#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer, under AddressSanitizer and
# UndefinedBehaviorSanitizer, in a build folder of their own, then runs each target for the given
# number of seconds and prints its executions. New inputs that widen the coverage go to the build
# folder (work/<target>/), never into the starting corpus (corpus/<target>/, and for the catalogue
# target the test catalogues of tests/data/, read where they are); an input that breaks a target is
# kept in artifacts/<target>/ and the script exits non-zero.
# Usage: fuzz/run.sh <seconds per target> [target...]   (targets: parse_power ini_catalogue
#        power_round_trip; all by default). CALPERO_FUZZ_BUILD_DIR sets the build folder
#        (build/fuzz by default).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:?usage: fuzz/run.sh <seconds per target> [target...]}
shift
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=(parse_power ini_catalogue power_round_trip)
build=${CALPERO_FUZZ_BUILD_DIR:-build/fuzz}
# The catalogue target writes a file per input: a folder in memory makes it several times faster.
if [[ -z ${TMPDIR:-} && -d /dev/shm && -w /dev/shm ]]; then
  export TMPDIR=/dev/shm
fi

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCALPERO_BUILD_GUI=OFF -DCALPERO_BUILD_TESTS=ON -DCALPERO_SANITIZE=ON -DCALPERO_FUZZ=ON \
  -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link >/dev/null
cmake --build "$build" -j2 --target "${targets[@]/%/_fuzzer}"

status=0
for target in "${targets[@]}"; do
  work="$build/work/$target"
  artifacts="$build/artifacts/$target"
  seeds=("fuzz/corpus/$target")
  if [[ $target == ini_catalogue ]]; then
    seeds+=(tests/data)
  fi
  log="$build/$target.log"
  mkdir -p "$work" "$artifacts"
  result=0
  "$build/fuzz/${target}_fuzzer" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -dict=fuzz/catalogue.dict -artifact_prefix="$artifacts/" "$work" "${seeds[@]}" \
    >"$log" 2>&1 || result=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  if [[ $result -eq 0 ]]; then
    printf '%-18s %12s executions in %s s\n' "$target" "${runs:-?}" "$seconds"
  else
    printf '%-18s FAILED after %s executions: see %s and %s/\n' "$target" "${runs:-?}" "$log" \
      "$artifacts"
    status=1
  fi
done
exit $status
