# Shared by the desktop tests: a private Xvfb display, the game started on it,
# waits with deadlines, screenshots and their pixels, and clean-up of
# everything on exit. Expects from CTest: BW_BINARY, BW_BUILD_DIR,
# BW_CURSOR_PROBE and BW_ARTIFACTS (a folder for the screenshots).
set -u
for tool in Xvfb xdotool xwd xwdtopnm pamdepth pamcut ppmhist; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: no $tool (scripts/install-deps --test)"; exit 77; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/bw-desktop.XXXXXX")
artifacts="$BW_ARTIFACTS/$(basename "$0" .sh)"
rm -rf "$artifacts" && mkdir -p "$artifacts"
xvfb_pid="" game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill -TERM "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
    echo "FAIL: $*"
    [ -f "$work/game.err" ] && grep -v '^ALSA lib' "$work/game.err"
    exit 1
}

# start_xvfb WIDTHxHEIGHT [XVFB OPTIONS]: a 24-bit screen with GLX on a
# free display number.
start_xvfb() {
    local size=$1
    shift
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp +extension GLX "$@" 3>"$work/display" >/dev/null 2>&1 &
    xvfb_pid=$!
    wait_until 10 test -s "$work/display" || fail "Xvfb did not start"
    export DISPLAY=":$(head -n 1 "$work/display")"
}

# start_game ARGS...: the game in the background; sets main to its window.
# Under AddressSanitizer the X, D-Bus and GL libraries that SDL loads and
# unloads keep allocations no stack can name: memory errors are still
# caught, leaks are left to the tests that run without a display.
start_game() {
    ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" "$@" >"$work/game.out" 2>"$work/game.err" &
    game_pid=$!
    main=$(wait_until 10 visible_window '^Brightwicket$' && visible_window '^Brightwicket$') ||
        fail "no window named Brightwicket"
    wait_until 2 focus_is "$main" || fail "the game window does not have the keyboard focus"
}

# wait_until SECONDS COMMAND...: polls every 0.1 s.
wait_until() {
    local deadline=$(($(date +%s%N) + $1 * 1000000000))
    shift
    until "$@" >/dev/null 2>&1; do
        [ "$(date +%s%N)" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

visible_window() { xdotool search --onlyvisible --name "$1" | head -n 1 | grep .; }
window_gone() { ! xdotool search --onlyvisible --name "$1"; }
focus_is() { [ "$(xdotool getwindowfocus)" = "$1" ]; }
cursor_is() { [ "$("$BW_CURSOR_PROBE")" = "$1" ]; }
geometry() { xdotool getwindowgeometry "$1" | awk '/Position/ {p = $2} /Geometry/ {print p " " $2}'; }

# trace_is FILE COLUMN VALUE: in the last complete row (the game may be
# writing the next one).
trace_is() {
    [ "$(awk -F, -v col="$2" 'NR == 1 {n = NF; for (i = 1; i <= n; i++) if ($i == col) c = i; next}
                               NF >= n {v = $c} END {print v}' "$1")" = "$3" ]
}
trace_rows() { [ "$(($(wc -l <"$1") - 1))" -ge "$2" ]; }

# exit_within SECONDS: sets game_status, or fails if the game still runs.
exit_within() {
    wait_until "$1" sh -c "! kill -0 $game_pid" || fail "the game did not exit within $1 s"
    game_status=0
    wait "$game_pid" || game_status=$?
    game_pid=""
}

screenshot() {
    xwd -root -silent | xwdtopnm 2>/dev/null | pamdepth 255 | ppmtoppm >"$work/$1.ppm" || fail "no screenshot"
    pnmtopng <"$work/$1.ppm" >"$artifacts/$1.png"
}

# percent PICTURE AREA TEST: the share of the pixels in a pamcut area of a
# screenshot whose red, green and blue ($1, $2, $3) pass an awk test.
percent() {
    pamcut $2 "$work/$1.ppm" | ppmhist -noheader |
        awk "function near(r, g, b, t) { t = 6; return (\$1-r)^2 <= t*t && (\$2-g)^2 <= t*t && (\$3-b)^2 <= t*t }
             {all += \$5} $3 {hit += \$5} END {print int(100 * hit / all)}"
}
rows() { # rows FROM% TO%: a pamcut area of whole rows
    local height=$(($(head -c 40 "$work/$1.ppm" | tr -s ' \n' '  ' | cut -d' ' -f3)))
    echo "-top $((height * $2 / 100)) -height $((height * ($3 - $2) / 100))"
}

# What the renderer draws: the banner along the top, sky, grass below.
expect_picture() { # expect_picture WHAT PICTURE [OTHER]
    local p=$2 top
    top=$(rows "$p" 0 7)
    case $1 in
    banner) [ "$(percent "$p" "$top" 'near(128, 128, 128)')" -gt 50 ] &&
        [ "$(percent "$p" "$top" 'near(0, 0, 0)')" -ge 1 ] || fail "no grey and black banner cells on $p" ;;
    sky) [ "$(percent "$p" "$(rows "$p" 0 40)" 'near(0, 232, 255)')" -ge 2 ] || fail "no sky on $p" ;;
    grass) [ "$(percent "$p" "$(rows "$p" 50 100)" '$2 > $1 + 30 && $2 > $3 + 30')" -gt 50 ] ||
        fail "no grass in the lower half of $p" ;;
    change) pamarith -difference "$work/$p.ppm" "$work/$3.ppm" >"$work/diff.ppm"
        [ "$(percent diff "$(rows "$p" 50 100)" '$1 + $2 + $3 > 24')" -ge 10 ] || fail "$3 looks like $p" ;;
    esac
    echo "seen: $1 on $p"
}
