#!/usr/bin/env bash
# Runs the catalogue's tests of refused rights once more with nothing but the permission bits
# refusing them (CALPERO_TEST_REAL_PERMISSIONS), as an unprivileged user; the other runs refuse the
# same rights through the file-system seam as well, since the bits bind no one running as root.
# As root, the tests run as the user "nobody" on a copy of the test program and of the fixtures in
# a fresh folder under /tmp that this user can reach; otherwise as the caller. Exits 77 (skipped,
# with the reason) only when no unprivileged user can be had.
# Usage: unprivileged_run.sh <catalogue_tests> <fixtures folder>
set -euo pipefail

program=$1
fixtures=$2
tests='PathFaults.*'
export CALPERO_TEST_REAL_PERMISSIONS=1

if [[ $(id -u) -ne 0 ]]; then
  exec "$program" --gtest_filter="$tests"
fi

user=nobody
if ! command -v setpriv >/dev/null || ! id -u "$user" >/dev/null 2>&1; then
  echo "skipped: no setpriv or no user '$user' to run the tests unprivileged" >&2
  exit 77
fi
as_user=(setpriv --reuid="$(id -u "$user")" --regid="$(id -g "$user")" --clear-groups)

copy=$(mktemp -d /tmp/calpero-unprivileged-XXXXXX)
trap 'rm -rf "$copy"' EXIT
cp "$program" "$copy/catalogue_tests"
cp -r "$fixtures" "$copy/data"
mkdir "$copy/scratch"
chmod -R a+rX "$copy"
chown "$user" "$copy/scratch"
if ! "${as_user[@]}" test -x "$copy/catalogue_tests"; then
  echo "skipped: user '$user' cannot run a program in $copy" >&2
  exit 77
fi
CALPERO_TEST_DATA_DIR="$copy/data" TMPDIR="$copy/scratch" \
  "${as_user[@]}" "$copy/catalogue_tests" --gtest_filter="$tests"
