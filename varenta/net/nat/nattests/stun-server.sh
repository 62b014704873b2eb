#!/usr/bin/env bash
# stun-server.sh start DIR [relay] | stop DIR
#
# A private STUN server for the nat tests: Debian's coturn in STUN-only mode
# on 127.0.0.1, with its database, pid file and log all in a private folder
# below /tmp that DIR links to. The port is picked from DIR's name (another
# one when it is taken) and written to DIR/port. Needs the Debian package coturn, installed with its system
# service stopped and disabled (setup.sh).
#
# With "relay" it is a relay server instead, configured as docs/relay.md
# tells players to: long-term credentials (here user varenta, password
# relay-secret, realm varenta.test), TCP relaying on 127.0.0.1 with loopback
# peers allowed, the relayed ports from a range of 200 picked from DIR's
# name as well.
set -euo pipefail
cmd=${1:-} dir=${2:-} kind=${3:-stun}
usage="usage: stun-server.sh start DIR [relay] | stop DIR"
[[ -n $cmd && -n $dir ]] || { echo "$usage" >&2; exit 2; }

source "$(dirname "${BASH_SOURCE[0]}")/../../../../testsupport/fixture-daemons.sh"

stop() {
    [[ -f $dir/turnserver.pid ]] || return 0
    stop_daemons "$(cat "$dir/turnserver.pid")"
    rm -f "$dir/turnserver.pid"
}

case $cmd in
stop)
    [[ -d $dir ]] && stop
    remove_server_dir "$dir"
    exit 0
    ;;
start) ;;
*) echo "$usage" >&2; exit 2 ;;
esac

close_inherited_descriptors

command -v turnserver >/dev/null || {
    echo "stun-server.sh: turnserver is missing; ./setup.sh test installs coturn" >&2
    exit 1
}
hash=$(printf '%s' "$dir" | cksum | cut -d' ' -f1) # ports by the build folder's name
dir=$(private_server_dir "$dir")
stop
rm -f "$dir/port" "$dir/turnserver.log" "$dir/turndb"

# A port nobody uses: nothing bound to it in /proc/net/udp (nor, for a
# relay, which takes TCP too, in /proc/net/tcp).
port_free() {
    local hex tables=/proc/net/udp
    [[ $kind == relay ]] && tables+=" /proc/net/tcp"
    hex=$(printf '%04X' "$1")
    # shellcheck disable=SC2086
    ! awk 'FNR > 1 { split($2, a, ":"); print a[2] }' $tables | grep -qx "$hex"
}
first=40000
[[ $kind == relay ]] && first=30000
port=0
for attempt in $(seq 0 20); do
    candidate=$((first + (hash + attempt * 7919) % 5000 * 2))
    if port_free "$candidate"; then port=$candidate; break; fi
done
((port)) || { echo "stun-server.sh: no free port found" >&2; exit 1; }

if [[ $kind == relay ]]; then
    # The players' configuration of docs/relay.md, as printed there, with
    # loopback, the test's user and this folder's ports and files given on
    # the command line (which wins over the file).
    docs="$(dirname "${BASH_SOURCE[0]}")/../../../../docs/relay.md"
    relay_configuration "$docs" "Where players reach the relay" "$dir/turnserver.conf" || {
        echo "stun-server.sh: no relay configuration found in $docs" >&2
        exit 1
    }
    relay_low=$((50000 + hash % 70 * 200))
    mode=(-c "$dir/turnserver.conf" --user=varenta:relay-secret --realm=varenta.test
        --allow-loopback-peers --relay-ip=127.0.0.1 --min-port="$relay_low"
        --max-port=$((relay_low + 199)))
else
    mode=(--stun-only --no-auth)
fi
setsid turnserver -n "${mode[@]}" --no-tls --no-dtls --no-cli --no-rfc5780 \
    --listening-ip=127.0.0.1 --listening-port="$port" --db="$dir/turndb" \
    --pidfile="$dir/turnserver.pid" --log-file="$dir/turnserver.log" --simple-log \
    --no-stdout-log </dev/null >"$dir/turnserver.out" 2>&1 &
echo $! >"$dir/turnserver.pid"

# Ready when it answers a Binding request (bash's own UDP socket; the
# first two bytes of a success answer are 01 01). A relay server answers
# one without credentials as well.
answers() {
    local reply=
    exec 3<>"/dev/udp/127.0.0.1/$port" || return 1
    printf '\x00\x01\x00\x00\x21\x12\xa4\x42abcdefghijkl' >&3
    IFS= read -r -t 0.2 -N 2 reply <&3 2>/dev/null || true
    exec 3>&-
    [[ $reply == $'\x01\x01' ]]
}
for _ in $(seq 100); do
    if answers; then
        echo "$port" >"$dir/port"
        exit 0
    fi
    kill -0 "$(cat "$dir/turnserver.pid")" 2>/dev/null || break
    sleep 0.1
done
echo "stun-server.sh: turnserver did not start; see $dir/turnserver.log" >&2
cat "$dir/turnserver.out" >&2 || true
stop
exit 1
