#!/usr/bin/env bash
# A display without OpenGL: one line saying so and how to play headless,
# status 1, no hang.
. "$(dirname "$0")/desktop_session.sh"

start_xvfb 800x600 -extension GLX
status=0
timeout 10 "$BW_BINARY" >/dev/null 2>"$work/err" || status=$?
[ "$status" = 1 ] || fail "exit status $status without GLX"
[ "$(grep -vc '^ALSA lib' "$work/err")" = 1 ] && grep -q 'GLX.*--headless' "$work/err" || fail "$(cat "$work/err")"
echo "desktop without OpenGL: ok"
