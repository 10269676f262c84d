#!/bin/sh
# The installed AppStream metadata is valid, even to the pedantic hints, and
# names a desktop entry that is installed beside it, as software centres read
# them. Usage: AppStreamTest.sh BUILD_DIR
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/usr" --component program >/dev/null
status=0
report=$(appstreamcli validate-tree --pedantic --strict --no-net "$work") || status=$?
echo "$report"
if [ "$status" -ne 0 ] || echo "$report" | grep -q '^ *[EWIP]: '; then
  echo "FAIL: the metadata has issues"
  exit 1
fi
