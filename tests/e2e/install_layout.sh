#!/usr/bin/env bash
# Installs a build into a scratch prefix and checks that a desktop finds
# the program: executable, desktop entry, AppStream metadata and icons, all
# under the one application id.
#
#   install_layout.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > /dev/null

id=org.varentix.Varentix
expected=(
  bin/varentix
  "share/applications/$id.desktop"
  "share/metainfo/$id.metainfo.xml"
  "share/icons/hicolor/scalable/apps/$id.svg"
  "share/icons/hicolor/32x32/apps/$id.png"
  "share/icons/hicolor/256x256/apps/$id.png"
)
for file in "${expected[@]}"; do
  [[ -e "$prefix/$file" ]] || { echo "FAIL: $file not installed" >&2; exit 1; }
done
desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
  "$prefix/share/metainfo/$id.metainfo.xml"
echo "PASS: installed layout"
