# Sourced by the end-to-end tests: a private Xvfb, the real viewer in it, real input through XTest
# (xdotool) and real screenshots (ImageMagick import), measured with pixtool.
#   usage in a test: source lib.sh BIN TOOLDIR [SCREEN_WxH]
set -euo pipefail

BIN=$1
TOOLS=$2
SCREEN=${3:-1280x1024}
WORK=$(mktemp -d)
XVFB_PID=""
VIEWER_PID=""
WID=""

for tool in Xvfb xdotool import xwininfo; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (make test installs it)"; exit 1; }
done

cleanup() {
  [ -n "$VIEWER_PID" ] && kill "$VIEWER_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; exit 1; }
pass() { echo "ok: $*"; }

# Polls a command until it succeeds, for at most $1 seconds.
wait_for() {
  local limit=$1; shift
  local end=$((SECONDS + limit))
  until "$@" 2>/dev/null; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.05
  done
}

# A display number of our own, well away from :0 and its neighbours that desktops and other tools take. A server
# that loses a race for its number dies at once; then the next number is tried.
start_xvfb() {
  local attempt n
  for attempt in 1 2 3 4 5 6 7 8; do
    n=$((200 + (RANDOM + $$ + attempt * 97) % 800))
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 "${SCREEN}x24" -nolisten tcp -noreset 2>"$WORK/xvfb.log" &
    XVFB_PID=$!
    export DISPLAY=":$n"
    if wait_for 10 xdpyinfo -display "$DISPLAY" >/dev/null && kill -0 "$XVFB_PID" 2>/dev/null; then
      return 0
    fi
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  done
  fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
}

# Starts the viewer with stdout into $WORK/stdout (through a pipe when $1 is "pipe") and waits for its window.
start_viewer() {
  if [ "${1:-}" = pipe ]; then
    mkfifo "$WORK/pipe"
    cat "$WORK/pipe" >"$WORK/stdout" &
    "$BIN" >"$WORK/pipe" 2>"$WORK/stderr" &
  else
    "$BIN" >"$WORK/stdout" 2>"$WORK/stderr" &
  fi
  VIEWER_PID=$!
  wait_for 20 find_window || fail "no window titled 'GLUT Application' appeared: $(cat "$WORK/stderr") $(cat "$WORK/xvfb.log")"
  wait_for 20 window_lit || fail "the window never showed a picture"
}

find_window() {
  WID=$(xdotool search --onlyvisible --name '^GLUT Application$' | head -n1)
  [ -n "$WID" ]
}

window_lit() {
  shot probe
  [ "$(set -- $(lit probe); echo "$1")" -gt 100 ]
}

# Screenshot of the viewer's window into $WORK/NAME.ppm.
shot() { import -window "$WID" -depth 8 "ppm:$WORK/$1.ppm"; }

# "count minx miny maxx maxy" of lit pixels in a screenshot, optionally in a region.
lit() { "$TOOLS/pixtool" bbox "$WORK/$1.ppm" "${@:2}"; }
changed() { "$TOOLS/pixtool" diff "$WORK/$1.ppm" "$WORK/$2.ppm" "${@:3}"; }
mask_changed_outside() { "$TOOLS/pixtool" maskdiff "$WORK/$1.ppm" "$WORK/$2.ppm" "${@:3}"; }

window_size() { xwininfo -id "$WID" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }
size_is() { [ "$(window_size)" = "$1" ]; }

# Gives the viewer time to draw what the last input asked for.
settle() { sleep "${1:-0.25}"; }

# Input in window coordinates. Buttons: 1 left, 2 middle, 3 right.
move() { xdotool mousemove --window "$WID" "$1" "$2"; }
press() { xdotool mousedown "$1"; }
release() { xdotool mouseup "$1"; }
shift_down() { xdotool keydown Shift_L; }
shift_up() { xdotool keyup Shift_L; }

# Drags with button $1 from ($2,$3) in $6 steps to ($4,$5), with Shift held when $7 is "shift".
drag() {
  local button=$1 x0=$2 y0=$3 x1=$4 y1=$5 steps=$6 mod=${7:-}
  move "$x0" "$y0"
  [ "$mod" = shift ] && shift_down
  press "$button"
  [ "$mod" = shift ] && shift_up
  local s
  for ((s = 1; s <= steps; s++)); do
    move $((x0 + (x1 - x0) * s / steps)) $((y0 + (y1 - y0) * s / steps))
  done
  release "$button"
  settle
}

viewer_alive() { kill -0 "$VIEWER_PID" 2>/dev/null; }
