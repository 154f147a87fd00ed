#!/usr/bin/env bash
# A display without OpenGL: one line saying so and how to play headless,
# status 1, no hang.
. "$(dirname "$0")/../../support/desktop_session.sh"

start_xvfb 800x600 -extension GLX
run_game "$BW_BINARY"
ends_within 10 1 "without GLX" 'GLX.*--headless'
