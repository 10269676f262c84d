#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
# The MSI under Wine (run it through tests/windows/wine-session): installed
# for one user without administrator rights, into the user's own programs
# folder with a Start-menu entry and an uninstall entry; the installed program
# runs and keeps its settings next to itself; a newer MSI replaces it; and it
# uninstalls.
# Usage: tests/windows/InstallerTest.sh Kwindel-<version>-win64.msi STAGE
#   STAGE: the folder the MSI was made from (packaging/windows/stage of the build)
set -euo pipefail
msi=$(realpath "$1")
stage=$(realpath "$2")
work=$(mktemp -d "${TMPDIR:-/tmp}/kwindel-msi.XXXXXX")
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
unix() { winepath -u "$(wine cmd /c echo "%$1%" | tr -d '\r')"; }
entries() { wine uninstaller --list 2>/dev/null | tr -d '\r' | grep '|||Kwindel$' || true; }

msiinfo suminfo "$msi" | grep -qx 'Source: 10 (a)' ||
  fail "the MSI asks for administrator rights (its word count is not 10: compressed, no elevation)"

wine msiexec /i "$msi" /qn || fail "msiexec /i ended with $?"
folder="$(unix LOCALAPPDATA)/Programs/Kwindel"
[ -f "$folder/Kwindel.exe" ] || fail "no Kwindel.exe in $folder"
[ -f "$(unix APPDATA)/Microsoft/Windows/Start Menu/Programs/Kwindel.lnk" ] ||
  fail "no Start-menu entry"
first=$(entries)
[ "$(echo "$first" | grep -c .)" = 1 ] || fail "uninstall entries: $first"
echo "installed for one user in $folder, with a Start-menu entry and $first"
python3 - "$folder/LEESMIJ.txt" <<'PY' || fail "LEESMIJ.txt is not the installed program's"
import sys
text = open(sys.argv[1], 'rb').read()
assert text.startswith(b'\xef\xbb\xbf') and b'\n' not in text.replace(b'\r\n', b''), 'CR LF, a mark'
text = text.decode('utf-8')
assert 'zip-bestand' not in text, 'the zip\'s notes'
assert '%LOCALAPPDATA%\\Programs\\Kwindel' in text and 'Verwijderen' in text, text
PY

# The installed program, started and stopped, writes its settings next to itself.
(cd "$folder" && exec wine Kwindel.exe >"$work/wine.log" 2>&1) &
program=$!
window=$(timeout 60 xdotool search --sync --name '^Kwindel$' | head -n 1) || fail "no window"
xdotool mousemove --window "$window" 85 44 click 1  # Stop
for _ in $(seq 60); do kill -0 "$program" 2>/dev/null || break; sleep 0.5; done
[ "$(cat "$folder/Kwindel.ini")" = "$(printf '[Gebruik]\r\nLijstendir=C:\\lijsten\\\r')" ] ||
  fail "Kwindel.ini: $(cat "$folder/Kwindel.ini" 2>&1)"
echo "the installed program runs and stores its settings next to itself"

# A newer version of the same product replaces the installed one. (Windows
# Installer compares the first three parts of a version only: 1.0.0.1 would
# not count as newer than 1.0.0.0.)
mkdir "$work/newer"
cp "$stage"/* "$work/newer/"
(cd "$work/newer" && wixl --arch x64 -D Version=1.0.1.0 -o "$work/newer.msi" Kwindel.wxs 2>/dev/null)
wine msiexec /i "$work/newer.msi" /qn || fail "the newer MSI ended with $?"
second=$(entries)
[ "$(echo "$second" | grep -c .)" = 1 ] && [ "$second" != "$first" ] ||
  fail "after the upgrade the uninstall entries are: $second"
[ -f "$folder/Kwindel.ini" ] || fail "the upgrade took the settings"
echo "the newer MSI replaced the older: $second"

wine msiexec /x "$work/newer.msi" /qn || fail "msiexec /x ended with $?"
[ ! -e "$folder/Kwindel.exe" ] || fail "Kwindel.exe is still there"
[ ! -e "$(unix APPDATA)/Microsoft/Windows/Start Menu/Programs/Kwindel.lnk" ] ||
  fail "the Start-menu entry is still there"
[ -z "$(entries)" ] || fail "still listed: $(entries)"
echo "uninstalled; the settings of the user stay: $(ls "$folder")"
