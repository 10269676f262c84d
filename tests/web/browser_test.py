#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
"""The browser edition in headless Chromium, driven as a teacher would use it.

Usage: browser_test.py PAGE_FOLDER KWINDEL_DIVIDE
PAGE_FOLDER is build-web/kwindel-web; KWINDEL_DIVIDE the native division, whose
report of the same list with the same seed the browser's must equal byte for byte.
"""

import base64
import json
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
READY = "document.body && document.body.dataset.state === 'klaar'"


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

    def open_page(self, *scripts, url=None, screen=None):
        """screen: a device's metrics for Emulation.setDeviceMetricsOverride."""
        page = self.browser.new_page()
        self.addCleanup(page.close)
        page.send("Page.enable")
        page.send("Runtime.enable")
        if screen:
            page.send("Emulation.setDeviceMetricsOverride", **screen)
            if screen.get("mobile"):
                page.send("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
        for script in scripts:
            page.send("Page.addScriptToEvaluateOnNewDocument", source=script)
        page.send("Page.navigate", url=url or self.server.url)
        return page

    def open_window(self, *scripts, screen=None):
        page = self.open_page(*scripts, screen=screen)
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
        self.assertEqual(self.save_report(page), expected)

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

    def test_a_new_build_is_offered_on_the_first_return_and_loaded_whole(self):
        folder = os.path.join(self.work, "site")
        shutil.copytree(self.page_folder, folder)
        server = StaticServer(folder)
        self.addCleanup(server.stop)
        page = self.open_page(url=server.url)
        page.wait_for("navigator.serviceWorker.controller !== null", what="a service worker")

        # A new build on the server: another page, and a worker with another cache.
        for name, old, new in (("index.html", "</head>", '<meta name="bouw" content="nieuw"></head>'),
                               ("sw.js", "PREFIX + '", "PREFIX + 'nieuw")):
            with open(os.path.join(folder, name), "r+", encoding="utf-8") as file:
                text = file.read().replace(old, new)
                file.seek(0)
                file.write(text)
        new_build = "document.querySelector('meta[name=bouw]') !== null"

        # The first return runs the old build whole, and says that a new one is there.
        page.send("Page.reload")
        banner = page.wait_for("!document.getElementById('nieuwe-versie').hidden && "
                               "document.getElementById('nieuwe-versie').textContent",
                               what="the new version offered")
        self.assertIn("nieuwe versie", banner)
        page.wait_for(READY, what="the old build's window")
        self.assertFalse(page.evaluate(new_build))

        # Its button loads the new build, and only that is kept.
        box = page.evaluate("""(() => { const r = document.getElementById('nieuwe-versie-laden')
            .getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]; })()""")
        page.click(*box)
        page.wait_for(f"{new_build} && {READY} && "
                      "document.getElementById('nieuwe-versie').hidden", what="the new build")
        caches = page.evaluate("caches.keys()")
        self.assertEqual(len(caches), 1)
        self.assertIn("nieuw", caches[0])

    def test_says_so_in_dutch_without_webassembly(self):
        page = self.open_page("delete window.WebAssembly;")
        page.wait_for("document.body && document.body.dataset.state === 'fout'", what="a failure")
        self.assertIn("kent geen WebAssembly", page.evaluate(
            "document.getElementById('melding').textContent"))

    # A teacher's keys: the window's controls, then the report's buttons, and back.
    TAB = ("Tab", "Tab", 9)
    SHIFT = 8

    def active(self, page):
        """The id of the page's focused element, and whether its focus shows."""
        return page.evaluate("[document.activeElement.id, "
                             "document.activeElement.matches(':focus-visible')]")

    def test_tab_leaves_the_window_for_the_report_and_comes_back(self):
        page = self.open_window(FROZEN_CLOCK)
        self.choose_list(page)
        self.click(page, KWINDEL)
        self.shown_report(page)
        # On through the window's controls to the report's buttons.
        for _ in range(4):
            page.key(*self.TAB)
            if self.active(page)[0] == "opslaan":
                break
        self.assertEqual(self.active(page), ["opslaan", True])
        for expected in ("afdrukken", "sluiten"):
            page.key(*self.TAB)
            self.assertEqual(self.active(page), [expected, True])
        for expected in ("afdrukken", "opslaan"):
            page.key(*self.TAB, modifiers=self.SHIFT)
            self.assertEqual(self.active(page), [expected, True])
        # Back into the window at its last control, the number box (Kwindel is gone with the
        # list); one more step back is Kies, which Space presses.
        page.key(*self.TAB, modifiers=self.SHIFT)
        self.assertTrue(page.evaluate("document.activeElement === document.querySelector("
                                      "'body > input[type=text]')"))
        page.send("Page.setInterceptFileChooserDialog", enabled=True)
        page.key(*self.TAB, modifiers=self.SHIFT)
        for kind in ("keyDown", "keyUp"):
            page.send("Input.dispatchKeyEvent", type=kind, key=" ", code="Space",
                      windowsVirtualKeyCode=32, **({"text": " "} if kind == "keyDown" else {}))
        page.wait_event("Page.fileChooserOpened", seconds=10)

    @staticmethod
    def accessibility_tree(page):
        """What a screen reader is given: (role, name, value, minimum, maximum) of each node."""
        nodes = []
        for node in page.send("Accessibility.getFullAXTree")["nodes"]:
            if node.get("ignored"):
                continue
            properties = {p["name"]: p["value"].get("value") for p in node.get("properties", [])}
            nodes.append((node["role"]["value"], node.get("name", {}).get("value", ""),
                          node.get("value", {}).get("value"), properties.get("valuemin"),
                          properties.get("valuemax")))
        return nodes

    def test_screen_reader_hears_the_window_in_dutch_and_the_report_arrive(self):
        page = self.open_window(FROZEN_CLOCK)
        page.send("Accessibility.enable")
        self.choose_list(page)
        page.wait_for("document.getElementById('qt-shadow-container').shadowRoot"
                      ".querySelector('input[type=number]').max === '27'", what="the bounds")
        nodes = self.accessibility_tree(page)
        for node in [("button", "Stop", None, None, None), ("button", "Kies", None, None, None),
                     ("spinbutton", "Aantal groepjes", 2, 2, 27),
                     ("textbox", "klas.lll", "klas.lll", None, None),
                     ("textbox", "27 leerlingen", "27 leerlingen", None, None)]:
            self.assertIn(node, nodes)
        # Nothing of Qt's own in English, and no control without a name.
        names = " ".join(node[1] for node in nodes)
        self.assertNotIn("Screen Reader", names)
        self.assertEqual([n for n in nodes if n[0] in ("button", "textbox", "spinbutton")
                          and not n[1]], [])

        self.click(page, KWINDEL)
        self.shown_report(page)
        said = page.wait_for("document.getElementById('aankondiging').textContent",
                             what="the report announced")
        self.assertEqual(said, "Het verslag Kwindel.txt staat onder het venster.")
        self.assertIn(said, [node[1] for node in self.accessibility_tree(page)])

    def test_kies_opens_the_chooser_after_a_division_has_scrolled_the_page(self):
        # As high as the report then scrolls the page by less than Kies's place in it.
        page = self.open_window(FROZEN_CLOCK, screen={"width": 1000, "height": 1040,
                                                      "deviceScaleFactor": 1, "mobile": False})
        self.choose_list(page)
        self.click(page, KWINDEL)
        self.shown_report(page)
        page.wait_for("scrollY > 0", seconds=10, what="the page scrolled to the report")
        self.assertGreater(self.window_origin(page)[1] + KIES[1], 0)
        self.click(page, KIES)
        page.wait_event("Page.fileChooserOpened", seconds=10)

    def test_a_list_gone_before_it_is_read_gets_the_usual_message(self):
        page = self.open_window()
        page.send("Page.setInterceptFileChooserDialog", enabled=True)
        self.click(page, KIES)
        chooser = page.wait_event("Page.fileChooserOpened")
        gone = os.path.join(self.work, "weg.lll")
        page.send("DOM.setFileInputFiles", files=[gone], backendNodeId=chooser["backendNodeId"])
        self.wait_for_message(page, "Cannot open file weg.lll.")
        self.assertEqual([e for e in page.events if e["method"] == "Runtime.exceptionThrown"], [])

    @staticmethod
    def wait_for_message(page, text):
        """A message box of the program's, as a screen reader finds its text."""
        page.wait_for(f"""[...document.getElementById('qt-shadow-container').shadowRoot
            .querySelectorAll('.qt-window-a11y-container textarea')]
            .some(label => label.value === {json.dumps(text)})""", seconds=30, what=text)

    def test_a_phone_shows_the_window_whole_and_a_narrow_window_scrolls_to_it(self):
        window = """(() => {
            const r = document.getElementById('qt-shadow-container').shadowRoot
                .querySelector('.qt-window').getBoundingClientRect();
            return [r.left, r.right, r.width, r.height, innerWidth, visualViewport.width,
                    document.documentElement.scrollWidth]; })()"""
        # A narrow browser window on a PC is not zoomed: the window is reached by scrolling.
        page = self.open_window(screen={"width": 390, "height": 700, "deviceScaleFactor": 1,
                                        "mobile": False})
        left, right, width, height, _, _, scrolled = page.evaluate(window)
        self.assertEqual((width, height), (450, 291))
        self.assertGreaterEqual(left, 0)
        self.assertLessEqual(right, scrolled)

        # A phone shows it whole, at its own size in the page's pixels.
        page = self.open_window(screen={"width": 360, "height": 740, "deviceScaleFactor": 3,
                                        "mobile": True})
        left, right, width, height, inner, visible, _ = page.evaluate(window)
        self.assertEqual((width, height), (450, 291))
        self.assertGreaterEqual(left, 0)
        self.assertLessEqual(right, inner)
        self.assertEqual(visible, inner)
        self.assertLess(page.evaluate("visualViewport.scale"), 1)
        # A tap on Kies opens the chooser.
        page.send("Page.setInterceptFileChooserDialog", enabled=True)
        origin = self.window_origin(page)
        page.tap(origin[0] + KIES[0], origin[1] + KIES[1])
        page.wait_event("Page.fileChooserOpened", seconds=10)

    def test_offers_every_file_on_ipads_and_iphones(self):
        # Safari on an iPad says it runs on a Mac; only a touch screen tells them apart.
        device = """
            window.platform = 'Win32';
            window.touchPoints = 0;
            Object.defineProperty(Navigator.prototype, 'platform', {get: () => window.platform});
            Object.defineProperty(Navigator.prototype, 'maxTouchPoints',
                                  {get: () => window.touchPoints});"""
        page = self.open_window(device)
        page.send("Page.setInterceptFileChooserDialog", enabled=True)
        for platform, touch_points, accept in (("MacIntel", 5, ""), ("iPhone", 5, ""),
                                               ("MacIntel", 0, ".lll"), ("Win32", 10, ".lll")):
            with self.subTest(platform=platform, touch_points=touch_points):
                page.evaluate(f"window.platform = '{platform}'; window.touchPoints = {touch_points}")
                self.click(page, KIES)
                page.wait_event("Page.fileChooserOpened")
                self.assertEqual(page.evaluate(
                    "document.querySelector('body > input[type=file]').accept"), accept)
                page.evaluate("document.querySelector('body > input[type=file]')"
                              ".dispatchEvent(new Event('cancel'))")

    def test_report_of_a_windows_list_is_in_one_encoding(self):
        pupils = ["Zoë Kok", "Renée Smit", "François Bos", "Ömer Aydin", "Bram Jansen"]
        # A name that fits Windows-1252, and one that does not.
        for name in ("Zoë.lll", "Łucja.lll"):
            with self.subTest(name=name):
                folder = tempfile.mkdtemp(dir=self.work)
                path = os.path.join(folder, name)
                with open(path, "wb") as file:
                    file.write("\r\n".join(pupils).encode("cp1252"))
                page = self.open_window(FROZEN_CLOCK)
                page.send("Page.setInterceptFileChooserDialog", enabled=True)
                self.click(page, KIES)
                chooser = page.wait_event("Page.fileChooserOpened")
                page.send("DOM.setFileInputFiles", files=[path],
                          backendNodeId=chooser["backendNodeId"])
                self.wait_text(page, "5 leerlingen", COUNT_LABEL)
                self.click(page, KWINDEL)
                shown = self.shown_report(page)
                saved = self.save_report(page)

                # The native division: the same groups, its first line UTF-8 over 8-bit pupils.
                native = os.path.join(folder, "native.txt")
                subprocess.run([self.divide, name, "2", str(SEED), native], cwd=folder,
                               check=True)
                with open(native, "rb") as file:
                    first, rest = file.read().split(b"\r\n", 1)
                text = first.decode("utf-8") + "\r\n" + rest.decode("cp1252")
                if name.encode("cp1252", errors="replace").decode("cp1252") == name:
                    expected = text.encode("cp1252")  # the list's own bytes, its name too
                else:
                    expected = b"\xef\xbb\xbf" + text.encode("utf-8")
                self.assertEqual(saved, expected)
                self.assertEqual(shown, text)

    def save_report(self, page):
        """Opslaan als, clicked: the bytes of the file saved."""
        for name in os.listdir(self.downloads):
            os.remove(os.path.join(self.downloads, name))
        box = page.evaluate("""(() => { const r = document.getElementById('opslaan')
            .getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]; })()""")
        page.click(*box)
        saved = os.path.join(self.downloads, "Kwindel.txt")
        deadline = time.monotonic() + 30
        while not os.path.exists(saved) and time.monotonic() < deadline:
            time.sleep(0.2)
        with open(saved, "rb") as file:
            return file.read()


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
