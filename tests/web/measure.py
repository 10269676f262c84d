#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
"""Measures the browser edition against a bare Qt window of one label built the same way.

Usage: measure.py KWINDEL_PAGE LABEL_PAGE [ROUNDS]
Prints each page's transfer size (every file as a server sends it with gzip -9) and the
median time from navigation to a usable window (its first frame after the program's main
has run) in headless Chromium, the pages taking turns, each start in a fresh profile, so
with nothing cached.
"""

import gzip
import os
import statistics
import sys

from devtools import Browser, StaticServer


def transfer_size(folder):
    raw = packed = 0
    for parent, _, names in os.walk(folder):
        for name in names:
            with open(os.path.join(parent, name), "rb") as file:
                data = file.read()
            raw += len(data)
            packed += len(gzip.compress(data, compresslevel=9))
    return raw, packed


def time_to_usable(folder):
    server = StaticServer(folder)
    browser = Browser()
    try:
        page = browser.new_page()
        page.send("Page.enable")
        page.send("Page.navigate", url=server.url)
        page.wait_for("document.body && document.body.dataset.state === 'klaar'", seconds=120)
        return page.evaluate("performance.getEntriesByName('kwindel-usable')[0].startTime")
    finally:
        browser.close()
        server.stop()


def main():
    if len(sys.argv) not in (3, 4):
        print(__doc__, file=sys.stderr)
        return 2
    pages = {"Kwindel": sys.argv[1], "one label": sys.argv[2]}
    rounds = int(sys.argv[3]) if len(sys.argv) == 4 else 7
    times = {name: [] for name in pages}
    for _ in range(rounds):
        for name, folder in pages.items():
            times[name].append(time_to_usable(folder))
    print(f"{'page':<10} {'files':>10} {'gzip -9':>10} {'to usable, median of ' + str(rounds):>24}")
    for name, folder in pages.items():
        raw, packed = transfer_size(folder)
        ms = statistics.median(times[name])
        print(f"{name:<10} {raw / 1e6:>8.2f} MB {packed / 1e6:>7.2f} MB {ms:>21.0f} ms"
              f"   (all: {', '.join(f'{t:.0f}' for t in sorted(times[name]))})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
