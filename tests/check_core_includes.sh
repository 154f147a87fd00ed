#!/bin/sh
# The game core talks to the machine only through src/platform/platform.h:
# no file under src/app, src/match or src/sim may include a graphics, window,
# sound or platform-layer header.
src=${1:?usage: check_core_includes.sh SRC_DIR}
pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]((GL|EGL|GLES[0-9]*|KHR|SDL2?|X11|wayland)[/_.-]|gl\.h|glu\.h|wgl|windows\.h|winuser|mmsystem|png\.h|platform/(headless|sdl|win32)/)'
bad=$(grep -rnE "$pattern" "$src/app" "$src/match" "$src/sim" 2>/dev/null)
if [ -n "$bad" ]; then
    echo "the game core includes platform headers:"
    echo "$bad"
    exit 1
fi
# The check must see the files it guards.
n=$(find "$src/app" "$src/match" "$src/sim" -name '*.cpp' -o -name '*.h' | wc -l)
[ "$n" -gt 0 ] || { echo "no core files found under $src"; exit 1; }
echo "checked $n core files"
