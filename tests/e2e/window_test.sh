#!/bin/bash
# The window's title and size, the banner arriving on a pipe while the window is open, and a clean exit when the
# window is closed the way a window manager closes it.
source "$(dirname "$0")/lib.sh"
start_xvfb
start_viewer pipe

[ "$(window_size)" = 640x480 ] || fail "window is $(window_size), not 640x480"
pass "window 'GLUT Application' is 640x480"

expected=$'metaball demo\nby wex and tamrel\n\nshift-click to move camera\nclick-drag to animate'
banner_arrived() { [ "$(cat "$WORK/stdout"; echo .)" = "$expected." ]; }
wait_for 5 banner_arrived || fail "no banner on the pipe while the window is open: $(od -c "$WORK/stdout" | head)"
viewer_alive || fail "viewer died"
pass "banner arrived on the pipe, without a trailing line feed, while the window is open"

close_viewer 10
[ "$VIEWER_STATUS" -eq 0 ] || fail "viewer ended with status $VIEWER_STATUS"
pass "closing the window ends the process with status 0"
