#!/usr/bin/env bash
# The amd64 package in a clean Debian 12 root: apt installs it with every
# library it needs, the installed game tells its version, replays the match to
# the build's trace and has its manual page, and purging it leaves nothing.
# The root's base (made by mmdebstrap from this machine's own Debian mirror)
# and the packages apt fetches are kept in build/release-root for the next run.
. "$(dirname "$0")/common.sh"

[ "$(id -u)" = 0 ] || skip "a chroot needs root"
command -v mmdebstrap >/dev/null || skip "no mmdebstrap (scripts/install-deps --test)"
package=$(deb amd64)
v=$(version)
cache=$top/build/release-root
base=$cache/bookworm.tar
mkdir -p "$cache/archives/partial"

if [ ! -s "$base" ]; then
    # The mirrors apt uses here for bookworm, its updates and its security fixes.
    mirrors=()
    while read -r uri suite; do
        mirrors+=("deb $uri $suite main")
    done < <(apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 'Created-By: Packages' |
        grep -E ' bookworm(-updates|-security)?$' | sort -u)
    [ ${#mirrors[@]} -gt 0 ] || fail "apt here knows no bookworm mirror"
    mmdebstrap --quiet --variant=apt --include=man-db bookworm "$cache/bookworm.new.tar" "${mirrors[@]}" ||
        fail "mmdebstrap could not make the base root"
    mv "$cache/bookworm.new.tar" "$base"
fi

root=$work/root
mkdir "$root" && tar -C "$root" -xf "$base" || fail "unpacking the base root"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mkdir "$root/release"
cp "$package" "$match_script" "$root/release/"
build_trace

# Every file of the root but those that come and go with apt and dpkg's own
# bookkeeping, the caches and the logs.
snapshot() {
    (cd "$root" && find . -xdev \( -path ./proc -o -path ./sys -o -path ./dev -o -path ./run -o -path ./tmp \
        -o -path ./release -o -path ./var/cache -o -path ./var/lib/apt -o -path ./var/lib/dpkg \
        -o -path ./var/log -o -path ./etc/ld.so.cache \) -prune -o -print | LC_ALL=C sort)
}
snapshot >"$work/before"

# The root's own /proc and the kept package cache, in a mount namespace of
# this test's, so nothing stays mounted after it.
cat >"$root/release/run.sh" <<SCRIPT
set -eu
export PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin:/usr/games DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8
apt-get update -qq
apt-get install -y -qq --no-install-recommends /release/$(basename "$package") >/release/apt.log
dpkg-query -L brightwicket >/release/files
brightwicket --version >/release/version
cd /tmp
brightwicket --headless --frames 3860 --no-render --script /release/match.script --trace trace.csv
mv trace.csv /release/trace.csv
man -w brightwicket >/release/manual
apt-get purge -y -qq --autoremove brightwicket >/release/purge.log
SCRIPT
unshare --mount --propagation private sh -c '
    mount -t proc proc "$1/proc" && mount --bind "$2" "$1/var/cache/apt/archives" && chroot "$1" sh /release/run.sh
' sh "$root" "$cache/archives" >"$work/run.log" 2>&1 || { tail -n 20 "$work/run.log"; fail "installing and playing in the root"; }

[ "$(cat "$root/release/version")" = "brightwicket $v" ] || fail "the installed game says $(cat "$root/release/version")"
cmp -s "$work/build.csv" "$root/release/trace.csv" || fail "the installed game's trace is not the build's"
[ "$(cat "$root/release/manual")" = /usr/share/man/man6/brightwicket.6.gz ] || fail "man -w: $(cat "$root/release/manual")"
grep -qx /usr/games/brightwicket "$root/release/files" || fail "the package has no /usr/games/brightwicket"
grep -qx /usr/share/games/brightwicket/gamesound.wav "$root/release/files" || fail "the package has no music"

# What the package left: a file of its own, or any other that was not there before.
while read -r file; do
    [ -d "$root$file" ] || [ ! -e "$root$file" ] || fail "purged, but $file is still there"
done <"$root/release/files"
snapshot >"$work/after"
diff "$work/before" "$work/after" >"$work/left" || fail "purging left the root changed: $(head -n 20 "$work/left")"
