#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
# Kwindel.exe from the zip, as a teacher uses it, under Wine (run it through
# tests/windows/wine-session): unzipped into a folder whose name is beyond the
# ANSI code page, started, a list chosen in the file dialog by typing its name
# without ".lll", divided into groups, and stopped; then started again and
# ended by the end of the Windows session. Checks what lands next to the exe
# and that the shell opened the report (Notepad, under Wine).
# Usage: tests/windows/ProgramTest.sh Kwindel-<version>-win64.zip
set -euo pipefail
zip=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d "${TMPDIR:-/tmp}/kwindel-zip.XXXXXX")
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

folder="$work/USB-stick Zoë Łucja"
mkdir -p "$folder" "$work/klas 7b" "$work/klas 8"
(cd "$folder" && unzip -q "$zip")
[ "$(cd "$folder" && ls | sort | tr '\n' ' ')" = "COPYING.txt Kwindel.exe LEESMIJ.txt LGPL-3.0.txt " ] ||
  fail "the zip holds $(cd "$folder" && ls | tr '\n' ' ')"
# Explorer's properties and the task bar read these.
wrestool --extract --raw --type=version "$folder/Kwindel.exe" | python3 -c '
import sys
text = sys.stdin.buffer.read().decode("utf-16-le", "replace")
for wanted in ("CompanyName", "Brimsel", "FileDescription", "educatief programma",
               "FileVersion", "1.0.0.0", "ProductName", "Kwindel"):
    assert wanted in text, wanted + " is not in the version resource"' ||
  fail "the version resource"
[ "$(wrestool --list --type=group_icon "$folder/Kwindel.exe" | wc -l)" = 1 ] || fail "no icon"
wrestool --list --type=24 "$folder/Kwindel.exe" | grep -q . || fail "no manifest"

printf '; groep 7b\r\nAnna\r\nBram\r\nZo\xeb\r\n\r\nDani\xebl\r\n  Emma  \r\nFenna\r\nGijs' \
  >"$work/klas 7b/klas.lll"
printf 'Hanna\nIvo\nJip\n' >"$work/klas 8/klas.lll"
windows() { echo "Z:${1//\//\\}"; }  # the Linux root is drive Z: under Wine

# Starts the program from its folder; sets $window to its window.
start() {
  local begin
  begin=$(date +%s%N)
  (cd "$folder" && exec wine Kwindel.exe >"$work/wine.log" 2>&1) &
  program=$!
  disown  # the end of the session kills Wine's side of it: no news of that
  window=$(timeout 60 xdotool search --sync --name '^Kwindel$' | head -n 1) ||
    fail "no window called Kwindel within 60 s"
  echo "the window appeared $((($(date +%s%N) - begin) / 1000000)) ms after the start"
}
# Clicks at a point of the window's client area (Wine draws no frame here),
# once the window is on top: Notepad with the report may cover it.
click() {
  xdotool windowraise "$window"
  sleep 0.3
  xdotool mousemove --window "$window" "$1" "$2" click 1
  sleep 0.5
}
choose() {
  click 85 100  # Kies
  timeout 30 xdotool search --sync --name '^Kies een leerlingenlijst$' >/dev/null ||
    fail "no file dialog"
  sleep 1
  xdotool type --delay 20 "$1"
  xdotool key Return
  sleep 2
}
wait_for_end() {
  for _ in $(seq 60); do kill -0 "$program" 2>/dev/null || return 0; sleep 0.5; done
  fail "$1"
}

start
read -r width height < <(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\)/\1 \2/p')
[ "$width x $height" = "450 x 291" ] || fail "the window is $width x $height, not 450 x 291"
choose "$(windows "$work/klas 7b/klas")"
click 70 159  # the number: 2, then one step up
xdotool key Up
click 85 220  # Kwindel
report="$folder/Kwindel.txt"
for _ in $(seq 60); do [ -s "$report" ] && break; sleep 0.5; done
timeout 30 xdotool search --sync --name '^Kwindel.txt - ' >/dev/null ||
  fail "the shell did not open the report"
python3 - "$report" "$(windows "$work/klas 7b/klas.lll")" <<'PY'
import sys
report, listname = open(sys.argv[1], 'rb').read(), sys.argv[2].encode('cp1252')
assert report.endswith(b'\r\n') and b'\n' not in report.replace(b'\r\n', b''), 'CR LF lines'
lines = report[:-2].split(b'\r\n')
assert lines[:7] == [b'Gebruikte leerlingenlijst: ' + listname,
                     b'Aantal leerlingen dat kwindeld moet worden: 7', b'Aantal groepjes: 3', b'',
                     b'1 groepje van 3', b'2 groepjes van elk 2', b''], lines[:7]
groups = b'\r\n'.join(lines[7:]).split(b'\r\n\r\n')
assert [g.split(b'\r\n')[0] for g in groups] == [b'Groepje 1', b'Groepje 2', b'Groepje 3'], groups
members = [m for g in groups for m in g.split(b'\r\n')[1:]]
assert [len(g.split(b'\r\n')) - 1 for g in groups] == [3, 2, 2], groups
assert sorted(members) == sorted(b'\t' + p for p in
    [b'Anna', b'Bram', b'Zo\xeb', b'Dani\xebl', b'  Emma  ', b'Fenna', b'Gijs']), members
print('report ok:', len(lines), 'lines, groups of 3, 2 and 2')
PY
click 85 44  # Stop
wait_for_end "Stop did not end the program"
settings=$(cat "$folder/Kwindel.ini")
[ "$settings" = "$(printf '[Gebruik]\r\nLijstendir=%s\\\r' "$(windows "$work/klas 7b")")" ] ||
  fail "Kwindel.ini holds: $settings"
echo "settings ok: $settings"

# The end of the session (a logoff, a shutdown) stores the settings as Stop does.
rm "$folder/Kwindel.ini"
start
choose "$(windows "$work/klas 8/klas.lll")"
wineboot --end-session
wait_for_end "the end of the session did not end the program"
settings=$(cat "$folder/Kwindel.ini" 2>/dev/null) || fail "no Kwindel.ini after the end of the session"
[ "$settings" = "$(printf '[Gebruik]\r\nLijstendir=%s\\\r' "$(windows "$work/klas 8")")" ] ||
  fail "Kwindel.ini holds after the end of the session: $settings"
echo "session end ok: $settings"
