#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
"""The browser edition in headless Chromium, driven as a teacher would use it.

Usage: browser_test.py PAGE_FOLDER KWINDEL_DIVIDE
PAGE_FOLDER is build-web/kwindel-web; KWINDEL_DIVIDE the native division, whose
report of the same list with the same seed the browser's must equal byte for byte.
"""

import base64
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

from devtools import Browser, StaticServer

HERE = os.path.dirname(os.path.abspath(__file__))
LIST = os.path.join(HERE, "klas.lll")  # 27 pupils, UTF-8 with a byte-order mark, CR LF
SEED = 1788000000  # the page's clock, frozen at this second: Randomize seeds with it

# Centres of the window's controls, in its own pixels (app/MainForm.ui).
STOP = (85, 44)
KIES = (85, 100)
SPINNER = (70, 159)
KWINDEL = (85, 220)
# Where the two labels show their text, clear of the logo.
FILE_LABEL = (150, 78, 300, 26)
COUNT_LABEL = (150, 110, 158, 26)

FROZEN_CLOCK = f"Date.now = () => {SEED * 1000};"


class BrowserEdition(unittest.TestCase):
    page_folder = None
    divide = None

    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="kwindel-web-")
        cls.server = StaticServer(cls.page_folder)
        cls.browser = Browser()
        cls.downloads = os.path.join(cls.work, "downloads")
        os.mkdir(cls.downloads)
        # Kept only when asked for on the browser's own connection.
        cls.browser.connection.send("Browser.setDownloadBehavior", behavior="allow",
                                    downloadPath=cls.downloads, eventsEnabled=True)

    @classmethod
    def tearDownClass(cls):
        cls.browser.close()
        cls.server.stop()
        shutil.rmtree(cls.work, ignore_errors=True)

    def open_page(self, *scripts, url=None):
        page = self.browser.new_page()
        self.addCleanup(page.close)
        page.send("Page.enable")
        page.send("Runtime.enable")
        for script in scripts:
            page.send("Page.addScriptToEvaluateOnNewDocument", source=script)
        page.send("Page.navigate", url=url or self.server.url)
        return page

    def open_window(self, *scripts):
        page = self.open_page(*scripts)
        state = page.wait_for("document.body && document.body.dataset.state", what="page state")
        self.assertEqual(state, "klaar", page.evaluate("document.getElementById('melding').textContent"))
        return page

    @staticmethod
    def window_origin(page):
        box = page.evaluate("(() => { const r = document.getElementById('scherm')"
                            ".getBoundingClientRect(); return [r.left, r.top]; })()")
        return box

    def click(self, page, control):
        left, top = self.window_origin(page)
        page.click(left + control[0], top + control[1])

    def read(self, page, left, top, width, height):
        """The text the window shows in that rectangle of its own, read as a person would:
        from the pixels (the labels' own text is not in the page's accessibility tree, which
        holds their accessible names)."""
        x, y = page.evaluate("(() => { const r = document.getElementById('scherm')"
                             ".getBoundingClientRect(); return [r.left + scrollX, r.top + scrollY]; })()")
        shot = page.send("Page.captureScreenshot", format="png", clip={
            "x": x + left, "y": y + top, "width": width, "height": height, "scale": 3},
            captureBeyondViewport=True)
        picture = os.path.join(self.work, "read.png")
        with open(picture, "wb") as file:
            file.write(base64.b64decode(shot["data"]))
        return subprocess.run(["tesseract", picture, "stdout", "--psm", "7"], check=True,
                              capture_output=True, text=True).stdout.strip()

    def wait_text(self, page, text, rectangle, seconds=30):
        deadline = time.monotonic() + seconds
        while (shown := self.read(page, *rectangle)) != text:
            if time.monotonic() > deadline:
                self.fail(f"'{text}' not shown; shown: '{shown}'")
            time.sleep(0.5)

    def test_draws_the_window_at_its_size(self):
        page = self.open_window()
        # Qt's own element for the window, inside the page's container.
        size = page.evaluate("""(() => {
            const r = document.getElementById('qt-shadow-container').shadowRoot
                .querySelector('.qt-window').getBoundingClientRect();
            return [r.width, r.height]; })()""")
        self.assertEqual(size, [450, 291])
        # Drawn, in Arial's metrics: the status bar's text fits the window whole.
        self.assertEqual(self.read(page, 0, 262, 450, 29),
                         "Brimsel, Nederlandstalige educatieve software")
        self.assertEqual(self.read(page, *COUNT_LABEL), "<Geen leerlingen>")

    def choose_list(self, page):
        """Kies, and the list picked in the page's file input."""
        page.send("Page.setInterceptFileChooserDialog", enabled=True)
        self.click(page, KIES)
        chooser = page.wait_event("Page.fileChooserOpened")
        page.send("DOM.setFileInputFiles", files=[LIST], backendNodeId=chooser["backendNodeId"])
        self.wait_text(page, "27 leerlingen", COUNT_LABEL)
        self.wait_text(page, "klas.lll", FILE_LABEL)

    def native_report(self, groups):
        """What kwindel_divide makes of the list with the page's seed."""
        native = os.path.join(self.work, "native.txt")
        shutil.copy(LIST, self.work)
        subprocess.run([self.divide, "klas.lll", str(groups), str(SEED), native], cwd=self.work,
                       check=True)
        with open(native, "rb") as file:
            return file.read()

    @staticmethod
    def shown_report(page):
        return page.wait_for("!document.getElementById('verslag').hidden && "
                             "document.getElementById('verslag-tekst').textContent",
                             what="the report shown")

    def test_divides_a_chosen_list_as_the_native_program_does(self):
        page = self.open_window(FROZEN_CLOCK)
        self.choose_list(page)

        # Four groups: the spinner's number up twice from 2.
        self.click(page, SPINNER)
        page.key("ArrowUp", "ArrowUp", 38)
        page.key("ArrowUp", "ArrowUp", 38)
        self.click(page, KWINDEL)
        shown = self.shown_report(page)
        expected = self.native_report(4)
        self.assertEqual(shown.encode("utf-8"), expected)

        # Saved with one click, as the file the desktop program writes.
        box = page.evaluate("""(() => { const r = document.getElementById('opslaan')
            .getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]; })()""")
        page.click(*box)
        saved = os.path.join(self.downloads, "Kwindel.txt")
        deadline = time.monotonic() + 30
        while not os.path.exists(saved) and time.monotonic() < deadline:
            time.sleep(0.2)
        with open(saved, "rb") as file:
            self.assertEqual(file.read(), expected)

        # The window is ready for the next list.
        self.wait_text(page, "<Nog geen lijst gekozen>", FILE_LABEL)
        self.wait_text(page, "<Geen leerlingen>", COUNT_LABEL)

    def test_a_cancelled_choice_resets_the_labels_and_keeps_the_list(self):
        page = self.open_window(FROZEN_CLOCK)
        self.choose_list(page)
        self.click(page, KIES)
        page.wait_event("Page.fileChooserOpened")
        # What a browser sends when the teacher closes its picker without a file.
        page.evaluate("document.querySelector('body > input[type=file]')"
                      ".dispatchEvent(new Event('cancel'))")
        self.wait_text(page, "<Nog geen lijst gekozen>", FILE_LABEL)
        self.wait_text(page, "<Geen leerlingen>", COUNT_LABEL)
        # Kwindel is still offered and divides the list chosen before, under its name.
        self.click(page, KWINDEL)
        self.assertEqual(self.shown_report(page).encode("utf-8"), self.native_report(2))

    def test_stop_shows_how_to_start_again(self):
        page = self.open_window()
        self.click(page, STOP)
        state = page.wait_for("document.body.dataset.state === 'gestopt' && "
                              "!document.getElementById('gestopt').hidden && "
                              "document.getElementById('scherm').hidden && "
                              "document.getElementById('gestopt').textContent",
                              what="the stopped page")
        self.assertIn("Kwindel is gestopt", state)
        # Its button starts the program again.
        page.evaluate("document.getElementById('opnieuw').click()")
        page.wait_for("document.body && document.body.dataset.state === 'klaar'",
                      what="the window again")

    def test_starts_without_a_network_after_the_first_visit(self):
        page = self.open_window()
        page.wait_for("navigator.serviceWorker.controller !== null", what="a service worker")
        server = self.server
        try:
            server.stop()  # nothing answers at the page's address any more
            page.send("Page.reload")  # not bypassing the cache: that bypasses the service worker too
            page.wait_for("document.body && document.body.dataset.state === 'klaar'",
                          what="the window without a server")
        finally:
            type(self).server = StaticServer(self.page_folder, port=server.port)

    def test_says_so_in_dutch_without_webassembly(self):
        page = self.open_page("delete window.WebAssembly;")
        page.wait_for("document.body && document.body.dataset.state === 'fout'", what="a failure")
        self.assertIn("kent geen WebAssembly", page.evaluate(
            "document.getElementById('melding').textContent"))


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    BrowserEdition.page_folder = os.path.abspath(sys.argv[1])
    BrowserEdition.divide = os.path.abspath(sys.argv[2])
    result = unittest.TextTestRunner(verbosity=2).run(
        unittest.defaultTestLoader.loadTestsFromTestCase(BrowserEdition))
    failed = len(result.failures) + len(result.errors)
    print(f"web: {result.testsRun - failed} passed, {failed} failed")
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
