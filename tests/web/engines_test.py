#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
"""A teacher's round with the browser edition in Firefox ESR and in WebKitGTK.

Usage: engines_test.py PAGE_FOLDER KWINDEL_DIVIDE
The window drawn, a list chosen through the page's file input, the report shown
and saved byte for byte as KWINDEL_DIVIDE makes it. Firefox is driven over
WebDriver BiDi, WebKitGTK over WebDriver (Selenium); WebKitGTK needs an X
display (scripts/web runs this under xvfb-run).
"""

import contextlib
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

import websocket

from devtools import Failure, StaticServer, listening_address

HERE = os.path.dirname(os.path.abspath(__file__))
LIST = os.path.join(HERE, "klas.lll")
SEED = 1788000000

# Centres of the window's controls in its own pixels, as in browser_test.py.
KIES = (85, 100)
KWINDEL = (85, 220)

# Neither headless Firefox nor WebKitGTK under automation has a file picker: the page's file
# input, clicked for the teacher's click on Kies, is kept for the test to put the list in, as
# the picker would.
KEEP_PICKER = """
  const click = HTMLInputElement.prototype.click;
  HTMLInputElement.prototype.click = function () {
    if (this.type !== 'file') return click.call(this);
    this.hidden = false;  // WebDriver puts files only into an input that is shown
    window.kwindelPicker = this;
  };
"""
FROZEN_CLOCK = f"Date.now = () => {SEED * 1000};"

WINDOW = """(() => {
  const r = document.getElementById('scherm').getBoundingClientRect();
  return [r.left, r.top, r.width, r.height]; })()"""
READY = "document.body && document.body.dataset.state === 'klaar'"
REPORT = ("document.getElementById('verslag').hidden ? null : "
          "document.getElementById('verslag-tekst').textContent")
SAVE_BUTTON = """(() => { const r = document.getElementById('opslaan').getBoundingClientRect();
  return [r.left + r.width / 2, r.top + r.height / 2]; })()"""


def native_report(divide, seed, work):
    shutil.copy(LIST, work)
    out = os.path.join(work, f"native-{seed}.txt")
    subprocess.run([divide, "klas.lll", "2", str(seed), out], cwd=work, check=True)
    with open(out, "rb") as file:
        return file.read()


def poll(function, seconds, what):
    deadline = time.monotonic() + seconds
    while not (value := function()):
        if time.monotonic() > deadline:
            raise Failure(f"{what}: not within {seconds} s")
        time.sleep(0.2)
    return value


class Firefox:
    """Headless Firefox ESR with a fresh profile, over WebDriver BiDi."""

    def __init__(self, downloads):
        self.profile = tempfile.mkdtemp(prefix="kwindel-firefox-")
        with open(os.path.join(self.profile, "user.js"), "w") as prefs:
            for name, value in {"browser.download.folderList": 2,
                                "browser.download.dir": downloads,
                                "browser.download.useDownloadDir": True,
                                "browser.download.always_ask_before_handling_new_types": False,
                                "browser.shell.checkDefaultBrowser": False}.items():
                prefs.write(f"user_pref({json.dumps(name)}, {json.dumps(value)});\n")
        self.process = subprocess.Popen(
            ["firefox-esr", "--headless", "--no-remote", "--profile", self.profile,
             "--remote-debugging-port=0", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        url = listening_address(self.process, "WebDriver BiDi")
        if url is None:
            self.close()
            raise Failure("firefox did not start")
        self.socket = websocket.create_connection(url + "/session", timeout=60,
                                                  suppress_origin=True)
        self.next_id = 0
        self.send("session.new", capabilities={})
        self.context = self.send("browsingContext.getTree")["contexts"][0]["context"]

    def send(self, method, **params):
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == self.next_id:
                if message.get("type") == "error":
                    raise Failure(f"{method}: {message.get('error')}: {message.get('message')}")
                return message["result"]

    def open(self, url, *scripts):
        for script in scripts:
            self.send("script.addPreloadScript", functionDeclaration=f"() => {{ {script} }}")
        self.send("browsingContext.setViewport", context=self.context,
                  viewport={"width": 1000, "height": 900})
        self.send("browsingContext.navigate", context=self.context, url=url, wait="complete")

    def evaluate(self, expression, ownership="none"):
        result = self.send("script.evaluate", expression=expression, awaitPromise=True,
                           target={"context": self.context}, resultOwnership=ownership)
        if result["type"] == "exception":
            raise Failure(f"{expression}: {result['exceptionDetails']['text']}")
        return result["result"]

    def value(self, expression):
        return to_python(self.evaluate(expression))

    def click(self, x, y):
        self.send("input.performActions", context=self.context, actions=[{
            "type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"},
            "actions": [{"type": "pointerMove", "x": int(x), "y": int(y)},
                        {"type": "pointerDown", "button": 0},
                        {"type": "pointerUp", "button": 0}]}])

    def choose(self, path):
        picker = self.evaluate("window.kwindelPicker", ownership="root")
        self.send("input.setFiles", context=self.context,
                  element={"sharedId": picker["sharedId"]}, files=[path])

    def close(self):
        with contextlib.suppress(Exception):
            self.socket.close()
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


def to_python(remote):
    """A BiDi remote value as Python's own."""
    kind = remote["type"]
    if kind == "array":
        return [to_python(item) for item in remote["value"]]
    if kind in ("null", "undefined"):
        return None
    return remote.get("value")


class WebKit:
    """WebKitGTK's MiniBrowser under automation, over WebDriver."""

    def __init__(self):
        from selenium import webdriver
        options = webdriver.WebKitGTKOptions()
        options.binary_location = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
        options.add_argument("--automation")
        self.driver = webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver",
                                          options=options)
        self.driver.set_window_size(1000, 900)

    def open(self, url):
        self.driver.get(url)

    def value(self, expression):
        return self.driver.execute_script(f"return {expression};")

    def click(self, x, y):
        from selenium.webdriver.common.actions.action_builder import ActionBuilder
        actions = ActionBuilder(self.driver)
        actions.pointer_action.move_to_location(int(x), int(y)).click()
        actions.perform()

    def choose(self, path):
        self.driver.execute_script("return window.kwindelPicker;").send_keys(path)

    def close(self):
        with contextlib.suppress(Exception):
            self.driver.quit()


class Round:
    """What both engines are put through."""

    page_folder = None
    divide = None

    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="kwindel-engines-")
        self.addCleanup(shutil.rmtree, self.work, ignore_errors=True)
        self.server = StaticServer(self.page_folder)
        self.addCleanup(self.server.stop)

    def open_window(self, browser):
        poll(lambda: browser.value(READY), 60, "the window")
        self.assertEqual(browser.value(WINDOW)[2:], [450, 291])

    def click_in_window(self, browser, control):
        left, top = browser.value(WINDOW)[:2]
        browser.click(left + control[0], top + control[1])

    def divide_in_page(self, browser):
        """Kies, the list put in the page's input, Kwindel until the report shows."""
        self.click_in_window(browser, KIES)
        poll(lambda: browser.value("!!window.kwindelPicker"), 30, "the page's file input")
        browser.choose(LIST)
        # Kwindel divides once the list is read; until then there is nothing to show.
        deadline = time.monotonic() + 30
        while True:
            self.click_in_window(browser, KWINDEL)
            with contextlib.suppress(Failure):
                return poll(lambda: browser.value(REPORT), 2, "the report")
            if time.monotonic() > deadline:
                self.fail("no report")

    def save(self, browser):
        browser.click(*browser.value(SAVE_BUTTON))


class FirefoxRound(Round, unittest.TestCase):
    def test_divides_chosen_list_and_saves_it(self):
        downloads = os.path.join(self.work, "downloads")
        os.mkdir(downloads)
        browser = Firefox(downloads)
        self.addCleanup(browser.close)
        browser.open(self.server.url, KEEP_PICKER, FROZEN_CLOCK)
        self.open_window(browser)
        shown = self.divide_in_page(browser)
        expected = native_report(self.divide, SEED, self.work)
        self.assertEqual(shown.encode("utf-8"), expected)
        self.save(browser)
        saved = os.path.join(downloads, "Kwindel.txt")
        poll(lambda: os.path.exists(saved) and os.path.getsize(saved) == len(expected), 30,
             "the saved report")
        with open(saved, "rb") as file:
            self.assertEqual(file.read(), expected)


class WebKitRound(Round, unittest.TestCase):
    def test_divides_chosen_list_and_saves_it(self):
        browser = WebKit()
        self.addCleanup(browser.close)
        # The page's clock cannot be frozen here: the seed is the second the window was shown.
        started = time.time()
        browser.open(self.server.url)
        self.open_window(browser)
        shown = time.time()
        browser.value(f"(() => {{ {KEEP_PICKER} }})()")
        # What the download would hold: the saved blob, read back.
        browser.value("""(() => {
            const click = HTMLAnchorElement.prototype.click;
            HTMLAnchorElement.prototype.click = function () {
              if (this.download) fetch(this.href).then(r => r.arrayBuffer()).then(b => {
                window.kwindelSaved = Array.from(new Uint8Array(b)); });
              else click.call(this);
            }; })()""")
        report = self.divide_in_page(browser).encode("utf-8")
        self.assertIn(report, {native_report(self.divide, seed, self.work)
                               for seed in range(int(started), int(shown) + 1)})
        self.save(browser)
        saved = poll(lambda: browser.value("window.kwindelSaved"), 30, "the saved report")
        self.assertEqual(bytes(saved), report)


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    Round.page_folder = os.path.abspath(sys.argv[1])
    Round.divide = os.path.abspath(sys.argv[2])
    suite = unittest.TestSuite()
    for case in (FirefoxRound, WebKitRound):
        suite.addTests(unittest.defaultTestLoader.loadTestsFromTestCase(case))
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    failed = len(result.failures) + len(result.errors)
    print(f"engines: {result.testsRun - failed} passed, {failed} failed")
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
