#!/usr/bin/env bash
# Tests the calpero launcher (bin/calpero) on a tree laid out as the install lays it out, with a
# fake program in place of the window program: the fake prints the folder it was started in and
# its argument count, so each case can see where the launcher ran the program and with what.
#
# Usage: launcher_test.sh <configured launcher> <launcher-to-program path> <launcher-to-sample path>
set -euo pipefail

launcher=$1
to_program=$2
to_sample=$3

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

# An installed tree in folder $1: bin/calpero, the fake program and a sample catalogue.
lay_out_tree() {
  mkdir -p "$1/bin" "$(dirname "$1/bin/$to_program")" "$(dirname "$1/bin/$to_sample")"
  cp "$launcher" "$1/bin/calpero"
  cat >"$1/bin/$to_program" <<'EOF'
#!/bin/sh
echo "cwd=$(pwd -P) args=$#"
EOF
  chmod +x "$1/bin/$to_program"
  printf '[Newton]\nMass=1\nLength=1\nTemperature=0\nTime=-2\n' >"$1/bin/$to_sample"
}

tree="$scratch/install root"
lay_out_tree "$tree"
sample="$tree/bin/$to_sample"
home="$scratch/home with blanks"
mkdir -p "$home"
export HOME="$home"
unset XDG_DATA_HOME

# Runs the launcher with the arguments given, in folder $work; sets $output and $status.
work="$scratch"
run_launcher() {
  status=0
  output=$(cd "$work" && "$tree/bin/calpero" "$@" 2>&1) || status=$?
}

echo "case: the first per-user start makes the folder and seeds the catalogue"
user="$home/.local/share/calpero"
run_launcher --user-catalogue
expect_equal "exit status" 0 "$status"
expect_equal "program output" "cwd=$(cd "$user" && pwd -P) args=0" "$output"
[[ -d "$user/Backup" ]] || fail "Backup/ was not made"
cmp -s "$sample" "$user/Data/data.ini" || fail "Data/data.ini is not the sample catalogue"
leftovers=$(find "$user/Data" -name 'data.ini.new.*')
expect_equal "temporary copies left behind" "" "$leftovers"

echo "case: a later per-user start keeps the user's changed catalogue"
printf '[My unit]\nMass=2\n' >"$user/Data/data.ini"
run_launcher --user-catalogue
expect_equal "exit status" 0 "$status"
expect_equal "catalogue after the second start" "$(printf '[My unit]\nMass=2')" \
  "$(cat "$user/Data/data.ini")"

echo "case: an empty catalogue is the user's, not a missing one"
: >"$user/Data/data.ini"
run_launcher --user-catalogue
[[ ! -s "$user/Data/data.ini" ]] || fail "an empty catalogue was seeded again"

echo "case: a catalogue that is a symbolic link is left alone"
rm "$user/Data/data.ini"
ln -s "$scratch/elsewhere.ini" "$user/Data/data.ini"
run_launcher --user-catalogue
[[ -L "$user/Data/data.ini" && ! -e "$scratch/elsewhere.ini" ]] ||
  fail "a dangling catalogue link was replaced or written through"

echo "case: XDG_DATA_HOME, when absolute, decides the folder"
data_home="$scratch/xdg data"
XDG_DATA_HOME="$data_home" run_launcher --user-catalogue
expect_equal "program output" "cwd=$(cd "$data_home/calpero" && pwd -P) args=0" "$output"
cmp -s "$sample" "$data_home/calpero/Data/data.ini" || fail "not seeded under XDG_DATA_HOME"

echo "case: an empty or relative XDG_DATA_HOME is ignored"
for ignored in "" "relative/data"; do
  XDG_DATA_HOME="$ignored" run_launcher --user-catalogue
  expect_equal "program output with XDG_DATA_HOME='$ignored'" \
    "cwd=$(cd "$user" && pwd -P) args=0" "$output"
done
[[ ! -e "$work/relative" ]] || fail "a relative XDG_DATA_HOME was used"

echo "case: a per-user folder that cannot be made stops the start"
blocked="$scratch/blocked"
: >"$blocked"
XDG_DATA_HOME="$blocked" run_launcher --user-catalogue
expect_equal "exit status" 1 "$status"
[[ "$output" != *cwd=* ]] || fail "the program ran although the folder could not be made"

echo "case: started from a terminal, the program runs in the current folder, unprepared"
work="$scratch/some project"
mkdir -p "$work"
rm -rf "$home/.local"
run_launcher
expect_equal "exit status" 0 "$status"
expect_equal "program output" "cwd=$(cd "$work" && pwd -P) args=0" "$output"
[[ ! -e "$work/Data" && ! -e "$work/Backup" ]] || fail "terminal mode made Data/ or Backup/"
[[ ! -e "$home/.local" ]] || fail "terminal mode touched the per-user folder"

echo "case: started through a symbolic link, the launcher still finds the program"
mkdir -p "$scratch/links"
ln -s "$tree/bin/calpero" "$scratch/links/calpero"
status=0
output=$(cd "$work" && "$scratch/links/calpero" 2>&1) || status=$?
expect_equal "program output through a link" "cwd=$(cd "$work" && pwd -P) args=0" "$output"

echo "case: other arguments are refused without starting the program"
for arguments in "--bogus" "file.ini" "--user-catalogue extra"; do
  # shellcheck disable=SC2086  # the words of each case are separate arguments
  run_launcher $arguments
  expect_equal "exit status for '$arguments'" 2 "$status"
  [[ "$output" != *cwd=* ]] || fail "the program ran for '$arguments'"
done
run_launcher --help
expect_equal "exit status for --help" 0 "$status"
[[ "$output" == usage:* ]] || fail "--help printed no usage: $output"

finish "all launcher checks passed"
