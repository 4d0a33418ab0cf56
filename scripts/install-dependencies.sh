#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Calpero need, when any is missing.
# Uses apt-get directly as root, through sudo otherwise; when neither is possible it prints the exact
# command to run and fails, so that the caller stops.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins
  # native Wayland: the toolkit's native interface, the client library, the protocols' descriptions
  qt6-base-private-dev libwayland-dev libwayland-bin wayland-protocols
  qt6-tools-dev qt6-l10n-tools  # Qt6LinguistTools for CMake; lupdate and lrelease
  qt6-translations-l10n  # Qt's own translations (the message boxes' buttons), for the tests
  fonts-texgyre fonts-liberation2 fonts-dejavu-core
  fonts-hosny-amiri  # Arabic in bold slanted, for unit names on the tokens
  xdg-utils file
  lintian  # the packaging test checks the package with it
  python3 desktop-file-utils appstream dpkg-dev  # help page and packaging tests, cpack -G DEB
  clang libclang-rt-14-dev  # libFuzzer, for fuzz/run.sh
  clang-format clang-tidy git  # scripts/lint.sh, which test.sh runs
  orca xvfb xdotool at-spi2-core dbus-daemon  # the screen-reader test (tests/ui/screen_reader_road.sh)
  weston xwayland qt6-wayland x11-utils  # the Wayland desktops' test (tests/ui/wayland_desktops.sh)
  locales  # the locale sources from which the CLI's locale test generates de_DE.UTF-8
  strace acl  # the CLI's campaign of failed system calls (strace -e inject, setfacl, getfacl)
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
  run_as_root=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  run_as_root=(sudo)
else
  echo "These packages are missing and this script cannot install them (not root, no sudo)." >&2
  echo "Run, then start this script again:" >&2
  echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${run_as_root[@]}" apt-get update -q
"${run_as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
