# shellcheck shell=bash
# Shared by the release tests: the tree, the release in dist/ and its
# version, a scratch folder removed on exit, and one-line failures.
set -u
top=$(cd "$(dirname "$0")/../.." && pwd)
dist=$top/dist
work=$(mktemp -d "${TMPDIR:-/tmp}/bw-release.XXXXXX")
cleanup_steps=""
cleanup() { eval "$cleanup_steps"; rm -rf "$work"; }
trap cleanup EXIT
trap 'exit 1' INT TERM
fail() { echo "FAIL: $*"; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }

deb() { # deb ARCH: the package of that architecture in dist/
    set -- "$dist"/brightwicket_*_"$1".deb
    [ $# = 1 ] && [ -f "$1" ] || fail "dist/ holds no single package for that architecture: $*"
    echo "$1"
}
version() { dpkg-deb -f "$(deb amd64)" Version; }

# The build's own trace of the long scenario, to compare others with.
match_script=$top/tests/scripts/match.script
build_trace() {
    "$BW_BINARY" --headless --frames 3860 --no-render --script "$match_script" --trace "$work/build.csv" ||
        fail "the build's own game did not replay the match"
}
