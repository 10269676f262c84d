#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
# The kit gallery as a screen reader meets it, through AT-SPI: gallery_atspi.py reads
# and presses it. Qt's offscreen platform has no AT-SPI bridge, so the gallery runs on
# a private X server, with a private session bus and accessibility bus. Everything
# started here is ended, and the temporary home removed, however the check ends.
# Usage: GalleryAtSpiTest.sh GALLERY
set -euo pipefail
gallery=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../support/atspi_session.sh"

for tool in Xvfb dbus-run-session dbus-send "$launcher" /usr/bin/python3; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing; run scripts/setup" >&2; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
  { echo "FAIL: python3-pyatspi is missing; run scripts/setup" >&2; exit 1; }

# Inside the private session bus: the accessibility bus, then the gallery, then the
# reader. Run by this script again, under dbus-run-session. The buses write to the
# log; the gallery and the reader to the check's own error output (4).
session() {
  "$launcher" --launch-immediately >&2 &
  bus=$!
  trap 'kill $bus ${gallery_pid:-} 2>/dev/null; wait' EXIT
  wait_for "accessibility bus" 10 a11y_bus_is_up
  QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$gallery" 2>&4 &
  gallery_pid=$!
  /usr/bin/python3 "$here/gallery_atspi.py" 2>&4
}
if [ "${2:-}" = --session ]; then
  session
  exit
fi

work=$(mktemp -d)
xvfb=""
trap 'exit 143' INT TERM
trap '[ -z "$xvfb" ] || { kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; }; rm -rf "$work"' EXIT

# Nothing the buses, the gallery or the reader write lands in the real home.
export HOME=$work/home XDG_RUNTIME_DIR=$work/run
export XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache XDG_DATA_HOME=$HOME/.local/share
mkdir -m 700 "$HOME" "$XDG_RUNTIME_DIR"
export GSETTINGS_BACKEND=memory  # the bus launcher reads desktop settings: no dconf

# Xvfb picks a free display and writes its number once it takes clients.
: >"$work/display"
Xvfb -displayfd 3 -nolisten tcp -screen 0 640x480x24 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
wait_for "X server" 10 grep -q . "$work/display" || { cat "$work/xvfb.log" >&2; exit 1; }
DISPLAY=:$(cat "$work/display")
export DISPLAY

# The timeout ends the whole session, its buses and the gallery included.
status=0
timeout 60 dbus-run-session -- "$0" "$gallery" --session 4>&2 2>"$work/buses.log" || status=$?
if ((status != 0)); then
  ((status != 124)) || echo "FAIL: the check took more than 60 s" >&2
  echo "What the buses said:" >&2
  cat "$work/buses.log" >&2
fi
exit "$status"
