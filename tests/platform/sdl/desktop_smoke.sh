#!/usr/bin/env bash
# The installed desktop game under Xvfb, driven as a player would: the title
# picture, Enter for the match, M for the MENU dialog with the cursor shown,
# its OK button, the game focused again, and Escape ending it with status 0.
# Started through the launcher from another folder, with sound written to a
# file, so that the music really plays from the installed gamesound.wav.
. "$(dirname "$0")/desktop_session.sh"

cmake --install "$BW_BUILD_DIR" --prefix "$work/prefix" >"$work/install.log" 2>&1 ||
    fail "cmake --install: $(cat "$work/install.log")"
mkdir "$work/elsewhere"
cd "$work/elsewhere"

start_xvfb 1280x720
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/sound.raw" \
    start_game "$work/prefix/bin/brightwicket" --trace trace.csv
trace="$work/elsewhere/trace.csv"

main=$(wait_until 10 visible_window '^Brightwicket$' && visible_window '^Brightwicket$') ||
    fail "no window named Brightwicket"
[ "$(window_geometry "$main")" = "0,0 1280x720" ] || fail "window $(window_geometry "$main") does not cover the screen"
wait_until 5 trace_rows_at_least "$trace" 10 || fail "no frames in the trace"
wait_until 2 focus_is "$main" || fail "the game window does not have the keyboard focus"
xdotool mousemove 200 400
wait_until 2 cursor_is hidden || fail "the cursor shows over the game"

screenshot title
check_picture banner "$artifacts/title.png"
check_picture sky "$artifacts/title.png"

xdotool key Return
wait_until 3 trace_is "$trace" matchPhase 2 || fail "Enter did not start the match"
sleep 0.5
screenshot match
check_picture grass "$artifacts/match.png"
check_picture differ "$artifacts/title.png" "$artifacts/match.png"
check_picture banner "$artifacts/match.png"

xdotool key m
menu=$(wait_until 3 visible_window '^MENU$' && visible_window '^MENU$') || fail "M showed no MENU window"
wait_until 2 trace_is "$trace" menuVisible 1 || fail "the game does not know the dialog is shown"
wait_until 2 focus_is "$menu" || fail "the MENU dialog is not the active window"
wait_until 2 cursor_is shown || fail "the cursor is hidden while the dialog is open"
read -r menu_x menu_y menu_w menu_h < <(window_geometry "$menu" | tr ',x' '  ')
[ "$menu_w" -ge 560 ] && [ "$menu_w" -le 700 ] && [ "$menu_h" -ge 400 ] && [ "$menu_h" -le 480 ] ||
    fail "MENU is ${menu_w}x${menu_h}, not about 630 x 440"
sleep 0.3
screenshot menu
"$BW_PICTURE_CHECK" dialog "$artifacts/menu.png" "$menu_x" "$menu_y" "$menu_w" "$menu_h" ||
    fail "the MENU dialog shows no text"

# Keys go to the dialog and do nothing: P does not pause the match.
xdotool key p
sleep 0.5
trace_is "$trace" pauseState 0 || fail "P reached the game while the dialog was active"

# OK sits centred near the bottom of the dialog.
xdotool mousemove $((menu_x + menu_w / 2)) $((menu_y + menu_h * 403 / 442)) click 1
wait_until 3 window_gone '^MENU$' || fail "OK did not close the dialog"
wait_until 2 trace_is "$trace" menuVisible 0 || fail "the game still thinks the dialog is shown"
wait_until 2 focus_is "$main" || fail "the game window did not get the focus back"
wait_until 2 cursor_is hidden || fail "the cursor stays after the dialog closed"
screenshot after-menu
check_picture grass "$artifacts/after-menu.png"

# The music played from the installed file: the sound written is not silence.
[ -n "$(head -c 2000000 "$work/sound.raw" 2>/dev/null | tr -d '\000' | head -c 1)" ] ||
    fail "no music was played"

xdotool key Escape
exit_within 2
[ "$game_status" = 0 ] || fail "exit status $game_status after Escape"
trace_is "$trace" matchPhase 2 || fail "the trace was not completed"
echo "desktop smoke: ok"
