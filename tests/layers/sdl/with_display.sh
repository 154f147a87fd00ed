#!/usr/bin/env bash
# with_display.sh PROGRAM ARGS...: runs a test program (from the build folder)
# on a private Xvfb display of its own. Skips (77) without Xvfb.
artifacts=$PWD/desktop-tests/$(basename "$1") xvfb_tools=Xvfb
. "$(dirname "$0")/../../support/desktop_session.sh"
start_xvfb 1600x900
# X, D-Bus and GL keep allocations no stack can name: leaks are left to the
# tests without a display.
ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" "$@"
