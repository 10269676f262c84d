#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
# A blind teacher's round through Kwindel with Debian's screen reader Orca: orca_round.py types
# the keys and reads what Orca says from its debug file. Everything runs on a private X server
# with a private session bus and accessibility bus; with --window-manager, an X window manager
# (openbox) runs there too. Orca speaks through a server that says nothing (silent_speech.py), and
# the report is "opened" by an xdg-open of the check's own. Everything started here is ended, and
# the temporary home removed, however the check ends.
# Usage: OrcaRoundTest.sh KWINDEL [--window-manager]
# With KWINDEL_ORCA_LOG set, Orca's debug file is kept there.
set -euo pipefail
program=$(realpath "$1")
manager=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../support/atspi_session.sh"
skip=77  # ctest's SKIP_RETURN_CODE for this check

for tool in Xvfb dbus-run-session dbus-send "$launcher" /usr/bin/python3 /usr/bin/orca xdotool; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing; run scripts/setup" >&2; exit 1; }
done
if [ "$manager" = --window-manager ]; then
  command -v openbox >/dev/null || { echo "FAIL: openbox is missing; run scripts/setup" >&2; exit 1; }
fi
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
  { echo "FAIL: python3-pyatspi is missing; run scripts/setup" >&2; exit 1; }

# Inside the private session bus: the accessibility bus, the window manager, Orca, then the
# round. Run by this script again, under dbus-run-session. The buses, the window manager and
# Orca write to the log, the program to a log of its own that a failure shows, and the round to
# the check's own output (4).
session() {
  pids=()
  orca=""
  # Orca's own clean-up on a signal may wait for what is gone already; the bus launcher must end
  # as asked, so that it ends the accessibility bus it started.
  trap '[ -z "$orca" ] || kill -KILL "$orca" 2>/dev/null; kill "${pids[@]}" 2>/dev/null; wait
        [ -z "${KWINDEL_ORCA_LOG:-}" ] || cp "$work/orca.log" "$KWINDEL_ORCA_LOG"' EXIT
  "$launcher" --launch-immediately >&2 &
  pids+=($!)
  wait_for "accessibility bus" 10 a11y_bus_is_up
  if [ "$manager" = --window-manager ]; then
    openbox --sm-disable >&2 &
    pids+=($!)
  fi
  PYTHONPATH=$here /usr/bin/python3 "$work/orca" --debug-file "$work/orca.log" >&2 &
  orca=$!
  # The program runs from a folder of its own, where it writes its report and settings.
  PATH=$work/bin:$PATH QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    /usr/bin/python3 "$here/orca_round.py" --log "$work/orca.log" --program "$work/program/Kwindel" \
    --program-log "$work/program.log" \
    --list "$work/lijsten/groep 7.lll" --opened "$work/opened" 2>&4 || {
    status=$?
    echo "What the program said:" >&4
    tail -n 20 "$work/program.log" >&4
    return "$status"
  }
}
if [ "${3:-}" = --session ]; then
  work=$4
  session
  exit
fi

work=$(mktemp -d)
xvfb=""
trap 'exit 143' INT TERM
trap '[ -z "$xvfb" ] || { kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; }; rm -rf "$work"' EXIT

# Nothing the buses, Orca or the program write lands in the real home.
export HOME=$work/home XDG_RUNTIME_DIR=$work/run
export XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache XDG_DATA_HOME=$HOME/.local/share
mkdir -m 700 "$HOME" "$XDG_RUNTIME_DIR"
export GSETTINGS_BACKEND=memory  # the bus launcher and Orca read desktop settings: no dconf
export PYTHONDONTWRITEBYTECODE=1  # Orca imports silent_speech.py from the source tree
export LANG=C.UTF-8 LANGUAGE=C  # Orca's own words (roles, commands) in English
# Qt's own file dialog and look, whatever the desktop running the check asks for.
unset LC_ALL QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QT_SCALE_FACTOR WAYLAND_DISPLAY

# Orca's launcher, with two changes: its debug file is written line by line, so each sentence
# can be read as soon as it is spoken, and an Orca the user runs elsewhere does not stop it.
# An Orca whose launcher differs is one this check does not know.
sed -e "s/open(args.debug_file, 'w')/open(args.debug_file, 'w', buffering=1)/" \
  -e 's/^\(\s*\)if otherOrcas():/\1if False:/' /usr/bin/orca >"$work/orca"
if ! grep -q "buffering=1" "$work/orca" || ! grep -q "if False:" "$work/orca"; then
  echo "SKIP: this Orca's launcher ($(orca --version 2>/dev/null)) is not one the check knows" >&2
  exit "$skip"
fi
# Orca's settings for this home: the silent speech server.
mkdir -p "$XDG_DATA_HOME/orca"
cat >"$XDG_DATA_HOME/orca/user-settings.conf" <<'EOF'
{"general": {"speechServerFactory": "silent_speech", "speechServerInfo": null,
             "enableSpeech": true, "enableBraille": false, "enableSound": false,
             "orcaModifierKeys": ["Insert", "KP_Insert"], "keyboardLayout": 1,
             "activeProfile": ["Default", "default"], "startingProfile": ["Default", "default"]},
 "profiles": {"default": {"profile": ["Default", "default"]}},
 "keybindings": {}, "pronunciations": {}}
EOF

mkdir "$work/program" "$work/lijsten" "$work/bin"
cp "$program" "$work/program/Kwindel"
printf '; groep 7\r\nAnna\r\nBram\r\nChaimae\r\nDaan\r\nEmma\r\n' >"$work/lijsten/groep 7.lll"
# The desktop's opener: records what it is given, and is done.
cat >"$work/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$@" >"$work/opened"
EOF
chmod +x "$work/bin/xdg-open"

# Xvfb picks a free display and writes its number once it takes clients.
: >"$work/display"
Xvfb -displayfd 3 -nolisten tcp -screen 0 800x600x24 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
wait_for "X server" 10 grep -q . "$work/display" || { cat "$work/xvfb.log" >&2; exit 1; }
DISPLAY=:$(cat "$work/display")
export DISPLAY

# The timeout ends the whole session, its buses, Orca and the program included.
status=0
timeout 120 dbus-run-session -- "$0" "$program" "$manager" --session "$work" 4>&2 \
  2>"$work/session.log" || status=$?
if ((status != 0)); then
  ((status != 124)) || echo "FAIL: the round took more than 120 s" >&2
  echo "What the buses, the window manager and Orca said:" >&2
  tail -n 50 "$work/session.log" >&2
fi
exit "$status"
