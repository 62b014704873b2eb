#!/usr/bin/env bash
# turn-server.sh start DIR | stop DIR
#
# A private relay server for the tests: Debian's coturn with long-term
# credentials (user varenta, password relay-secret, realm varenta.test) and
# TCP relaying on 127.0.0.1, loopback peers allowed, with its database, pid
# file and log all in a private folder below /tmp that DIR links to. The
# listening port is picked from DIR's name (another one when it is taken)
# and written to DIR/port; the relayed ports come from a range of 200 picked
# the same way.
set -euo pipefail
cmd=${1:-} dir=${2:-}
[[ -n $cmd && -n $dir ]] || { echo "usage: turn-server.sh start|stop DIR" >&2; exit 2; }

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
*) echo "usage: turn-server.sh start|stop DIR" >&2; exit 2 ;;
esac

close_inherited_descriptors

command -v turnserver >/dev/null || {
    echo "turn-server.sh: turnserver is missing; ./setup.sh test installs coturn" >&2
    exit 1
}
hash=$(printf '%s' "$dir" | cksum | cut -d' ' -f1)
dir=$(private_server_dir "$dir")
stop
rm -f "$dir/port" "$dir/turnserver.log" "$dir/turndb"

# A TCP port nobody listens on: nothing bound to it in /proc/net/tcp.
tcp_free() {
    local hex
    hex=$(printf '%04X' "$1")
    ! awk 'NR > 1 { split($2, a, ":"); print a[2] }' /proc/net/tcp /proc/net/udp |
        grep -qx "$hex"
}
port=0
for attempt in $(seq 0 20); do
    candidate=$((30000 + (hash + attempt * 7919) % 4000 * 2))
    if tcp_free "$candidate"; then port=$candidate; break; fi
done
((port)) || { echo "turn-server.sh: no free port found" >&2; exit 1; }
relay_low=$((50000 + hash % 70 * 200))

setsid turnserver -n --lt-cred-mech --user=varenta:relay-secret --realm=varenta.test \
    --no-tls --no-dtls --no-cli --no-rfc5780 --allow-loopback-peers \
    --listening-ip=127.0.0.1 --relay-ip=127.0.0.1 --listening-port="$port" \
    --min-port="$relay_low" --max-port=$((relay_low + 199)) --db="$dir/turndb" \
    --pidfile="$dir/turnserver.pid" --log-file="$dir/turnserver.log" --simple-log \
    --no-stdout-log </dev/null >"$dir/turnserver.out" 2>&1 &
echo $! >"$dir/turnserver.pid"

# Ready when it takes a TCP connection (bash's own socket).
for _ in $(seq 100); do
    if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
        echo "$port" >"$dir/port"
        exit 0
    fi
    kill -0 "$(cat "$dir/turnserver.pid")" 2>/dev/null || break
    sleep 0.1
done
echo "turn-server.sh: turnserver did not start; see $dir/turnserver.log" >&2
cat "$dir/turnserver.out" >&2 || true
stop
exit 1
