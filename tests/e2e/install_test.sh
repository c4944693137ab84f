#!/bin/bash
# What `cmake --install` puts into a scratch prefix and what the Debian package built by cpack holds are the same
# files: the viewer, its menu entry and icons, the manual page, the AppStream data, the copyright and changelog.
# Each is checked with the tool that its readers use, both trees start a viewer that draws under Xvfb, whose window
# has the class that the menu entry names, and `make uninstall`'s way removes exactly what was installed.
#   usage: install_test.sh BUILD_DIR TOOLDIR
BUILD=$1
PREFIX=$(mktemp -d)
source "$(dirname "$0")/lib.sh" "$PREFIX/bin/metaballs" "$2"
trap 'rm -rf "$PREFIX"; cleanup' EXIT

for tool in cpack dpkg-deb lintian desktop-file-validate appstreamcli mandoc groff identify readelf; do
  command -v "$tool" >/dev/null || fail "$tool is missing (make test installs it)"
done

METAINFO=share/metainfo/org.example.metaballs.metainfo.xml
FILES="bin/metaballs share/applications/metaballs.desktop $METAINFO share/man/man1/metaballs.1.gz
  share/doc/metaballs/copyright share/doc/metaballs/changelog.Debian.gz"
for n in 16 24 32 48 64 128 256; do FILES="$FILES share/icons/hicolor/${n}x${n}/apps/metaballs.png"; done
expected() { for f in $FILES; do echo "$1/$f"; done | sort; }

# The changelog's newest entry, "metaballs (1.0.0-1) ...", gives the package's version; its upstream part is the
# one of the manual page and the AppStream data too.
FULL_VERSION=$(sed -n '1s/^metaballs (\([0-9.]*-[0-9]*\)).*/\1/p' "$(dirname "$0")/../../app/debian/changelog")
[ -n "$FULL_VERSION" ] || fail "no version in app/debian/changelog"
VERSION=${FULL_VERSION%-*}

# The project has no home page and names none rather than invent one, and Debian 13's appstreamcli fails validation
# on the warning that says so: that finding, and no other, is accepted. appstream_valid ARGS... runs
# `appstreamcli ARGS --no-net`; it fails the test on any other warning or error and returns 1 when that one was all.
HOMEPAGE_MISSING="W: org.example.metaballs:~: url-homepage-missing"
appstream_valid() {
  local report
  report=$(appstreamcli "$@" --no-net 2>&1) && return 0
  [ "$(grep -E '^ *[EW]: ' <<<"$report" | sed 's/^ *//')" = "$HOMEPAGE_MISSING" ] || fail "appstreamcli $1: $report"
  return 1
}

# Checks the installed tree under $1 (a prefix such as /usr): each file with the tool its readers use.
check_tree() {
  local root=$1 desktop=$1/share/applications/metaballs.desktop report icon n size
  report=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$report" ] || fail "desktop-file-validate: $report"
  grep -qx 'Terminal=false' "$desktop" && grep -q '^Categories=.*Graphics;' "$desktop" ||
    fail "the entry is no windowed program in the Graphics menu"
  icon=$(sed -n 's/^Icon=//p' "$desktop")
  for n in 48 256; do
    size=$(identify -format '%wx%h' "$root/share/icons/hicolor/${n}x${n}/apps/$icon.png" 2>&1 || true)
    [ "$size" = "${n}x${n}" ] || fail "Icon=$icon: the ${n}x${n} icon is '$size'"
  done
  appstream_valid validate "$root/$METAINFO" || true
  grep -q '<launchable type="desktop-id">metaballs.desktop</launchable>' "$root/$METAINFO" ||
    fail "the AppStream data does not launch metaballs.desktop"
  grep -q "<release version=\"$VERSION\"" "$root/$METAINFO" || fail "the AppStream data lacks release $VERSION"
  for n in share/man/man1/metaballs.1.gz share/doc/metaballs/changelog.Debian.gz; do
    gzip -t "$root/$n" || fail "$n is no gzip file"
  done
  zcat "$root/share/man/man1/metaballs.1.gz" >"$WORK/metaballs.1"
  report=$(mandoc -T lint "$WORK/metaballs.1" 2>&1) && [ -z "$report" ] || fail "mandoc -T lint: $report"
  report=$(groff -ww -man -z "$WORK/metaballs.1" 2>&1) && [ -z "$report" ] || fail "groff -ww: $report"
  grep -q "^\.TH METABALLS 1 .*\"metaballs $VERSION\"" "$WORK/metaballs.1" || fail "the manual page is not of $VERSION"
}

# A menu runs Exec through PATH, from anywhere: do the same with the tree's bin/ first on PATH; the viewer it finds
# must open its window and draw.
check_starts() {
  local bin
  bin=$(cd / && PATH="$1/bin:$PATH" command -v "$(sed -n 's/^Exec=//p' "$1/share/applications/metaballs.desktop")")
  [ "$bin" = "$1/bin/metaballs" ] || fail "Exec resolves to '$bin'"
  BIN=$bin
  start_viewer
  viewer_alive || fail "$bin died: $(cat "$WORK/stderr")"
  # So that a taskbar puts the window with its menu entry.
  local class
  class=$(window_class)
  [ "${class#* }" = "$(sed -n 's/^StartupWMClass=//p' "$1/share/applications/metaballs.desktop")" ] ||
    fail "the window's class '${class#* }' is not the entry's StartupWMClass"
  kill "$VIEWER_PID"
  wait "$VIEWER_PID" 2>/dev/null || true
  VIEWER_PID=""
}

# `make install` and `make uninstall` do what tools/install-tree does. A folder that was there before and one that
# holds something else must stay.
INSTALL_TREE=$(dirname "$0")/../../tools/install-tree
mkdir -p "$PREFIX/share/man" "$PREFIX/share/applications"
: >"$PREFIX/share/applications/other.desktop"
"$INSTALL_TREE" install "$BUILD" "$WORK/record" "$PREFIX" >"$WORK/install.log" 2>&1 ||
  fail "install failed: $(cat "$WORK/install.log")"
grep -v '/$' "$WORK/record" | grep . | sort >"$WORK/manifest"
[ "$(cat "$WORK/manifest")" = "$(expected "$PREFIX")" ] ||
  fail "installed files differ: $(diff "$WORK/manifest" <(expected "$PREFIX"))"
cmp -s "$BUILD/metaballs" "$PREFIX/bin/metaballs" || fail "bin/metaballs is not the viewer that was built"
check_tree "$PREFIX"
pass "install: every file in place; menu entry, icon, AppStream data and manual page check clean"

start_xvfb
check_starts "$PREFIX"
pass "the entry's command starts the installed viewer and its window shows a picture"

"$INSTALL_TREE" uninstall "$WORK/record" >"$WORK/uninstall.log" 2>&1 || fail "uninstall failed: $(cat "$WORK/uninstall.log")"
left=$(cd "$PREFIX" && find . -mindepth 1 | sort | paste -sd' ')
[ "$left" = "./share ./share/applications ./share/applications/other.desktop ./share/man" ] ||
  fail "left after uninstall: $left"
pass "uninstall removes every installed file and the folders it made, and leaves the others: $left"

# make check runs this on a sanitized build, whose build/metaballs is a launcher script: a package of that would
# hold neither the viewer nor its libraries' dependencies.
if [ "$(head -c 4 "$BUILD/metaballs" | tail -c 3)" != ELF ]; then
  echo "skip: no package of a build whose viewer is a launcher script"
  exit 0
fi

cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK/pkg" >"$WORK/cpack.log" 2>&1 ||
  fail "cpack failed: $(cat "$WORK/cpack.log")"
DEB=$(ls "$WORK"/pkg/metaballs_*.deb)
dpkg-deb -c "$DEB" | awk '$1 !~ /^d/ {print substr($6, 2)}' | sort >"$WORK/contents"
[ "$(cat "$WORK/contents")" = "$(expected /usr)" ] ||
  fail "the package holds other files: $(diff "$WORK/contents" <(expected /usr))"
arch=$(dpkg-deb -f "$DEB" Architecture)
case "$(readelf -h "$BUILD/metaballs" | sed -n 's/^ *Machine: *//p')" in
  *X86-64) want=amd64 ;;
  AArch64) want=arm64 ;;
  *80386) want=i386 ;;
  *) want=unknown ;;
esac
[ "$arch" = "$want" ] || fail "Architecture: $arch for a $want viewer"
[ "$(dpkg-deb -f "$DEB" Version)" = "$FULL_VERSION" ] || fail "Version: $(dpkg-deb -f "$DEB" Version), not $FULL_VERSION"
# dpkg-shlibdeps names the libraries' packages; the GLUT one proves that it ran over the binary.
dpkg-deb -f "$DEB" Depends | grep -q 'libglut' || fail "Depends lacks GLUT: $(dpkg-deb -f "$DEB" Depends)"
pass "package: $(basename "$DEB") holds the same files; Depends: $(dpkg-deb -f "$DEB" Depends)"

mkdir "$WORK/root"
dpkg-deb -x "$DEB" "$WORK/root"

# No errors, and no warning but those kept: a first changelog entry that closes no Debian bug, since the package is
# not meant for Debian's archive and so has no bug that asks for it; and lintian's appstream-metadata-validation-failed
# where appstreamcli's validation of the package fails on the missing home page alone.
kept=initial-upload-closes-no-bugs
appstream_valid validate-tree "$WORK/root" || kept="$kept|appstream-metadata-validation-failed"
lintian --fail-on error "$DEB" >"$WORK/lintian.log" 2>&1 || fail "lintian: $(cat "$WORK/lintian.log")"
! grep '^W:' "$WORK/lintian.log" | grep -vE " ($kept) " || fail "lintian warns: $(cat "$WORK/lintian.log")"
pass "lintian reports no errors and no warnings but ${kept//|/, }"

check_tree "$WORK/root/usr"
pass "package unpacked: menu entry, icon, AppStream data and manual page check clean"

check_starts "$WORK/root/usr"
pass "the unpacked package's viewer starts from the entry's command and draws"
