"""The browser's half of e2e_web: the page in headless Chromium, judged against the desktop viewer's pictures that
web_test.sh took under Xvfb (WORK/desktop-*.ppm) and by what the page reports.
    python3 web_page.py PAGE WORK PIXTOOL
Prints "ok: ..." per check and exits 1 with "FAIL: ..." at the first that fails.
"""
import functools
import http.server
import json
import os
import pathlib
import subprocess
import sys
import threading
import time

from browser import Browser, Firefox, WebKit

PAGE, WORK, PIXTOOL = sys.argv[1:4]
URL = pathlib.Path(PAGE).resolve().as_uri()
SHIFT = 8  # the protocol's modifier bit
BANNER = "metaball demo\nby wex and tamrel\n\nshift-click to move camera\nclick-drag to animate"
BUTTONS = {1: ("left", 1), 2: ("middle", 4), 3: ("right", 2)}  # GLUT's numbering in the drags file, as lib.sh's


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def ok(message):
    print("ok: " + message)


def ppm(png, name):
    out = os.path.join(WORK, name + ".ppm")
    subprocess.run(["convert", png, "-depth", "8", "ppm:" + out], check=True)
    return out


def shot(page, name, scale=1):
    png = os.path.join(WORK, name + ".png")
    if scale == 1:
        page.screenshot(png)
    else:
        page.screenshot(png, scale=scale)
    return ppm(png, name)


def pixtool(*args):
    return [int(v) for v in subprocess.run([PIXTOOL, *args], check=True, capture_output=True,
                                           text=True).stdout.split()]


def alike(picture, reference, what):
    """The same frame drawn twice: at least 99% of all pixels within 4 levels on every channel, and, since the
    background alone would pass that, at least 90% of those that show the scene in either picture within 16."""
    total, near, scene, scene_near = pixtool("alike", picture, reference)
    figures = "%.2f%% of %d pixels within 4 levels, %.2f%% of %d scene pixels within 16" % (
        100 * near / total, total, 100 * scene_near / max(scene, 1), scene)
    if near < 0.99 * total or scene_near < 0.9 * scene or scene == 0:
        fail("%s: not the desktop's picture: %s" % (what, figures))
    return figures


def frames(page):
    return page.evaluate("Module.stats ? Module.stats.frames : 0")


def wait_frames(page, n, what):
    if not page.wait_for("Module.stats && Module.stats.frames >= %d" % n):
        fail("%s: only %d frames of %d" % (what, frames(page), n))


def canvas_origin(page):
    return page.evaluate("(() => { const r = document.getElementById('canvas').getBoundingClientRect();"
                         " return [r.x, r.y]; })()")


class Pointer:
    """The mouse over the canvas, in window pixels as lib.sh's xdotool moves it."""

    def __init__(self, page):
        self.page = page
        self.x0, self.y0 = canvas_origin(page)

    def event(self, kind, x, y, button="none", buttons=0, modifiers=0):
        self.page.mouse(kind, self.x0 + x, self.y0 + y, button, buttons, modifiers)

    def drag(self, button, x0, y0, x1, y1, steps, modifiers=0, batch_from=None):
        """Each step waits for its frame, as lib.sh's paced drag does; from step batch_from on, the remaining steps
        come as one event with the others merged into it, as a browser delivers moves that came within a frame."""
        name, mask = BUTTONS[button]
        page = self.page
        n = frames(page)
        self.event("mouseMoved", x0, y0)
        self.event("mousePressed", x0, y0, name, mask, modifiers)
        wait_frames(page, n + 1, "the press")
        points = [(x0 + (x1 - x0) * s // steps, y0 + (y1 - y0) * s // steps) for s in range(1, steps + 1)]
        single = points if batch_from is None else points[:batch_from - 1]
        for i, (x, y) in enumerate(single):
            self.event("mouseMoved", x, y, name, mask)
            wait_frames(page, n + 2 + i, "step %d" % (i + 1))
        drawn = n + 1 + len(single)
        if batch_from is not None:
            moves = page.evaluate("Module.stats.moves")
            page.evaluate("""(() => {
                const canvas = document.getElementById('canvas'), box = canvas.getBoundingClientRect();
                const init = ([x, y]) => ({pointerId: 1, pointerType: 'mouse', isPrimary: true, button: -1,
                                           buttons: %d, clientX: box.x + x, clientY: box.y + y, bubbles: true});
                const points = %s;
                const merged = points.map(p => new PointerEvent('pointermove', init(p)));
                canvas.dispatchEvent(new PointerEvent('pointermove',
                                                      {...init(points[points.length - 1]), coalescedEvents: merged}));
            })()""" % (mask, json.dumps(points[batch_from - 1:])))
            drawn += 1
            wait_frames(page, drawn, "the merged moves")
            taken = page.evaluate("Module.stats.moves") - moves
            if taken != len(points) - len(single) or frames(page) != drawn:
                fail("%d merged moves: %d handed to the program, %d frames drawn for them" % (
                    len(points) - len(single), taken, frames(page) - drawn + 1))
        self.event("mouseReleased", x1, y1, name, 0)
        wait_frames(page, drawn + 1, "the release")


def read_drags():
    drags = []
    with open(os.path.join(WORK, "drags")) as f:
        for line in f:
            name, button, x0, y0, x1, y1, steps, mod = line.split()
            drags.append((name, int(button), int(x0), int(y0), int(x1), int(y1), int(steps), mod == "shift"))
    return drags


def static_server():
    """The page's folder served over HTTP, as any static web server would; the server ends with the test."""
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass
    handler = functools.partial(Quiet, directory=os.path.dirname(os.path.abspath(PAGE)))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return "http://127.0.0.1:%d/%s" % (server.server_address[1], os.path.basename(PAGE))


def check_page(page, events, url=URL):
    """What loading the page from url did: requests, the console."""
    for method, params in events:
        if method == "Network.requestWillBeSent":
            asked = params["request"]["url"]
            if asked != url and not asked.startswith("data:"):
                fail("the page asked for %s" % asked[:200])
        if method == "Runtime.exceptionThrown":
            fail("the page threw: %s" % json.dumps(params)[:500])
        if method == "Runtime.consoleAPICalled" and params["type"] in ("error", "assert"):
            fail("console error: %s" % json.dumps(params["args"])[:500])
        if method == "Log.entryAdded" and params["entry"]["level"] == "error":
            fail("browser error: %s" % params["entry"]["text"][:500])


def banner(page, events):
    expected = BANNER
    shown = page.evaluate("document.getElementById('banner').textContent")
    logged = [" ".join(str(a.get("value")) for a in p["args"]) for m, p in events
              if m == "Runtime.consoleAPICalled" and p["type"] == "log"]
    if shown != expected:
        fail("the banner under the canvas is %r" % shown)
    page.wait_for("true")  # the last line, which has no line feed, reaches the console once the program returns
    logged = [" ".join(str(a.get("value")) for a in p["args"]) for m, p in page.events
              if m == "Runtime.consoleAPICalled" and p["type"] == "log"]
    if "\n".join(logged) != expected:
        fail("the console shows %r" % logged)
    title = page.evaluate("document.title")
    if title != "GLUT Application":
        fail("the document is titled %r" % title)


# The canvas's CSS size and pixels, and whether the page shows it whole, unzoomed and without scrolling.
LAYOUT = """(() => {
    const c = document.getElementById('canvas'), r = c.getBoundingClientRect(), html = document.documentElement;
    const whole = r.left >= 0 && r.top >= 0 && r.right <= html.clientWidth && r.bottom <= innerHeight;
    return [r.width, r.height, c.width, c.height,
            whole && visualViewport.scale === 1 && html.scrollWidth <= html.clientWidth]; })()"""


def fits(page, width, height, css, what):
    """Turns the phone to width x height CSS pixels at density 3; the canvas must become css in size, whole on the
    screen, and be drawn anew."""
    n = frames(page)
    page.device(width, height, 3)
    expected = [css[0], css[1], 3 * css[0], 3 * css[1], True]
    if not page.wait_for("JSON.stringify(%s) === %s" % (LAYOUT, json.dumps(json.dumps(expected, separators=",:"))),
                         5):
        fail("%s: the canvas is %s (CSS, pixels, whole on the screen), not %s" % (what, page.evaluate(LAYOUT),
                                                                                 expected))
    wait_frames(page, n + 1, what + ": the frame at the new size")


def phone(desktop):
    """A phone, upright and turned: the canvas fits the screen and the program draws at that size what the desktop
    viewer draws in a window of it; two fingers zoom and pan as Shift drags do, and one still animates."""
    with Browser() as page:
        page.device(390, 844, 3)
        page.open(URL)
        wait_frames(page, 1, "the first frame on a phone")
        if page.evaluate(LAYOUT) != [360, 270, 1080, 810, True]:
            fail("on a phone 390 CSS pixels wide the canvas is %s (CSS, pixels, whole on the screen)" %
                 page.evaluate(LAYOUT))
        ok("on a phone: a 360x270 canvas of 1080x810 pixels, whole, unzoomed; first frame: " +
           alike(shot(page, "phone-first", 1 / 3), desktop["phone-first"], "the first frame on a phone"))
        x, y = canvas_origin(page)
        for name, start, step, steps in [("zoom", [(140, 135), (220, 135)], [(0, 0), (10, 0)], 4),
                                         ("pan", [(180, 95), (180, 175)], [(20, 0), (20, 0)], 3)]:
            # One finger, then a second, which ends the first's drag: a tap, as the desktop's.
            n = frames(page)
            page.fingers("touchStart", [(x + start[0][0], y + start[0][1])])
            wait_frames(page, n + 1, name + ": the first finger")
            points = [(x + px, y + py) for px, py in start]
            page.fingers("touchStart", points)
            wait_frames(page, n + 2, name + ": the second finger")
            for s in range(1, steps + 1):
                moving = sum(1 for dx, dy in step if dx or dy)
                points = [(px + dx, py + dy) for (px, py), (dx, dy) in zip(points, step)]
                page.fingers("touchMove", points)
                n += moving + (1 if s == 1 else 0)
                wait_frames(page, n + 2, "%s: step %d" % (name, s))
            page.fingers("touchEnd", [])
            wait_frames(page, n + 3, name + ": the fingers lifted")
            ok("two fingers, %s: %s" % (name, alike(shot(page, "phone-" + name, 1 / 3), desktop["phone-" + name],
                                                     "two fingers " + name)))

        shift = page.evaluate("(() => { const r = document.getElementById('shift').getBoundingClientRect();"
                              " return r.width >= 44 && r.height >= 44; })()")
        if not shift:
            fail("on a touch screen the Shift button is smaller than 44x44")
        fits(page, 844, 390, [480, 360], "turned sideways")
        page.device(180, 640, 3)
        if not page.wait_for("JSON.stringify(%s) === '[200,150,600,450,false]'" % LAYOUT, 5):
            fail("on a screen 180 pixels wide the canvas is %s" % page.evaluate(LAYOUT))
        fits(page, 390, 844, [360, 270], "upright again")
        ok("turned sideways the canvas is 480x360, whole on the screen, 200x150 on a screen narrower than that, and"
           " upright again 360x270, drawn anew; the Shift button at least 44x44")
        # Two fingers landing at once, the phone turned under them, one lifted: one finger animates again after.
        page.fingers("touchStart", [(x + 100, y + 100), (x + 200, y + 100)])
        page.fingers("touchMove", [(x + 60, y + 100), (x + 240, y + 100)])
        fits(page, 844, 390, [480, 360], "turned during a pinch")
        page.fingers("touchMove", [(x + 40, y + 100), (x + 260, y + 100)])
        fits(page, 390, 844, [360, 270], "upright during a pinch")
        page.fingers("touchMove", [(x + 60, y + 100)])
        page.fingers("touchEnd", [])
        time.sleep(0.2)
        before, n = shot(page, "phone-plain0"), frames(page)
        page.touch("touchStart", x + 100, y + 100)
        for s in range(1, 4):
            page.touch("touchMove", x + 100 + 10 * s, y + 100)
            wait_frames(page, n + 1 + s, "one finger, step %d" % s)
            after = shot(page, "phone-plain%d" % s)
            if pixtool("diff", before, after)[0] == 0:
                fail("after two fingers, one finger's step %d did not change the picture" % s)
            before = after
        page.touch("touchEnd", 0, 0)
        ok("two fingers landing at once, turned and lifted one by one; then one finger animates again")
        check_page(page, page.events)


def main():
    names = ["first", "phone-first", "phone-zoom", "phone-pan"] + [d[0] for d in read_drags()]
    desktop = {name: os.path.join(WORK, "desktop-%s.ppm" % name) for name in names}

    with Browser() as page:
        page.open(URL)
        wait_frames(page, 1, "the first frame")
        page.wait_for("document.getElementById('banner').textContent.endsWith('animate')")
        banner(page, page.events)
        ok("the page from file:// is titled 'GLUT Application' and shows the banner under the canvas and in the"
           " console")
        ok("first frame: " + alike(shot(page, "web-first"), desktop["first"], "the first frame"))

        pointer = Pointer(page)
        for name, button, x0, y0, x1, y1, steps, shift in read_drags():
            # The orbit's last moves come merged into one event, as a browser delivers a fast pointer.
            pointer.drag(button, x0, y0, x1, y1, steps, SHIFT if shift else 0, 3 if name == "orbit" else None)
            ok("%s: %s" % (name, alike(shot(page, "web-" + name), desktop[name], name)))

        # A plain drag animates: every move a new surface.
        before = shot(page, "plain0")
        n = frames(page)
        pointer.event("mousePressed", 100, 100, "left", 1)
        for step in range(1, 4):
            pointer.event("mouseMoved", 100 + 10 * step, 100, "left", 1)
            wait_frames(page, n + 1 + step, "plain drag step %d" % step)
            after = shot(page, "plain%d" % step)
            if pixtool("diff", before, after)[0] == 0:
                fail("plain drag step %d did not change the picture" % step)
            before = after
        pointer.event("mouseReleased", 130, 100, "left", 0)
        wait_frames(page, n + 5, "the release")
        ok("a plain drag draws a new surface for every move")

        # A drag that leaves the canvas keeps going, and ends with its release out there.
        n = frames(page)
        pointer.event("mousePressed", 600, 240, "right", 2)
        wait_frames(page, n + 1, "the press")
        pointer.event("mouseMoved", 700, 240, "right", 2)
        wait_frames(page, n + 2, "a move off the canvas")
        pointer.event("mouseReleased", 700, 240, "right", 0)
        wait_frames(page, n + 3, "a release off the canvas")
        pointer.event("mouseMoved", 600, 240)
        time.sleep(0.2)
        if frames(page) != n + 3:
            fail("after a release off the canvas a move without a button drew a frame")
        # The right and middle buttons drag: no context menu, no autoscroll.
        cancelled = page.evaluate("""['contextmenu', 'mousedown', 'auxclick'].map(type => {
            const e = new MouseEvent(type, {button: type === 'contextmenu' ? 2 : 1, cancelable: true, bubbles: true});
            return !document.getElementById('canvas').dispatchEvent(e); })""")
        if cancelled != [True, True, True]:
            fail("the canvas leaves the browser's own use of contextmenu, mousedown, auxclick: %s" % cancelled)
        ok("a drag that leaves the canvas ends with its release; no context menu, paste or autoscroll on it")

        # Moves as fast as the protocol sends them: the browser merges them into one event per frame, and the page
        # must take every one and show the last within 150 ms and three of its frames, drawing none that is stale.
        for attempt in range(1, 4):
            moves, n, spent = page.evaluate("[Module.stats.moves, Module.stats.frames, Module.stats.callbackMs]")
            pointer.event("mousePressed", 320, 240, "left", 1)
            path = [(220 + 2 * (s if s <= 100 else 200 - s), 240) for s in (i % 200 for i in range(1, 601))]
            sent = [page.send("Input.dispatchMouseEvent", type="mouseMoved", x=pointer.x0 + x, y=pointer.y0 + y,
                              button="left", buttons=1) for x, y in path]
            for id in sent:
                page.answer(id)
            start = time.monotonic()
            shown = page.wait_for("Module.stats.moves >= %d" % (moves + len(path)))
            lag = (time.monotonic() - start) * 1000
            drawn, took = page.evaluate("[Module.stats.frames - %d, Module.stats.callbackMs - %r]" % (n, spent))
            pointer.event("mouseReleased", 220, 240, "left", 0)
            wait_frames(page, n + drawn + 1, "the release")
            frame_ms = took / max(drawn, 1)
            bound = 150 + 3 * frame_ms
            if shown and lag < bound:
                break
            print("fast drag, attempt %d: %d moves in %d frames, %.1f ms of callbacks each; the last shown %.0f ms"
                  " after it was sent (bound %.0f ms)" % (attempt, len(path), drawn, frame_ms, lag, bound))
        else:
            fail("the page did not keep pace with a fast pointer")
        ok("600 moves as fast as they come: all taken, in %d frames, %.1f ms of callbacks each; the last shown %.0f ms"
           " after it was sent (bound %.0f ms)" % (drawn, frame_ms, lag, bound))

        # The context lost and given back: the same picture as before, and no frame of the program's.
        before, n = shot(page, "before-loss"), frames(page)
        page.evaluate("window.lose = document.getElementById('canvas').getContext('webgl')"
                      ".getExtension('WEBGL_lose_context'); lose.loseContext()")
        page.wait_for("document.getElementById('canvas').getContext('webgl').isContextLost()")
        page.evaluate("lose.restoreContext()")
        if not page.wait_for("!document.getElementById('canvas').getContext('webgl').isContextLost()"):
            fail("the context was not restored")
        time.sleep(0.3)
        changed = pixtool("diff", before, shot(page, "restored"))[0]
        if changed or frames(page) != n:
            fail("after the context came back %d pixels differ and %d frames were drawn" % (changed, frames(page) - n))
        ok("a lost WebGL context comes back with the same picture")
        check_page(page, page.events)
        ok("no request left the page, and nothing went to the console as an error")

    # Touch, with the page's Shift held, on the page from a static web server: a one-finger drag orbits as Shift and
    # the left button do.
    served = static_server()
    with Browser() as page:
        page.open(served)
        wait_frames(page, 1, "the first frame")
        box = page.evaluate("(() => { const r = document.getElementById('shift').getBoundingClientRect();"
                            " return [r.x + r.width / 2, r.y + r.height / 2]; })()")
        page.mouse("mousePressed", box[0], box[1], "left", 1)
        page.mouse("mouseReleased", box[0], box[1], "left", 0)
        if page.evaluate("document.getElementById('shift').getAttribute('aria-pressed')") != "true":
            fail("the Shift button did not stay pressed")
        name, button, x0, y0, x1, y1, steps, shift = read_drags()[0]
        x, y = canvas_origin(page)
        n = frames(page)
        page.touch("touchStart", x + x0, y + y0)
        wait_frames(page, n + 1, "the touch")
        for s in range(1, steps + 1):
            page.touch("touchMove", x + x0 + (x1 - x0) * s // steps, y + y0 + (y1 - y0) * s // steps)
            wait_frames(page, n + 1 + s, "touch step %d" % s)
        page.touch("touchEnd", x + x1, y + y1)
        wait_frames(page, n + steps + 2, "the touch's end")
        ok("a one-finger drag with the page's Shift: " + alike(shot(page, "touch"), desktop[name], "touch " + name))
        check_page(page, page.events, served)
        ok("from a static web server the page asked for nothing but itself, and nothing went to the console as an"
           " error")

    phone(desktop)

    # A screen of twice the density: twice the pixels, the same picture.
    with Browser(scale=2) as page:
        page.open(URL)
        wait_frames(page, 1, "the first frame")
        size = page.evaluate("(() => { const c = document.getElementById('canvas'), r = c.getBoundingClientRect();"
                             " return [c.width, c.height, r.width, r.height]; })()")
        if size != [1280, 960, 640, 480]:
            fail("on a screen of density 2 the canvas is %s (pixels, then CSS pixels)" % size)
        _, x0, y0, x1, y1 = pixtool("bbox", shot(page, "dense"))
        _, dx0, dy0, dx1, dy1 = pixtool("bbox", desktop["first"])
        if max(abs(x0 - 2 * dx0), abs(y0 - 2 * dy0), abs(x1 - 2 * dx1 - 1), abs(y1 - 2 * dy1 - 1)) > 3:
            fail("at density 2 the picture spans %s, not twice the desktop's %s" % ((x0, y0, x1, y1),
                                                                                    (dx0, dy0, dx1, dy1)))
        ok("at density 2: a 1280x960 canvas in 640x480 CSS pixels, the picture spanning (%d, %d) to (%d, %d), twice"
           " the desktop's" % (x0, y0, x1, y1))

    # A browser without WebGL: the page says so.
    with Browser(options=["--disable-webgl"]) as page:
        page.open(URL)
        if not page.wait_for("!document.getElementById('no-webgl').hidden", 10):
            fail("without WebGL the page shows no message")
        page.wait_for("document.getElementById('banner').textContent.endsWith('animate')", 10)
        ok("without WebGL the page says so, and the banner still shows")

    # A browser whose WebAssembly has no SIMD, as the page's probe finds it: a message, no program, nothing thrown.
    with Browser() as page:
        page.call("Page.addScriptToEvaluateOnNewDocument", source="WebAssembly.validate = () => false;")
        page.open(URL)
        if not page.wait_for("!document.getElementById('no-simd').hidden", 10):
            fail("without WebAssembly SIMD the page shows no message")
        time.sleep(0.5)
        if page.evaluate("!!Module.stats || document.getElementById('banner').textContent !== ''"):
            fail("without WebAssembly SIMD the program started")
        check_page(page, page.events)
        ok("without WebAssembly SIMD the page says so, starts nothing and reports no error")

    # Firefox, which offers WebGL headless only with an X server to probe its GL on: web_test.sh's.
    with Firefox() as page:
        page.open(URL)
        if not page.wait_for("window.Module && Module.stats && Module.stats.frames >= 1"):
            fail("Firefox drew no frame: " + page.log_text()[-2000:])
        page.screenshot(os.path.join(WORK, "firefox-first.png"))
        ok("Firefox's first frame: " + alike(ppm(os.path.join(WORK, "firefox-first.png"), "firefox-first"),
                                              desktop["first"], "Firefox's first frame"))

    # WebKit, Safari's engine, in its GTK build on web_test.sh's X server: the first frame, a Shift drag, the banner.
    with WebKit() as page:
        page.open(URL)
        if not page.wait_for("window.Module && Module.stats && Module.stats.frames >= 1 &&"
                             " document.getElementById('banner').textContent.endsWith('animate')"):
            fail("WebKit drew no frame or showed no banner")
        page.watch_errors()
        shown = page.evaluate("[document.getElementById('banner').textContent, document.title]")
        if shown != [BANNER, "GLUT Application"]:
            fail("in WebKit the banner and title are %r" % shown)
        ok("WebKit's first frame: " + alike(shot(page, "webkit-first"), desktop["first"], "WebKit's first frame"))
        name, button, x0, y0, x1, y1, steps, shift = read_drags()[0]
        Pointer(page).drag(button, x0, y0, x1, y1, steps, SHIFT)
        ok("WebKit's Shift %s: %s" % (name, alike(shot(page, "webkit-" + name), desktop[name], "WebKit's " + name)))
        errors = page.evaluate("[errors, document.getElementById('canvas').getContext('webgl').getError()]")
        if errors != [[], 0]:
            fail("in WebKit the page reported errors (then WebGL's): %s" % errors)
        ok("in WebKit the banner and title show, and the drag threw nothing and left no WebGL error")


if __name__ == "__main__":
    main()
