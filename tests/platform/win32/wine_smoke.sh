#!/bin/sh
# Plays the Windows program under Wine on a virtual X screen, as a person
# would, and checks what they would see:
#   the window covers the screen; the title shows the sky, the grey banner and
#   its black text cells; Enter brings the match view; M opens the MENU
#   window with the game's two texts; its OK button closes it; Escape ends the
#   program with status 0 within a few seconds. Before it starts, both of its
#   icon groups must hold the nine sizes in 8-bit and 32-bit colour, and the
#   About dialog's compiled icon control its size of 21 x 20.
#
#   wine_smoke.sh BUILD_DIR   (the windows preset's build: exe, probe, music)
#
# Screenshots and logs go to BUILD_DIR/wine-smoke. The Wine prefix lives in
# BUILD_DIR/wine-prefix and is made once. Every step has a time limit, and
# the X server and wineserver are ended on the way out.
set -eu

build=$(cd "$1" && pwd)
out=$build/wine-smoke
width=1280
height=720

export WINEPREFIX="$build/wine-prefix"
export WINEDEBUG=-all
# No Mono or Gecko installers: there is no network, and nothing needs them.
export WINEDLLOVERRIDES="mscoree=;mshtml="

rm -rf "$out"
mkdir -p "$out/run"
cp "$build/brightwicket.exe" "$build/gamesound.wav" "$out/run/"

xvfb_pid=""
cleanup() {
    timeout 20 wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
    echo "wine smoke: FAIL: $*"
    echo "wine smoke: screenshots and logs in $out"
    exit 1
}

# Within $1 tenths of a second, until the command after it succeeds.
wait_for() {
    tenths=$1
    shift
    while ! "$@"; do
        tenths=$((tenths - 1))
        [ "$tenths" -gt 0 ] || return 1
        sleep 0.1
    done
}

# The prefix first, once and serially. Without a window manager Wine must
# place and focus its windows itself ("Managed" off); otherwise it waits for
# one at every window it hides.
if [ ! -f "$WINEPREFIX/.bw-ready" ]; then
    rm -rf "$WINEPREFIX"
    echo "wine smoke: making the Wine prefix"
    timeout 300 env -u DISPLAY wineboot --init >"$out/wineboot.log" 2>&1 || fail "wineboot --init"
    timeout 120 wineserver -w || fail "wineserver -w after wineboot"
    timeout 60 env -u DISPLAY wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
        >>"$out/wineboot.log" 2>&1 || fail "wine reg add"
    timeout 60 wineserver -w || fail "wineserver -w after reg add"
    touch "$WINEPREFIX/.bw-ready"
fi

# A 24-bit virtual screen with GLX; Xvfb picks a free display number itself.
Xvfb -displayfd 9 -screen 0 "${width}x${height}x24" +extension GLX -nolisten tcp \
    9>"$out/display" 2>"$out/xvfb.log" &
xvfb_pid=$!
has_display() { [ -s "$out/display" ]; }
wait_for 100 has_display || fail "Xvfb did not start"
DISPLAY=:$(cat "$out/display")
export DISPLAY

# The probe's line, without Windows line ends; its status is the probe's.
probe() {
    probe_status=0
    timeout 30 wine "$build/bw_wine_probe.exe" "$@" >"$out/probe.out" 2>>"$out/probe.log" ||
        probe_status=$?
    tr -d '\r' <"$out/probe.out"
    return $probe_status
}

screenshot() {
    timeout 30 xwd -root -silent | xwdtopnm 2>/dev/null >"$out/$1.ppm"
    pnmtopng <"$out/$1.ppm" >"$out/$1.png"
}

# Pixels of colour R G B in the rectangle LEFT TOP WIDTH HEIGHT of a
# screenshot.
count() {
    pamcut -left "$2" -top "$3" -width "$4" -height "$5" "$out/$1.ppm" | ppmhist -noheader |
        awk -v r="$6" -v g="$7" -v b="$8" '$1 == r && $2 == g && $3 == b { n += $5 } END { print n + 0 }'
}

banner_rows=40  # the banner's ten rows of cells fill the top 50 of 720 rows
shirts() { count "$1" 0 0 $width $height 205 23 17; }
sky_shows() { screenshot title && [ "$(count title 0 60 $width 140 0 232 255)" -gt $((width * 100)) ]; }

# The game plays gamesound.wav from its working directory.
cd "$out/run"
probe icons brightwicket.exe >"$out/icons.txt" || fail "icons: $(cat "$out/icons.txt")"
echo "wine smoke: ok: both icon groups hold nine sizes in 8-bit and 32-bit colour, all decodable;" \
    "the About icon is 21 x 20"

(
    status=0
    timeout 120 wine brightwicket.exe >"$out/game.log" 2>&1 || status=$?
    echo "$status" >"$out/status"
) &

window_up() { probe window >"$out/window.txt" && grep -q '^window' "$out/window.txt"; }
wait_for 300 window_up || fail "no main window: $(cat "$out/window.txt")"
[ "$(cat "$out/window.txt")" = "window 0 0 $width $height screen $width $height" ] ||
    fail "the window does not cover the screen: $(cat "$out/window.txt")"
echo "wine smoke: ok: $(cat "$out/window.txt")"

wait_for 300 sky_shows || fail "no sky in the title view"
grey=$(($(count title 0 0 $width $banner_rows 127 127 127) + $(count title 0 0 $width $banner_rows 128 128 128)))
black=$(count title 0 0 $width $banner_rows 0 0 0)
[ "$grey" -gt $((width * banner_rows / 2)) ] || fail "banner grey: only $grey pixels"
[ "$black" -gt 2000 ] || fail "title text: only $black black banner pixels"
[ "$(shirts title)" -eq 0 ] || fail "red shirts on the title view"
echo "wine smoke: ok: title view with sky, grey banner ($grey px) and black text cells ($black px)"

game_window=$(timeout 10 xdotool search --name '^Brightwicket$' | head -n 1)
[ -n "$game_window" ] || fail "no X window for the game"
timeout 10 xdotool mousemove $((width / 2)) $((height / 2)) windowfocus "$game_window" key Return
match_shows() { screenshot match && [ "$(shirts match)" -gt 20 ]; }
wait_for 100 match_shows || fail "Enter did not bring the match view"
echo "wine smoke: ok: Enter shows the match view ($(shirts match) shirt pixels)"

timeout 10 xdotool key m
menu_shown() { probe menu >"$out/menu.txt"; grep -q '^menu shown' "$out/menu.txt"; }
wait_for 100 menu_shown || fail "M did not show the MENU window: $(cat "$out/menu.txt")"
grep -q '^menu shown texts match' "$out/menu.txt" || fail "MENU texts: $(cat "$out/menu.txt")"
menu_window=$(timeout 10 xdotool search --onlyvisible --name '^MENU$' | head -n 1)
[ -n "$menu_window" ] || fail "no visible X window titled MENU"
screenshot menu
timeout 30 xwd -id "$menu_window" -silent | xwdtopnm 2>/dev/null | pnmtopng >"$out/menu-window.png"
echo "wine smoke: ok: M shows MENU with the description and the key help"

# shellcheck disable=SC2046
set -- $(cat "$out/menu.txt")
timeout 10 xdotool mousemove "$6" "$7" click 1
menu_hidden() { probe menu >"$out/menu.txt"; grep -q '^menu hidden' "$out/menu.txt"; }
wait_for 100 menu_hidden || fail "OK did not close the MENU window: $(cat "$out/menu.txt")"
echo "wine smoke: ok: OK closes the MENU window"

# The next frame gives the game window the keyboard back.
sleep 0.5
timeout 10 xdotool key Escape
game_ended() { [ -s "$out/status" ]; }
wait_for 50 game_ended || fail "Escape did not end the program within 5 seconds"
status=$(cat "$out/status")
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "wine smoke: ok: Escape ends the program with status 0"
echo "wine smoke: 7 passed, 0 failed"
