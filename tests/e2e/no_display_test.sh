#!/bin/bash
# Without a usable X display the viewer stops at once with a message on stderr and a failure status: no hang, no
# signal, and no banner, since the window never opened.
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
