# Sourced by the end-to-end tests: a private Xvfb, the real viewer in it with the swap logger glspy preloaded,
# real input through XTest (xdotool) and real screenshots (ImageMagick import), measured with pixtool.
#   usage in a test: source lib.sh BIN TOOLDIR [SCREEN_WxH]
# glspy is $GLSPY and xclose $XCLOSE, or the ones the build made next to TOOLDIR.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/xserver.sh"

BIN=$1
TOOLS=$2
SCREEN=${3:-1280x1024}
GLSPY=${GLSPY:-$TOOLS/../../tools/probes/libglspy.so}
XCLOSE=${XCLOSE:-$TOOLS/../../tools/probes/xclose}
WORK=$(mktemp -d)
SWAPS=$WORK/swaps
VIEWER_PID=""
WID=""

for tool in Xvfb xdotool import xwininfo xdpyinfo xprop; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (make test installs it)"; exit 1; }
done
[ -f "$GLSPY" ] || { echo "FAIL: no swap logger at $GLSPY (build with -DMETABALLS_PROBES=ON)"; exit 1; }

cleanup() {
  [ -n "$VIEWER_PID" ] && kill "$VIEWER_PID" 2>/dev/null || true
  xvfb_stop
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; exit 1; }
pass() { echo "ok: $*"; }

start_xvfb() { xvfb_start "$SCREEN" "$WORK" || fail "no X server"; }

# start_viewer [pipe] [COMMAND...]: runs COMMAND (the viewer by default) with glspy logging its frames, stdout into
# $WORK/stdout (through a pipe with "pipe"), and waits for its window and first frame.
start_viewer() {
  local out=$WORK/stdout
  if [ "${1:-}" = pipe ]; then
    shift
    mkfifo "$WORK/pipe"
    cat "$WORK/pipe" >"$WORK/stdout" &
    out=$WORK/pipe
  fi
  [ $# -gt 0 ] || set -- "$BIN"
  : >"$SWAPS"
  GLSPY_LOG=$SWAPS LD_PRELOAD=$GLSPY "$@" >"$out" 2>"$WORK/stderr" &
  VIEWER_PID=$!
  wait_for 20 find_window || fail "no window titled 'GLUT Application' appeared: $(cat "$WORK/stderr") $(cat "$WORK/xvfb.log")"
  first_picture
}

# Waits for the first frame, which must show a picture; $1 prefixes the failure message.
first_picture() {
  wait_frames 1
  shot first
  [ "$(set -- $(lit first); echo "$1")" -gt 100 ] || fail "${1:-}the first frame shows no picture"
}

find_window() {
  WID=$(xdotool search --onlyvisible --name '^GLUT Application$' | head -n1)
  [ -n "$WID" ]
}

# Frames swapped since the viewer started; wait_frames N waits until there are at least N.
frames() { swap_count "$SWAPS"; }
wait_frames() { wait_for 20 swaps_at_least "$SWAPS" "$1" || fail "only $(frames) frames of $1 after 20 s: $(cat "$WORK/stderr")"; }

# Drag motion events the viewer had taken by its last frame. A motion with another one already waiting behind it
# draws no frame of its own, so frames count events only when each is waited for; wait_motions N waits until the
# viewer has drawn N motions' worth, and the frame after (the release's, in a drag).
motions() { motion_count "$SWAPS"; }
wait_motions() {
  wait_for 20 frames_showing "$SWAPS" "$1" 2 || fail "only $(motions) motion events of $1 drawn after 20 s: $(cat "$WORK/stderr")"
}

# Screenshot of the viewer's window into $WORK/NAME.ppm.
shot() { import -window "$WID" -depth 8 "ppm:$WORK/$1.ppm"; }

# "count minx miny maxx maxy" of lit pixels in a screenshot, optionally in a region.
lit() { "$TOOLS/pixtool" bbox "$WORK/$1.ppm" "${@:2}"; }
changed() { "$TOOLS/pixtool" diff "$WORK/$1.ppm" "$WORK/$2.ppm" "${@:3}"; }
mask_changed_outside() { "$TOOLS/pixtool" maskdiff "$WORK/$1.ppm" "$WORK/$2.ppm" "${@:3}"; }

# The window's WM_CLASS as "INSTANCE CLASS".
window_class() { xprop -id "$WID" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = "\([^"]*\)", "\([^"]*\)"$/\1 \2/p'; }

window_size() { xwininfo -id "$WID" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }
size_is() { [ "$(window_size)" = "$1" ]; }

# resize W H: waits for the new size and, when the window grows, for the frame that the exposed part asks for; a
# window that only shrinks is not drawn again.
resize() {
  local before old
  before=$(frames) old=$(window_size)
  xdotool windowsize "$WID" "$1" "$2"
  wait_for 5 size_is "$1x$2" || fail "the window did not become $1x$2"
  [ "$1" -le "${old%x*}" ] && [ "$2" -le "${old#*x}" ] || wait_frames $((before + 1))
}

# Input in window coordinates. Buttons: 1 left, 2 middle, 3 right.
move() { xdotool mousemove --window "$WID" "$1" "$2"; }
press() { xdotool mousedown "$1"; }
release() { xdotool mouseup "$1"; }
shift_down() { xdotool keydown Shift_L; }
shift_up() { xdotool keyup Shift_L; }

# Drags with button $1 from ($2,$3) in $6 steps to ($4,$5), with Shift held when $7 is "shift", and waits until
# the viewer has drawn every step (each must move the pointer) and the release. With PACED_DRAG set, the press and
# every step wait for their frames before the next event, and the frames are counted instead: where glspy cannot
# see the events taken (a Windows program under Wine, whose window system merges queued motion itself).
drag() {
  local button=$1 x0=$2 y0=$3 x1=$4 y1=$5 steps=$6 mod=${7:-} before taken s paced=${PACED_DRAG:+1}
  before=$(frames) taken=$(motions)
  move "$x0" "$y0"
  [ "$mod" = shift ] && shift_down
  press "$button"
  [ -z "$paced" ] || wait_frames $((before + 1))
  [ "$mod" = shift ] && shift_up
  for ((s = 1; s <= steps; s++)); do
    move $((x0 + (x1 - x0) * s / steps)) $((y0 + (y1 - y0) * s / steps))
    [ -z "$paced" ] || wait_frames $((before + 1 + s))
  done
  release "$button"
  if [ -n "$paced" ]; then wait_frames $((before + steps + 1)); else wait_motions $((taken + steps)); fi
}

viewer_alive() { kill -0 "$VIEWER_PID" 2>/dev/null; }

# Closes the window as a window manager's close button does (WM_DELETE_WINDOW, through xclose), waits at most $1
# seconds for the viewer to end, and leaves its exit status in $VIEWER_STATUS.
close_viewer() {
  "$XCLOSE" "$WID"
  wait_for "$1" bash -c "! kill -0 $VIEWER_PID" || fail "the viewer did not end after WM_DELETE_WINDOW"
  VIEWER_STATUS=0
  wait "$VIEWER_PID" || VIEWER_STATUS=$?
  VIEWER_PID=""
}
