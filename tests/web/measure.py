#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
"""Measures pages of the browser edition against each other, side by side.

Usage: measure.py [--rounds N] NAME=FOLDER...
The first page is the browser edition, the last the anchor (a bare Qt window of one label).
Prints each page's module and all its files as they are, with gzip -9 and with Brotli (the
copies beside the files, as a server sends them), and the median time from navigation to a
usable window (its first frame after the program's main has run) in headless Chromium: at a
first visit, each in a fresh profile so with nothing cached, and at a second visit of the same
profile, from the service worker's copy. The pages take turns, 7 rounds unless told.
"""

import gzip
import os
import shutil
import statistics
import sys
import time

from devtools import Browser, StaticServer


def sizes(folder):
    """The bytes of the module and of all the page's files: as they are, with gzip -9, and as
    their Brotli copies (.br) beside them, else as they are."""
    module = [0, 0, 0]
    total = [0, 0, 0]
    for parent, _, names in os.walk(folder):
        for name in names:
            if name.endswith((".br", ".gz")):
                continue
            path = os.path.join(parent, name)
            with open(path, "rb") as file:
                data = file.read()
            brotli = path + ".br"
            figures = (len(data), len(gzip.compress(data, compresslevel=9)),
                       os.path.getsize(brotli) if os.path.exists(brotli) else len(data))
            for i, figure in enumerate(figures):
                total[i] += figure
                if name.endswith(".wasm"):
                    module[i] += figure
    return module, total


def times_to_usable(folder):
    """Milliseconds to a usable window at a first visit and at a second one."""
    server = StaticServer(folder)
    browser = Browser()
    usable = "performance.getEntriesByName('kwindel-usable')[0].startTime"
    try:
        page = browser.new_page()
        page.send("Page.enable")
        page.send("Page.navigate", url=server.url)
        page.wait_for("document.body && document.body.dataset.state === 'klaar'", seconds=120)
        first = page.evaluate(usable)
        # A program that failed before making its window also lets the page get ready.
        if not page.evaluate("!!document.getElementById('qt-shadow-container')"):
            raise RuntimeError(f"{folder}: the page is ready, but Qt made no window")
        # The service worker has kept the page's files when it is the page's controller.
        page.wait_for("navigator.serviceWorker.controller !== null", seconds=120)
        page.evaluate("window.firstVisit = true")
        page.send("Page.navigate", url=server.url)
        page.wait_for("!window.firstVisit && document.body && "
                      f"document.body.dataset.state === 'klaar' && {usable}", seconds=120)
        return first, page.evaluate(usable)
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
    arguments = sys.argv[1:]
    rounds = 7
    if arguments[:1] == ["--rounds"] and len(arguments) > 1:
        rounds = int(arguments[1])
        arguments = arguments[2:]
    if len(arguments) < 2 or not all("=" in argument for argument in arguments):
        print(__doc__, file=sys.stderr)
        return 2
    pages = dict(argument.split("=", 1) for argument in arguments)
    times = {name: ([], []) for name in pages}
    for _ in range(rounds):
        for name, folder in pages.items():
            for kept, took in zip(times[name], times_to_usable(folder)):
                kept.append(took)
    anchor = statistics.median(times[list(pages)[-1]][0])
    mb = lambda figure: f"{figure / 1e6:.2f}"
    print(f"MB: module as is, gzip -9, Brotli; all files the same; ms to usable, median of "
          f"{rounds} (first visit, its ratio to the last page's, second visit)")
    print(f"{'page':<16} {'module':>18} {'all files':>18} {'first':>6} {'ratio':>5} {'second':>6}")
    for name, folder in pages.items():
        module, total = sizes(folder)
        first, second = (statistics.median(kept) for kept in times[name])
        print(f"{name:<16} {' '.join(map(mb, module)):>18} {' '.join(map(mb, total)):>18} "
              f"{first:>6.0f} {first / anchor:>5.2f} {second:>6.0f}"
              f"   (first: {', '.join(f'{t:.0f}' for t in sorted(times[name][0]))})")
    took, longest = big_division(list(pages.values())[0])
    print(f"10^5 pupils: report shown {took:.0f} ms after the click; longest task {longest:.0f} ms")
    return 0


if __name__ == "__main__":
    sys.exit(main())
