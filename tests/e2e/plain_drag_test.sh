#!/bin/bash
# A drag without Shift animates the surface, one frame for every motion event, and leaves the camera alone.
source "$(dirname "$0")/lib.sh"
start_xvfb
start_viewer

# From distance 10 the wire cube's front face spans about 271..367 x 191..287; the surface stays inside the
# back face. Everything outside this box (the cube's outer edges, the square outline) must stay put.
INSIDE_CUBE="275 195 365 285"
move 100 100
base=$(frames)
press 1
wait_frames $((base + 1))
shot s0
for n in 1 2 3 4 5 6; do
  move $((100 + 10 * n)) 100
  wait_frames $((base + 1 + n))
  shot "s$n"
  prev=$((n - 1))
  [ "$(changed "s$prev" "s$n")" -gt 0 ] || fail "motion event $n did not change the picture"
  [ "$(mask_changed_outside "s$prev" "s$n" $INSIDE_CUBE)" -eq 0 ] || fail "motion event $n moved the wire cube or the outline"
done
release 1
wait_frames $((base + 8))
shot still1
sleep 0.5
shot still2
[ "$(frames)" -eq $((base + 8)) ] || fail "a press, 6 motion events and a release drew $(($(frames) - base)) frames, not 8"
[ "$(changed still1 still2)" -eq 0 ] || fail "the picture changes without input"
pass "every plain motion event draws a new surface, the frame stays put, no input means no change"
