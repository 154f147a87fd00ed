#!/usr/bin/env bash
# cmake --install lays the game out where a Linux desktop finds it, and the
# launcher keeps the caller's file names meaning the caller's files. Before
# that, the set-up on a machine that has none of the packages: the dry run
# lists them, and without root or sudo one line says what to do.
set -u
fail() { echo "FAIL: $*"; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/bw-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"

deps="$(dirname "$0")/../../../scripts/install-deps"
mkdir "$work/bin" && ln -s "$(command -v grep)" "$work/bin/grep"
printf '#!/bin/sh\nexit 1\n' >"$work/bin/dpkg-query"
printf '#!/bin/sh\necho 1000\n' >"$work/bin/id"
printf '#!/bin/sh\ntouch "%s/apt-ran"\n' "$work" >"$work/bin/apt-get"
chmod +x "$work/bin/"*
list=$(PATH="$work/bin" /bin/sh "$deps" --dry-run --test) || fail "install-deps --dry-run --test"
for package in cmake libsdl2-dev libgtest-dev clang xvfb xdotool wine; do
    echo "$list" | tr ' ' '\n' | grep -qx "$package" || fail "the dry run does not list $package: $list"
done
PATH="$work/bin" /bin/sh "$deps" >/dev/null 2>"$work/deps.err" && fail "install-deps without root or sudo succeeded"
[ "$(wc -l <"$work/deps.err")" = 1 ] && grep -q 'as root, or install sudo$' "$work/deps.err" && [ ! -e "$work/apt-ran" ] ||
    fail "without root or sudo: $(cat "$work/deps.err")"

cmake --install "$BW_BUILD_DIR" --prefix "$prefix" >/dev/null || fail "cmake --install"
for file in libexec/brightwicket/brightwicket share/brightwicket/gamesound.wav \
    share/icons/hicolor/16x16/apps/brightwicket.png share/icons/hicolor/256x256/apps/brightwicket.png \
    share/doc/brightwicket/README.md share/doc/brightwicket/docs/REPLAY-FORMAT.md; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done
entry="$prefix/share/applications/brightwicket.desktop"
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
echo "desktop install: ok"
