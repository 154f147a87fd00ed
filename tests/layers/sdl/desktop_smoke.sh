#!/usr/bin/env bash
# The installed game started through the launcher from another folder and
# played as a person would, from the title through the MENU dialog to Escape.
. "$(dirname "$0")/../../support/desktop_session.sh"

install_game
mkdir "$work/elsewhere" && cd "$work/elsewhere"
start_xvfb 1280x720
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/sound.raw" start_game "$prefix/bin/brightwicket" --trace trace.csv
covers_screen 1280x720
class=$(sed -n 's/^StartupWMClass=//p' "$prefix/share/applications/org.brightwicket.Soccer.desktop")
[ -n "$class" ] && [ "$(x11 class "$main")" = "$class" ] || fail "the window's class is not the desktop entry's '$class'"
wait_until 10 trace_rows trace.csv 10 || fail "no frames in the trace"
xdotool mousemove 200 400
wait_until 10 cursor_is hidden || fail "the cursor shows over the game"
screen_shows 10 title banner sky no-shirts
start_match trace.csv
screen_shows 10 match grass banner shirts unlike:title

xdotool key m
menu=$(await_window '^MENU$' 10) || fail "M showed no MENU window"
wait_until 10 focus_is "$menu" || fail "the MENU dialog is not the active window"
wait_until 10 cursor_is shown || fail "the cursor is hidden while the dialog is open"
read -r x y w h < <(geometry "$menu" | tr ',x' '  ')
[ "$w" -gt 560 ] && [ "$w" -lt 700 ] && [ "$h" -gt 400 ] && [ "$h" -lt 480 ] || fail "MENU is ${w}x$h, not about 630 x 440"
[ "$x,$y" = "60,65" ] || fail "MENU lies at $x,$y, not 40,40 dialog units (60,65) from the screen's corner"
window=$menu screen_shows 10 menu dialog
xdotool key p && sleep 0.5
trace_is trace.csv pauseState 0 || fail "P reached the game while the dialog was active"
xdotool mousemove $((x + w / 2)) $((y + h * 403 / 442)) click 1  # OK, centred near the bottom
wait_until 10 window_gone '^MENU$' || fail "OK did not close the dialog"
wait_until 10 trace_is trace.csv menuVisible 0 || fail "the game still thinks the dialog is shown"
wait_until 10 focus_is "$main" || fail "the game window did not get the focus back"
wait_until 10 cursor_is hidden || fail "the cursor stays after the dialog closed"
[ -n "$(head -c 2000000 "$work/sound.raw" | tr -d '\000' | head -c 1)" ] || fail "no music was played"
xdotool key Escape
ends_within 10 0 "after Escape"
