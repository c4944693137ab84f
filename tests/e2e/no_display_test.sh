#!/bin/bash
# Without a usable X display the viewer stops at once with a message on stderr and a failure status: no hang, no
# signal, and no banner, since the window never opened. With one, closed standard streams and a reader that has
# gone away do not stop it; a broken X connection does.
source "$(dirname "$0")/lib.sh"

# The first display number from 99 on with no server: no socket file, no lock file, no abstract socket.
free_display() {
  local n
  for ((n = 99; n < 200; n++)); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || grep -q "@/tmp/.X11-unix/X$n\$" /proc/net/unix ||
      { echo "$n"; return 0; }
  done
  return 1
}

# refused NAME PATTERN COMMAND...: COMMAND must end within 20 s, with a status from 1 to 123, nothing on stdout
# and PATTERN on stderr.
refused() {
  local name=$1 pattern=$2 status=0
  shift 2
  timeout -k 2 20 "$@" >"$WORK/out" 2>"$WORK/err" </dev/null || status=$?
  [ "$status" -ne 124 ] && [ "$status" -ne 137 ] || fail "$name: still running after 20 s"
  [ "$status" -ne 0 ] || fail "$name: exit status 0"
  [ "$status" -lt 124 ] || fail "$name: ended by a signal (status $status): $(cat "$WORK/err")"
  [ ! -s "$WORK/out" ] || fail "$name: printed '$(cat "$WORK/out")' on stdout"
  grep -qF -- "$pattern" "$WORK/err" || fail "$name: stderr lacks \"$pattern\": $(cat "$WORK/err")"
  pass "$name: status $status, $(head -n1 "$WORK/err")"
}

n=$(free_display) || fail "no free display number between 99 and 199"
refused "DISPLAY unset" "failed to open display" env -u DISPLAY "$BIN"
refused "DISPLAY='not a display'" "failed to open display 'not a display'" env DISPLAY='not a display' "$BIN"
refused "-display :$n with nothing there" "failed to open display ':$n'" env -u DISPLAY "$BIN" -display ":$n"
# The option wins over a working DISPLAY.
start_xvfb
refused "-display :$n over DISPLAY=$DISPLAY" "failed to open display ':$n'" "$BIN" -display ":$n"
refused "-display without a name" "-display parameter must be followed by display name" "$BIN" -display

# survives NAME COMMAND [FD...]: the viewer started by the shell line COMMAND shows a picture, animates under a
# drag and runs until its window is closed, then ends with status 0; each FD, closed at the start, is /dev/null.
survives() {
  local name=$1 fd status=0
  : >"$SWAPS"
  eval "GLSPY_LOG=\$SWAPS LD_PRELOAD=\$GLSPY $2 &"
  VIEWER_PID=$!
  wait_for 20 find_window || fail "$name: no window"
  first_picture "$name: "
  for fd in "${@:3}"; do
    [ "$(readlink "/proc/$VIEWER_PID/fd/$fd")" = /dev/null ] ||
      fail "$name: descriptor $fd is $(readlink "/proc/$VIEWER_PID/fd/$fd")"
  done
  shot before
  drag 1 300 200 340 260 4
  shot after
  [ "$(changed before after)" -gt 500 ] || fail "$name: a drag changed nothing"
  viewer_alive || fail "$name: the viewer died"
  close_viewer 10
  [ "$VIEWER_STATUS" -eq 0 ] || fail "$name: status $VIEWER_STATUS after its window was closed"
  pass "$name: draws, animates under a drag, ends with status 0 when closed"
}

survives "stdout closed" '"$BIN" >&- 2>"$WORK/err"' 1
survives "stderr closed, Mesa verbose" 'LIBGL_DEBUG=verbose "$BIN" >"$WORK/out" 2>&-' 2
survives "stdin closed" '"$BIN" <&- >"$WORK/out" 2>"$WORK/err"' 0
survives "all three closed" 'LIBGL_DEBUG=verbose "$BIN" <&- >&- 2>&-' 0 1 2
# A pipe whose only reader is gone: the banner meets EPIPE.
mkfifo "$WORK/fifo"
exec 4<>"$WORK/fifo" 3>"$WORK/fifo" 4<&-
survives "stdout into a pipe without a reader" '"$BIN" >&3 2>"$WORK/err"'
exec 3>&-

# The server going away still ends the viewer with Xlib's message and status 1.
: >"$SWAPS"
GLSPY_LOG=$SWAPS LD_PRELOAD=$GLSPY "$BIN" >"$WORK/out" 2>"$WORK/err" &
VIEWER_PID=$!
wait_for 20 find_window || fail "no window before the server went away"
first_picture "before the server went away: "
kill "$XVFB_PID"
wait_for 20 bash -c "! kill -0 $VIEWER_PID" || fail "the viewer outlived its X server"
status=0
wait "$VIEWER_PID" || status=$?
VIEWER_PID=""
[ "$status" -eq 1 ] || fail "status $status after the X server went away: $(cat "$WORK/err")"
grep -qF "X connection to $DISPLAY broken" "$WORK/err" || fail "stderr after the server went away: $(cat "$WORK/err")"
pass "a broken X connection: status 1, $(grep -F 'X connection' "$WORK/err")"
