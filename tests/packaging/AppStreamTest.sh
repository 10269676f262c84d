#!/bin/sh
# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed AppStream metadata is valid, even to the pedantic hints, and
# names a desktop entry that is installed beside it, as software centres read
# them. Usage: AppStreamTest.sh BUILD_DIR
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/usr" --component program >/dev/null
# Errors and warnings fail the validation; every hint below them is read here.
status=0
report=$(appstreamcli validate-tree --pedantic --no-net "$work") || status=$?
echo "$report"
issues=$(echo "$report" | grep '^ *[EWIP]: ' || true)
# <developer> came with AppStream 1.0 and replaces <developer_name>; Debian
# 12's validator predates it and names it an unknown tag, as nothing more.
if appstreamcli --version | grep -q 'version: 0\.'; then
  issues=$(echo "$issues" | grep -v '^ *I: nl\.brimsel\.kwindel:[0-9]*: unknown-tag developer$' || true)
fi
if [ "$status" -ne 0 ] || [ -n "$issues" ]; then
  echo "FAIL: the metadata has issues"
  exit 1
fi
