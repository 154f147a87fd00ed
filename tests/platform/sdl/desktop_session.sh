# Shared by the desktop tests: a private Xvfb display, the game started on it,
# waits with deadlines, screenshots, and clean-up of everything on exit.
# Sourced by bash scripts. Expects from CTest: BW_BINARY, BW_BUILD_DIR,
# BW_PICTURE_CHECK, BW_CURSOR_PROBE and BW_ARTIFACTS (a folder for pictures).

set -u
skip_code=77

for tool in Xvfb xdotool xwd xwdtopnm pnmtopng; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (scripts/install-deps --test installs it)"
        exit $skip_code
    fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/bw-desktop.XXXXXX")
artifacts="$BW_ARTIFACTS/$(basename "$0" .sh)"
rm -rf "$artifacts"
mkdir -p "$artifacts"
xvfb_pid=""
game_pid=""

cleanup() {
    [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill -TERM "$xvfb_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
    echo "FAIL: $*"
    [ -f "$work/game.err" ] && { echo "--- game stderr:"; grep -v '^ALSA lib' "$work/game.err"; }
    exit 1
}

# start_xvfb WIDTHxHEIGHT: a 24-bit screen with GLX on a free display number.
start_xvfb() {
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp +extension GLX >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    local i
    for i in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    export DISPLAY=":$(head -n 1 "$work/display")"
}

# start_game PROGRAM ARGS...: in the background, output kept in $work.
start_game() {
    "$@" >"$work/game.out" 2>"$work/game.err" &
    game_pid=$!
}

# wait_until SECONDS COMMAND...: polls every 0.1 s.
wait_until() {
    local deadline=$(( $(date +%s%N) + $1 * 1000000000 ))
    shift
    while ! "$@" >/dev/null 2>&1; do
        [ "$(date +%s%N)" -lt "$deadline" ] || return 1
        kill -0 "$game_pid" 2>/dev/null || [ -z "$game_pid" ] || return 1
        sleep 0.1
    done
}

visible_window() { xdotool search --onlyvisible --name "$1" | head -n 1 | grep .; }
window_gone() { ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
focus_is() { [ "$(xdotool getwindowfocus)" = "$1" ]; }
cursor_is() { [ "$("$BW_CURSOR_PROBE")" = "$1" ]; }

# window_geometry ID: "X,Y WxH"
window_geometry() {
    xdotool getwindowgeometry "$1" | awk '/Position/ {p=$2} /Geometry/ {g=$2} END {print p " " g}'
}

# trace_value FILE COLUMN: the column in the last complete row of a trace
# (the game may be writing the next one).
trace_value() {
    awk -F, -v col="$2" 'NR == 1 {n = NF; for (i = 1; i <= NF; i++) if ($i == col) c = i; next}
                         NF >= n {last = $c} END {print last}' "$1"
}
trace_is() { [ "$(trace_value "$1" "$2")" = "$3" ]; }
trace_rows_at_least() { [ "$(($(wc -l <"$1") - 1))" -ge "$2" ]; }

screenshot() {
    xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >"$artifacts/$1.png" || fail "no screenshot"
    echo "screenshot: $artifacts/$1.png"
}

# Picture checks need the renderer; a build without it says so when asked
# for a headless screenshot, and those checks wait for it.
renderer_present() {
    local out
    out=$("$BW_BINARY" --headless --frames 1 --size 64x36 --screenshot "1:$work/probe.png" 2>&1)
    case $out in
    *"cannot do yet"* | *"cannot draw yet"*) return 1 ;;
    esac
    return 0
}

check_picture() {
    if [ "$have_renderer" = yes ]; then
        "$BW_PICTURE_CHECK" "$@" || fail "picture check $1 on $2"
    else
        echo "awaiting the renderer: picture check $1 on $(basename "$2")"
    fi
}

have_renderer=no
renderer_present && have_renderer=yes

# exit_within SECONDS: sets game_status to the game's exit status; fails if
# the game is still running by then.
exit_within() {
    wait_until "$1" sh -c "! kill -0 $game_pid" || fail "the game did not exit within $1 s"
    game_status=0
    wait "$game_pid" || game_status=$?
    game_pid=""
}
