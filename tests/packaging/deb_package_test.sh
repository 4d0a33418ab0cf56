#!/usr/bin/env bash
# Builds Calpero's Debian package from a Release build, installs it with apt-get, checks what it
# put on the machine, starts the installed program offscreen for a moment in both of its modes,
# and removes the package again, so that the machine is left as it was found.
#
# It installs system-wide, so it runs only as root; otherwise it skips (exit status 77), as it does
# when apt-get is missing or a calpero package is installed already (which it would replace).
#
# Usage: deb_package_test.sh <source folder> <release build folder>
set -euo pipefail

source_dir=$1
build_dir=$2
skip=77
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

if [[ $(id -u) -ne 0 ]]; then
  echo "SKIP: installing a package needs root; run ctest as root to test the package"
  exit $skip
fi
if ! command -v apt-get >/dev/null || ! command -v dpkg-deb >/dev/null; then
  echo "SKIP: apt-get and dpkg-deb are needed to install the package"
  exit $skip
fi
if [[ $(dpkg-query -W -f='${Status}' calpero 2>/dev/null || true) == *" installed" ]]; then
  echo "SKIP: a calpero package is installed already; remove it to run this test"
  exit $skip
fi

# Runs a step quietly, showing its output only when it fails.
step() {
  local log="$build_dir/packaging-step.log"
  if ! "$@" >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "FAIL: $*" >&2
    exit 1
  fi
}

echo "step: building the Release configuration and its Debian package"
mkdir -p "$build_dir"
step cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCALPERO_BUILD_TESTS=OFF
step cmake --build "$build_dir" -j 2
rm -rf "$build_dir/package"
step cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$build_dir/package"
debs=("$build_dir"/package/calpero_*.deb)
[[ ${#debs[@]} -eq 1 && -f "${debs[0]}" ]] || { echo "FAIL: no single package: ${debs[*]}" >&2; exit 1; }
deb=${debs[0]}
echo "built $(basename "$deb")"

echo "check: the package's fields"
depends=$(dpkg-deb -f "$deb" Depends)
# libqt6gui6 holds the X platform plugin; libwayland-client0 speaks to a Wayland compositor.
for needed in fonts-texgyre fonts-liberation2 xdg-utils libqt6svg6 qt6-qpa-plugins \
  libqt6widgets6 libqt6gui6 libwayland-client0 libc6; do
  [[ ", $depends," == *", $needed"[\ ,]* ]] || fail "Depends lacks $needed: $depends"
done
[[ ", $(dpkg-deb -f "$deb" Recommends)," == *", qt6-translations-l10n,"* ]] ||
  fail "Recommends lacks qt6-translations-l10n, which translates the message boxes' buttons"
[[ ", $(dpkg-deb -f "$deb" Suggests)," == *", qt6-wayland,"* ]] ||
  fail "Suggests lacks qt6-wayland, the platform of native Wayland"
[[ $(dpkg-deb -f "$deb" Section) == science ]] || fail "Section is not science"
[[ -n $(dpkg-deb -f "$deb" Maintainer) ]] || fail "no Maintainer"
[[ -n $(dpkg-deb -f "$deb" Description) ]] || fail "no Description"

echo "check: lintian finds no error in the package"
lintian_log="$build_dir/lintian.log"
lintian --no-tag-display-limit "$deb" >"$lintian_log" 2>&1 || true
if grep -q '^E: ' "$lintian_log"; then
  grep '^E: ' "$lintian_log" >&2
  fail "lintian reports errors"
fi

echo "check: the package holds only the program's own files"
strays=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' |
  grep -Ev '^\./usr/(bin/calpero(-cli)?|lib/calpero/|share/(applications|metainfo|calpero|icons/hicolor)/|share/man/man1/calpero(-cli)?\.1\.gz$|share/man/(de|fr)/man1/calpero\.1\.gz$|share/doc/calpero/(changelog\.gz|copyright)$)' ||
  true)
[[ -z "$strays" ]] || fail "unexpected files in the package: $strays"

scratch=$(mktemp -d)
installed=false
cleanup() {
  if $installed; then
    apt-get -o DPkg::Lock::Timeout=300 remove -y -q calpero >"$scratch/remove.log" 2>&1 ||
      { cat "$scratch/remove.log" >&2; echo "FAIL: apt-get remove calpero" >&2; }
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT

echo "step: installing the package with apt-get"
export DEBIAN_FRONTEND=noninteractive
installed=true
if ! apt-get -o DPkg::Lock::Timeout=300 install -y -q --no-install-recommends "$deb" \
  >"$scratch/install.log" 2>&1; then
  cat "$scratch/install.log" >&2
  echo "FAIL: apt-get install $deb" >&2
  exit 1
fi

echo "check: program, launcher, help, icons, desktop entry and sample are in place"
for path in /usr/lib/calpero/calpero /usr/bin/calpero /usr/bin/calpero-cli; do
  [[ -x "$path" ]] || fail "$path is missing or not executable"
done
for page in calpero calpero-cli; do
  gzip -t "/usr/share/man/man1/$page.1.gz" 2>/dev/null || fail "no manual page $page(1)"
done
for language in "" de/ fr/; do
  cmp -s "$source_dir/resources/help/${language}index.htm" "/usr/lib/calpero/Help/${language}index.htm" ||
    fail "the help page Help/${language}index.htm is not beside the program"
done
for language in de fr; do
  gzip -t "/usr/share/man/$language/man1/calpero.1.gz" 2>/dev/null ||
    fail "no manual page calpero(1) in $language"
done
cmp -s "$source_dir/resources/sample/data.ini" /usr/share/calpero/data.ini ||
  fail "the sample catalogue is not in /usr/share/calpero"
app_id=org.calpero.Calpero
for size in 16 32 48 64 128 256; do
  [[ -f "/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png" ]] ||
    fail "no $size-pixel icon"
done
[[ -f "/usr/share/icons/hicolor/scalable/apps/$app_id.svg" ]] || fail "no scalable icon"
[[ -f "/usr/share/metainfo/$app_id.metainfo.xml" ]] || fail "no metainfo"
desktop_file="/usr/share/applications/$app_id.desktop"
if [[ -f "$desktop_file" ]]; then
  desktop-file-validate "$desktop_file" || fail "the installed desktop entry is not valid"
else
  fail "no desktop entry"
fi

echo "check: the installed calpero-cli reads a catalogue"
work="$scratch/work"
mkdir -p "$work/Data" "$work/Backup"
cp /usr/share/calpero/data.ini "$work/Data/data.ini"
units=$(calpero-cli -C "$work" list | wc -l)
[[ $units -eq $(grep -c '^\[' "$work/Data/data.ini") ]] || fail "calpero-cli listed $units units"

echo "check: the installed program starts and keeps running, in a folder and per user"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
(cd "$work" && exec calpero) >"$scratch/folder.log" 2>&1 &
folder_pid=$!
(cd / && HOME="$scratch/home" XDG_DATA_HOME='' exec calpero --user-catalogue) \
  >"$scratch/user.log" 2>&1 &
user_pid=$!
sleep 2
for run in folder:$folder_pid user:$user_pid; do
  name=${run%%:*}
  pid=${run#*:}
  if kill -0 "$pid" 2>/dev/null; then
    kill -TERM "$pid"
    status=0
    wait "$pid" || status=$?
    [[ $status -eq 143 ]] || fail "the $name start ended with status $status when terminated"
  else
    status=0
    wait "$pid" || status=$?
    fail "the $name start ended by itself within 2 s, status $status: $(cat "$scratch/$name.log")"
  fi
done
cmp -s /usr/share/calpero/data.ini "$scratch/home/.local/share/calpero/Data/data.ini" ||
  fail "the per-user start did not seed ~/.local/share/calpero/Data/data.ini"
[[ -d "$scratch/home/.local/share/calpero/Backup" ]] || fail "the per-user start made no Backup/"

echo "step: removing the package"
installed=false
apt-get -o DPkg::Lock::Timeout=300 remove -y -q calpero >"$scratch/remove.log" 2>&1 ||
  fail "apt-get remove calpero: $(cat "$scratch/remove.log")"
for path in /usr/bin/calpero /usr/lib/calpero "$desktop_file"; do
  [[ ! -e "$path" ]] || fail "$path is still there after the removal"
done

finish "the package builds, installs, runs and removes cleanly"
