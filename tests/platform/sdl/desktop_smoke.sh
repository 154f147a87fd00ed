#!/usr/bin/env bash
# The installed game under Xvfb, played as a person would: the window's class
# that of the desktop entry, the title, Enter for the match, M for the MENU
# dialog in its place with the cursor shown, its OK button, the game focused
# again, Escape ending it with status 0 within two seconds.
# Started through the launcher from another folder with the sound written to
# a file, so the music must really come from the installed gamesound.wav.
. "$(dirname "$0")/desktop_session.sh"

cmake --install "$BW_BUILD_DIR" --prefix "$work/prefix" >"$work/install.log" 2>&1 || fail "cmake --install"
mkdir "$work/elsewhere" && cd "$work/elsewhere"
trace="$work/elsewhere/trace.csv"
start_xvfb 1280x720
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/sound.raw" start_game "$work/prefix/bin/brightwicket" --trace trace.csv
[ "$(geometry "$main")" = "0,0 1280x720" ] || fail "the window ($(geometry "$main")) does not cover the screen"
class=$(sed -n 's/^StartupWMClass=//p' "$work/prefix/share/applications/brightwicket.desktop")
[ -n "$class" ] && [ "$("$BW_CURSOR_PROBE" "$main")" = "$class" ] ||
    fail "the window's class $("$BW_CURSOR_PROBE" "$main") is not the desktop entry's '$class'"
wait_until 5 trace_rows "$trace" 10 || fail "no frames in the trace"
xdotool mousemove 200 400
wait_until 2 cursor_is hidden || fail "the cursor shows over the game"
screenshot title
expect_picture banner title
expect_picture sky title

xdotool key Return
wait_until 3 trace_is "$trace" matchPhase 2 || fail "Enter did not start the match"
screenshot match
expect_picture grass match
expect_picture change title match
expect_picture banner match

xdotool key m
menu=$(wait_until 3 visible_window '^MENU$' && visible_window '^MENU$') || fail "M showed no MENU window"
wait_until 2 focus_is "$menu" || fail "the MENU dialog is not the active window"
wait_until 2 cursor_is shown || fail "the cursor is hidden while the dialog is open"
read -r x y w h < <(geometry "$menu" | tr ',x' '  ')
[ "$w" -gt 560 ] && [ "$w" -lt 700 ] && [ "$h" -gt 400 ] && [ "$h" -lt 480 ] || fail "MENU is ${w}x$h, not about 630 x 440"
[ "$x,$y" = "60,65" ] || fail "MENU lies at $x,$y, not 40,40 dialog units (60,65) from the screen's corner"
sleep 0.3
screenshot menu
area="-left $x -top $y -width $w -height $h"
face=$(percent menu "$area" 'near(240, 240, 240)') text=$(percent menu "$area" '$1 + $2 + $3 < 240')
[ "$face" -gt 70 ] && [ "$text" -ge 1 ] || fail "the MENU dialog is $face% face and $text% text"
xdotool key p  # goes to the dialog: the match is not paused
sleep 0.5
trace_is "$trace" pauseState 0 || fail "P reached the game while the dialog was active"

# OK is centred near the bottom of the dialog.
xdotool mousemove $((x + w / 2)) $((y + h * 403 / 442)) click 1
wait_until 3 window_gone '^MENU$' || fail "OK did not close the dialog"
wait_until 2 trace_is "$trace" menuVisible 0 || fail "the game still thinks the dialog is shown"
wait_until 2 focus_is "$main" || fail "the game window did not get the focus back"
wait_until 2 cursor_is hidden || fail "the cursor stays after the dialog closed"
[ -n "$(head -c 2000000 "$work/sound.raw" | tr -d '\000' | head -c 1)" ] || fail "no music was played"

xdotool key Escape
exit_within 2
[ "$game_status" = 0 ] || fail "exit status $game_status after Escape"
echo "desktop smoke: ok"
