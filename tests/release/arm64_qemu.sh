#!/usr/bin/env bash
# The arm64 package's game, run by qemu-user against this machine's arm64
# libraries (multiarch), replays the match to the build's trace, byte for byte.
. "$(dirname "$0")/common.sh"

command -v qemu-aarch64 >/dev/null || skip "no qemu-aarch64 (scripts/install-deps --test)"
package=$(deb arm64)
dpkg-deb -x "$package" "$work/root"
game=$work/root/usr/lib/games/brightwicket/brightwicket
file -b "$game" | grep -q 'ARM aarch64' || fail "the arm64 package holds $(file -b "$game")"
[ "$(qemu-aarch64 "$game" --version)" = "brightwicket $(version)" ] || fail "the arm64 game says $(qemu-aarch64 "$game" --version)"
build_trace
(cd "$work" && qemu-aarch64 "$game" --headless --frames 3860 --no-render --script "$match_script" --trace arm64.csv) ||
    fail "the arm64 game did not replay the match"
cmp "$work/build.csv" "$work/arm64.csv" || {
    diff "$work/build.csv" "$work/arm64.csv" | head -n 4
    fail "the arm64 game's trace is not the build's"
}
