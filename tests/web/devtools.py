# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
"""Headless Chromium and a static web server, driven over the DevTools protocol."""

import contextlib
import functools
import http.server
import json
import re
import shutil
import subprocess
import tempfile
import threading
import time

import websocket

CHROMIUM_FLAGS = [
    "--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--remote-debugging-port=0", "--window-size=1000,900",
]


class Failure(AssertionError):
    pass


class Connection:
    """One DevTools connection: commands, and the events seen so far."""

    def __init__(self, url):
        self.socket = websocket.create_connection(url, timeout=60, suppress_origin=True)
        self.next_id = 0
        self.events = []

    def close(self):
        self.socket.close()

    def _receive(self, timeout):
        self.socket.settimeout(timeout)
        message = json.loads(self.socket.recv())
        if "method" in message:
            self.events.append(message)
        return message

    def send(self, method, **params):
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = self._receive(60)
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise Failure(f"{method}: {message['error']}")
                return message.get("result", {})

    def wait_event(self, method, seconds=30, where=lambda params: True):
        """The first event of that kind not taken yet that matches."""
        deadline = time.monotonic() + seconds
        while True:
            for event in self.events:
                if event["method"] == method and where(event["params"]):
                    self.events.remove(event)
                    return event["params"]
            left = deadline - time.monotonic()
            if left <= 0:
                raise Failure(f"no {method} within {seconds} s")
            with contextlib.suppress(websocket.WebSocketTimeoutException):
                self._receive(min(left, 1))


class Page(Connection):
    def evaluate(self, expression):
        result = self.send("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=True)
        if "exceptionDetails" in result:
            raise Failure(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def wait_for(self, expression, seconds=60, what=None):
        """Polls a JavaScript expression until it is truthy; returns its value."""
        deadline = time.monotonic() + seconds
        error = None
        while True:
            try:
                value = self.evaluate(expression)
            except Failure as failure:  # a page being loaded has no document to ask yet
                value, error = None, failure
            if value:
                return value
            if time.monotonic() > deadline:
                raise Failure(f"{what or expression}: not within {seconds} s ({error})")
            with contextlib.suppress(websocket.WebSocketTimeoutException):
                self._receive(0.1)

    def click(self, x, y):
        for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
            self.send("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left",
                      clickCount=1)

    def key(self, key, code, virtual_key, modifiers=0):
        """modifiers: 8 for Shift."""
        for kind in ("rawKeyDown", "keyUp"):
            self.send("Input.dispatchKeyEvent", type=kind, key=key, code=code,
                      windowsVirtualKeyCode=virtual_key, modifiers=modifiers)

    def tap(self, x, y):
        self.send("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
        self.send("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class StaticServer:
    """A folder served over HTTP on the loopback, as python3 -m http.server serves it."""

    def __init__(self, folder, port=0):
        handler = functools.partial(_QuietHandler, directory=folder)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
        self.port = self.server.server_address[1]
        self.url = f"http://127.0.0.1:{self.port}/"
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def stop(self):
        self.server.shutdown()
        self.server.server_close()
        self.thread.join()


def listening_address(process, protocol):
    """The ws:// address a browser says it listens on ("PROTOCOL listening on ws://..."), or
    None when it ends or says nothing within a minute. The rest of its chatter is drained so that
    it never blocks."""
    deadline = time.monotonic() + 60
    while time.monotonic() < deadline:
        line = process.stderr.readline()
        if not line and process.poll() is not None:
            return None
        found = re.search(protocol + r" listening on (ws://\S+)", line)
        if found:
            threading.Thread(target=process.stderr.read, daemon=True).start()
            return found.group(1)
    return None


class Browser:
    """Headless Chromium with a fresh profile, removed when closed."""

    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix="kwindel-chromium-")
        self.process = subprocess.Popen(
            ["chromium", *CHROMIUM_FLAGS, f"--user-data-dir={self.profile}", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        url = listening_address(self.process, "DevTools")
        if url is None:
            self.close()
            raise Failure("chromium did not start")
        self.port = re.search(r":(\d+)/", url).group(1)
        self.connection = Connection(url)

    def new_page(self):
        target = self.connection.send("Target.createTarget", url="about:blank")["targetId"]
        return Page(f"ws://127.0.0.1:{self.port}/devtools/page/{target}")

    def close(self):
        with contextlib.suppress(Exception):
            self.connection.close()
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)
