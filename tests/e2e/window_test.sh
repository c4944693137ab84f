#!/bin/bash
# The window's title and size, what it tells a taskbar (class, process, icon), the banner arriving on a pipe while
# the window is open, and a clean exit when the window is closed the way a window manager closes it.
source "$(dirname "$0")/lib.sh"
start_xvfb
start_viewer pipe

[ "$(window_size)" = 640x480 ] || fail "window is $(window_size), not 640x480"
pass "window 'GLUT Application' is 640x480"

[ "$(window_class)" = "metaballs Metaballs" ] || fail "WM_CLASS: $(xprop -id "$WID" WM_CLASS)"
[ "$(xprop -id "$WID" _NET_WM_PID)" = "_NET_WM_PID(CARDINAL) = $VIEWER_PID" ] ||
  fail "not the viewer's process $VIEWER_PID: $(xprop -id "$WID" _NET_WM_PID)"
sizes=$(xprop -id "$WID" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | tr -dc '0-9x\n' | paste -sd' ')
[ "$sizes" = "32x32 64x64" ] || fail "_NET_WM_ICON sizes: '$sizes', not 32x32 64x64"
# Every pixel is the committed icon's of that size, as ARGB.
committed_icon() {
  local n
  for n in 32 64; do
    printf '%s, %s, ' $n $n
    convert "$(dirname "$0")/../../app/icons/${n}x${n}/metaballs.png" -depth 8 RGBA:- | od -An -v -tu1 |
      awk '{ for (i = 1; i <= NF; i++) b[k++] = $i }
           END { for (p = 0; p < k; p += 4) printf "%.0f, ", ((b[p + 3] * 256 + b[p]) * 256 + b[p + 1]) * 256 + b[p + 2] }'
  done
}
[ "$(xprop -id "$WID" -notype -f _NET_WM_ICON 32c '=$0+' _NET_WM_ICON)" = "_NET_WM_ICON=$(committed_icon | sed 's/, $//')" ] ||
  fail "the window's icon is not app/icons/{32x32,64x64}/metaballs.png"
pass "WM_CLASS metaballs, Metaballs; _NET_WM_PID the viewer's; _NET_WM_ICON the committed 32x32 and 64x64 icons"

expected=$'metaball demo\nby wex and tamrel\n\nshift-click to move camera\nclick-drag to animate'
banner_arrived() { [ "$(cat "$WORK/stdout"; echo .)" = "$expected." ]; }
wait_for 5 banner_arrived || fail "no banner on the pipe while the window is open: $(od -c "$WORK/stdout" | head)"
viewer_alive || fail "viewer died"
pass "banner arrived on the pipe, without a trailing line feed, while the window is open"

close_viewer 10
[ "$VIEWER_STATUS" -eq 0 ] || fail "viewer ended with status $VIEWER_STATUS"
pass "closing the window ends the process with status 0"
