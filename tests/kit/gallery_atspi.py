#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the running kit gallery as a screen reader does, through AT-SPI.

Checks that every control in the window has a name, that the countdown clock is a
progress bar whose value moves while it runs, and that the hover buttons are named
push buttons whose Press action emits OnClick exactly once (the gallery counts the
clicks in a label). Run it on the gallery's accessibility bus; GalleryAtSpiTest.sh
sets that up. Exits 0 when all holds, 1 with the reason otherwise.
"""

import sys
import time

import pyatspi
from gi.repository import GLib

APPLICATION = "Quenlap-kit"


class Failure(Exception):
    pass


def wait_for(what, probe, seconds):
    """Polls probe until it returns something true; fails after the given time."""
    deadline = time.monotonic() + seconds
    while True:
        result = probe()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure(f"no {what} within {seconds} s")
        time.sleep(0.05)


def gallery_window():
    for application in pyatspi.Registry.getDesktop(0):
        if application is not None and application.name == APPLICATION and application.childCount:
            return application.getChildAtIndex(0)
    return None


def descendants(accessible):
    for child in accessible:
        yield child
        yield from descendants(child)


def name_of(accessible):
    # Afresh, not from libatspi's cache: a label's name is its text, which changes.
    accessible.clearCache()
    return accessible.name


def press(accessible):
    actions = accessible.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if "Press" not in names:
        raise Failure(f"{accessible.getRoleName()} '{accessible.name}' has no Press action: {names}")
    actions.doAction(names.index("Press"))


def one(controls, role, name):
    # The role itself: its display name differs between AT-SPI versions ("push button",
    # "button").
    found = [c for c in controls if c.getRole() == role and c.name == name]
    if len(found) != 1:
        raise Failure(f"{len(found)} controls of {role} named '{name}', not 1")
    return found[0]


def check_names(controls):
    unnamed = [c.getRoleName() for c in controls if not c.name]
    if unnamed:
        raise Failure(f"controls without a name: {unnamed}")
    print(f"ok: all {len(controls)} controls are named")


def check_clock(controls):
    clock = one(controls, pyatspi.ROLE_PROGRESS_BAR, "Aftelklok")
    value = clock.queryValue()
    if (value.minimumValue, value.maximumValue, value.currentValue) != (0, 100, 10):
        raise Failure(
            f"clock reads {value.currentValue} in {value.minimumValue}..{value.maximumValue}, "
            "not 10 in 0..100")

    # Start it as a reader would, and hear its value change at the ticks.
    heard = []
    loop = GLib.MainLoop()

    def on_value(event):
        if event.source.getRole() == pyatspi.ROLE_PROGRESS_BAR:
            heard.append(event.source.queryValue().currentValue)
            if len(heard) >= 2:
                loop.quit()

    pyatspi.Registry.registerEventListener(on_value, "object:property-change:accessible-value")
    GLib.timeout_add_seconds(5, loop.quit)
    press(one(controls, pyatspi.ROLE_PUSH_BUTTON, "Start"))
    loop.run()
    pyatspi.Registry.deregisterEventListener(on_value, "object:property-change:accessible-value")
    if len(heard) < 2 or not 0 < heard[-1] <= 100:
        raise Failure(f"a running clock announced the values {heard} within 5 s")
    print(f"ok: the clock is a progress bar at 10 of 0..100; running, it announced {heard}")


def check_hover_buttons(controls):
    ding = one(controls, pyatspi.ROLE_PUSH_BUTTON, "Ding")
    one(controls, pyatspi.ROLE_PUSH_BUTTON, "Dong")
    counter = one(controls, pyatspi.ROLE_LABEL, "Kliks: 0")

    press(ding)
    after = wait_for("click counted", lambda: (text := name_of(counter)) != "Kliks: 0" and text, 5)
    if after != "Kliks: 1, de laatste op Ding":
        raise Failure(f"after one press of Ding the counter reads '{after}'")
    print("ok: Ding and Dong are push buttons; pressing Ding emitted OnClick once")


def main():
    try:
        window = wait_for(f"window of {APPLICATION} on the accessibility bus", gallery_window, 20)
        controls = list(descendants(window))
        check_names(controls)
        check_hover_buttons(controls)
        check_clock(controls)
    except Failure as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
