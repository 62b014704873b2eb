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
# name as well; and TURN over TLS on the next port (written to
# DIR/tls-port) with a certificate for 127.0.0.1 only, signed by the test's
# own authority (DIR/ca.pem; DIR/other-ca.pem is an authority that signed
# nothing).
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
rm -f "$dir/port" "$dir/tls-port" "$dir/turnserver.log" "$dir/turndb"

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
    if port_free "$candidate" && { [[ $kind != relay ]] || port_free $((candidate + 1)); }; then
        port=$candidate
        break
    fi
done
((port)) || { echo "stun-server.sh: no free port found" >&2; exit 1; }

if [[ $kind == relay ]]; then
    # The players' configuration of docs/relay.md, as printed there, with
    # the TLS lines in place of no-tls and no-dtls as the page says, and with
    # loopback, the test's user and log (instead of the page's) and this folder's
    # ports and files given on the command line (which wins over the file).
    docs="$(dirname "${BASH_SOURCE[0]}")/../../../../docs/relay.md"
    relay_configuration "$docs" "Where players reach the relay" "$dir/players.conf" || {
        echo "stun-server.sh: no relay configuration found in $docs" >&2
        exit 1
    }
    {
        grep -v '^no-tls$\|^no-dtls$\|^user=\|^log-file=' "$dir/players.conf"
        sed -n '/^    # TURN over TLS/,/^    no-dtls/s/^    //p' "$docs"
    } >"$dir/turnserver.conf"
    grep -q '^tls-listening-port' "$dir/turnserver.conf" || {
        echo "stun-server.sh: no TLS configuration found in $docs" >&2
        exit 1
    }
    if [[ ! -f $dir/relay.pem ]]; then
        openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -subj "/CN=Varenta test authority" \
            -keyout "$dir/ca.key" -out "$dir/ca.pem" 2>/dev/null
        openssl req -x509 -newkey rsa:2048 -nodes -days 3650 \
            -subj "/CN=Unrelated test authority" -keyout "$dir/other-ca.key" \
            -out "$dir/other-ca.pem" 2>/dev/null
        openssl req -newkey rsa:2048 -nodes -subj "/CN=127.0.0.1" -keyout "$dir/relay.key" \
            -out "$dir/relay.csr" 2>/dev/null
        printf 'subjectAltName=IP:127.0.0.1\n' >"$dir/relay.ext"
        openssl x509 -req -in "$dir/relay.csr" -CA "$dir/ca.pem" -CAkey "$dir/ca.key" \
            -CAcreateserial -days 3650 -extfile "$dir/relay.ext" -out "$dir/relay.pem" 2>/dev/null
    fi
    chmod 600 "$dir"/*.key
    relay_low=$((50000 + hash % 70 * 200))
    mode=(-c "$dir/turnserver.conf" --user=varenta:relay-secret --realm=varenta.test
        --allow-loopback-peers --relay-ip=127.0.0.1 --min-port="$relay_low"
        --max-port=$((relay_low + 199)) --tls-listening-port=$((port + 1))
        --cert="$dir/relay.pem" --pkey="$dir/relay.key" --no-dtls)
else
    # -n: no configuration file at all, the command line alone.
    mode=(-n --stun-only --no-auth --no-tls --no-dtls)
fi
setsid turnserver "${mode[@]}" --no-cli --no-rfc5780 \
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
        if [[ $kind == relay ]]; then
            # The TLS listener comes up with the plain one; wait for it too.
            for _ in $(seq 100); do
                (exec 3<>"/dev/tcp/127.0.0.1/$((port + 1))") 2>/dev/null && break
                sleep 0.1
            done
            echo $((port + 1)) >"$dir/tls-port"
        fi
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
