#!/usr/bin/env bash
# homes-tables.sh WORLD PROGRAM OUT
#
# Two real table windows (PROGRAM, varenta_table_homes) in two homes of the
# test world (testsupport/homes-world.sh) meet through the real connect
# dialog: Ann in home A, behind the router that maps ports, and Bob in home
# B, behind the one that maps nothing. Both choose "Internet" and the IP
# number method; each types the address the other's dialog listed. Ann
# listens (her router forwards the game port), Bob connects, and both play
# a few turns by the table's keys. Checked:
#
#   - nothing went to the STUN server from either home before "Internet"
#     was chosen (a counter on each home's outgoing STUN packets), and
#     something did after;
#   - each dialog listed its home's public address as STUN saw it, Ann's
#     with her router's own report of that address beside it, and her router
#     forwarded the game port to her while they played;
#   - both said the connection was made (the panel names the partner, the
#     chat greets), directly and not through a relay, with no message box;
#   - both tables hold the same game (the digest of one is the mirrored
#     digest of the other), every turn played;
#   - the router's mapping and the counters are gone afterwards.
#
# The programs' output goes to OUT. Exit 77 (skipped) when the world could
# not be made for want of root.
set -euo pipefail
world=${1:-} program=${2:-} out=${3:-}
[[ -n $world && -n $program && -n $out ]] ||
    { echo "usage: homes-tables.sh WORLD PROGRAM OUT" >&2; exit 2; }

if [[ ! -f $world/world.env ]]; then
    if ((EUID != 0)); then
        echo "homes-tables: skipped: the test world needs root (network namespaces)" >&2
        exit 77
    fi
    echo "homes-tables: the test world is missing ($world/world.env); its fixture failed" >&2
    exit 1
fi
source "$world/world.env"
rm -rf "$out"
mkdir -p "$out"
turns=6
counters=varenta_homes_tables

names=() pids=()
# fail WHY: ends both programs and shows all they said.
fail() {
    local name fd
    for name in "${names[@]}"; do
        kill "$(eval "echo \$pid_$name")" 2>/dev/null || true
        fd=$(eval "echo \$out_$name")
        cat <&"$fd" >>"$out/$name.log" || true
        echo "---- $name said:" >&2
        cat "$out/$name.log" "$out/$name.err" >&2 || true
    done
    echo "homes-tables: $*" >&2
    exit 1
}

cleanup() {
    local p ns
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    for ns in "$NS_A" "$NS_B"; do
        ip netns exec "$ns" nft delete table inet "$counters" 2>/dev/null || true
    done
    rm -f "$out"/*.in "$out"/*.out
}
trap cleanup EXIT

# Every packet a home sends to a STUN port, counted on its way out.
for ns in "$NS_A" "$NS_B"; do
    ip netns exec "$ns" nft -f - <<EOF
table inet $counters {
    counter stun { }
    chain output {
        type filter hook output priority 0; policy accept;
        meta l4proto { tcp, udp } th dport ${STUN##*:} counter name "stun"
    }
}
EOF
done
stun_packets() {
    ip netns exec "$1" nft list counter inet "$counters" stun | grep -o 'packets [0-9]*' |
        cut -d' ' -f2
}

# start NAME NS ARGS...: the program in namespace NS, its standard input
# and output through pipes (say and waitfor), its standard error to
# OUT/NAME.err.
start() {
    local name=$1 ns=$2 fd
    shift 2
    mkdir -p "$out/$name"
    mkfifo "$out/$name.in" "$out/$name.out"
    ip netns exec "$ns" env QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
        "$program" --folder "$out/$name" "$@" <"$out/$name.in" >"$out/$name.out" \
        2>"$out/$name.err" &
    pids+=($!) names+=("$name")
    eval "pid_$name=$!"
    exec {fd}>"$out/$name.in"
    eval "in_$name=$fd"
    exec {fd}<"$out/$name.out"
    eval "out_$name=$fd"
}

say() {
    local fd
    fd=$(eval "echo \$in_$1")
    printf '%s\n' "$2" >&"$fd"
}

# waitfor NAME PREFIX: reads NAME's output up to the line that begins with
# PREFIX and prints the rest of it; fails when the program ends first or
# reports an error.
waitfor() {
    local name=$1 prefix=$2 fd line
    fd=$(eval "echo \$out_$name")
    while IFS= read -r -t 60 line <&"$fd"; do
        printf '%s\n' "$line" >>"$out/$name.log"
        if [[ $line == "$prefix"* ]]; then
            printf '%s\n' "${line#"$prefix"}"
            return 0
        fi
        [[ $line != error:* ]] || break
    done
    fail "$name never said \"$prefix\""
}

finish() {
    local pid status=0
    pid=$(eval "echo \$pid_$1")
    wait "$pid" || status=$?
    if ((status != 0)); then
        fail "$1 ended with status $status"
    fi
}

start ann "$NS_A" --nick Ann --stun "$STUN" --seed 5 --turns "$turns" --router yes
start bob "$NS_B" --nick Bob --stun "$STUN" --seed 9 --turns "$turns"

# Both windows are up and their dialogs open on "LAN".
waitfor ann "choosing internet" >/dev/null
waitfor bob "choosing internet" >/dev/null
for ns in "$NS_A" "$NS_B"; do
    sent=$(stun_packets "$ns")
    ((sent == 0)) || fail "$sent packets went to the STUN server from $ns before \"Internet\""
done
say ann go
say bob go
listed_ann=$(waitfor ann "listed: ")
listed_bob=$(waitfor bob "listed: ")
[[ $listed_ann == "$PUBLIC_A" ]] || fail "Ann's dialog listed \"$listed_ann\", not $PUBLIC_A"
[[ $listed_bob == "$PUBLIC_B" ]] || fail "Bob's dialog listed \"$listed_bob\", not $PUBLIC_B"
for ns in "$NS_A" "$NS_B"; do
    (($(stun_packets "$ns") > 0)) || fail "nothing went to the STUN server from $ns"
done
note=$(waitfor ann "router note: ")
[[ $note == "Your router reports the public address $PUBLIC_A." ]] ||
    fail "Ann's dialog said of her router: \"$note\""

# Ann connects first, so that her router forwards the port before Bob calls.
say ann "partner $listed_bob"
port=$(waitfor ann "router port: ")
[[ $port == "Port 31415 opened on the router" ]] || fail "Ann's router: \"$port\""
say bob "partner $listed_ann"
waitfor ann "connected: " >/dev/null
waitfor bob "connected: " >/dev/null
forwards=$(ip netns exec "$NS_RA" nft list chain inet filter prerouting_miniupnpd)
grep -q "dport 31415 .*dnat ip to $A_V4:31415" <<<"$forwards" ||
    { echo "$forwards" >&2; fail "router A does not forward port 31415 to Ann"; }

declare -A said
for name in ann bob; do
    for key in turns digest "mirrored digest" panel "status line" chat boxes; do
        said[$name.$key]=$(waitfor "$name" "$key: ")
    done
    waitfor "$name" done >/dev/null
    [[ ${said[$name.turns]} == "$turns $turns" ]] ||
        fail "$name played ${said[$name.turns]} turns (own, partner), not $turns each"
    [[ ${said[$name.boxes]} == 0 ]] || fail "$name was shown ${said[$name.boxes]} message boxes"
    chat=${said[$name.chat]}
    [[ $chat == *"Connection established. Type text and press ENTER to send a message."* ]] ||
        fail "$name's chat window did not say the connection was made: $chat"
    # The path taken, where the program names it, is the direct one.
    for text in "${said[$name.status line]}" "$chat"; do
        [[ $text != *"Connected through"* ]] || fail "$name went through a relay: $text"
    done
done
[[ ${said[ann.panel]} == "Connection established with Bob" ]] ||
    fail "Ann's panel said \"${said[ann.panel]}\""
[[ ${said[bob.panel]} == "Connection established with Ann" ]] ||
    fail "Bob's panel said \"${said[bob.panel]}\""
[[ ${said[ann.chat]} == *"Port 31415 opened on the router"* ]] ||
    fail "Ann's chat window did not tell of the router's port: ${said[ann.chat]}"
[[ ${said[ann.digest]} == "${said[bob.mirrored digest]}" &&
    ${said[bob.digest]} == "${said[ann.mirrored digest]}" ]] ||
    fail "the tables differ: Ann ${said[ann.digest]}/${said[ann.mirrored digest]}," \
        "Bob ${said[bob.digest]}/${said[bob.mirrored digest]}"

say ann quit
say bob quit
finish ann
finish bob
# The mapping went with the window.
if ip netns exec "$NS_RA" nft list table inet filter | grep -q 'dport 31415'; then
    ip netns exec "$NS_RA" nft list table inet filter >&2
    fail "router A still forwards the game port"
fi
cleanup
trap - EXIT
for ns in "$NS_A" "$NS_B"; do
    ! ip netns exec "$ns" nft list table inet "$counters" >/dev/null 2>&1 ||
        fail "the STUN counter is left in $ns"
done
echo "homes-tables: passed"
