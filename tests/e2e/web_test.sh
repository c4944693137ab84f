#!/bin/bash
# The page that `make web` builds, in headless Chromium, against this viewer under Xvfb: the same first frame, the
# same pictures after the same Shift orbit, pan and zoom drags, a plain drag that animates, touch with the page's
# Shift, a phone's screen upright and turned with two fingers zooming and panning, a lost WebGL context, a dense
# screen, and nothing asked of the network; then Firefox's and WebKit's first frames, and a Shift drag in WebKit
# (web_page.py does the browsers' part).
#   usage: web_test.sh BIN TOOLDIR PAGE
source "$(dirname "$0")/lib.sh" "$1" "$2"
PAGE=$3
[ -f "$PAGE" ] || fail "no page at $PAGE (make web builds it)"
for browser in chromium firefox-esr WebKitWebDriver; do
  command -v $browser >/dev/null || fail "$browser is missing (make cross-test CROSS=wasm32-emscripten installs it)"
done
start_xvfb
# At the screen's corner, as the page's canvas is at the page's: window and canvas pixels then agree.
start_viewer "$BIN" -geometry +0+0
cp "$WORK/first.ppm" "$WORK/desktop-first.ppm"

# Each step waits for its frame, so that both draw the same frames and the animation is on the same step.
PACED_DRAG=1
cat >"$WORK/drags" <<'DRAGS'
orbit 1 320 240 250 300 6 shift
pan 2 200 300 260 250 5 shift
zoom 3 300 100 380 140 4 shift
DRAGS
while read -r name button x0 y0 x1 y1 steps mod; do
  drag "$button" "$x0" "$y0" "$x1" "$y1" "$steps" "$mod"
  shot "desktop-$name"
done <"$WORK/drags"

# The window that the page fits on a phone held upright (390 CSS pixels wide, less the body's margins): its first
# frame, a tap and a Shift zoom drag, then a tap and a Shift pan drag, as two fingers on the page give them.
kill "$VIEWER_PID"
wait "$VIEWER_PID" || true  # its window gone before the next is looked for
start_viewer "$BIN" -geometry 360x270+0+0
cp "$WORK/first.ppm" "$WORK/desktop-phone-first.ppm"
click() {
  local before
  before=$(frames)
  move "$1" "$2"
  press 1
  wait_frames $((before + 1))
  release 1
  wait_frames $((before + 2))
}
click 100 100
drag 3 180 135 220 135 4 shift
shot desktop-phone-zoom
click 100 100
drag 2 180 135 240 135 6 shift
shot desktop-phone-pan

python3 -B "$(dirname "$0")/web_page.py" "$PAGE" "$WORK" "$TOOLS/pixtool"
