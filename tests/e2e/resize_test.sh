#!/bin/bash
# After a resize the picture fills the new window without distortion: the square outline stays square.
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
