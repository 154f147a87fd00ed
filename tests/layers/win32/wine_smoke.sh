#!/usr/bin/env bash
# wine_smoke.sh BUILD_DIR LINUX_PROGRAM: the Windows program (the windows preset's build) under
# Wine on a virtual screen: its command line, the full-screen game and the MENU dialog, a
# windowed session recorded and traced, the Escape after a key flood, watching a recording
# made on Linux, a scripted pad, and the recording ended by Alt+F4 and by the end of the
# session. Traces are compared byte for byte with the Linux program's (in sessions that stay on
# the title; wine_replay.sh plays a match). docs/windows.md: Tests.
. "$(dirname "$0")/wine_session.sh"

# The command line: answers on the console it was started from, one-line refusals.
windows --help
[ "$status" = 0 ] && grep -q '^Usage:' "$work/game.out" || fail "--help: status $status"
windows --version
[ "$status" = 0 ] && [ "$(cat "$work/game.out")" = "$("$linux" --version)" ] || fail "--version: status $status, said $(cat "$work/game.out")"
refused() { windows "${@:2}"; [ "$status" = 2 ] || fail "${*:2} gave status $status"; told "$1"; }
refused "^brightwicket: unknown option '--bogus'" --windowed --bogus
refused "same file" --record same.txt --trace ./same.txt
[ ! -e same.txt ] || fail "the refused --record and --trace on one file made it"
: >script.txt
refused "are the same file" --watch script.txt --trace script.txt
[ ! -s script.txt ] || fail "the refused --trace wrote over the watched file"
ln script.txt linked.txt
refused "are the same file" --watch script.txt --trace linked.txt
echo "wine smoke: the command line ok"

# Headless, with a name no code page holds: the trace of a title session is Linux's.
printf '5 z\n20 m\n40 menu-ok\n50 up\n70 z\n90 p\n' >title.script
windows --headless --frames 100 --no-render --script title.script --trace 'trace-ü€😀.csv'
[ "$status" = 0 ] || fail "the headless run ended with status $status"
"$linux" --headless --no-render --frames 100 --script title.script --trace linux-title.csv
cmp 'trace-ü€😀.csv' linux-title.csv || fail "the headless trace differs from Linux's"
windows --headless --frames 3 --trace -
[ "$status" = 0 ] && [ "$(wc -l <"$work/game.out")" = 4 ] || fail "--trace - wrote no trace on standard output"
echo "wine smoke: headless ok"

probe icons brightwicket.exe || fail "icons: $(cat "$work/probe.txt")"
echo "wine smoke: icons ok: $(tr '\n' ' ' <"$work/probe.txt")"

# The full-screen game with no options, as it always was.
run_game wine brightwicket.exe
main=$(await_window '^Brightwicket$' 30) || fail "no window named Brightwicket"
covers_screen 1600x900
screen_shows 30 title sky banner no-shirts
xdotool mousemove 800 450 windowfocus "$main" key Return
screen_shows 10 match shirts
# menu_round [TRACE]: M shows the dialog and its OK closes it; with a trace, 20 frames pass
# after that, time enough for the desktop to have handed the keyboard on.
menu_round() {
    xdotool key m
    wait_until 10 probe menu || fail "M did not show MENU: $(cat "$work/probe.txt")"
    [ -e "$artifacts/menu-window.png" ] || { menu=$(visible_window '^MENU$') && shot menu &&
        xwd -id "$menu" -silent | xwdtopnm 2>/dev/null | pnmtopng >"$artifacts/menu-window.png"; }
    read -r _ x y <"$work/probe.txt"
    xdotool mousemove "$x" "$y" click 1
    wait_until 10 window_gone '^MENU$' || fail "OK did not close the MENU window"
    [ $# = 0 ] || wait_until 20 trace_rows "$1" $(($(wc -l <"$1") + 20)) || fail "the game stopped after MENU"
}
menu_round
wait_until 10 focus_is "$main" || fail "the game window did not get the keyboard back"
xdotool key Escape
ends_within 20 0 "after Escape"
# The keyboard comes back every time the dialog closes, the first time in a game too (under
# Wine the desktop sometimes handed it to no window): the next M shows the dialog again, and
# Escape ends the game.
for game in 1 2; do
    start_windows --trace full.csv
    wait_until 20 trace_rows full.csv 5 || fail "no frames in the trace"
    keys Return
    menu_round full.csv
    menu_round full.csv
    xdotool key Escape
    ends_within 20 0 "after Escape (game $game)"
done
echo "wine smoke: full screen and MENU ok"

# A windowed session on the title, recorded and traced: Linux replays the recording to the same
# trace. It ends with 300 quick Up presses and Escape, which must not wait behind them.
start_windows --windowed --record session.script --trace windows.csv
probe client && [ "$(cut -d' ' -f1 "$work/probe.txt")" = 1280x720 ] || fail "--windowed gave $(cat "$work/probe.txt")"
wait_until 20 trace_rows windows.csv 5 || fail "no frames in the trace"
client_shows 10 windowed sky banner
# Resized, the picture follows the window, its banner along the top.
probe resize 960 600 && probe client && [ "$(cut -d' ' -f1 "$work/probe.txt")" = 960x600 ] ||
    fail "the window was not resized: $(cat "$work/probe.txt")"
client_shows 10 resized sky banner
keys z
menu_round
wait_until 10 grep -q ' menu-ok$' session.script || fail "no menu-ok in the recording"
keys z
xdotool key --delay 1 $(printf 'Up %.0s' $(seq 300)) Escape
sent=$(($(wc -l <windows.csv) - 1))
await_end 20 "after Escape"
ended=$(($(wc -l <windows.csv) - 1))
[ $((ended - sent)) -le 2 ] || fail "Escape waited $((ended - sent)) frames behind the Up presses"
recorded session.script m menu-ok z escape
cp session.script "$artifacts/"
linux_replay session.script linux.csv
cmp windows.csv linux.csv || fail "Linux replays the recording to another trace"
echo "wine smoke: windowed session ok ($(grep -c ' up$' session.script) of 300 Up handled, Escape $((ended - sent)) frames on)"

# A recording made on Linux, watched: the trace is Linux's, and the last frame stays.
printf '5 z\n20 m\n40 menu-ok\n50 up\n70 z\n90 m\n100 close\n' >linux.script
"$linux" --headless --no-render --frames 100 --script linux.script --trace linux-watch.csv
start_windows --windowed --watch linux.script --trace watched.csv
wait_until 30 trace_rows watched.csv 99 || fail "the watching stopped short"
kill -0 "$game_pid" || fail "the watching did not stay at the recording's end"
xdotool key Escape
await_end 20 "after Escape ended the watching"
cmp watched.csv linux-watch.csv || fail "the watched trace differs from Linux's"
echo "wine smoke: watching ok"

# A pad of the stand-in XInput DLL: Start starts the match, the stick carries the ball and
# stops with it, South passes; the pad comes and goes without a word.
cp "$build/stand-in-pad/xinput1_4.dll" .
pad() { echo "$*" >pad.new && mv pad.new pad.txt; }
last_turn() { awk -v e="$1" '$2 == e {t = $1} END {print t}' pad.script; }
pad 0 0 0
WINEDLLOVERRIDES="$WINEDLLOVERRIDES;xinput1_4=n" start_windows --windowed --record pad.script --trace pad.csv
wait_until 20 trace_rows pad.csv 5 || fail "no frames in the trace"
pad 10 0 0
wait_until 10 trace_is pad.csv matchPhase 2 || fail "Start did not start the match"
pad 0 0 0
pad 0 -32768 0
wait_until 20 trace_is pad.csv ballHolder 1 || fail "the stick never carried the player to the ball"
pad 0 0 0
released=$(($(wc -l <pad.csv) - 1))
wait_until 10 trace_rows pad.csv $((released + 10)) || fail "the game stopped"
[ "$(last_turn left)" -le $((released + 2)) ] ||
    fail "the stick let go at frame $released still moved the player at turn $(last_turn left)"
moved=$(column pad.csv player1.x | awk 'NR > 1 && $1 != x {f = NR} {x = $1} END {print f}')
[ "$moved" -le $((released + 3)) ] || fail "the player moved on to frame $moved after the stick was let go at $released"
pad none
wait_until 10 trace_rows pad.csv $(($(wc -l <pad.csv) + 5)) || fail "the game stopped when the pad went"
pad 1000 0 0
wait_until 10 grep -q ' a$' pad.script || fail "South after the pad came back did not pass"
pad 0 0 0
probe close || fail "no game window to close"
await_end 20 "after the close box"
recorded pad.script enter left a close
grep -q '^# ended in turn' pad.script || fail "the pad's recording has no end line"
cp pad.script "$artifacts/"
rm xinput1_4.dll
echo "wine smoke: pad ok"

# A write that fails is told at once; the game plays on and ends with status 1.
start_windows --windowed --trace 'Z:\dev\full'
wait_until 20 says "writing the trace to Z:.dev.full failed" || fail "the failed write was not told"
keys z Escape
ends_within 20 1 "after a failed write" "writing the trace to Z:.dev.full failed"

# Alt+F4 and the end of the Windows session end the recording properly.
start_windows --windowed --record altf4.script
keys z alt+F4
await_end 20 "after Alt+F4"
grep -q '^[0-9]* close$' altf4.script && grep -q '^# ended in turn' altf4.script || fail "Alt+F4 left $(cat altf4.script)"
start_windows --windowed --record logoff.script --trace logoff.csv
keys z
probe endsession || fail "the game refused the end of the session"
grep -q '^# ended in turn' logoff.script || fail "the end of the session left $(cat logoff.script)"
await_end 20 "after the end of the session"
echo "wine smoke: ok"
