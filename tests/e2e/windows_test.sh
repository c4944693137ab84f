#!/bin/bash
# The Windows viewer under Wine, in the same X server as the Linux one: the same first frame pixel for pixel, the
# banner with Windows' line ends, plain and Shift drags, and a clean exit on a window manager's close.
#   usage: windows_test.sh LINUX_VIEWER TOOLDIR WINDOWS_VIEWER WINE    (the prefix is $WINEPREFIX)
source "$(dirname "$0")/lib.sh" "$1" "$2"
EXE=$3
WINE=$4
[ -d "${WINEPREFIX:-}" ] || fail "no Wine prefix at '${WINEPREFIX:-}'"
start_xvfb

# Placed where the whole window is on the screen, as Wine places its own, so that both screenshots are whole.
start_viewer "$BIN" -geometry +0+0
cp "$WORK/first.ppm" "$WORK/linux.ppm"
"$TOOLS/xclose" "$WID"
wait_for 10 bash -c "! kill -0 $VIEWER_PID" || fail "the Linux viewer did not end"
wait "$VIEWER_PID" || true

# Wine's own notes go to stderr; WINEDEBUG silences them.
start_viewer pipe env WINEDEBUG=-all "$WINE" "$EXE"
[ "$(window_size)" = 640x480 ] || fail "window is $(window_size), not 640x480"
[ "$(changed linux first)" -eq 0 ] || fail "the first frame differs from the Linux viewer's in $(changed linux first) pixels"
pass "window 'GLUT Application' is 640x480; its first frame is the Linux viewer's, pixel for pixel"

expected=$'metaball demo\r\nby wex and tamrel\r\n\r\nshift-click to move camera\r\nclick-drag to animate'
banner_arrived() { [ "$(cat "$WORK/stdout"; echo .)" = "$expected." ]; }
wait_for 5 banner_arrived || fail "no banner with CRLF line ends on the pipe: $(od -c "$WORK/stdout" | head)"
pass "banner arrived on the pipe with CRLF line ends, without a trailing one"

# As in the Linux tests: a plain drag changes the surface inside the cube and nothing outside it; a Shift drag to
# the left turns the view, foreshortening the square outline.
PACED_DRAG=1
before=$(frames)
drag 1 100 100 160 100 6
shot plain
[ "$(frames)" -ge $((before + 7)) ] || fail "a plain drag of 6 steps drew $(($(frames) - before)) frames"
[ "$(changed first plain 275 195 365 285)" -gt 0 ] || fail "a plain drag did not change the surface"
[ "$(mask_changed_outside first plain 275 195 365 285)" -eq 0 ] || fail "a plain drag moved the wire cube or the outline"
pass "a plain drag animates the surface and leaves the camera alone"

drag 1 400 300 300 300 10 shift
shot orbit
read -r _ minx miny maxx maxy < <(lit orbit)
[ "$(mask_changed_outside plain orbit 250 170 390 310)" -gt 1000 ] || fail "a Shift drag did not turn the view"
[ $((maxx - minx)) -lt $(((maxy - miny) * 95 / 100)) ] || fail "the orbit did not foreshorten the outline"
pass "a Shift drag orbits the camera"

"$TOOLS/xclose" "$WID"
wait_for 20 bash -c "! kill -0 $VIEWER_PID" || fail "the viewer did not end after WM_DELETE_WINDOW"
status=0
wait "$VIEWER_PID" || status=$?
VIEWER_PID=""
[ "$status" -eq 0 ] || fail "the viewer ended with status $status"
pass "closing the window ends the process with status 0"
