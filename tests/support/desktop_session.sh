# Shared by the desktop tests and the Wine smoke test: a private Xvfb display,
# the game on it, waits with deadlines, screenshots and their pixels, clean-up
# on exit. CTest gives BW_BINARY, BW_BUILD_DIR and BW_ARTIFACTS (screenshots).
set -u
work=$(mktemp -d "${TMPDIR:-/tmp}/bw-desktop.XXXXXX")
artifacts=${artifacts:-$BW_ARTIFACTS/$(basename "$0" .sh)}
rm -rf "$artifacts" && mkdir -p "$artifacts"
xvfb_pid="" game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null
    [ -n "${WINEPREFIX:-}" ] && timeout 20 wineserver -k 2>/dev/null
    [ -n "$xvfb_pid" ] && kill -TERM "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

errors() { grep -sv '^ALSA lib' "$work/game.err"; }
fail() { echo "FAIL: $*"; errors; echo "screenshots in $artifacts"; exit 1; }
# says REGEX: the game printed one line and it matches (nothing for '').
says() { if [ -z "$1" ]; then [ -z "$(errors)" ]; else [ "$(errors | wc -l)" = 1 ] && errors | grep -q "$1"; fi; }
told() { says "$1" || fail "the game should say ${1:+one line matching }${1:-nothing}"; }

wait_until() { # wait_until SECONDS COMMAND...: polls every 0.1 s
    local deadline=$(($(date +%s%N) + $1 * 1000000000))
    until "${@:2}" >/dev/null 2>&1; do
        [ "$(date +%s%N)" -lt "$deadline" ] && sleep 0.1 || return 1
    done
}

start_xvfb() { # start_xvfb WIDTHxHEIGHT [XVFB OPTIONS]: 24-bit, with GLX, on a free display
    for tool in ${xvfb_tools:-Xvfb xdotool xwd xwdtopnm pamdepth pamcut ppmhist}; do
        command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: no $tool (scripts/install-deps --test)"; exit 77; }
    done
    Xvfb -displayfd 3 -noreset -screen 0 "$1x24" -nolisten tcp +extension GLX "${@:2}" 3>"$work/display" >/dev/null 2>&1 &
    xvfb_pid=$!
    wait_until 30 test -s "$work/display" || fail "Xvfb did not start"
    export DISPLAY=":$(head -n 1 "$work/display")"
}

# Under AddressSanitizer the X, D-Bus and GL libraries that SDL loads keep
# allocations no stack can name: leaks are left to the tests without a display.
run_game() {
    ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" "$@" >"$work/game.out" 2>"$work/game.err" &
    game_pid=$!
}
start_game() { # start_game ARGS...: the game, its window (main) up within $window_wait s and focused
    run_game "$@"
    main=$(await_window '^Brightwicket$' "${window_wait:-20}") || fail "no window named Brightwicket"
    wait_until 10 focus_is "$main" || fail "the game window does not have the keyboard focus"
}
ends_within() { # ends_within SECONDS STATUS WHY [LINE]: having said only LINE, if given
    local status=0
    wait_until "$1" sh -c "! kill -0 $game_pid" || fail "the game did not exit within $1 s $3"
    wait "$game_pid" || status=$?
    game_pid=""
    [ "$status" = "$2" ] || fail "exit status $status $3"
    [ $# = 3 ] || told "$4"
}
install_game() {
    prefix=$work/prefix
    cmake --install "$BW_BUILD_DIR" --prefix "$prefix" >"$work/install.log" 2>&1 || fail "cmake --install"
}

# x11 class WINDOW | cursor: a window's class, or whether the cursor drawn now
# has a pixel that can be seen ("shown" or "hidden").
x11() {
    python3 - "$@" <<'PY'
import ctypes as c, sys
x, xfixes = c.cdll.LoadLibrary("libX11.so.6"), c.cdll.LoadLibrary("libXfixes.so.3")
x.XOpenDisplay.restype = c.c_void_p
d = c.c_void_p(x.XOpenDisplay(None))
if sys.argv[1] == "class":
    hint = (c.c_char_p * 2)()
    x.XGetClassHint(d, c.c_ulong(int(sys.argv[2])), hint) and print(hint[1].decode())
else:
    class Image(c.Structure):  # XFixesCursorImage, as far as the pixels
        _fields_ = [("xy", c.c_short * 2), ("w", c.c_ushort), ("h", c.c_ushort), ("hot", c.c_ushort * 2),
                    ("serial", c.c_ulong), ("pixels", c.POINTER(c.c_ulong))]
    xfixes.XFixesGetCursorImage.restype = c.POINTER(Image)
    image = xfixes.XFixesGetCursorImage(d).contents
    print("shown" if any(image.pixels[i] >> 24 for i in range(image.w * image.h)) else "hidden")
x.XCloseDisplay(d)
PY
}
visible_window() { xdotool search --onlyvisible --name "$1" | head -n 1 | grep .; }
await_window() { wait_until "$2" visible_window "$1" && visible_window "$1"; }
window_gone() { ! xdotool search --onlyvisible --name "$1"; }
focus_is() { [ "$(xdotool getwindowfocus)" = "$1" ]; }
cursor_is() { [ "$(x11 cursor)" = "$1" ]; }
geometry() { xdotool getwindowgeometry "$1" | awk '/Position/ {p = $2} /Geometry/ {print p " " $2}'; }
covers_screen() { [ "$(geometry "$main")" = "0,0 $1" ] || fail "the window ($(geometry "$main")) does not cover it"; }

# column TRACE NAME: that column of the complete rows (the game may be
# writing the next one).
column() { awk -F, -v c="$2" 'NR == 1 {n = NF; for (i = 1; i <= n; i++) if ($i == c) k = i; next} NF >= n {print $k}' "$1"; }
trace_is() { [ "$(column "$1" "$2" | tail -n 1)" = "$3" ]; }
trace_rows() { [ "$(($(wc -l <"$1") - 1))" -ge "$2" ]; }
# recorded SCRIPT EVENT...: the recording holds each of those events.
recorded() {
    local event
    for event in "${@:2}"; do grep -q "^[0-9]* $event\$" "$1" || fail "no '$event' in $1"; done
}
# ends_with_frames SCRIPT TRACE: the recording's end line names the frames of the trace.
ends_with_frames() {
    local frames=$(($(wc -l <"$2") - 1))
    [ "$(tail -n 1 "$1")" = "# ended in turn $frames: replay with --frames $frames" ] ||
        fail "$1 ends '$(tail -n 1 "$1")', not with the $frames frames of $2"
}
# still TRACE: no row came for half a second (the game holds, or is held).
still() { local rows=$(wc -l <"$1"); sleep 0.5; [ "$(wc -l <"$1")" = "$rows" ]; }
start_match() { xdotool key Return; wait_until 10 trace_is "$1" matchPhase 2 || fail "Enter did not start the match"; }

shot() { # shot NAME [LEFT TOP WIDTH HEIGHT]: the screen, that part of it, or the part the window $window covers
    local area=("${@:2}")
    [ $# = 1 ] && [ -n "${window:-}" ] && read -ra area < <(geometry "$window" | tr ',x' '  ')
    xwd -root -silent | xwdtopnm 2>/dev/null | pamdepth 255 | ppmtoppm |
        pamcut ${area[0]:+-left ${area[0]} -top ${area[1]} -width ${area[2]} -height ${area[3]}} >"$work/$1.ppm" &&
        pnmtopng <"$work/$1.ppm" >"$artifacts/$1.png"
}
# percent PICTURE FROM% TO% TEST [PER]: the share (per 100, or PER) of the
# pixels in those rows whose red, green and blue ($1, $2, $3) pass an awk test.
percent() {
    local height=$(head -c 40 "$work/$1.ppm" | tr -s ' \n' '  ' | cut -d' ' -f3)
    pamcut -top $((height * $2 / 100)) -height $((height * ($3 - $2) / 100)) "$work/$1.ppm" | ppmhist -noheader |
        awk "function near(r, g, b, t) { t = 6; return (\$1-r)^2 <= t*t && (\$2-g)^2 <= t*t && (\$3-b)^2 <= t*t }
             {all += \$5} $4 {hit += \$5} END {print int(${5:-100} * hit / all)}"
}
# looks PICTURE WHAT...: what the renderer draws, the banner along the top,
# sky, grass below, red shirts (or none), a change from another picture, or
# a dialog's light face with dark text.
looks() {
    local p=$1 what
    for what in "${@:2}"; do
        case $what in
        banner) [ "$(percent "$p" 0 7 'near(128, 128, 128)')" -gt 50 ] && [ "$(percent "$p" 0 7 'near(0, 0, 0)')" -ge 3 ] ;;
        sky) [ "$(percent "$p" 0 40 'near(0, 232, 255)')" -ge 2 ] ;;
        grass) [ "$(percent "$p" 50 100 '$2 > $1 + 30 && $2 > $3 + 30')" -gt 50 ] ;;
        shirts) [ "$(percent "$p" 0 100 'near(205, 23, 17)' 1000000)" -ge 20 ] ;;
        no-shirts) [ "$(percent "$p" 0 100 'near(205, 23, 17)' 1000000)" = 0 ] ;;
        dialog) [ "$(percent "$p" 0 100 'near(240, 240, 240)')" -gt 70 ] &&
            [ "$(percent "$p" 0 100 '$1 + $2 + $3 < 240')" -ge 1 ] ;;
        unlike:*) pamarith -difference "$work/$p.ppm" "$work/${what#*:}.ppm" >"$work/diff.ppm" &&
            [ "$(percent diff 50 100 '$1 + $2 + $3 > 24')" -ge 10 ] ;;
        esac || { echo "$p: not $what"; return 1; }
    done
}
# screen_shows SECONDS NAME WHAT...: a screenshot looks so within that time.
screen_shows() { wait_until "$1" glance "${@:2}" || fail "$(looks "${@:2}")"; }
glance() { shot "$1" && looks "$@"; }
