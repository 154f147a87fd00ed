#!/usr/bin/env bash
# cmake --install lays out the game where a Linux desktop finds it, and the
# launcher runs it from the music's folder while file names given to it keep
# meaning the caller's files.
set -u
fail() { echo "FAIL: $*"; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/bw-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"

cmake --install "$BW_BUILD_DIR" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    fail "cmake --install: $(cat "$work/install.log")"
for file in bin/brightwicket libexec/brightwicket/brightwicket share/brightwicket/gamesound.wav \
    share/applications/brightwicket.desktop share/icons/hicolor/16x16/apps/brightwicket.png \
    share/icons/hicolor/48x48/apps/brightwicket.png share/icons/hicolor/256x256/apps/brightwicket.png; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done
[ -x "$prefix/bin/brightwicket" ] || fail "the launcher cannot be run"
grep -qx "Exec=$prefix/bin/brightwicket" "$prefix/share/applications/brightwicket.desktop" ||
    fail "the desktop entry does not start the installed launcher"
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$prefix/share/applications/brightwicket.desktop" || fail "bad desktop entry"
fi

# Relative file names are the caller's; "-" stays standard output.
mkdir "$work/caller"
cd "$work/caller"
printf '2 enter\n' >start.script
"$prefix/bin/brightwicket" --headless --frames 3 --no-render --script start.script --trace out.csv ||
    fail "the launcher did not run the game"
[ "$(wc -l <out.csv)" = 4 ] || fail "the trace did not land in the caller's folder"
[ "$("$prefix/bin/brightwicket" --headless --frames 2 --no-render --trace - | wc -l)" = 3 ] ||
    fail "--trace - did not write to standard output"
echo "desktop install: ok"
