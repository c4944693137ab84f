#!/bin/bash
# Keeping pace with the pointer, whatever the mouse, the display and the speed of the machine. xmotion ($XMOTION)
# is the mouse and logs when it sends each event; glspy ($GLSPY, preloaded first) logs each swap with the motion
# events the viewer had taken by then and how long the frame took; the vblank probe ($VBLANK), where preloaded,
# makes every swap wait for a simulated 60 Hz refresh unless the swap interval is 0, and logs whether it did.
# "Keeps pace" means every event is taken and the last one shows within a bound that allows a few of the frames
# this machine draws (see bound_ms): how many frames a slow or busy machine manages is not the viewer's to choose,
# a backlog of stale frames is. A fresh viewer for each of:
#   1. 125 Hz for 2 s on that refresh, interval 0 honoured: no swap waits for the refresh, and the drag keeps pace.
#   2. The same with interval 0 refused, as a driver setting can force: every swap waits, and yet the drag keeps
#      pace, as no stale frame is drawn.
#   3. A 1,000 Hz mouse for 3 s keeps pace, and a window-manager close sent right after ends the viewer at once
#      (within 500 ms and three frames), with status 0.
#   4. The same 600-event Shift orbit at 1,000 Hz and at 60 Hz: the same view, bit for bit, on the same step of the
#      animation (up to one redisplay that GLUT may merge with another).
#   5. 3 s of motion as fast as XTest sends it: taken and shown within a second and three frames, resident memory
#      within 30 MB.
#   6. Frames that take no page faults: what the GL driver frees after each frame is kept for the next, not given
#      back to the system only to fault every page of it in again (at most 20 faults a frame).
source "$(dirname "$0")/lib.sh" "$1" "$2" 640x480
for probe in GLSPY VBLANK XMOTION; do [ -e "${!probe:-}" ] || fail "$probe does not name a built probe"; done
LATENCY=$(dirname "$0")/../../tools/probes/latency.awk
start_xvfb

stop_viewer() {
  [ -n "$VIEWER_PID" ] || return 0
  kill "$VIEWER_PID" 2>/dev/null || true
  wait "$VIEWER_PID" 2>/dev/null || true
  VIEWER_PID=""
}

# fresh_viewer NAME PRELOAD [FORCE]: a viewer of its own (it covers the screen, so window and screen coordinates
# agree), its swaps in $SWAPS = $WORK/NAME.swaps and the vblank probe's in $WORK/NAME.vblank, pressed with button 1
# in the middle, Shift held for the press when $PRESS is "shift"; returns once the press's frame is drawn.
fresh_viewer() {
  stop_viewer
  SWAPS=$WORK/$1.swaps
  : >"$WORK/$1.vblank"
  start_viewer env LD_PRELOAD="$2" VBLANK_FORCE="${3:-0}" VBLANK_LOG="$WORK/$1.vblank" "$BIN"
  wait_idle "$SWAPS" || fail "$1: the viewer keeps drawing before any input"
  local before
  before=$(frames)
  "$XMOTION" press 1 320 240 ${PRESS:-}
  wait_frames $((before + 1))
  wait_idle "$SWAPS" || fail "$1: the viewer never stopped drawing after the press"
}

# timed_move NAME COUNT [HZ [DY]]: COUNT moves from the press point; waits until the viewer shows them all and
# leaves "FRAMES MEDIAN P95 LAST FRAME" (milliseconds, from latency.awk) in $WORK/NAME.result.
timed_move() {
  local name=$1 count=$2 before base
  shift 2
  before=$(frames) base=$(motions)
  "$XMOTION" move "$count" 220 240 2 "$@" >"$WORK/$name.events"
  wait_for 20 frames_showing "$SWAPS" $((base + count)) 1 || true
  awk -v skip="$before" -f "$LATENCY" "$WORK/$name.events" "$SWAPS" >"$WORK/$name.result"
}

below() { [ "$1" != - ] && awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# bound_ms BASE FRAME: what a viewer that keeps pace may take to show the last event, or to answer a close: BASE ms,
# plus three frames of FRAME ms, the time this machine takes to draw one (a frame under way when the hand stops,
# the one that shows the last event, and one for a stall). A viewer that draws the stale frames queued behind the
# pointer is late by all of them: seconds, at these rates, however fast or slow the machine.
bound_ms() { awk -v base="$1" -v frame="$2" 'BEGIN { printf "%d", base + 3 * (frame == "-" ? 0 : frame) }'; }

# The median time the frames of swap log $1 took to draw, in ms.
median_frame_ms() {
  awk '$1 == "swap" && $10 > 0 { print $10 / 1e6 }' "$1" | sort -n |
    awk '{ v[NR] = $1 } END { print NR ? v[int((NR + 1) / 2)] : "-" }'
}

# Swaps in the vblank log $1 that waited for a refresh, and all of them: "WAITED SWAPS".
waited() { awk '{ n++ } $2 > 0 { w++ } END { print w + 0, n + 0 }' "$1"; }

# Up to three attempts, since on a busy machine a single stall can outlast the bound: each must take every event
# and show the last within bound_ms 100, and have its swaps wait for the refresh as $6 says, "none" or "all" (or
# "-" for a run without the vblank probe). keeps_pace NAME PRELOAD FORCE COUNT HZ WAITS leaves the figures of the
# attempt that passed in frames, median, p95, last, frame, bound and waits.
keeps_pace() {
  local attempt
  for attempt in 1 2 3; do
    fresh_viewer "$1" "$2" "$3"
    timed_move "$1" "$4" "$5"
    read -r frames median p95 last frame <"$WORK/$1.result"
    bound=$(bound_ms 100 "$frame")
    read -r waits swaps < <(waited "$WORK/$1.vblank")
    case $6 in
      none) [ "$swaps" -gt 0 ] && [ "$waits" -eq 0 ] ||
              fail "$1: $waits of $swaps swaps waited for the refresh, though the viewer asks for swap interval 0" ;;
      all) [ "$swaps" -gt 0 ] && [ "$waits" -eq "$swaps" ] ||
             fail "$1: only $waits of $swaps swaps waited for the refresh that the probe forces" ;;
    esac
    below "$last" "$bound" && return 0
    echo "$1, attempt $attempt: $frames frames for $4 events at $5 Hz; the last event showed ${last} ms after it" \
      "was sent, beyond $bound ms for frames of $frame ms (median $median ms, p95 $p95 ms)"
  done
  fail "$1: in no attempt did the viewer keep pace with the pointer"
}

# 1 and 2: a 125 Hz mouse on a 60 Hz display.
keeps_pace free "$GLSPY $VBLANK" 0 250 125 none
pass "250 events at 125 Hz under a 60 Hz refresh, swap interval 0: none of $swaps swaps waited; $frames frames" \
  "of $frame ms; latency median $median ms, p95 $p95 ms, last $last ms (bound $bound ms)"
keeps_pace forced "$GLSPY $VBLANK" 1 250 125 all
pass "with interval 0 refused all $swaps swaps waited for the refresh; $frames frames of $frame ms, and still the" \
  "last event shows $last ms after it (bound $bound ms, median $median ms)"

# 3: a 1,000 Hz mouse, then the close button.
keeps_pace fast "$GLSPY" 0 3000 1000 -
pass "3,000 events at 1,000 Hz: $frames frames of $frame ms; the last frame $last ms after the hand stopped" \
  "(bound $bound ms, median $median ms)"
start=$(now_ms)
close_viewer 5
took=$(($(now_ms) - start))
"$XMOTION" release 1
[ "$VIEWER_STATUS" -eq 0 ] || fail "closed after the drag, the viewer ended with status $VIEWER_STATUS"
bound=$(bound_ms 500 "$frame")
[ "$took" -lt "$bound" ] || fail "closed right after the drag, the viewer took $took ms to end (bound $bound ms)"
pass "a close right after the drag ended the viewer in $took ms (bound $bound ms), status 0"

# 4: one orbit, fast and slow, at the end of which the release's redisplay is the last frame. orbit HZ leaves
# "SURFACE VIEW SURFACE_BEFORE" of the last two frames in $WORK/orbitHZ.end.
orbit() {
  PRESS=shift fresh_viewer "orbit$1" "$GLSPY"
  timed_move "orbit$1" 600 "$1" 1
  "$XMOTION" release 1
  wait_idle "$SWAPS" || fail "the viewer kept drawing after the orbit at $1 Hz"
  awk '$1 == "swap" { before = surface; surface = $7; view = $8 } END { print surface, view, before }' "$SWAPS" \
    >"$WORK/orbit$1.end"
}
orbit 1000
orbit 60
read -r fast_surface fast_view fast_before <"$WORK/orbit1000.end"
read -r slow_surface slow_view slow_before <"$WORK/orbit60.end"
read -r frames_fast _ <"$WORK/orbit1000.result"
read -r frames_slow _ <"$WORK/orbit60.result"
[ "$fast_view" = "$slow_view" ] || fail "the same orbit ended on view $fast_view at 1,000 Hz and $slow_view at 60 Hz"
if [ "$fast_surface" = "$slow_surface" ]; then
  step="the same animation step"
elif [ "$fast_surface" = "$slow_before" ] || [ "$fast_before" = "$slow_surface" ]; then
  step="animation steps one apart (a merged redisplay)"
else
  fail "the same orbit ended on other animation steps at 1,000 Hz and at 60 Hz (surfaces $fast_surface, $slow_surface)"
fi
pass "600 orbit events at 1,000 Hz ($frames_fast frames) and at 60 Hz ($frames_slow frames) end on the same view," \
  "bit for bit, and $step"

# 5: a flood.
fresh_viewer flood "$GLSPY"
rss_before=$(awk '/^VmRSS/ {print $2}' "/proc/$VIEWER_PID/status")
base=$(motions)
read -r sent stopped < <("$XMOTION" flood 3 220 240 2)
wait_for 20 frames_showing "$SWAPS" $((base + sent)) 1 || fail "$sent flooded events not all shown after 20 s"
shown=$(awk -v want=$((base + sent)) '$1 == "swap" && $6 >= want { print $2; exit }' "$SWAPS")
drain=$(((shown - stopped) / 1000000))
rss_after=$(awk '/^VmRSS/ {print $2}' "/proc/$VIEWER_PID/status")
"$XMOTION" release 1
frame=$(median_frame_ms "$SWAPS")
bound=$(bound_ms 1000 "$frame")
[ "$drain" -lt "$bound" ] || fail "the viewer showed the last of $sent flooded events $drain ms after the flood" \
  "(bound $bound ms for frames of $frame ms)"
[ $((rss_after - rss_before)) -lt 30720 ] || fail "the flood took the resident memory from $rss_before to $rss_after kB"
pass "$sent events in 3 s as fast as XTest sends them: all shown $drain ms after the last (bound $bound ms)," \
  "resident memory $rss_before -> $rss_after kB"

# 6: the faults a frame takes.
fresh_viewer faults "$GLSPY"
minor_faults() { awk '{ print $10 }' "/proc/$VIEWER_PID/stat"; }
faults_before=$(minor_faults) frames_before=$(frames)
timed_move faults 250 125
faulted=$(($(minor_faults) - faults_before)) drawn=$(($(frames) - frames_before))
"$XMOTION" release 1
[ "$drawn" -gt 0 ] && [ "$faulted" -le $((20 * drawn)) ] ||
  fail "$drawn frames for 250 events took $faulted page faults: the memory freed after a frame went back to the system"
pass "$drawn frames for 250 events at 125 Hz took $faulted page faults in all"
stop_viewer
