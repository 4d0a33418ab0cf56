#!/usr/bin/env bash
# Checks what the desktop learns about Calpero: the desktop entry and the AppStream metainfo pass
# their validators without a single remark, both use the one application id that names the icon,
# the metainfo's newest release is the version being built, and the icon was rendered at every
# size of the theme.
#
# Usage: desktop_files_test.sh <desktop folder> <application id> <version> <icon folder> <sizes...>
set -euo pipefail

desktop_dir=$1
app_id=$2
version=$3
icon_dir=$4
shift 4
sizes=("$@")

desktop_file="$desktop_dir/$app_id.desktop"
metainfo="$desktop_dir/$app_id.metainfo.xml"
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

# The value of key $2 in the [Desktop Entry] group of desktop file $1.
desktop_value() {
  sed -n '/^\[Desktop Entry\]/,/^\[/{s/^'"$2"'=//p}' "$1"
}

# The text of the first element $2 in XML file $1, or the value of attribute $3 of it.
xml_value() {
  python3 - "$@" <<'EOF'
import sys
import xml.etree.ElementTree as tree
element = tree.parse(sys.argv[1]).getroot().find(sys.argv[2])
if element is not None:
    print(element.get(sys.argv[3]) if len(sys.argv) > 3 else (element.text or "").strip())
EOF
}

echo "check: the desktop entry passes desktop-file-validate without remarks"
remarks=$(desktop-file-validate "$desktop_file" 2>&1) || fail "desktop-file-validate failed"
expect_equal "desktop-file-validate output" "" "$remarks"

echo "check: the metainfo passes appstreamcli validate --strict"
appstreamcli validate --no-net --strict "$metainfo" || fail "appstreamcli validate failed"

echo "check: one application id throughout"
expect_equal "desktop entry Icon" "$app_id" "$(desktop_value "$desktop_file" Icon)"
expect_equal "metainfo id" "$app_id" "$(xml_value "$metainfo" id)"
expect_equal "metainfo launchable" "$app_id.desktop" "$(xml_value "$metainfo" launchable)"

echo "check: the menu starts the launcher in its per-user mode"
expect_equal "desktop entry Exec" "calpero --user-catalogue" "$(desktop_value "$desktop_file" Exec)"
expect_equal "desktop entry Name" "Calpero" "$(desktop_value "$desktop_file" Name)"

echo "check: the menu entry and the description speak German and French"
for language in de fr; do
  for key in Name GenericName Comment Keywords; do
    [[ -n $(desktop_value "$desktop_file" "$key\\[$language\\]") ]] ||
      fail "the desktop entry has no $key[$language]"
  done
  translated=$(python3 - "$metainfo" "$language" <<'EOF'
import sys
import xml.etree.ElementTree as tree
lang = "{http://www.w3.org/XML/1998/namespace}lang"
root = tree.parse(sys.argv[1]).getroot()
print(" ".join(sorted({e.tag for e in root.iter() if e.get(lang) == sys.argv[2]})))
EOF
)
  expect_equal "metainfo elements in $language" "p summary ul" "$translated"
done

echo "check: the newest release in the metainfo is this version"
expect_equal "metainfo release" "$version" "$(xml_value "$metainfo" releases/release version)"

echo "check: the icon is rendered at every theme size"
for size in "${sizes[@]}"; do
  png="$icon_dir/${size}x${size}/apps/$app_id.png"
  description=$(file -b "$png" 2>&1)
  [[ "$description" == "PNG image data, $size x $size, 8-bit/color RGBA"* ]] ||
    fail "$png: $description"
done

finish "all desktop file checks passed"
