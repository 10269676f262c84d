#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
"""Where a first visit's start-up goes: a Chromium trace of the page in FOLDER.

Usage: trace.py [--save FILE] FOLDER
Loads the page once in a fresh headless Chromium profile with tracing on and prints, from
navigation to the usable window (the page's 'kwindel-usable' mark), when the module arrived,
when it was compiled and instantiated, how long the program's start ran on the page's thread and
what it spent that on (sampled, by function: the page must be built with its functions' names,
scripts/web --trace). --save keeps the trace, for Chromium's own viewer (chrome://tracing).
"""

import json
import re
import sys
from collections import Counter

from devtools import Browser, StaticServer

CATEGORIES = [
    "devtools.timeline", "disabled-by-default-devtools.timeline", "blink.user_timing",
    "loading", "v8.wasm", "disabled-by-default-v8.cpu_profiler", "v8",
]

# What the program's start is made of: a sample counts for every part with a function on its
# stack, so the parts may overlap (fonts are loaded while the widgets are made and drawn).
PARTS = [
    ("Qt's start (platform, screen, fonts registered)",
     r"QGuiApplicationPrivate::createPlatformIntegration"),
    ("the program's icon", r"ProgramIcon|QWasmWindow::setWindowIcon"),
    ("the main window's widgets", r"Ui_TfMain::setupUi"),
    ("the SVG logo", r"^LogoPixmap"),
    ("showing the window", r"^QWidget::show\(\)"),
    ("drawing the window", r"QWidgetRepaintManager::paintAndFlush"),
    ("fonts: registered, read, text shaped", r"QFontDatabase|QFreeType|FT_|hb_shape"),
]


def record(folder):
    """The trace's events of one first visit."""
    server = StaticServer(folder)
    browser = Browser()
    try:
        browser.connection.send("Tracing.start", transferMode="ReportEvents",
                                traceConfig={"includedCategories": CATEGORIES})
        page = browser.new_page()
        page.send("Page.enable")
        page.send("Page.navigate", url=server.url)
        page.wait_for("document.body && document.body.dataset.state === 'klaar'", seconds=120)
        browser.connection.send("Tracing.end")
        browser.connection.wait_event("Tracing.tracingComplete", seconds=120)
        events = []
        for message in browser.connection.events:
            if message["method"] == "Tracing.dataCollected":
                events.extend(message["params"]["value"])
        return events
    finally:
        browser.close()
        server.stop()


def first(events, name, where=lambda event: True):
    return next((event for event in sorted(events, key=lambda e: e.get("ts", 0))
                 if event.get("name") == name and where(event)), None)


def url_of(event):
    return event.get("args", {}).get("data", {}).get("url", "")


def samples(events):
    """(time, stack of function names, innermost first) of each CPU profile sample."""
    chunks = [event for event in events if event.get("name") in ("Profile", "ProfileChunk")]
    nodes = {}
    times = []
    for profile in {event["id"] for event in chunks if "id" in event}:
        last = None  # a sample's time is its distance from the one before
        for event in sorted((e for e in chunks if e.get("id") == profile), key=lambda e: e["ts"]):
            data = event["args"]["data"]
            if event["name"] == "Profile":
                last = data.get("startTime", event["ts"])
                continue
            cpu = data.get("cpuProfile", {})
            for node in cpu.get("nodes", []):
                nodes[(profile, node["id"])] = (node["callFrame"].get("functionName", ""),
                                                node.get("parent"))
            for sample, delta in zip(cpu.get("samples", []), data.get("timeDeltas", [])):
                last = (last or event["ts"]) + delta
                stack = []
                node = sample
                while node is not None and (profile, node) in nodes:
                    name, node = nodes[(profile, node)]
                    stack.append(name)
                times.append((last, stack))
    return sorted(times, key=lambda sample: sample[0])


def report(events):
    usable = first(events, "kwindel-usable")
    # The page's own navigation, not the blank page's the tab was opened with.
    navigation = usable and first(events, "navigationStart", lambda event: (
        event["args"]["data"].get("navigationId") == usable["args"]["data"].get("navigationId")))
    if navigation is None or usable is None:
        raise RuntimeError("the trace has no 'kwindel-usable' mark or no navigation to it")
    t0 = navigation["ts"]
    ms = lambda ts: (ts - t0) / 1000
    end = lambda event: event["ts"] + event.get("dur", 0)
    taken = [(ts, stack) for ts, stack in samples(events) if t0 <= ts <= usable["ts"]]
    in_main = [ts for ts, stack in taken if "main" in stack]

    steps = []
    requested = first(events, "ResourceSendRequest", lambda e: url_of(e).endswith(".wasm"))
    if requested:
        request = requested["args"]["data"]["requestId"]
        arrived = first(events, "ResourceFinish",
                        lambda e: e.get("args", {}).get("data", {}).get("requestId") == request)
        steps.append(("the module requested", ms(requested["ts"])))
        if arrived:
            steps.append(("the module downloaded", ms(arrived["ts"])))
    for what, name in (("compilation started (streaming)", "wasm.StartStreamingCompilation"),
                       ("compiled (baseline; optimised later)", "wasm.FinishStreaming"),
                       ("instantiated", "wasm.AsyncInstantiate")):
        event = first(events, name)
        if event:
            steps.append((what, ms(end(event))))
    if in_main:
        steps.append(("the program's main begins", ms(in_main[0])))
        steps.append(("main has shown the window and returns", ms(in_main[-1])))
    steps.append(("usable: the window's first frame", ms(usable["ts"])))
    print("ms after navigation")
    for what, at in sorted(steps, key=lambda step: step[1]):
        print(f"{at:8.1f}  {what}")

    busy = [stack for _, stack in taken if stack and stack[0] not in ("(idle)", "(program)")]
    if not in_main:
        print("no samples of the program's main: was the page built with its functions' names?")
        return
    step = (usable["ts"] - t0) / 1000 / max(len(taken), 1)
    print(f"\nthe program's start, sampled every {step:.2f} ms; a part's time has its calls in it")
    for what, pattern in PARTS:
        hits = sum(1 for stack in busy if any(re.search(pattern, name) for name in stack))
        print(f"{hits * step:8.1f} ms  {what}")
    inclusive = Counter()
    for stack in busy:
        inclusive.update(set(stack))
    print("\nthe functions with the most time, their calls included:")
    for name, count in inclusive.most_common(40):
        print(f"{count * step:8.1f} ms  {name[:110]}")


def main():
    arguments = sys.argv[1:]
    save = None
    if arguments[:1] == ["--save"] and len(arguments) > 1:
        save = arguments[1]
        arguments = arguments[2:]
    if len(arguments) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    events = record(arguments[0])
    if save:
        with open(save, "w") as file:
            json.dump({"traceEvents": events}, file)
    report(events)
    return 0


if __name__ == "__main__":
    sys.exit(main())
