#!/bin/bash
# The command line belongs to GLUT: its own options reach glutInit unchanged and take effect.
source "$(dirname "$0")/lib.sh"
start_xvfb

stop() { kill "$VIEWER_PID"; wait "$VIEWER_PID" 2>/dev/null || true; VIEWER_PID=""; }
origin() { xwininfo -id "$WID" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x "," y}'; }

start_viewer "$BIN" -geometry 320x200+10+10
[ "$(window_size)" = 320x200 ] || fail "-geometry 320x200+10+10 gave a $(window_size) window"
[ "$(origin)" = 10,10 ] || fail "-geometry 320x200+10+10 placed the window at $(origin)"
# The view follows the size GLUT chose: the square outline stays square and centred.
shot geometry
read -r _ x0 y0 x1 y1 < <(lit geometry)
w=$((x1 - x0 + 1)) h=$((y1 - y0 + 1))
[ $((w - h)) -le 2 ] && [ $((h - w)) -le 2 ] || fail "in the 320x200 window the outline is ${w}x${h}"
[ $(((x0 + x1) / 2 - 160)) -le 2 ] && [ $((160 - (x0 + x1) / 2)) -le 2 ] || fail "outline not centred: $x0..$x1"
pass "-geometry 320x200+10+10 gives a 320x200 window at 10,10 with a square outline (${w}x${h})"
stop

# A position without a size (five times: the size used to be whatever memory held), one from the far edges, and
# values that X rejects or that give one side only: all keep the program's own size.
# Size and place are settled once the window is mapped; no need to wait for a picture.
for g in +10+10 +10+10 +10+10 +10+10 +10+10 -10-20 abc 640x x480 ''; do
  "$BIN" -geometry "$g" >"$WORK/stdout" 2>"$WORK/stderr" &
  VIEWER_PID=$!
  wait_for 20 find_window || fail "no window for '-geometry $g': $(cat "$WORK/stderr")"
  [ "$(window_size)" = 640x480 ] || fail "-geometry '$g' gave a $(window_size) window"
  case $g in
  +10+10) [ "$(origin)" = 10,10 ] || fail "-geometry $g placed the window at $(origin)" ;;
  -10-20) [ "$(origin)" = 630,524 ] || fail "-geometry $g placed the window at $(origin)" ;;
  esac
  stop
done
pass "-geometry +10+10 (5 runs), -10-20, abc, 640x, x480 and '' give 640x480, at 10,10 and 630,524 where placed"

# -display names the server even when DISPLAY is unset.
start_viewer env -u DISPLAY "$BIN" -display "$DISPLAY"
[ "$(window_size)" = 640x480 ] || fail "-display $DISPLAY gave a $(window_size) window"
pass "-display $DISPLAY opens the window with DISPLAY unset"
stop
