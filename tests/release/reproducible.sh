#!/usr/bin/env bash
# The same commit released again in another folder gives the same four files
# and SHA256SUMS, byte for byte. The second release is of the last commit, so
# the tree must have none of its own changes.
. "$(dirname "$0")/common.sh"

[ -z "$(git -C "$top" status --porcelain)" ] || skip "the tree has changes that are not committed"
git clone -q --no-checkout "$top" "$work/again" && git -C "$work/again" checkout -q "$(git -C "$top" rev-parse HEAD)" ||
    fail "cloning the tree"
"$work/again/scripts/release" >"$work/release.log" 2>&1 || { tail -n 30 "$work/release.log"; fail "the second release"; }
differ=""
for file in "$dist"/*; do
    cmp -s "$file" "$work/again/dist/${file##*/}" || differ="$differ ${file##*/}"
done
[ "$(ls "$dist")" = "$(ls "$work/again/dist")" ] || fail "the second release wrote $(ls "$work/again/dist")"
if [ -n "$differ" ]; then
    # Kept for a look with diffoscope or cmp -l.
    rm -rf "$top/build/release/again-dist" && cp -R "$work/again/dist" "$top/build/release/again-dist"
    fail "these differ from a release in another folder (kept in build/release/again-dist):$differ"
fi
