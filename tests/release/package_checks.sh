#!/usr/bin/env bash
# What distribution reviewers run on the packages: lintian (no error; the
# warnings it gives are listed), the AppStream metainfo, the desktop entry and
# the manual page, each as the package installs it.
. "$(dirname "$0")/common.sh"

for tool in lintian appstreamcli desktop-file-validate man; do
    command -v $tool >/dev/null || skip "no $tool (scripts/install-deps --test)"
done
for arch in amd64 arm64; do
    lintian --fail-on error --suppress-tags executable-in-usr-lib "$(deb $arch)" >"$work/lintian" 2>&1 ||
        fail "lintian finds errors in the $arch package: $(grep -v privileges "$work/lintian")"
    grep '^W:' "$work/lintian" | sed "s/^/$arch: /"
done

dpkg-deb -x "$(deb amd64)" "$work/root"
share=$work/root/usr/share
appstreamcli validate --no-net "$share/metainfo/org.brightwicket.Soccer.metainfo.xml" >"$work/appstream" 2>&1 ||
    fail "appstreamcli validate: $(cat "$work/appstream")"
desktop-file-validate "$share/applications/org.brightwicket.Soccer.desktop" || fail "desktop-file-validate"
grep -qx 'Exec=/usr/games/brightwicket' "$share/applications/org.brightwicket.Soccer.desktop" ||
    fail "the desktop entry does not start /usr/games/brightwicket"
for size in 16 24 32 48 64 128 256 512; do
    icon=$share/icons/hicolor/${size}x$size/apps/org.brightwicket.Soccer.png
    file -b "$icon" | grep -q "PNG image data, $size x $size," || fail "no $size-pixel icon: $(file -b "$icon")"
done

# groff's warnings, and a page that lists every option the game's --help does.
LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man6/brightwicket.6.gz" >"$work/manual" 2>"$work/man.err" ||
    fail "man could not format the page"
[ ! -s "$work/man.err" ] || fail "man --warnings: $(cat "$work/man.err")"
for option in $("$BW_BINARY" --help | grep -o -- '--[a-z-]*' | sort -u); do
    grep -q -- "$option" "$work/manual" || fail "the manual page does not tell of $option"
done
