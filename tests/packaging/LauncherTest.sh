#!/bin/sh
# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed launcher runs a per-user copy of the program from the user's
# data folder, and refreshes that copy when the installed program changes.
# Usage: LauncherTest.sh BUILD_DIR
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" --component program >/dev/null
program="$work/prefix/libexec/kwindel/Kwindel"
[ -x "$program" ] || { echo "program not installed at $program"; exit 1; }

# Stand in for the program: say where it runs from.
fake_program() {
  printf '#!/bin/sh\necho "%s $0 $(pwd)"\n' "$1" >"$program"
  chmod 755 "$program"
}
fail() { echo "FAIL: $*"; exit 1; }

export XDG_DATA_HOME="$work/data"
copy="$XDG_DATA_HOME/kwindel/Kwindel"

fake_program first
out=$(cd / && "$work/prefix/bin/kwindel")
[ "$out" = "first $copy $XDG_DATA_HOME/kwindel" ] || fail "first run said: $out"

out=$("$work/prefix/bin/kwindel")
[ "$out" = "first $copy $XDG_DATA_HOME/kwindel" ] || fail "second run said: $out"

fake_program second  # an update of the installed program
out=$("$work/prefix/bin/kwindel")
[ "$out" = "second $copy $XDG_DATA_HOME/kwindel" ] || fail "after an update: $out"

ln -s "$work/prefix/bin/kwindel" "$work/kwindel-link"
out=$(HOME="$work/home" XDG_DATA_HOME= "$work/kwindel-link" 2>&1 || true)
case "$out" in
  "second $work/home/.local/share/kwindel/Kwindel $work/home/.local/share/kwindel") ;;
  *) fail "through a link, without XDG_DATA_HOME: $out" ;;
esac
echo "launcher ok"
