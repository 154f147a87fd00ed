#!/usr/bin/env bash
# cmake --install lays the game out where a Linux desktop finds it, and the
# launcher keeps the caller's file names meaning the caller's files.
set -u
fail() { echo "FAIL: $*"; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/bw-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
cmake --install "$BW_BUILD_DIR" --prefix "$prefix" >/dev/null || fail "cmake --install"
for file in libexec/brightwicket/brightwicket share/brightwicket/gamesound.wav \
    share/icons/hicolor/16x16/apps/brightwicket.png share/icons/hicolor/256x256/apps/brightwicket.png; do
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
