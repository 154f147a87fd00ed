#!/usr/bin/env bash
# A session played by hand (xdotool here) with --record and --trace replays
# headless to the very same trace.
. "$(dirname "$0")/desktop_session.sh"

cd "$work"
start_xvfb 1280x720
start_game "$BW_BINARY" --record session.script --trace desktop.csv
main=$(wait_until 10 visible_window '^Brightwicket$' && visible_window '^Brightwicket$') ||
    fail "no window named Brightwicket"
wait_until 2 focus_is "$main" || fail "the game window does not have the keyboard focus"
wait_until 5 trace_rows_at_least desktop.csv 5 || fail "no frames in the trace"

play() { xdotool "$@"; sleep 0.15; }
play key Return
play keydown Left; sleep 0.8; play keyup Left
play key Up Up Down
play key a
play key --delay 40 s Right Right
play key p
sleep 1.3
play key p
play key m
menu=$(wait_until 3 visible_window '^MENU$' && visible_window '^MENU$') || fail "M showed no MENU window"
play key Return Escape
read -r menu_x menu_y menu_w menu_h < <(window_geometry "$menu" | tr ',x' '  ')
play mousemove $((menu_x + menu_w / 2)) $((menu_y + menu_h * 403 / 442)) click 1
wait_until 3 window_gone '^MENU$' || fail "OK did not close the dialog"
wait_until 2 focus_is "$main" || fail "the game window did not get the focus back"
play key shift+s Down
play key alt+a
play key --delay 20 Left Left Left Left Left Left
sleep 0.5
play key Escape
exit_within 2
[ "$game_status" = 0 ] || fail "exit status $game_status after Escape"
cp session.script "$artifacts/"

for event in enter left menu-ok escape; do
    grep -q "^[0-9]* $event\$" session.script || fail "no '$event' in the recording"
done
grep -q '^[0-9]* a$' session.script || fail "A was not recorded"
[ "$(grep -c '^[0-9]* s$' session.script)" -ge 2 ] || fail "Shift+S is not S"
turns=$(awk '/^[0-9]/ {t = $1} END {print t}' session.script)
"$BW_BINARY" --headless --no-render --frames "$turns" --script session.script --trace replay.csv ||
    fail "the recording does not replay"
cmp desktop.csv replay.csv || {
    diff desktop.csv replay.csv | head -n 6
    fail "the replay's trace differs from the desktop run's"
}
echo "desktop replay: ok ($(($(wc -l <replay.csv) - 1)) frames)"
