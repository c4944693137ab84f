#!/bin/bash
# One session of everything a person can do to the viewer: plain drags, orbits over the poles and one huge enough
# to leave the elevation negative, zoom through the centre with a pan there, button chords, stray buttons and a
# window squeezed to one pixel high. Afterwards the surface still shows, no NaN or infinity reached GL or GLU
# (counted by the glspy probe), and closing the window ends the process cleanly, with nothing on stderr: under the
# sanitizers that is where a report would land.
source "$(dirname "$0")/lib.sh" "$1" "$2" 1600x1600
start_xvfb
start_viewer
# At the screen's corner, so that even a window one pixel high has a row the pointer can press in.
xdotool windowmove "$WID" 0 0

shift_press() { shift_down; press "$1"; shift_up; }

# From elevation 0 one event 1,300 px down turns the camera by more than 2π: one wrap leaves it negative. With the
# button still held, upwards over a pole, then down and sideways. Every press lies inside the window, or the
# viewer would never see the drag.
before=$(motions)
move 320 50
shift_press 1
move 320 1350
for ((y = 1250; y >= 350; y -= 100)); do move 320 $y; done
release 1
wait_motions $((before + 11))
drag 1 320 350 320 1050 7 shift
drag 1 100 300 500 300 8 shift
drag 1 500 300 100 300 8 shift

# Zoom to exactly the centre and pan there (a chord: Shift+middle while Shift+right is held); release the middle
# button, which ends the mode while the right one is still down.
move 100 240
shift_press 3
move 1100 240
shift_press 2
move 1000 200
move 1100 240
release 2
move 1150 240
release 3
# On through the centre, pan behind it and back on the same path, and out to where the session began.
drag 3 100 240 300 240 4 shift
drag 2 300 240 400 300 5 shift
drag 2 400 300 300 240 5 shift
drag 3 600 240 0 240 6 shift
drag 3 600 240 0 240 6 shift

# A plain drag gains and loses camera modes: Shift+right mid-drag zooms, a wheel click changes nothing, releasing
# the left button ends the mode while the right is still held.
move 200 200
press 1
move 220 210
shift_press 3
move 320 210
move 220 210
xdotool click 4
move 240 220
release 1
move 300 260
release 3

# One pixel high, with drags in it (each waits for a frame per step), then back to 640x480.
resize 640 1
drag 1 320 0 400 300 5 shift
drag 1 400 0 320 300 5 shift
drag 1 320 0 500 0 5
resize 640 480

viewer_alive || fail "the viewer died: $(cat "$WORK/stderr")"
shot end
read -r count _ < <(lit end 250 170 390 310)
[ "$count" -gt 500 ] || fail "no surface in the centre after the session ($count lit pixels)"
pass "the viewer survived the session and still shows the surface ($count lit pixels in the centre)"

frames=$(frames)
checked=$(awk '/^swap/ {n += $4} END {print n + 0}' "$SWAPS")
bad=$(grep -c '^nonfinite' "$SWAPS" || true)
[ "$frames" -ge 60 ] && [ "$checked" -gt 0 ] || fail "glspy saw $frames frames and $checked checked calls"
[ "$bad" -eq 0 ] || fail "non-finite values reached GL/GLU: $(grep '^nonfinite' "$SWAPS" | sort | uniq -c)"
pass "glspy: $frames frames, $checked checked calls, none non-finite"

close_viewer 30
[ "$VIEWER_STATUS" -eq 0 ] || fail "the viewer ended with status $VIEWER_STATUS: $(head -c 2000 "$WORK/stderr")"
[ ! -s "$WORK/stderr" ] || fail "the viewer wrote to stderr: $(head -c 2000 "$WORK/stderr")"
pass "closing the window ends the process with status 0 and nothing on stderr"
