#!/bin/bash
# `cmake --install` into a scratch prefix: the viewer lands in bin/ and its menu entry in share/applications/,
# the entry's command starts that viewer and a window appears, and the manifest that `make uninstall` reads
# removes exactly what was installed.
#   usage: install_test.sh BUILD_DIR TOOLDIR
BUILD=$1
PREFIX=$(mktemp -d)
source "$(dirname "$0")/lib.sh" "$PREFIX/bin/metaballs" "$2"

# The scratch install rewrites the build's manifest; put back the one of a real `make install`, so that a later
# `make uninstall` still removes what that put in place.
MANIFEST=$BUILD/install_manifest.txt
[ -f "$MANIFEST" ] && cp "$MANIFEST" "$WORK/manifest.saved"
put_back_manifest() {
  if [ -f "$WORK/manifest.saved" ]; then cp "$WORK/manifest.saved" "$MANIFEST"; else rm -f "$MANIFEST"; fi
}
trap 'put_back_manifest; rm -rf "$PREFIX"; cleanup' EXIT

cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 || fail "install failed: $(cat "$WORK/install.log")"
cp "$MANIFEST" "$WORK/manifest"
put_back_manifest

DESKTOP=$PREFIX/share/applications/metaballs.desktop
expected=$(printf '%s\n' "$PREFIX/bin/metaballs" "$DESKTOP" | sort)
[ "$(sort "$WORK/manifest")" = "$expected" ] || fail "installed files differ: $(cat "$WORK/manifest")"
[ -x "$PREFIX/bin/metaballs" ] || fail "bin/metaballs is not executable"
cmp -s "$BUILD/metaballs" "$PREFIX/bin/metaballs" || fail "bin/metaballs is not the viewer that was built"
pass "bin/metaballs and share/applications/metaballs.desktop installed, and nothing else"

if command -v desktop-file-validate >/dev/null; then
  report=$(desktop-file-validate "$DESKTOP" 2>&1) || fail "desktop-file-validate: $report"
  [ -z "$report" ] || fail "desktop-file-validate: $report"
  pass "desktop-file-validate accepts the entry"
fi
key() { sed -n "s/^$1=//p" "$DESKTOP"; }
[ "$(head -n1 "$DESKTOP")" = "[Desktop Entry]" ] || fail "the entry does not start with [Desktop Entry]"
[ "$(key Type)" = Application ] || fail "Type is '$(key Type)'"
[ -n "$(key Name)" ] && [ -n "$(key Comment)" ] || fail "Name or Comment is empty"
[ "$(key Terminal)" = false ] || fail "Terminal is '$(key Terminal)'; the viewer is a window, not a console"
[[ ";$(key Categories)" == *";Graphics;"* ]] || fail "Categories '$(key Categories)' lack Graphics"
pass "the entry is an application in the Graphics menu"

# A menu runs Exec through PATH, from anywhere: do the same with the prefix's bin/ first on PATH.
exec_cmd=$(key Exec)
[ "$exec_cmd" = metaballs ] || fail "Exec is '$exec_cmd'"
BIN=$(cd / && PATH="$PREFIX/bin:$PATH" command -v "$exec_cmd")
[ "$BIN" = "$PREFIX/bin/metaballs" ] || fail "Exec resolves to '$BIN'"
start_xvfb
cd /
start_viewer
viewer_alive || fail "the installed viewer died: $(cat "$WORK/stderr")"
pass "the entry's command starts the installed viewer and its window shows a picture"

# What `make uninstall` does, against the scratch prefix.
xargs rm -f <"$WORK/manifest"
[ -z "$(find "$PREFIX" -type f)" ] || fail "left after uninstall: $(find "$PREFIX" -type f)"
pass "the manifest removes every installed file"
