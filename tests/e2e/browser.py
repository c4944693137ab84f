"""The browsers of the web page's end-to-end test, as xdotool and import are the X server's, with nothing but
python's standard library: headless Chromium driven through the DevTools protocol on a pipe
(--remote-debugging-pipe), with software WebGL (SwiftShader through ANGLE), and headless Firefox through WebDriver
BiDi. Debian's packages, a fresh profile each, no network use of their own.
"""
import base64
import fcntl
import http.client
import json
import os
import re
import select
import shutil
import signal
import socket
import struct
import subprocess
import tempfile
import time


class BrowserError(Exception):
    pass


class Session:
    """What the two browsers share: a `with` block that closes them, and waiting on the page."""

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def box(self, selector):
        """The element's box in CSS pixels of the viewport: x, y, width, height."""
        return self.evaluate("(() => { const r = document.querySelector(%s).getBoundingClientRect();"
                             " return [r.x, r.y, r.width, r.height]; })()" % json.dumps(selector))

    def wait_for(self, expression, timeout=20):
        """Waits until the expression is true in the page; returns its last value."""
        deadline = time.monotonic() + timeout
        while True:
            value = self.evaluate(expression)
            if value or time.monotonic() > deadline:
                return value
            time.sleep(0.02)


class Browser(Session):
    def __init__(self, width=800, height=1000, scale=1, binary="chromium", options=()):
        self.profile = tempfile.mkdtemp(prefix="metaballs-chromium-")
        to_browser, self._write = os.pipe()
        self._read, from_browser = os.pipe()
        args = [binary, "--headless=new", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
                "--remote-debugging-pipe", "--no-first-run", "--no-default-browser-check",
                "--disable-background-networking", "--disable-component-update", "--disable-sync",
                "--disable-extensions", "--disable-features=Translate,MediaRouter,OptimizationHints",
                "--no-sandbox", "--user-data-dir=" + self.profile, "--window-size=%d,%d" % (width, height),
                "--force-device-scale-factor=%g" % scale, *options, "about:blank"]

        # The browser reads commands on descriptor 3 and answers on 4; out of the way first, since either end may
        # already be 3 or 4.
        def descriptors():
            ends = [fcntl.fcntl(to_browser, fcntl.F_DUPFD, 10), fcntl.fcntl(from_browser, fcntl.F_DUPFD, 10)]
            os.dup2(ends[0], 3)
            os.dup2(ends[1], 4)

        self.process = subprocess.Popen(args, close_fds=False, preexec_fn=descriptors, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.PIPE, start_new_session=True)
        os.close(to_browser)
        os.close(from_browser)
        self._next_id = 0
        self._buffer = b""
        self.events = []  # every event the browser sent, in order: (method, params)
        self.session = None
        target = self.call("Target.createTarget", url="about:blank")["targetId"]
        self.session = self.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
        for domain in ("Page", "Runtime", "Network", "Log"):
            self.call(domain + ".enable")

    def close(self):
        try:
            os.killpg(self.process.pid, signal.SIGKILL)  # the browser with its renderer and GPU processes
            self.process.wait(10)
        except ProcessLookupError:
            pass
        finally:
            for fd in (self._read, self._write):
                try:
                    os.close(fd)
                except OSError:
                    pass
            shutil.rmtree(self.profile, ignore_errors=True)

    def _message(self, timeout):
        deadline = time.monotonic() + timeout
        while b"\0" not in self._buffer:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self._read], [], [], left)[0]:
                raise BrowserError("no answer from the browser in %g s" % timeout)
            chunk = os.read(self._read, 1 << 20)
            if not chunk:
                raise BrowserError("the browser closed its pipe: %s" % self.process.stderr.read().decode()[-2000:])
            self._buffer += chunk
        message, self._buffer = self._buffer.split(b"\0", 1)
        return json.loads(message)

    def send(self, method, **params):
        """Sends a command without waiting for its answer; returns its id for answer()."""
        self._next_id += 1
        message = {"id": self._next_id, "method": method, "params": params}
        if self.session and not method.startswith("Target."):
            message["sessionId"] = self.session
        os.write(self._write, json.dumps(message).encode() + b"\0")
        return self._next_id

    def answer(self, id, timeout=30):
        while True:
            message = self._message(timeout)
            if message.get("id") == id:
                if "error" in message:
                    raise BrowserError("command %d: %s" % (id, message["error"]))
                return message.get("result", {})
            if "method" in message:
                self.events.append((message["method"], message.get("params", {})))

    def call(self, method, timeout=30, **params):
        return self.answer(self.send(method, **params), timeout)

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            raise BrowserError("%s threw %s" % (expression, result["exceptionDetails"]))
        return result["result"].get("value")

    def open(self, url):
        self.call("Page.navigate", url=url)
        self.wait_for("document.readyState === 'complete'")

    def screenshot(self, path, selector="#canvas", scale=1):
        """A PNG of the element as the screen shows it, or scaled."""
        box = self.box(selector)
        clip = {"x": box[0], "y": box[1], "width": box[2], "height": box[3], "scale": scale}
        data = self.call("Page.captureScreenshot", format="png", clip=clip, captureBeyondViewport=False)["data"]
        with open(path, "wb") as f:
            f.write(base64.b64decode(data))

    def touch(self, kind, x, y):
        """One finger at CSS pixel (x, y): touchStart, touchMove or touchEnd."""
        self.fingers(kind, [] if kind == "touchEnd" else [(x, y)])

    def fingers(self, kind, points):
        """The fingers still on the screen, at CSS pixels [(x, y), ...], the first finger first."""
        self.call("Input.dispatchTouchEvent", type=kind,
                  touchPoints=[{"x": x, "y": y, "id": i + 1} for i, (x, y) in enumerate(points)])

    def device(self, width, height, scale=1, mobile=True):
        """A phone's or tablet's screen of width x height CSS pixels, touch on; or, with width 0, the desktop's."""
        if not width:
            self.call("Emulation.clearDeviceMetricsOverride")
            return
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=scale,
                  mobile=mobile, screenOrientation={"type": "portraitPrimary" if height > width else
                                                    "landscapePrimary", "angle": 0 if height > width else 90})
        self.call("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)

    def mouse(self, kind, x, y, button="none", buttons=0, modifiers=0):
        """A mouse event at CSS pixel (x, y) of the page; kind is mousePressed, mouseReleased or mouseMoved."""
        self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button=button, buttons=buttons,
                  modifiers=modifiers, clickCount=1 if kind != "mouseMoved" else 0)


# Firefox speaks WebDriver BiDi over a WebSocket. Without these it reaches for Mozilla's servers at start-up.
FIREFOX_PREFS = dict.fromkeys([
    "app.update.enabled", "app.update.auto", "app.normandy.enabled", "browser.shell.checkDefaultBrowser",
    "browser.aboutwelcome.enabled", "datareporting.policy.dataSubmissionEnabled",
    "datareporting.healthreport.uploadEnabled", "toolkit.telemetry.enabled", "toolkit.telemetry.unified",
    "messaging-system.rsexperimentloader.enabled", "network.captive-portal-service.enabled",
    "network.connectivity-service.enabled", "browser.safebrowsing.malware.enabled",
    "browser.safebrowsing.phishing.enabled", "browser.safebrowsing.downloads.enabled", "extensions.update.enabled",
    "extensions.getAddons.cache.enabled"], False)
FIREFOX_PREFS.update({"browser.startup.homepage_override.mstone": "ignore", "browser.startup.page": 0,
                      "services.settings.server": "", "media.gmp-manager.url": "", "remote.active-protocols": 1,
                      # Remote settings ignore their server in release builds: every name resolves to loopback.
                      "network.dns.forceResolve": "127.0.0.1", "devtools.console.stdout.content": True})


class WebSocket:
    """Just enough of RFC 6455 for one client: masked text frames out, whole text messages in."""

    def __init__(self, port, timeout):
        self.sock = socket.create_connection(("127.0.0.1", port), timeout=timeout)
        self.file = self.sock.makefile("rb")
        key = base64.b64encode(os.urandom(16)).decode()
        self.sock.sendall(("GET /session HTTP/1.1\r\nHost: 127.0.0.1:%d\r\nUpgrade: websocket\r\n"
                           "Connection: Upgrade\r\nSec-WebSocket-Key: %s\r\nSec-WebSocket-Version: 13\r\n\r\n"
                           % (port, key)).encode())
        head = [self.file.readline()]
        while head[-1] not in (b"\r\n", b""):
            head.append(self.file.readline())
        if not head[0].startswith(b"HTTP/1.1 101"):
            raise BrowserError("WebSocket refused: %r" % b"".join(head))

    def _read(self, n):
        data = self.file.read(n)
        if len(data) < n:
            raise BrowserError("Firefox closed the WebSocket")
        return data

    def send(self, data, opcode=1):
        n = len(data)
        head = struct.pack(">BB", 0x80 | opcode, 0x80 | n) if n < 126 else \
            struct.pack(">BBH", 0x80 | opcode, 0x80 | 126, n) if n < 65536 else \
            struct.pack(">BBQ", 0x80 | opcode, 0x80 | 127, n)
        mask = os.urandom(4)
        self.sock.sendall(head + mask + bytes(b ^ mask[i % 4] for i, b in enumerate(data)))

    def receive(self):
        message = b""
        while True:
            b0, b1 = self._read(2)
            n = b1 & 0x7F
            n = struct.unpack(">H", self._read(2))[0] if n == 126 else \
                struct.unpack(">Q", self._read(8))[0] if n == 127 else n
            payload, opcode = self._read(n), b0 & 0x0F
            if opcode == 8:
                raise BrowserError("Firefox closed the WebSocket")
            if opcode == 9:
                self.send(payload, opcode=10)
            elif opcode in (0, 1):
                message += payload
                if b0 & 0x80:
                    return json.loads(message)


class Firefox(Session):
    """Headless Firefox on the X server of $DISPLAY, without which it offers no WebGL; the same calls as
    Browser's that the first frame's comparison needs."""

    def __init__(self, timeout=60):
        self.profile = tempfile.mkdtemp(prefix="metaballs-firefox-")
        with open(os.path.join(self.profile, "user.js"), "w") as f:
            for name, value in FIREFOX_PREFS.items():
                f.write("user_pref(%s, %s);\n" % (json.dumps(name), json.dumps(value)))
        self.log = os.path.join(self.profile, "firefox.log")
        with open(self.log, "w") as log:
            self.process = subprocess.Popen(["firefox-esr", "--headless", "-no-remote", "--profile", self.profile,
                                             "--remote-debugging-port=0", "about:blank"], stdin=subprocess.DEVNULL,
                                            stdout=log, stderr=subprocess.STDOUT, start_new_session=True)
        self._next_id = 0
        try:
            deadline = time.monotonic() + timeout
            while not re.search(r"WebDriver BiDi listening on ws://[^:]+:(\d+)", self.log_text()):
                if self.process.poll() is not None or time.monotonic() > deadline:
                    raise BrowserError("Firefox opened no remote port: " + self.log_text()[-2000:])
                time.sleep(0.1)
            port = int(re.search(r"WebDriver BiDi listening on ws://[^:]+:(\d+)", self.log_text()).group(1))
            self.socket = WebSocket(port, timeout)
            self.call("session.new", capabilities={})
            self.context = self.call("browsingContext.getTree")["contexts"][0]["context"]
            self.call("browsingContext.setViewport", context=self.context, viewport={"width": 800, "height": 1000})
        except BaseException:
            self.close()
            raise

    def log_text(self):
        with open(self.log, errors="replace") as f:
            return f.read()

    def call(self, method, **params):
        self._next_id += 1
        self.socket.send(json.dumps({"id": self._next_id, "method": method, "params": params}).encode())
        while True:
            message = self.socket.receive()
            if message.get("id") == self._next_id:
                if message.get("type") == "error":
                    raise BrowserError("%s: %s: %s" % (method, message.get("error"), message.get("message")))
                return message["result"]

    def close(self):
        if getattr(self, "socket", None):
            self.socket.sock.close()
        try:
            os.killpg(self.process.pid, signal.SIGKILL)
            self.process.wait(10)
        except ProcessLookupError:
            pass
        shutil.rmtree(self.profile, ignore_errors=True)

    def open(self, url):
        self.call("browsingContext.navigate", context=self.context, url=url, wait="complete")

    def evaluate(self, expression):
        result = self.call("script.evaluate", expression="JSON.stringify(%s)" % expression, awaitPromise=True,
                           target={"context": self.context})
        if result["type"] == "exception":
            raise BrowserError("%s threw %s" % (expression, result["exceptionDetails"]["text"]))
        value = result["result"].get("value")
        return json.loads(value) if isinstance(value, str) else None


    def screenshot(self, path, selector="#canvas"):
        node = self.call("script.evaluate", expression="document.querySelector(%s)" % json.dumps(selector),
                         awaitPromise=False, target={"context": self.context})["result"]
        data = self.call("browsingContext.captureScreenshot", context=self.context,
                         clip={"type": "element", "element": {"sharedId": node["sharedId"]}})["data"]
        with open(path, "wb") as f:
            f.write(base64.b64decode(data))


class WebKit(Session):
    """WebKitGTK, Safari's engine, as Debian builds it: its MiniBrowser on the X server of $DISPLAY, driven by
    WebKitWebDriver over W3C WebDriver (HTTP and JSON); the same calls as Firefox's."""

    MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"

    def __init__(self, timeout=60):
        with socket.socket() as s:  # a free port for the driver
            s.bind(("127.0.0.1", 0))
            self.port = s.getsockname()[1]
        self.process = subprocess.Popen(["WebKitWebDriver", "--port=%d" % self.port], stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                        start_new_session=True)
        self.session = None
        self.shift = False
        try:
            deadline = time.monotonic() + timeout
            while True:
                try:
                    socket.create_connection(("127.0.0.1", self.port), timeout=1).close()
                    break
                except OSError:
                    if self.process.poll() is not None or time.monotonic() > deadline:
                        raise BrowserError("WebKitWebDriver did not listen")
                    time.sleep(0.1)
            options = {"binary": self.MINIBROWSER, "args": ["--automation"]}
            self.session = self.call("POST", "/session", {"capabilities": {"alwaysMatch": {
                "webkitgtk:browserOptions": options}}}, timeout)["sessionId"]
            self.call("POST", "/session/%s/window/rect" % self.session, {"width": 800, "height": 1000})
        except BaseException:
            self.close()
            raise

    def call(self, method, path, body=None, timeout=60):
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=timeout)
        try:
            connection.request(method, path, json.dumps(body or {}) if method == "POST" else None,
                               {"Content-Type": "application/json"})
            answer = json.loads(connection.getresponse().read() or b"{}")
        finally:
            connection.close()
        value = answer.get("value")
        if isinstance(value, dict) and "error" in value:
            raise BrowserError("%s %s: %s: %s" % (method, path, value["error"], value.get("message")))
        return value

    def close(self):
        try:
            if self.session:
                self.call("DELETE", "/session/" + self.session, timeout=10)
        except (BrowserError, OSError):
            pass
        try:
            os.killpg(self.process.pid, signal.SIGKILL)
            self.process.wait(10)
        except ProcessLookupError:
            pass

    def open(self, url):
        self.call("POST", "/session/%s/url" % self.session, {"url": url})

    def evaluate(self, expression):
        return self.call("POST", "/session/%s/execute/sync" % self.session,
                         {"script": "return %s;" % expression, "args": []})

    def mouse(self, kind, x, y, button="none", buttons=0, modifiers=0):
        """As Browser.mouse, through WebDriver's actions, Shift (modifier 8) held by the keyboard from an event that
        has it to the next that has not."""
        keys, pointer = [], [{"type": "pointerMove", "duration": 0, "x": int(x), "y": int(y), "origin": "viewport"}]
        if bool(modifiers & 8) != self.shift:
            self.shift = not self.shift
            keys = [{"type": "keyDown" if self.shift else "keyUp", "value": "\ue008"}]
            pointer.insert(0, {"type": "pause", "duration": 0})
        if kind != "mouseMoved":
            pointer.append({"type": "pointerDown" if kind == "mousePressed" else "pointerUp",
                            "button": {"left": 0, "middle": 1, "right": 2}[button]})
        self.call("POST", "/session/%s/actions" % self.session, {"actions": [
            {"type": "key", "id": "keyboard", "actions": keys or [{"type": "pause", "duration": 0}]},
            {"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"}, "actions": pointer}]})

    def watch_errors(self):
        """From now on, every exception the page throws and every error it writes to the console is kept in
        window.errors: WebKitWebDriver tells neither."""
        self.evaluate("(() => { window.errors = [];"
                      " addEventListener('error', e => errors.push(String(e.message)));"
                      " addEventListener('unhandledrejection', e => errors.push(String(e.reason)));"
                      " const error = console.error; console.error = (...a) => { errors.push(a.join(' '));"
                      " error.apply(console, a); }; return true; })()")

    def screenshot(self, path, selector="#canvas"):
        """The element cut from a screenshot of the viewport: WebKit paints an element's own screenshot anew, and a
        WebGL canvas black, since its drawing buffer is not kept once shown."""
        box = self.box(selector)
        with open(path + ".viewport.png", "wb") as f:
            f.write(base64.b64decode(self.call("GET", "/session/%s/screenshot" % self.session)))
        subprocess.run(["convert", path + ".viewport.png", "-crop", "%dx%d+%d+%d" % (box[2], box[3], box[0], box[1]),
                        "+repage", path], check=True)
        os.remove(path + ".viewport.png")
