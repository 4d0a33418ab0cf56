#!/usr/bin/env bash
# Starts Calpero in the demo workspace: a folder holding Data/data.ini and Backup/, made here on
# first use with the catalogue seeded from the shipped sample. The program itself never creates
# these folders; it works on whatever folder it is started in.
# Usage: scripts/start-demo.sh <program> [workspace folder, default: demo/ in the project]
set -euo pipefail
project=$(cd "$(dirname "$0")/.." && pwd)
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
workspace=${2:-"$project/demo"}

mkdir -p "$workspace/Data" "$workspace/Backup"
if [[ ! -e "$workspace/Data/data.ini" ]]; then
  cp "$project/resources/sample/data.ini" "$workspace/Data/data.ini"
  echo "Demo catalogue created in $workspace/Data/data.ini"
fi

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "No graphical display found (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
  echo "Start Calpero from a desktop session, or under Xvfb: xvfb-run -a ./run.sh" >&2
  exit 1
fi
cd "$workspace"
exec "$program"
