#!/bin/bash
# After a resize the picture fills the new window without distortion: the square outline stays square. A resize
# or a move during a drag does not move the pointer.
source "$(dirname "$0")/lib.sh"
start_xvfb
start_viewer

for size in "800 400" "500 600" "640 480"; do
  set -- $size
  resize "$1" "$2"
  shot "r$1"
  read -r _ x0 y0 x1 y1 < <(lit "r$1")
  w=$((x1 - x0 + 1)) h=$((y1 - y0 + 1))
  [ $((w - h)) -le 2 ] && [ $((h - w)) -le 2 ] || fail "at ${1}x${2} the outline is ${w}x${h}"
  [ $(((x0 + x1) / 2 - $1 / 2)) -le 2 ] && [ $(($1 / 2 - (x0 + x1) / 2)) -le 2 ] || fail "not centred at ${1}x${2}"
  pass "at ${1}x${2} the outline is ${w}x${h}, centred"
done

# A window squeezed to one pixel high and back keeps drawing.
resize 300 1
resize 640 480
shot back
read -r count _ < <(lit back 250 170 390 310)
[ "$count" -gt 500 ] || fail "no surface after a resize to one pixel high"
viewer_alive || fail "viewer died"
pass "a resize to one pixel high and back leaves a working view"

# A Shift+left drag, 20 px left; the window resized to 280 px high and moved 200 px right and 100 px down; 1 px
# left: dragging back 21 px must restore the view. A resize or a move read as pointer motion would have turned
# the eye by 200 px. The pointer is placed on the screen here, where the window's corner starts.
xdotool windowmove "$WID" 0 0
wait_for 5 bash -c "xwininfo -id $WID | grep -q 'Absolute upper-left X:  0'" || fail "the window did not move to 0,0"
shot still
before=$(frames)
xdotool mousemove 400 200
shift_down
press 1
shift_up
xdotool mousemove 380 200
wait_frames $((before + 2))
xdotool windowsize "$WID" 640 280
wait_for 5 size_is 640x280 || fail "window did not become 640x280 during the drag"
xdotool windowmove "$WID" 200 100
wait_for 5 bash -c "xwininfo -id $WID | grep -q 'Absolute upper-left X:  200'" || fail "the window did not move during the drag"
# A window that shrinks or moves draws no frame to wait for; GLUT reshapes only after the events it has read, so
# the resize and the move must reach it before the next motion does.
sleep 0.4
xdotool mousemove 379 200
release 1
xdotool windowmove "$WID" 0 0
xdotool windowsize "$WID" 640 480
wait_for 5 size_is 640x480 || fail "window did not come back to 640x480 after the drag"
drag 1 379 200 400 200 7 shift
shot undone
read -r _ a0 b0 a1 b1 < <(lit still)
read -r _ x0 y0 x1 y1 < <(lit undone)
for d in $((x0 - a0)) $((y0 - b0)) $((x1 - a1)) $((y1 - b1)); do
  [ "$d" -le 2 ] && [ "$d" -ge -2 ] || fail "after the drag undone the outline spans $x0,$y0..$x1,$y1, not $a0,$b0..$a1,$b1"
done
pass "a resize and a move in the middle of a Shift+left drag turn the eye only by the pointer's own movement"
