#!/usr/bin/env bash
# stun-server.sh start DIR | stop DIR
#
# A private STUN server for the nat tests: Debian's coturn in STUN-only mode
# on 127.0.0.1, with its database, pid file and log all in a private folder
# below /tmp that DIR links to. The port is picked from DIR's name (another
# one when it is taken) and written to DIR/port. Needs the Debian package coturn, installed with its system
# service stopped and disabled (setup.sh).
set -euo pipefail
cmd=${1:-} dir=${2:-}
[[ -n $cmd && -n $dir ]] || { echo "usage: stun-server.sh start|stop DIR" >&2; exit 2; }

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
*) echo "usage: stun-server.sh start|stop DIR" >&2; exit 2 ;;
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

# A UDP port nobody uses: nothing bound to it in /proc/net/udp.
udp_free() {
    local hex
    hex=$(printf '%04X' "$1")
    ! awk 'NR > 1 { split($2, a, ":"); print a[2] }' /proc/net/udp | grep -qx "$hex"
}
port=0
for attempt in $(seq 0 20); do
    candidate=$((40000 + (hash + attempt * 7919) % 5000 * 2))
    if udp_free "$candidate"; then port=$candidate; break; fi
done
((port)) || { echo "stun-server.sh: no free port found" >&2; exit 1; }

setsid turnserver -n --stun-only --no-auth --no-tls --no-dtls --no-cli --no-rfc5780 \
    --listening-ip=127.0.0.1 --listening-port="$port" --db="$dir/turndb" \
    --pidfile="$dir/turnserver.pid" --log-file="$dir/turnserver.log" --simple-log \
    --no-stdout-log </dev/null >"$dir/turnserver.out" 2>&1 &
echo $! >"$dir/turnserver.pid"

# Ready when it answers a Binding request (bash's own UDP socket; the
# first two bytes of a success answer are 01 01).
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
