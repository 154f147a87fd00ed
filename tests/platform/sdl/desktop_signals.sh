#!/usr/bin/env bash
# SIGINT and SIGTERM shut the game down like Escape: status 0, the trace
# complete. The first run is --windowed: 1280 x 720 on a larger screen.
. "$(dirname "$0")/desktop_session.sh"

cd "$work"
start_xvfb 1600x900
for signal in INT TERM; do
    if [ "$signal" = INT ]; then
        start_game "$BW_BINARY" --windowed --trace "$signal.csv"
        size=1280x720
    else
        start_game "$BW_BINARY" --trace "$signal.csv"
        size=1600x900
    fi
    main=$(wait_until 10 visible_window '^Brightwicket$' && visible_window '^Brightwicket$') ||
        fail "no window named Brightwicket"
    window_geometry "$main" | grep -q " $size\$" || fail "window $(window_geometry "$main"), not $size"
    wait_until 5 trace_rows_at_least "$signal.csv" 5 || fail "no frames in the trace"
    kill -s "$signal" "$game_pid"
    exit_within 2
    [ "$game_status" = 0 ] || fail "exit status $game_status after SIG$signal"
    [ -z "$(tail -c 1 "$signal.csv")" ] || fail "the trace ends in the middle of a row after SIG$signal"
    wait_until 2 window_gone '^Brightwicket$' || fail "the window stays after SIG$signal"
done
echo "desktop signals: ok"
