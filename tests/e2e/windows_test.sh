#!/bin/bash
# The Windows viewer under Wine, in the same X server as the Linux one: the same first frame pixel for pixel, the
# banner with Windows' line ends, plain and Shift drags, and a clean exit on a window manager's close.
#   usage: windows_test.sh LINUX_VIEWER TOOLDIR WINDOWS_VIEWER WINE    (the prefix is $WINEPREFIX)
source "$(dirname "$0")/lib.sh" "$1" "$2"
EXE=$3
WINE=$4
[ -d "${WINEPREFIX:-}" ] || fail "no Wine prefix at '${WINEPREFIX:-}'"
start_xvfb

# first_frame NAME COMMAND...: starts COMMAND and keeps the screenshot of its first frame as NAME. Now and then the
# Linux viewer draws a second frame as it starts, before the screenshot is taken; such a start is made again, at
# most three times.
first_frame() {
  local name=$1 try
  shift
  for try in 1 2 3; do
    start_viewer "$@"
    wait_idle "$SWAPS" || fail "$name: the viewer never stops drawing"
    [ "$(frames)" -eq 1 ] && cp "$WORK/first.ppm" "$WORK/$name.ppm" && return 0
    close_viewer 20
  done
  fail "$name: every start drew more than one frame"
}

# Placed where the whole window is on the screen, as Wine places its own, so that both screenshots are whole.
first_frame linux "$BIN" -geometry +0+0
close_viewer 10
# Wine's own notes go to stderr; WINEDEBUG silences them.
first_frame windows env WINEDEBUG=-all "$WINE" "$EXE"
[ "$(window_size)" = 640x480 ] || fail "window is $(window_size), not 640x480"
[ "$(changed linux windows)" -eq 0 ] || fail "the first frame differs from the Linux viewer's in $(changed linux windows) pixels"
pass "window 'GLUT Application' is 640x480; its first frame is the Linux viewer's, pixel for pixel"

expected=$'metaball demo\r\nby wex and tamrel\r\n\r\nshift-click to move camera\r\nclick-drag to animate'
banner_arrived() { [ "$(cat "$WORK/stdout"; echo .)" = "$expected." ]; }
wait_for 5 banner_arrived || fail "no banner with CRLF line ends: $(od -c "$WORK/stdout" | head)"
pass "the banner arrived while the window is open, with CRLF line ends and without a trailing one"

# As in the Linux tests: a plain drag changes the surface inside the cube and nothing outside it; a Shift drag to
# the left turns the view, foreshortening the square outline.
PACED_DRAG=1
before=$(frames)
drag 1 100 100 160 100 6
shot plain
[ "$(frames)" -ge $((before + 7)) ] || fail "a plain drag of 6 steps drew $(($(frames) - before)) frames"
[ "$(changed windows plain 275 195 365 285)" -gt 0 ] || fail "a plain drag did not change the surface"
[ "$(mask_changed_outside windows plain 275 195 365 285)" -eq 0 ] || fail "a plain drag moved the wire cube or the outline"
pass "a plain drag animates the surface and leaves the camera alone"

drag 1 400 300 300 300 10 shift
shot orbit
read -r _ minx miny maxx maxy < <(lit orbit)
[ "$(mask_changed_outside plain orbit 250 170 390 310)" -gt 1000 ] || fail "a Shift drag did not turn the view"
[ $((maxx - minx)) -lt $(((maxy - miny) * 95 / 100)) ] || fail "the orbit did not foreshorten the outline"
pass "a Shift drag orbits the camera"

close_viewer 20
[ "$VIEWER_STATUS" -eq 0 ] || fail "the viewer ended with status $VIEWER_STATUS"
pass "closing the window ends the process with status 0"
