#!/usr/bin/env bash
# scripts/release writes the five files of a release, and SHA256SUMS vouches
# for the other four.
. "$(dirname "$0")/common.sh"

"$top/scripts/release" >"$work/release.log" 2>&1 || { tail -n 30 "$work/release.log"; fail "scripts/release"; }
v=$(version)
[[ $v =~ ^[0-9]+\.[0-9]+(\+[0-9]+\.g[0-9a-f]+)?$ ]] || fail "a version that is not PROJECT[+COMMITS.gHASH]: $v"
expected="SHA256SUMS brightwicket-$v-web.zip brightwicket-$v-windows-x86_64.zip brightwicket_${v}_amd64.deb brightwicket_${v}_arm64.deb"
[ "$(cd "$dist" && LC_ALL=C ls | tr '\n' ' ')" = "$expected " ] || fail "dist/ holds $(ls "$dist"), not $expected"
(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "sha256sum -c SHA256SUMS"
[ "$(wc -l <"$dist/SHA256SUMS")" = 4 ] || fail "SHA256SUMS does not name the four files"

# What each zip must hold for a player to start the game from it.
unzip -Z1 "$dist/brightwicket-$v-windows-x86_64.zip" | sort | tr '\n' ' ' | grep -qx 'brightwicket.exe gamesound.wav ' ||
    fail "the Windows zip holds $(unzip -Z1 "$dist/brightwicket-$v-windows-x86_64.zip")"
for file in index.html brightwicket.js brightwicket.wasm gamesound.wav; do
    unzip -Z1 "$dist/brightwicket-$v-web.zip" | grep -qx "$file" || fail "the web zip lacks $file"
done
