# Sourced by the Wine tests (wine_smoke.sh BUILD_DIR LINUX_PROGRAM, wine_replay.sh the same):
# the Wine prefix (made once, in BUILD_DIR/wine-prefix), a virtual screen, a folder with the
# Windows program and its music, and helpers. Screenshots and logs go to BUILD_DIR/<test name>.
build=$(cd "$1" && pwd) linux=$(realpath "$2") artifacts=$build/$(basename "$0" .sh)
tests=$(cd "$(dirname "$0")/../.." && pwd)
export WINEPREFIX="$build/wine-prefix" WINEDEBUG=-all
# No Mono or Gecko installers: there is no network, and nothing needs them.
export WINEDLLOVERRIDES="mscoree=;mshtml="
. "$(dirname "$0")/../../support/desktop_session.sh"

# The prefix first, once and serially. Without a window manager Wine must place and focus its
# windows itself ("Managed" off); otherwise it waits for one at every window it hides.
if [ ! -f "$WINEPREFIX/.bw-ready" ]; then
    rm -rf "$WINEPREFIX"
    echo "$(basename "$0" .sh): making the Wine prefix"
    { timeout 300 env -u DISPLAY wineboot --init && timeout 120 wineserver -w &&
        timeout 60 env -u DISPLAY wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f &&
        timeout 60 wineserver -w; } >"$artifacts/wineboot.log" 2>&1 || fail "making the Wine prefix"
    touch "$WINEPREFIX/.bw-ready"
fi
[ -x "$linux" ] || fail "no Linux program at $2"

start_xvfb 1600x900
probe() { timeout 30 wine "$build/bw_wine_probe.exe" "$@" >"$work/probe.txt" 2>>"$artifacts/probe.log"; }
# The game plays gamesound.wav from its working directory.
mkdir "$work/run" && cp "$build/brightwicket.exe" "$build/gamesound.wav" "$work/run/" && cd "$work/run" ||
    fail "no program in $build"

# windows ARGS...: the program run to its end from a console, its output in $work/game.out and
# game.err, its status in $status.
windows() { status=0; timeout 60 wine brightwicket.exe "$@" >"$work/game.out" 2>"$work/game.err" || status=$?; }
# linux_replay SCRIPT TRACE: the Linux headless runner replays a recording to its end line.
linux_replay() {
    local turns=$(sed -n 's/^# ended in turn \([0-9]*\):.*/\1/p' "$1")
    [ -n "$turns" ] || fail "$1 has no end line"
    "$linux" --headless --no-render --frames "$turns" --script "$1" --trace "$2" || fail "$1 does not replay on Linux"
}
# await_end SECONDS: the game of run_game ended with status 0, having said nothing.
await_end() { ends_within "$1" 0 "${2:-}" ""; }
keys() { xdotool key --delay 60 "$@"; }
# start_windows ARGS...: the program, its window (main) up and focused; Wine is slow to start.
window_wait=30
start_windows() { start_game wine brightwicket.exe "$@"; }
# client_shows SECONDS NAME WHAT...: the game window's client area looks so within that time
# (see looks); a picture of it goes to NAME.png.
client_glance() {
    local size x y
    probe client && read -r size x y <"$work/probe.txt" && shot "$1" "$x" "$y" "${size%x*}" "${size#*x}" && looks "$@"
}
client_shows() { wait_until "$1" client_glance "${@:2}" || fail "$(looks "${@:2}")"; }
