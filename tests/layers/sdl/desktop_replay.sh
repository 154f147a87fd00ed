#!/usr/bin/env bash
# A session played in a resized window and ended by SIGTERM: its recording
# replays headless, and watched in the window, to the very same trace; so does
# the recording without its close, as a killed session leaves it, watched to
# its end line. A held frame is drawn again over a resized window.
. "$(dirname "$0")/../../support/desktop_session.sh"

cd "$work"
start_xvfb 1600x900
start_game "$BW_BINARY" --windowed --record session.script --trace desktop.csv
geometry "$main" | grep -q ' 1280x720$' || fail "--windowed gave $(geometry "$main")"
wait_until 10 trace_rows desktop.csv 5 || fail "no frames in the trace"
# Resized as a tiling window manager would: the view follows, banner and all.
xdotool windowsize "$main" 960 600
wait_until 10 sh -c "xdotool getwindowgeometry $main | grep -q 960x600" || fail "the window was not resized"
window=$main screen_shows 10 resized banner
play() { xdotool "$@"; sleep 0.15; }
play key Return
# Left is held until the player carries the ball (a busy machine merges its
# repeats), then S shoots, drawing from rand().
play keydown Left
wait_until 15 trace_is desktop.csv ballHolder 1 || fail "the player never reached the ball"
sleep 1 && play keyup Left
play key s
wait_until 10 trace_is desktop.csv ballInFlight 1 || fail "S took no shot"
sleep 1
play key Up Up Down a
play key --delay 40 Right Right p && sleep 1.3
play key p m
await_window '^MENU$' 10 >/dev/null || fail "M showed no MENU window"
# Space works the dialog's OK button, which has the focus: a menu-ok.
play key Return Escape space
wait_until 10 focus_is "$main" || fail "Space did not close the dialog"
# The game learns of the focus when it next reads its events, and then takes
# the modifiers held at that moment: two frames on, it has read them.
frames=$(($(wc -l <desktop.csv) - 1))
wait_until 10 trace_rows desktop.csv $((frames + 2)) || fail "the game stopped after the dialog"
play key shift+s alt+a Down
play key --delay 20 Left Left Left Left
kill -TERM "$game_pid"
ends_within 10 0 "after SIGTERM"
cp session.script "$artifacts/"
recorded session.script enter left a menu-ok escape close
# After the dialog's OK: Shift+S is S and Alt+A nothing (a key held a moment
# too long on a busy machine may repeat).
after_ok=$(sed -n '/ menu-ok$/,$p' session.script)
grep -q '^[0-9]* s$' <<<"$after_ok" && ! grep -q '^[0-9]* a$' <<<"$after_ok" ||
    fail "Shift+S is not S, or Alt+A was not dropped: $(tr '\n' ' ' <<<"$after_ok")"
ends_with_frames session.script desktop.csv
rows=$(($(wc -l <desktop.csv) - 1))
turns=$(awk '/^[0-9]/ {t = $1} END {print t}' session.script)
"$BW_BINARY" --headless --no-render --frames "$turns" --script session.script --trace replay.csv ||
    fail "the recording does not replay"
cmp desktop.csv replay.csv || fail "the replay's trace differs from the desktop run's"
# Watching: Space holds the clock, the right arrow held skims, the last frame
# stays, Escape leaves; none of these keys reaches the game.
start_game "$BW_BINARY" --windowed --watch session.script --trace watch.csv
wait_until 10 trace_rows watch.csv 20 || fail "no frames in the watched trace"
xdotool key space
wait_until 10 still watch.csv || fail "Space did not pause the playback"
paused=$(wc -l <watch.csv)
# Resized while paused: the same picture, over the whole window.
xdotool windowsize "$main" 1400 800
wait_until 10 sh -c "xdotool getwindowgeometry $main | grep -q 1400x800" || fail "the window was not resized"
window=$main screen_shows 10 paused-resized banner sky grass
[ "$(wc -l <watch.csv)" = "$paused" ] || fail "turns ran while the playback was paused"
xdotool key space keydown Right
wait_until 40 trace_rows watch.csv "$(($(wc -l <replay.csv) - 1))" || fail "the watching stopped short"
xdotool keyup Right && sleep 0.5
cmp watch.csv replay.csv || fail "the watched trace differs from the replay's"
kill -0 "$game_pid" || fail "the watching did not stay at the recording's end"
xdotool key Escape
ends_within 10 0 "after Escape ended the watching"

# Without its close the recording ends at its end line: the watch holds there
# with the headless trace, and keeps its picture over a resized window.
grep -v '^[0-9]* close$' session.script >killed.script
start_game "$BW_BINARY" --windowed --watch killed.script --trace killed.csv
xdotool keydown Right
wait_until 40 trace_rows killed.csv "$rows" || fail "the watching stopped short"
xdotool keyup Right
xdotool windowsize "$main" 700 400
wait_until 10 sh -c "xdotool getwindowgeometry $main | grep -q 700x400" || fail "the window was not resized"
window=$main screen_shows 10 ended-resized banner sky grass
cmp killed.csv replay.csv || fail "the watch did not stop at the recording's end line"
kill -0 "$game_pid" || fail "the watching did not stay at the recording's end"
xdotool key Escape
ends_within 10 0 "after Escape ended the watching"

# A recording that begins with Escape holds before its first frame: the
# window shows the pitch all the same, not a black square.
echo '1 escape' >escape.script
start_game "$BW_BINARY" --windowed --watch escape.script --trace escape.csv
window=$main screen_shows 10 first-escape sky grass
[ "$(wc -l <escape.csv)" = 1 ] || fail "a frame ran before the recording's Escape"
xdotool key Escape
ends_within 10 0 "after Escape ended the watching"
