#!/bin/sh
# build_runner.sh PRESET: builds the trace runner, and only it, with one of
# the cross presets (windows, arm64-runner, wasm-runner), taking the
# generators from the default build as every cross build does.
set -eu
cd "$(dirname "$0")/../.."
jobs=$(nproc 2>/dev/null || echo 2)
# Debian's emscripten runs its JavaScript tools on node with Debian's modules.
export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"

cmake --build --preset default -j"$jobs" --target bw_meshgen bw_icon bw_music
cmake --preset "$1" >/dev/null
cmake --build --preset "$1" -j"$jobs" --target bw_trace_runner
