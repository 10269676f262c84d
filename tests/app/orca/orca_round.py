#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
"""A blind teacher's round through Kwindel, heard through Orca.

Starts the program, types the teacher's keys with xdotool and, after each step, waits until Orca
has said what the teacher needs to hear, reading the SPEECH OUTPUT lines of Orca's debug file.
Prints every sentence, step by step. Run it where OrcaRoundTest.sh sets it up (an X server, the
session and accessibility buses, Orca). Exits 0 when all holds, 1 with the reason otherwise.
"""

import argparse
import os
import re
import subprocess
import sys
import time

# The sentence, then the voice Orca chose for it.
SENTENCE = re.compile(r"SPEECH OUTPUT: '(.*)'(?: voice=\w+)? ?(?:None|\[?\{.*\}\]?)?$")


class Failure(Exception):
    pass


class Orca:
    """What Orca has said, read from its debug file as it grows."""

    def __init__(self, log):
        self.log = log
        self.offset = 0
        self.partial = ""
        self.said = []

    def read(self):
        try:
            with open(self.log, encoding="utf-8", errors="replace") as file:
                file.seek(self.offset)
                text = self.partial + file.read()
                self.offset = file.tell()
        except FileNotFoundError:
            return
        lines = text.split("\n")
        self.partial = lines.pop()
        for line in lines:
            found = SENTENCE.search(line)
            if found:
                self.said.append(found.group(1))

    def wait_for(self, step, expected, seconds=15, in_order=True):
        """Waits until each expected text has been said since the step began (in order, unless
        told otherwise: where a window comes back, what Orca says of it and of its focus may come
        before or after the window's announcement)."""
        start = len(self.said)
        deadline = time.monotonic() + seconds
        while True:
            self.read()
            heard = self.said[start:]
            if in_order:
                missing = _missing(heard, expected)
            else:
                missing = next((text for text in expected if _missing(heard, [text])), None)
            if missing is None:
                # What follows at once belongs to this step too.
                time.sleep(0.3)
                self.read()
                heard = self.said[start:]
                print(f"ok: {step}")
                for sentence in heard:
                    print(f"    SPEECH OUTPUT: '{sentence}'")
                return heard
            if time.monotonic() > deadline:
                raise Failure(f"{step}: Orca did not say '{missing}'; it said: {heard}")
            time.sleep(0.05)


def _missing(heard, expected):
    """The first expected text not said after the ones before it, or None."""
    position = 0
    for text in expected:
        while position < len(heard) and text not in heard[position]:
            position += 1
        if position == len(heard):
            return text
        position += 1
    return None


def xdotool(*arguments):
    subprocess.run(["xdotool", *arguments], check=True, capture_output=True, timeout=20)


def keys(*names):
    xdotool("key", "--delay", "60", *names)


def orca_command(*names):
    """Keys pressed with Orca's own modifier (Insert) held."""
    xdotool("keydown", "Insert", "key", "--delay", "60", *names, "keyup", "Insert")


def window_ids(title):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                           capture_output=True, text=True, timeout=20)
    return found.stdout.split()


def wait_for_window(title, shown=True, seconds=15):
    deadline = time.monotonic() + seconds
    while bool(window_ids(title)) != shown:
        if time.monotonic() > deadline:
            raise Failure(f"the window '{title}' was {'not ' if shown else ''}shown "
                          f"within {seconds} s")
        time.sleep(0.1)
    return window_ids(title)


def round_of_the_teacher(orca, arguments):
    orca.wait_for("Orca starts", ["Screen reader on"], seconds=30)
    with open(arguments.program_log, "w", encoding="utf-8") as log:
        program = subprocess.Popen([arguments.program], stdout=log, stderr=log)
    try:
        [window] = wait_for_window("Kwindel")
        # Without a window manager nothing gives the new window the keyboard.
        xdotool("windowfocus", "--sync", window)
        orca.wait_for("the window gets the keyboard", ["Kwindel frame", "Stop push button"])
        orca_command("KP_Enter")
        orca.wait_for("Orca reads the title", ["Kwindel"])

        keys("Tab")
        orca.wait_for("Tab to Kies", ["Kies push button"])
        keys("space")
        wait_for_window("Kies een leerlingenlijst")
        orca.wait_for("the dialog opens", ["Kies een leerlingenlijst"])
        # As a teacher types: each character is echoed before the next, which keeps Orca's
        # queue of events from the dialog short (Orca drops events when it floods).
        xdotool("type", "--delay", "120", arguments.list)
        orca.wait_for("the name is typed", ["space ", "7 ", "dot ", "l ", "l ", "l "])
        keys("Return")
        try:
            wait_for_window("Kies een leerlingenlijst", shown=False, seconds=3)
        except Failure:
            keys("Return")  # the first one took the completer's suggestion
            wait_for_window("Kies een leerlingenlijst", shown=False)
        orca.wait_for("a list is chosen: the window is back, and the list is announced",
                      ["Kwindel frame",
                       f"notification {arguments.list}: 5 leerlingen. "
                       "Knop Kwindel beschikbaar: 2 groepjes uit 5 leerlingen."], in_order=False)
        keys("KP_Enter")
        orca.wait_for("where am I: on Kies", ["Kies push button"])

        # Orca's review of the window, line by line, from the focused Kies.
        keys("KP_Home")
        orca.wait_for("review: the line above Kies, the chosen list", [arguments.list])
        keys("KP_Page_Up", "KP_Page_Up")
        orca.wait_for("review: the line below Kies, the count", ["Kies", "5 leerlingen"])
        keys("Tab")
        orca.wait_for("Tab to the number of groups", ["Aantal groepjes 2 spin button"])
        for value in ("3", "4"):
            keys("Up")
            orca.wait_for(f"Up to {value}", [value])
        keys("Up")
        orca.wait_for("Up to 5 hides Kwindel",
                      ["5", "Knop Kwindel verborgen: het aantal groepjes (5) is niet kleiner "
                       "dan het aantal leerlingen (5)."])
        keys("Down")
        orca.wait_for("Down to 4 brings it back",
                      ["4", "Knop Kwindel beschikbaar: 4 groepjes uit 5 leerlingen."])
        keys("9")
        orca.wait_for("typing 9 shows 5 and hides Kwindel",
                      ["9", "5", "Knop Kwindel verborgen"])
        keys("Down")
        orca.wait_for("Down to 4", ["4", "Knop Kwindel beschikbaar: 4 groepjes uit 5 leerlingen."])
        keys("Down")
        orca.wait_for("Down to 3", ["3"])

        keys("Tab")
        orca.wait_for("Tab to Kwindel", ["Kwindel push button"])
        keys("space")
        orca.wait_for("the division: the window is back, and the report announced",
                      ["Kwindel frame", "notification Het verslag is geschreven en geopend."],
                      in_order=False)
        keys("KP_Enter")
        orca.wait_for("where am I: on Kies", ["Kies push button"])
        with open(arguments.opened, encoding="utf-8") as opened:
            report = os.path.join(os.path.dirname(arguments.program), "Kwindel.txt")
            if report not in opened.read():
                raise Failure(f"the report {report} was not opened")
        orca_command("KP_Enter", "KP_Enter")
        # Orca 43 says "statusbar", others "status bar".
        orca.wait_for("Orca reads the status bar",
                      ["Brimsel, Nederlandstalige educatieve software status"])
    finally:
        program.terminate()
        program.wait(timeout=10)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--log", required=True)
    parser.add_argument("--program", required=True)
    parser.add_argument("--program-log", required=True)
    parser.add_argument("--list", required=True)
    parser.add_argument("--opened", required=True)
    arguments = parser.parse_args()
    orca = Orca(arguments.log)
    try:
        round_of_the_teacher(orca, arguments)
    except (Failure, subprocess.SubprocessError, OSError) as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
