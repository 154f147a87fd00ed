#!/usr/bin/env bash
# wine_smoke.sh BUILD_DIR (the windows preset's): the Windows program under Wine on a virtual
# screen (README: The Wine smoke test). Screenshots and logs go to BUILD_DIR/wine-smoke, the
# Wine prefix (made once) to BUILD_DIR/wine-prefix.
build=$(cd "$1" && pwd) artifacts=$build/wine-smoke
export WINEPREFIX="$build/wine-prefix" WINEDEBUG=-all
# No Mono or Gecko installers: there is no network, and nothing needs them.
export WINEDLLOVERRIDES="mscoree=;mshtml="
. "$(dirname "$0")/../../support/desktop_session.sh"

# The prefix first, once and serially. Without a window manager Wine must place and focus its
# windows itself ("Managed" off); otherwise it waits for one at every window it hides.
if [ ! -f "$WINEPREFIX/.bw-ready" ]; then
    rm -rf "$WINEPREFIX"
    echo "wine smoke: making the Wine prefix"
    { timeout 300 env -u DISPLAY wineboot --init && timeout 120 wineserver -w &&
        timeout 60 env -u DISPLAY wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f &&
        timeout 60 wineserver -w; } >"$artifacts/wineboot.log" 2>&1 || fail "making the Wine prefix"
    touch "$WINEPREFIX/.bw-ready"
fi

start_xvfb 1280x720
probe() { timeout 30 wine "$build/bw_wine_probe.exe" "$@" >"$work/probe.txt" 2>>"$artifacts/probe.log"; }
# The game plays gamesound.wav from its working directory.
mkdir "$work/run" && cp "$build/brightwicket.exe" "$build/gamesound.wav" "$work/run/" && cd "$work/run" ||
    fail "no program in $build"
probe icons brightwicket.exe || fail "icons: $(cat "$work/probe.txt")"
echo "wine smoke: icons ok: $(tr '\n' ' ' <"$work/probe.txt")"

run_game wine brightwicket.exe
main=$(await_window '^Brightwicket$' 30) || fail "no window named Brightwicket"
covers_screen 1280x720
screen_shows 30 title sky banner no-shirts
xdotool mousemove 640 360 windowfocus "$main" key Return
screen_shows 10 match shirts

xdotool key m
wait_until 10 probe menu || fail "M did not show MENU with the game's texts: $(cat "$work/probe.txt")"
menu=$(visible_window '^MENU$') || fail "no visible X window titled MENU"
shot menu && xwd -id "$menu" -silent | xwdtopnm 2>/dev/null | pnmtopng >"$artifacts/menu-window.png"
read -r _ x y <"$work/probe.txt"
xdotool mousemove "$x" "$y" click 1
wait_until 10 window_gone '^MENU$' || fail "OK did not close the MENU window"
sleep 0.5  # the next frame gives the game window the keyboard back
xdotool key Escape
ends_within 5 0 "after Escape"
echo "wine smoke: ok"
