#!/usr/bin/env bash
# homes-world.sh start DIR | stop DIR | check-clean DIR
#
# A small Internet with homes in it, made of network namespaces, veth pairs
# and nftables, for the network-play tests (label homes):
#
#   home A (192.168.1.2, 2001:db8:a::2) -- router A -----+
#     router A masquerades, runs a private miniupnpd    |
#     (UPnP IGD with IPv6 firewall control, NAT-PMP/PCP) |
#   home B (192.168.2.2, 2001:db8:b::2) -- router B -----+-- the Internet
#     router B masquerades and maps nothing              |   (STUN and TURN
#   home C (100.64.0.2) -- carrier NAT ------------------+    at 198.51.100.1)
#
# The routers' WAN addresses are 203.0.113.2 (A), .6 (B) and .10 (the
# carrier). Every router drops inbound connections nobody asked for, IPv4
# and IPv6 alike. No namespace has a link to the machine's own network, so
# nothing leaves; every address is a documentation or private one.
#
# The namespaces' names begin with a prefix made from DIR, so two build
# folders never share them; DIR/world.env names them and the addresses for
# the tests. The daemons keep their files in a private folder below /tmp
# (DIR links to it, as the other fixtures do). `stop` ends the daemons and
# removes every namespace (with its veths and nftables tables), also after a
# start that failed half-way; `check-clean` fails when anything is left.
#
# Needs root, iproute2, nftables, coturn and miniupnpd (setup.sh installs
# them with their system services stopped and disabled). Without root the
# world cannot be made: exit 77, which the tests report as skipped.
set -euo pipefail
cmd=${1:-} dir=${2:-}
usage() { echo "usage: homes-world.sh start|stop|check-clean DIR" >&2; exit 2; }
[[ -n $cmd && -n $dir ]] || usage

source "$(dirname "${BASH_SOURCE[0]}")/fixture-daemons.sh"

# The prefix from the build folder's name (the link's, before it is made).
dir=$(realpath -ms "$dir")
prefix=cg$(printf '%s' "$dir" | cksum | cut -d' ' -f1 | xargs printf '%08x' | cut -c1-6)
NS_NET=$prefix-net NS_RA=$prefix-ra NS_A=$prefix-a NS_RB=$prefix-rb NS_B=$prefix-b
NS_CGN=$prefix-cgn NS_C=$prefix-c
ALL_NS=("$NS_A" "$NS_B" "$NS_C" "$NS_RA" "$NS_RB" "$NS_CGN" "$NS_NET")

STUN_IP=198.51.100.1
STUN_IP2=198.51.100.2 # the second address lets miniupnpd's STUN check see a full cone
STUN_IP6=2001:db8:ffff::1
TURN_USER=varenta TURN_PASSWORD=homes-relay TURN_REALM=homes.test

own_namespaces() {
    ip netns list 2>/dev/null | awk '{ print $1 }' | grep -E "^$prefix-" || true
}

# Processes of the world: the daemons by their pid files, and anything still
# running inside one of its namespaces (a test's program that was left).
world_processes() {
    local ns pid f
    for f in "$dir"/*.pid; do
        [[ -f $f ]] || continue
        pid=$(cat "$f" 2>/dev/null || true)
        [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null && echo "$pid"
    done
    for ns in $(own_namespaces); do
        ip netns pids "$ns" 2>/dev/null || true
    done
}

stop_world() {
    local pids
    pids=$(world_processes | sort -u)
    # shellcheck disable=SC2086
    [[ -z $pids ]] || stop_daemons $pids
    rm -f "$dir"/*.pid
    local ns
    for ns in $(own_namespaces); do
        ip netns delete "$ns" 2>/dev/null || true
    done
}

check_clean() {
    local left=0 ns pids
    for ns in $(own_namespaces); do
        echo "homes-world: namespace $ns is left" >&2
        left=1
    done
    pids=$(world_processes | sort -u)
    if [[ -n $pids ]]; then
        echo "homes-world: processes are left: $pids" >&2
        left=1
    fi
    return $left
}

case $cmd in
stop)
    if [[ -L $dir || -d $dir ]]; then
        real=$(readlink -f "$dir")
        dir=$real
    fi
    stop_world
    check_clean
    remove_server_dir "${2}"
    exit 0
    ;;
check-clean)
    dir=$(readlink -f "$dir")
    check_clean
    exit
    ;;
start) ;;
*) usage ;;
esac

if ((EUID != 0)); then
    echo "homes-world: the test world needs root (network namespaces); not made" >&2
    exit 77
fi
for tool in ip nft turnserver miniupnpd; do
    command -v "$tool" >/dev/null || {
        echo "homes-world: $tool is missing; ./setup.sh test installs it" >&2
        exit 1
    }
done
if ! ip netns add "$prefix-probe" 2>/dev/null; then
    echo "homes-world: network namespaces cannot be made here; not made" >&2
    exit 77
fi
ip netns delete "$prefix-probe"

close_inherited_descriptors
link=$2
real=$(private_server_dir "$link")
dir=$real
stop_world # what a killed earlier run left
rm -f "$dir"/*.log "$dir"/*.out "$dir"/*.conf "$dir"/world.env "$dir"/turndb "$dir"/leases*

# Whatever fails from here on takes the half-made world down with it.
started=0
trap '((started)) || { stop_world; }' EXIT

inns() {
    local ns=$1
    shift
    ip netns exec "$ns" "$@"
}

for ns in "${ALL_NS[@]}"; do
    ip netns add "$ns"
    ip -n "$ns" link set lo up
    # Addresses are used at once (no duplicate detection to wait for), and
    # no router advertisement from anywhere changes the routes.
    inns "$ns" sysctl -qw net.ipv6.conf.all.accept_dad=0 net.ipv6.conf.default.accept_dad=0 \
        net.ipv6.conf.all.accept_ra=0 net.ipv6.conf.default.accept_ra=0
done
for ns in "$NS_NET" "$NS_RA" "$NS_RB" "$NS_CGN"; do
    inns "$ns" sysctl -qw net.ipv4.ip_forward=1 net.ipv6.conf.all.forwarding=1
done

# link NS_X IF_X NS_Y IF_Y: a veth pair between two namespaces, both ends up.
link() {
    ip link add "$2" netns "$1" type veth peer name "$4" netns "$3"
    ip -n "$1" link set "$2" up
    ip -n "$3" link set "$4" up
}
addr() { ip -n "$1" addr add "$3" dev "$2" nodad 2>/dev/null || ip -n "$1" addr add "$3" dev "$2"; }

# The Internet: the servers' addresses, and a link to each router.
ip -n "$NS_NET" addr add "$STUN_IP/32" dev lo
ip -n "$NS_NET" addr add "$STUN_IP2/32" dev lo
ip -n "$NS_NET" addr add "$STUN_IP6/128" dev lo
link "$NS_NET" to-ra "$NS_RA" wan0
link "$NS_NET" to-rb "$NS_RB" wan0
link "$NS_NET" to-cgn "$NS_CGN" wan0
addr "$NS_NET" to-ra 203.0.113.1/30
addr "$NS_NET" to-rb 203.0.113.5/30
addr "$NS_NET" to-cgn 203.0.113.9/30
addr "$NS_NET" to-ra 2001:db8:ffff:a::1/64
addr "$NS_NET" to-rb 2001:db8:ffff:b::1/64
ip -n "$NS_NET" -6 route add 2001:db8:a::/64 via 2001:db8:ffff:a::2
ip -n "$NS_NET" -6 route add 2001:db8:b::/64 via 2001:db8:ffff:b::2

# router NS WAN4 GATEWAY4 WAN6 GATEWAY6 LAN4 LAN6: a home router's addresses
# and routes.
router() {
    addr "$1" wan0 "$2"
    ip -n "$1" route add default via "$3"
    if [[ -n $4 ]]; then
        addr "$1" wan0 "$4"
        ip -n "$1" -6 route add default via "$5"
    fi
    addr "$1" lan0 "$6"
    [[ -z $7 ]] || addr "$1" lan0 "$7"
}
# home NS ROUTER V4/LEN GATEWAY4 V6 GATEWAY6
home() {
    link "$2" lan0 "$1" eth0
    addr "$1" eth0 "$3"
    ip -n "$1" route add default via "$4"
    if [[ -n $5 ]]; then
        addr "$1" eth0 "$5"
        ip -n "$1" -6 route add default via "$6"
    fi
}
home "$NS_A" "$NS_RA" 192.168.1.2/24 192.168.1.1 2001:db8:a::2/64 2001:db8:a::1
home "$NS_B" "$NS_RB" 192.168.2.2/24 192.168.2.1 2001:db8:b::2/64 2001:db8:b::1
home "$NS_C" "$NS_CGN" 100.64.0.2/10 100.64.0.1 "" ""
router "$NS_RA" 203.0.113.2/30 203.0.113.1 2001:db8:ffff:a::2/64 2001:db8:ffff:a::1 192.168.1.1/24 2001:db8:a::1/64
router "$NS_RB" 203.0.113.6/30 203.0.113.5 2001:db8:ffff:b::2/64 2001:db8:ffff:b::1 192.168.2.1/24 2001:db8:b::1/64
router "$NS_CGN" 203.0.113.10/30 203.0.113.9 "" "" 100.64.0.1/10 ""

# firewall NS: what every router does. Out of the home anything goes
# (masqueraded on IPv4); into it only answers, ICMP, and what miniupnpd's
# chains let through (router A fills them; elsewhere they stay empty). An
# unasked TCP connection is counted (the counter "unasked") and refused at
# once, so a test sees it blocked without waiting for a time-out.
firewall() {
    inns "$1" nft -f - <<EOF
table inet filter {
    counter unasked { }
    chain forward {
        type filter hook forward priority 0; policy drop;
        ct state established,related accept
        ct state invalid drop
        iifname "lan0" oifname "wan0" accept
        meta l4proto { icmp, ipv6-icmp } accept
        jump miniupnpd
        iifname "wan0" meta l4proto tcp counter name "unasked" reject with tcp reset
    }
    chain miniupnpd { }
    chain prerouting {
        type nat hook prerouting priority -100; policy accept;
        jump prerouting_miniupnpd
    }
    chain postrouting {
        type nat hook postrouting priority 100; policy accept;
        jump postrouting_miniupnpd
        meta nfproto ipv4 oifname "wan0" masquerade
    }
    chain prerouting_miniupnpd { }
    chain postrouting_miniupnpd { }
}
EOF
}
firewall "$NS_RA"
firewall "$NS_RB"
firewall "$NS_CGN"

# STUN and TURN on the Internet: long-term credentials for the relay; the
# binding requests need none. Two addresses, so that a client can test
# whether its NAT keeps the mapping for other senders. TURN over TLS as
# well, on 5349, with a certificate for the server's address signed by the
# world's own authority (ca.pem).
if [[ ! -f $dir/relay.pem ]]; then
    openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -subj "/CN=Homes test authority" \
        -keyout "$dir/ca.key" -out "$dir/ca.pem" 2>/dev/null
    openssl req -newkey rsa:2048 -nodes -subj "/CN=$STUN_IP" -keyout "$dir/relay.key" \
        -out "$dir/relay.csr" 2>/dev/null
    printf 'subjectAltName=IP:%s\n' "$STUN_IP" >"$dir/relay.ext"
    openssl x509 -req -in "$dir/relay.csr" -CA "$dir/ca.pem" -CAkey "$dir/ca.key" \
        -CAcreateserial -days 3650 -extfile "$dir/relay.ext" -out "$dir/relay.pem" 2>/dev/null
    chmod 600 "$dir"/*.key
fi
inns "$NS_NET" setsid turnserver -n --lt-cred-mech --user="$TURN_USER:$TURN_PASSWORD" \
    --realm="$TURN_REALM" --tls-listening-port=5349 --cert="$dir/relay.pem" \
    --pkey="$dir/relay.key" --no-dtls --no-cli \
    --listening-ip="$STUN_IP" --listening-ip="$STUN_IP2" --listening-ip="$STUN_IP6" \
    --relay-ip="$STUN_IP" --listening-port=3478 --min-port=49152 --max-port=49999 \
    --db="$dir/turndb" --pidfile="$dir/turnserver-file.pid" \
    --log-file="$dir/turnserver.log" --simple-log --no-stdout-log \
    </dev/null >"$dir/turnserver.out" 2>&1 &
echo $! >"$dir/turnserver.pid"

# Ready when it answers a Binding request from router A's side of the world.
stun_answers() {
    inns "$NS_RA" bash -c '
        exec 3<>/dev/udp/'"$STUN_IP"'/3478 || exit 1
        printf "\x00\x01\x00\x00\x21\x12\xa4\x42abcdefghijkl" >&3
        IFS= read -r -t 0.2 -N 2 reply <&3 2>/dev/null || true
        [[ $reply == $'"'"'\x01\x01'"'"' ]]' 2>/dev/null
}
for _ in $(seq 100); do
    stun_answers && break
    kill -0 "$(cat "$dir/turnserver.pid")" 2>/dev/null || break
    sleep 0.1
done
stun_answers || {
    echo "homes-world: turnserver did not start; see $dir/turnserver.log" >&2
    cat "$dir/turnserver.out" >&2 || true
    exit 1
}

# Router A's miniupnpd. Its WAN address is a documentation one, which it
# would take for a NAT's inside; its STUN check against the Internet's
# server shows it is reachable as it is.
cat >"$dir/miniupnpd.conf" <<EOF
ext_ifname=wan0
ext_ifname6=wan0
listening_ip=lan0
ext_perform_stun=yes
ext_stun_host=$STUN_IP
ext_stun_port=3478
enable_upnp=yes
enable_natpmp=yes
ipv6_disable=no
force_igd_desc_v1=no
secure_mode=yes
system_uptime=yes
lease_file=$dir/leases
lease_file6=$dir/leases6
uuid=8c7e5f1a-5b0e-4f6e-9a3d-$(printf '%s' "$prefix" | od -An -tx1 | tr -d ' \n' | cut -c1-12)
allow 1024-65535 192.168.1.0/24 1024-65535
deny 0-65535 0.0.0.0/0 0-65535
EOF
inns "$NS_RA" setsid miniupnpd -d -f "$dir/miniupnpd.conf" -P "$dir/miniupnpd-file.pid" \
    </dev/null >"$dir/miniupnpd.log" 2>&1 &
echo $! >"$dir/miniupnpd.pid"
for _ in $(seq 100); do
    grep -q 'Listening for NAT-PMP' "$dir/miniupnpd.log" 2>/dev/null && break
    kill -0 "$(cat "$dir/miniupnpd.pid")" 2>/dev/null || break
    sleep 0.1
done
if ! grep -q 'Port forwarding is now enabled' "$dir/miniupnpd.log" ||
    ! grep -q 'Listening for NAT-PMP' "$dir/miniupnpd.log"; then
    echo "homes-world: miniupnpd did not start with port forwarding; its log:" >&2
    grep -v table_cb "$dir/miniupnpd.log" | tail -20 >&2 || true
    exit 1
fi

cat >"$dir/world.env" <<EOF
NS_NET=$NS_NET
NS_RA=$NS_RA
NS_A=$NS_A
NS_RB=$NS_RB
NS_B=$NS_B
NS_CGN=$NS_CGN
NS_C=$NS_C
A_V4=192.168.1.2
A_V6=2001:db8:a::2
B_V4=192.168.2.2
B_V6=2001:db8:b::2
C_V4=100.64.0.2
PUBLIC_A=203.0.113.2
PUBLIC_B=203.0.113.6
PUBLIC_C=203.0.113.10
STUN=$STUN_IP:3478
TURN=$STUN_IP:3478
TURN_TLS=$STUN_IP:5349
TURN_CA=$dir/ca.pem
TURN_USER=$TURN_USER
TURN_PASSWORD=$TURN_PASSWORD
EOF
started=1
echo "homes-world: made (namespaces $prefix-*)"
