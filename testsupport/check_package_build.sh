#!/usr/bin/env bash
# Usage: check_package_build.sh BUILD-DIR
#
# Checks the .deb files `./setup.sh package` made in BUILD-DIR as Debian
# would: every program is hardened (position-independent, relocations
# read-only and bound at start, stack protector, fortified functions), holds
# no path of the build or source folder, and lintian reports no error.
set -uo pipefail
build=$1
source=$(cd "$(dirname "$0")/.." && pwd -P)
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

debs=("$build"/varenta_*.deb "$build"/kiv_*.deb)
for deb in "${debs[@]}"; do
    [[ -f $deb ]] || { fail "no package $deb"; continue; }
    name=$(basename "$deb")
    dir=$work/${name%.deb}
    dpkg-deb -x "$deb" "$dir"
    for exe in "$dir"/usr/games/*; do
        what="$name: ${exe#"$dir"}"
        [[ $(readelf -h "$exe" | awk '/Type:/ { print $2 }') == DYN ]] || fail "$what is not position-independent"
        readelf -l "$exe" | grep -q GNU_RELRO || fail "$what has no read-only relocations"
        readelf -d "$exe" | grep -Eq 'BIND_NOW|FLAGS_1.*NOW' || fail "$what does not bind at start"
        symbols=$(readelf --dyn-syms -W "$exe")
        grep -q '__stack_chk_fail' <<<"$symbols" || fail "$what has no stack protector"
        grep -Eq '__[a-z]+_chk' <<<"$symbols" || fail "$what uses no fortified functions"
        if strings -a "$exe" | grep -F -e "$(cd "$build" && pwd -P)" -e "$source" | grep -q .; then
            fail "$what holds a path of the build or source folder"
        fi
    done
    lintian --no-tag-display-limit "$deb" >"$work/lintian.out" 2>&1
    grep '^[EW]: ' "$work/lintian.out"
    grep -q '^E: ' "$work/lintian.out" && fail "$name: lintian reports errors"
done
if ((failures)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "packages checked: hardened, no build paths, lintian without errors"
