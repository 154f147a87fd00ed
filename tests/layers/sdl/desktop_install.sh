#!/usr/bin/env bash
# install-deps with none of the packages and no root; cmake --install laying
# the game out for a desktop; the launcher keeping the caller's file names.
. "$(dirname "$0")/../../support/desktop_session.sh"

deps="$(dirname "$0")/../../../scripts/install-deps"
mkdir "$work/bin" && ln -s "$(command -v grep)" "$work/bin/grep"
for stub in 'dpkg-query:exit 1' 'id:echo 1000' "apt-get:touch '$work/apt-ran'"; do
    printf '#!/bin/sh\n%s\n' "${stub#*:}" >"$work/bin/${stub%%:*}"
done
chmod +x "$work/bin/"*
list=$(PATH="$work/bin" /bin/sh "$deps" --dry-run --test) || fail "install-deps --dry-run --test"
for package in cmake libsdl2-dev libgtest-dev clang xvfb xdotool wine; do
    echo "$list" | tr ' ' '\n' | grep -qx "$package" || fail "the dry run does not list $package: $list"
done
PATH="$work/bin" /bin/sh "$deps" >/dev/null 2>"$work/deps.err" && fail "install-deps without root or sudo succeeded"
[ "$(wc -l <"$work/deps.err")" = 1 ] && grep -q 'as root, or install sudo$' "$work/deps.err" && [ ! -e "$work/apt-ran" ] ||
    fail "without root or sudo: $(cat "$work/deps.err")"

install_game
for file in libexec/brightwicket/brightwicket share/brightwicket/gamesound.wav \
    share/icons/hicolor/16x16/apps/org.brightwicket.Soccer.png \
    share/icons/hicolor/512x512/apps/org.brightwicket.Soccer.png \
    share/metainfo/org.brightwicket.Soccer.metainfo.xml share/man/man6/brightwicket.6 \
    share/doc/brightwicket/README.md share/doc/brightwicket/docs/REPLAY-FORMAT.md; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done
entry="$prefix/share/applications/org.brightwicket.Soccer.desktop"
grep -qx "Exec=$prefix/bin/brightwicket" "$entry" || fail "the desktop entry does not start the launcher"
! command -v desktop-file-validate >/dev/null || desktop-file-validate "$entry" || fail "bad desktop entry"

mkdir "$work/caller" && cd "$work/caller"
printf '2 enter\n' >start.script
"$prefix/bin/brightwicket" --headless --frames 3 --no-render --script start.script --trace out.csv ||
    fail "the launcher did not run the game"
[ "$(wc -l <out.csv)" = 4 ] || fail "the trace did not land in the caller's folder"
# What the game refuses, the launcher passes on untouched for it to refuse.
for args in "--screenshot 5" "--trace --size 4x4" "--script" "--trace ''"; do
    eval "set -- --headless --frames 3 $args"
    "$prefix/bin/brightwicket" "$@" 2>launcher.err && fail "the launcher took $args"
    "$prefix/libexec/brightwicket/brightwicket" "$@" 2>game.err
    cmp -s launcher.err game.err || fail "$args: $(cat launcher.err) is not $(cat game.err)"
done
[ "$(ls)" = "$(printf 'game.err\nlauncher.err\nout.csv\nstart.script')" ] || fail "stray files: $(ls)"
