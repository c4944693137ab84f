# Sourced by everything that runs the real viewer headless (tests/e2e/lib.sh, tools/capture, tools/dragbench,
# tools/soak): one way to start a private X server, and the frame count of the swap logger, glspy.

XVFB_PID=""

# Polls a command until it succeeds, for at most $1 seconds.
wait_for() {
  local end=$((SECONDS + $1)) && shift
  until "$@" 2>/dev/null; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.02
  done
}

# xvfb_start WxH DIR: a private Xvfb with a WxHx24 screen, logging to DIR/xvfb.log; exports DISPLAY once it takes
# clients. It picks a free display number itself (-displayfd), so parallel runs never race for one; -noreset keeps
# it from resetting under the other clients when one leaves.
xvfb_start() {
  local end=$((SECONDS + 20))
  : >"$2/display"
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset 3>"$2/display" 2>"$2/xvfb.log" &
  XVFB_PID=$!
  until [ -s "$2/display" ]; do
    if ! kill -0 "$XVFB_PID" 2>/dev/null || [ $SECONDS -ge $end ]; then
      echo "Xvfb did not start: $(cat "$2/xvfb.log")" >&2
      xvfb_stop
      return 1
    fi
    sleep 0.02
  done
  export DISPLAY=":$(head -n1 "$2/display")"
  # The number can arrive before the server takes clients.
  wait_for 10 xdpyinfo -display "$DISPLAY" >/dev/null || { echo "the X server on $DISPLAY never answered" >&2; return 1; }
}

# Stops the server started above, by its process id.
xvfb_stop() {
  [ -n "$XVFB_PID" ] || return 0
  kill "$XVFB_PID" 2>/dev/null || true
  wait "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=""
}

# Frames the viewer has swapped, as logged by glspy into file $1 (GLSPY_LOG).
swap_count() { grep -c '^swap' "$1" 2>/dev/null || true; }
swaps_at_least() { [ "$(swap_count "$1")" -ge "$2" ]; }
# The drag motion events the viewer had taken by the last frame in log $1.
motion_count() { awk '$1 == "swap" { n = $6 } END { print n + 0 }' "$1" 2>/dev/null || echo 0; }
# Whether at least $3 frames in log $1 show $2 or more drag motion events.
frames_showing() { awk -v want="$2" -v least="$3" '$1 == "swap" && $6 >= want { n++ } END { exit !(n >= least) }' "$1"; }

# Waits until no frame has been drawn for 0.3 s, for at most 20 s: the redisplays that input posted are done.
wait_idle() {
  local before tries
  for ((tries = 0; tries < 60; tries++)); do
    before=$(swap_count "$1")
    sleep 0.3
    [ "$(swap_count "$1")" -eq "$before" ] && return 0
  done
  return 1
}
