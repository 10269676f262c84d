# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
# Shell helpers of the checks that run a program on a private X server with a private session
# bus and accessibility bus. Sourced, not run.

launcher=/usr/libexec/at-spi-bus-launcher

# Polls the command until it succeeds; fails after the given seconds.
wait_for() {
  local what=$1 seconds=$2 deadline=$((SECONDS + $2))
  shift 2
  until "$@"; do
    if ((SECONDS >= deadline)); then
      echo "FAIL: no $what within $seconds s" >&2
      return 1
    fi
    sleep 0.05
  done
}

# Asks the session bus without starting anything: a call to the accessibility bus
# itself would have D-Bus start a second launcher.
# shellcheck disable=SC2317 # called through wait_for
a11y_bus_is_up() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q "boolean true"
}
