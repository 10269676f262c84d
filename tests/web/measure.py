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
import shutil
import statistics
import sys
import time

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


def big_division(folder, pupils=100000):
    """Divides a list of that many pupils in the page: the time from the click on Kwindel to
    the report shown, and the longest task the page's main thread ran meanwhile (the tab
    answers nothing during a task)."""
    import tempfile
    from browser_test import KIES, KWINDEL
    work = tempfile.mkdtemp(prefix="kwindel-measure-")
    listing = os.path.join(work, "groot.lll")
    with open(listing, "wb") as file:
        for i in range(pupils):
            file.write(b"Leerling %06d abcdefghijklm\r\n" % i)
    server = StaticServer(folder)
    browser = Browser()
    try:
        page = browser.new_page()
        page.send("Page.enable")
        page.send("Page.addScriptToEvaluateOnNewDocument", source="""
            window.longestTask = 0;
            new PerformanceObserver(list => { for (const task of list.getEntries())
                longestTask = Math.max(longestTask, task.duration); })
              .observe({type: 'longtask'});""")
        page.send("Page.navigate", url=server.url)
        page.wait_for("document.body && document.body.dataset.state === 'klaar'", seconds=120)
        left, top = page.evaluate("(() => { const r = document.getElementById('scherm')"
                                  ".getBoundingClientRect(); return [r.left, r.top]; })()")
        page.send("Page.setInterceptFileChooserDialog", enabled=True)
        page.click(left + KIES[0], top + KIES[1])
        chooser = page.wait_event("Page.fileChooserOpened")
        page.send("DOM.setFileInputFiles", files=[listing], backendNodeId=chooser["backendNodeId"])
        time.sleep(3)  # the list is read
        page.evaluate("longestTask = 0")
        start = page.evaluate("performance.now()")
        page.click(left + KWINDEL[0], top + KWINDEL[1])
        shown = page.wait_for("!document.getElementById('verslag').hidden && performance.now()",
                              seconds=120)
        time.sleep(1)
        return shown - start, page.evaluate("longestTask")
    finally:
        browser.close()
        server.stop()
        shutil.rmtree(work, ignore_errors=True)


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
    took, longest = big_division(sys.argv[1])
    print(f"10^5 pupils: report shown {took:.0f} ms after the click; longest task {longest:.0f} ms")
    return 0


if __name__ == "__main__":
    sys.exit(main())
