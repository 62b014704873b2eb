#!/usr/bin/env bash
# homes-game.sh SCENARIO WORLD SIM OUT
#
# Two varenta-sim processes in two homes of the test world
# (testsupport/homes-world.sh) play a whole game; their traces must be
# exactly those of the same two seeds played over loopback. OUT receives the
# traces and what the programs said. Scenarios:
#
#   upnp-router  home A (behind the mapping router) opens the game port on
#                its router and learns its public address by STUN; home B
#                (behind the router that maps nothing) connects to that.
#   ipv6-pinhole home A asks its router's IPv6 firewall for a pinhole to its
#                global address; home B connects to that address directly.
#   no-mapping   home C learns its public address (the carrier's) by STUN,
#                but behind the carrier NAT nothing opens a way in: a
#                listening side that asks for one gives up with status 1
#                (once UPnP discovery and NAT-PMP have both found nobody).
#   turn-relay   home C behind the carrier NAT, where no port can be opened,
#                listens on a relayed address of the Internet's TURN server
#                (granted to home B's public address); home B, behind the
#                router that maps nothing, connects to that address with
#                plain TCP. Skipped while this varenta-sim has no --turn.
#   turn-relay-tls the same with home C reaching the relay over TLS, the
#                relay's certificate checked against the world's authority;
#                home B's side is unchanged.
#   turn-relay-one-game
#                a second relay on the Internet, started from docs/relay.md's
#                block for one game at a time, hands home C the relayed port
#                31415 and refuses a second allocation meanwhile; home B
#                names the relay's address alone, as an older copy that
#                always calls port 31415 does, and plays the game through it.
#   turn-relay-resume
#                as turn-relay, but the line through the relay is cut three
#                times, by either side, mid-hand: each time both keep the
#                game, home B calls the relayed address again, the relay
#                hands the new line to home C, and the game is the uncut one.
#   firewall     without a pinhole or a mapping, a connection from home B to
#                the listening home A is refused by router A's firewall
#                (and counted there), over IPv6 and IPv4 alike, while home A
#                does listen (its router reaches it).
#
# Exit 77 (skipped) when the world could not be made for want of root.
set -euo pipefail
scenario=${1:-} world=${2:-} sim=${3:-} out=${4:-}
[[ -n $scenario && -n $world && -n $sim && -n $out ]] ||
    { echo "usage: homes-game.sh SCENARIO WORLD SIM OUT" >&2; exit 2; }

if [[ ! -f $world/world.env ]]; then
    if ((EUID != 0)); then
        echo "homes-game: skipped: the test world needs root (network namespaces)" >&2
        exit 77
    fi
    echo "homes-game: the test world is missing ($world/world.env); its fixture failed" >&2
    exit 1
fi
source "$world/world.env"
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/../../../../testsupport/fixture-daemons.sh"
rm -rf "$out"
mkdir -p "$out"

fail() { echo "homes-game $scenario: $*" >&2; exit 1; }

pids=()
cleanup() {
    local p
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
}
trap cleanup EXIT

# start NAME NS ARGS...: runs the simulator in namespace NS (empty: here),
# its standard error to OUT/NAME.err through a pipe that waitfor reads.
start() {
    local name=$1 ns=$2
    shift 2
    mkfifo "$out/$name.pipe"
    if [[ -n $ns ]]; then
        ip netns exec "$ns" "$sim" "$@" --trace "$out/$name.trace" 2>"$out/$name.pipe" &
    else
        "$sim" "$@" --trace "$out/$name.trace" 2>"$out/$name.pipe" &
    fi
    pids+=($!)
    eval "pid_$name=$!"
    exec {fd}<"$out/$name.pipe"
    eval "fd_$name=$fd"
}

# waitfor NAME PREFIX: reads NAME's standard error up to a line holding
# PREFIX (at its start, or after the program's name) and prints the rest of
# that line; fails when the program ends first. drain then copies the rest
# of its output on in the background.
waitfor() {
    local name=$1 prefix=$2 fd line
    fd=$(eval "echo \$fd_$name")
    while IFS= read -r -t 60 line <&"$fd"; do
        printf '%s\n' "$line" >>"$out/$name.err"
        if [[ $line == "$prefix"* || $line == "varenta-sim: $prefix"* ]]; then
            printf '%s\n' "${line#*"$prefix"}"
            return 0
        fi
    done
    cat "$out/$name.err" >&2
    fail "$name never said \"$prefix\""
}

drain() {
    local fd
    fd=$(eval "echo \$fd_$1")
    cat <&"$fd" >>"$out/$1.err" &
    pids+=($!)
}

# finish NAME: waits for NAME's end; fails unless it ended well.
finish() {
    local pid status=0
    pid=$(eval "echo \$pid_$1")
    wait "$pid" || status=$?
    if ((status != 0)); then
        cat "$out/$1.err" >&2 || true
        fail "$1 ended with status $status"
    fi
}

# refused NAME TEXT: NAME must end with status 1, having said TEXT.
refused() {
    local pid status=0
    pid=$(eval "echo \$pid_$1")
    wait "$pid" || status=$?
    ((status == 1)) || { cat "$out/$1.err" >&2; fail "$1 ended with status $status, not 1"; }
    grep -q "$2" "$out/$1.err" || { cat "$out/$1.err" >&2; fail "$1 did not say \"$2\""; }
}

# reference SEED_LISTEN SEED_CONNECT: the same game over loopback, as
# OUT/reflisten.trace and OUT/refconnect.trace.
reference() {
    local port
    start reflisten "" --listen 0 --seed "$1"
    port=$(waitfor reflisten "varenta-sim: listening on 127.0.0.1:")
    drain reflisten
    start refconnect "" --connect "127.0.0.1:$port" --seed "$2"
    drain refconnect
    finish refconnect
    finish reflisten
}

# same_game NAME REF: NAME's trace is REF's, line for line, and a whole game
# (the comment lines of cuts and resumes left out).
same_game() {
    [[ $(wc -l <"$out/$1.trace") -gt 100 ]] || fail "$1 played almost nothing"
    tail -n 1 "$out/$1.trace" | grep -q '^GAMEOVER ' || fail "$1 did not play a whole game"
    grep -v '^#' "$out/$1.trace" | diff -u "$out/$2.trace" - >&2 ||
        fail "$1's game is not the loopback game"
}

case $scenario in
upnp-router)
    reference 11 12
    start a "$NS_A" --listen 31415 --stun "$STUN" --map-port --seed 11
    public=$(waitfor a "public address: ")
    [[ $public == "$PUBLIC_A" ]] || fail "home A learnt the public address $public, not $PUBLIC_A"
    mapped=$(waitfor a "mapped address: ")
    [[ ${mapped%% *} == "$PUBLIC_A:31415" ]] ||
        fail "home A's router mapped $mapped, not $PUBLIC_A:31415"
    drain a
    start b "$NS_B" --connect "$PUBLIC_A:31415" --stun "$STUN" --seed 12
    public=$(waitfor b "public address: ")
    [[ $public == "$PUBLIC_B" ]] || fail "home B learnt the public address $public, not $PUBLIC_B"
    drain b
    finish b
    finish a
    same_game a reflisten
    same_game b refconnect
    # The mapping went with the program.
    if ip netns exec "$NS_RA" nft list table inet filter | grep -q 'dport 31415'; then
        ip netns exec "$NS_RA" nft list table inet filter >&2
        fail "router A still forwards the game port"
    fi
    ;;
ipv6-pinhole)
    reference 21 22
    start a "$NS_A" --listen 31415 --map-port --seed 21
    hole=$(waitfor a "pinhole: ")
    [[ $hole == "[$A_V6]:31415" ]] || fail "home A's router opened $hole, not [$A_V6]:31415"
    drain a
    start b "$NS_B" --connect "[$A_V6]:31415" --seed 22
    drain b
    finish b
    finish a
    same_game a reflisten
    same_game b refconnect
    if ip netns exec "$NS_RA" nft list chain inet filter miniupnpd | grep -q 'dport 31415'; then
        ip netns exec "$NS_RA" nft list chain inet filter miniupnpd >&2
        fail "router A's firewall still lets partners in"
    fi
    ;;
no-mapping)
    start c "$NS_C" --listen 31415 --stun "$STUN" --map-port --seed 1
    public=$(waitfor c "public address: ")
    [[ $public == "$PUBLIC_C" ]] || fail "home C learnt the public address $public, not $PUBLIC_C"
    drain c
    refused c "the router opened no way in"
    ;;
turn-relay | turn-relay-tls)
    if ! "$sim" --help | grep -q -- '--turn'; then
        echo "homes-game turn-relay: skipped: this varenta-sim has no --turn (no relay client)" >&2
        exit 77
    fi
    relay=(--turn "$TURN")
    if [[ $scenario == turn-relay-tls ]]; then
        relay=(--turn "$TURN_TLS" --turn-tls --turn-trust "$TURN_CA")
    fi
    reference 31 32
    start c "$NS_C" --listen 31415 "${relay[@]}" --turn-user "$TURN_USER" \
        --turn-password "$TURN_PASSWORD" --turn-peer "$PUBLIC_B" --seed 31
    relayed=$(waitfor c "relayed address: ")
    [[ ${relayed%:*} == "${TURN%:*}" ]] || fail "the relayed address $relayed is not the relay's"
    drain c
    start b "$NS_B" --connect "$relayed" --seed 32
    drain b
    finish b
    finish c
    same_game c reflisten
    same_game b refconnect
    ;;
turn-relay-resume)
    if ! "$sim" --help | grep -q -- '--turn'; then
        echo "homes-game $scenario: skipped: this varenta-sim has no --turn (no relay client)" >&2
        exit 77
    fi
    reference 61 62
    start c "$NS_C" --listen 31415 --turn "$TURN" --turn-user "$TURN_USER" \
        --turn-password "$TURN_PASSWORD" --turn-peer "$PUBLIC_B" --seed 61 \
        --resume --drop-after 25,290
    relayed=$(waitfor c "relayed address: ")
    drain c
    start b "$NS_B" --connect "$relayed" --seed 62 --resume --drop-after 150
    drain b
    finish b
    finish c
    cuts=$(cat "$out/c.trace" "$out/b.trace" | grep -c '^# cut after move ' || true)
    resumes=$(cat "$out/c.trace" "$out/b.trace" | grep -c '^# resumed after move ' || true)
    ((cuts == 3 && resumes == 6)) ||
        fail "$cuts cuts and $resumes resumes, not 3 cuts each resumed on both sides"
    same_game c reflisten
    same_game b refconnect
    ;;
turn-relay-one-game)
    if ! "$sim" --help | grep -q -- '--turn'; then
        echo "homes-game $scenario: skipped: this varenta-sim has no --turn (no relay client)" >&2
        exit 77
    fi
    reference 41 42
    # The players' configuration as printed (read from the file: no -n,
    # which would make coturn ignore it), with the world's address, user and
    # files given on the command line (the page's user and log file left
    # out: the file's log file would win over the command line's); a port of
    # its own beside the world's relay (which holds 3478 and, for the
    # alternative, 3479).
    relay_configuration "$here/../../../../docs/relay.md" "One game at a time" \
        "$out/players.conf" || fail "docs/relay.md has no relay for one game at a time"
    grep -v '^user=\|^log-file=' "$out/players.conf" >"$out/turnserver.conf"
    grep -qx 'min-port=31415' "$out/turnserver.conf" && grep -qx 'max-port=31415' \
        "$out/turnserver.conf" || fail "the one-game relay does not hand out port 31415 alone"
    relay_ip=${TURN%:*}
    ip netns exec "$NS_NET" turnserver -c "$out/turnserver.conf" \
        --user="$TURN_USER:$TURN_PASSWORD" --realm=one-game.test --listening-ip="$relay_ip" \
        --listening-port=3490 --relay-ip="$relay_ip" --db="$out/turndb" \
        --pidfile="$out/turnserver.pid" --log-file="$out/turnserver.log" --no-stdout-log \
        </dev/null >"$out/turnserver.out" 2>&1 &
    pids+=($!)
    one_game=$!
    for _ in $(seq 100); do
        ip netns exec "$NS_NET" ss -Hltn "sport = :3490" | grep -q . && break
        sleep 0.1
    done
    kill -0 "$one_game" 2>/dev/null && ip netns exec "$NS_NET" ss -Hltn "sport = :3490" | grep -q . ||
        { cat "$out/turnserver.out" >&2; fail "the one-game relay did not start"; }
    one=$relay_ip:3490
    start c "$NS_C" --listen 31415 --turn "$one" --turn-user "$TURN_USER" \
        --turn-password "$TURN_PASSWORD" --turn-peer "$PUBLIC_B" --seed 41
    relayed=$(waitfor c "relayed address: ")
    [[ $relayed == "$relay_ip:31415" ]] || fail "the relayed address is $relayed, not $relay_ip:31415"
    drain c
    # The one port is taken: a second game is refused with the relay's reason.
    start d "$NS_A" --listen 31415 --turn "$one" --turn-user "$TURN_USER" \
        --turn-password "$TURN_PASSWORD" --turn-peer "$PUBLIC_B" --seed 43
    waitfor d "seed 43, hand 1: " >/dev/null
    refused d "refused to relay (error 508"
    start b "$NS_B" --connect "$relay_ip" --seed 42
    drain b
    finish b
    finish c
    same_game c reflisten
    same_game b refconnect
    ;;
firewall)
    unasked() {
        ip netns exec "$NS_RA" nft list counter inet filter unasked |
            grep -o 'packets [0-9]*' | cut -d' ' -f2
    }
    start a "$NS_A" --listen 31415 --seed 1
    waitfor a "varenta-sim: listening on 127.0.0.1:" >/dev/null
    drain a
    before=$(unasked)
    for target in "$A_V6" "$PUBLIC_A"; do
        if ip netns exec "$NS_B" bash -c "exec 3<>/dev/tcp/$target/31415" 2>/dev/null; then
            fail "home B reached home A at $target without being let in"
        fi
    done
    after=$(unasked)
    ((after == before + 1)) ||
        fail "router A's firewall refused $((after - before)) connections, not the one over IPv6"
    ip netns exec "$NS_RA" bash -c "exec 3<>/dev/tcp/$A_V6/31415" ||
        fail "home A does not listen where home B was refused"
    ;;
*)
    echo "homes-game: unknown scenario $scenario" >&2
    exit 2
    ;;
esac
echo "homes-game $scenario: passed"
