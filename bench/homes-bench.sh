#!/usr/bin/env bash
# homes-bench.sh BUILD: how quick network play is between the homes of the
# test world (testsupport/homes-world.sh): the time from Connect to the
# session's handshake done, and a move's round trip (from the end of an own
# turn to the partner's first move after it), over loopback, directly from
# home to home (IPv4 through the mapping router, IPv6 through its firewall's
# pinhole), and through the relay (plain and over TLS) when this varenta-sim
# has one. The figures are the connecting side's, the median of three whole
# games each.
#
# Needs root for the network namespaces; says so and does nothing otherwise.
set -euo pipefail
build=${1:?usage: homes-bench.sh BUILD}
sim=$(realpath "$build/varenta/app/varenta-sim")
src=$(cd "$(dirname "$0")/.." && pwd)
if ((EUID != 0)); then
    echo "homes benchmark skipped: the test world needs root (network namespaces)"
    exit 0
fi

tmp=$(mktemp -d /tmp/homes-bench.XXXXXX)
world=$tmp/world
cleanup() {
    local p
    for p in $(jobs -p); do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    bash "$src/testsupport/homes-world.sh" stop "$world" >/dev/null 2>&1 || true
    rm -rf "$tmp"
}
trap cleanup EXIT
bash "$src/testsupport/homes-world.sh" start "$world" >/dev/null
source "$world/world.env"

# game NAME LISTEN_NS LISTEN_ARGS WANT CONNECT_NS TARGET: one whole game;
# the listener's line beginning with WANT gives the address to connect to
# (TARGET, if not empty, is used instead). Prints the connecting side's
# timing line.
game() {
    local name=$1 lns=$2 largs=$3 want=$4 cns=$5 target=$6 line fd address
    rm -f "$tmp/$name.pipe"
    mkfifo "$tmp/$name.pipe"
    # shellcheck disable=SC2086
    ip netns exec "$lns" "$sim" $largs --seed 41 2>"$tmp/$name.pipe" &
    exec {fd}<"$tmp/$name.pipe"
    address=
    while IFS= read -r -t 60 line <&"$fd"; do
        if [[ $line == "$want"* || $line == "varenta-sim: $want"* ]]; then
            address=${line#*"$want"}
            address=${address%% *}
            break
        fi
    done
    [[ -n $address ]] || { echo "$name: the listening side never said \"$want\"" >&2; return 1; }
    cat <&"$fd" >/dev/null &
    [[ -z $target ]] || address=$target
    ip netns exec "$cns" "$sim" --connect "$address" --seed 42 --timing 2>&1 >/dev/null |
        grep '^varenta-sim: timing:'
    wait
    exec {fd}<&-
}

# row WHAT NAME ARGS...: three games, the medians of their figures.
row() {
    local what=$1 out hs=() rt=()
    shift
    for _ in 1 2 3; do
        out=$(game "$@") || { printf '| %-28s | %-14s | %-26s |\n' "$what" failed failed; return; }
        hs+=("$(sed -n 's/.*handshake \([0-9.]*\) ms.*/\1/p' <<<"$out")")
        rt+=("$(sed -n 's/.*round trip \([0-9.]*\) ms median, \([0-9.]*\) ms.*/\1 \2/p' <<<"$out")")
    done
    printf '| %-28s | %-14s | %-26s |\n' "$what" \
        "$(printf '%s\n' "${hs[@]}" | sort -n | sed -n 2p) ms" \
        "$(printf '%s\n' "${rt[@]}" | sort -n | sed -n 2p | awk '{ printf "%s ms (90%%: %s ms)", $1, $2 }')"
}

echo "Network play between homes ($(date -u '+%Y-%m-%d %H:%M UTC'), load $(cut -d' ' -f1-3 /proc/loadavg))"
printf '| %-28s | %-14s | %-26s |\n' "path" "handshake" "move round trip (median)"
printf '|%s|%s|%s|\n' "------------------------------" "----------------" "----------------------------"
row "loopback (one home)" loop "$NS_A" "--listen 0" "varenta-sim: listening on " "$NS_A" ""
row "IPv4 via the mapped port" v4 "$NS_A" "--listen 31415 --map-port" "mapped address: " "$NS_B" ""
row "IPv6 via the pinhole" v6 "$NS_A" "--listen 31415 --map-port" "pinhole: " "$NS_B" ""
if "$sim" --help | grep -q -- '--turn'; then
    row "through the relay" relay "$NS_C" \
        "--listen 31415 --turn $TURN --turn-user $TURN_USER --turn-password $TURN_PASSWORD --turn-peer $PUBLIC_B" \
        "relayed address: " "$NS_B" ""
    if "$sim" --help | grep -q -- '--turn-tls'; then
        row "through the relay over TLS" relaytls "$NS_C" \
            "--listen 31415 --turn $TURN_TLS --turn-tls --turn-trust $TURN_CA --turn-user $TURN_USER --turn-password $TURN_PASSWORD --turn-peer $PUBLIC_B" \
            "relayed address: " "$NS_B" ""
    fi
else
    printf '| %-28s | %-14s | %-26s |\n' "through the relay" "no relay client" "-"
fi
