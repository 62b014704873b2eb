# Sourced by the test fixtures that start private servers (mail-servers.sh,
# stun-server.sh): what every such fixture does the same way.

# stop_daemons PID...: asks them to end, gives them ten seconds, then kills
# what is left.
stop_daemons() {
    local p alive
    for p in "$@"; do kill "$p" 2>/dev/null || true; done
    for _ in $(seq 100); do
        alive=0
        for p in "$@"; do kill -0 "$p" 2>/dev/null && alive=1; done
        ((alive)) || break
        sleep 0.1
    done
    for p in "$@"; do kill -9 "$p" 2>/dev/null || true; done
}

# The daemons outlive the fixture: they must not hold on to the pipes of
# whoever started it (ctest waits for those to close), so every inherited
# descriptor beyond the standard three is closed and the daemons get files.
close_inherited_descriptors() {
    local fd
    for fd in /proc/$$/fd/*; do
        fd=${fd##*/}
        # 255 is the shell's own copy of the script.
        ((fd > 2 && fd != 255)) && eval "exec $fd>&-" 2>/dev/null || true
    done
}

# private_server_dir DIR: prints the folder the servers keep their files in,
# a fresh one below /tmp that every user may enter, and makes DIR a link to
# it. The servers drop their privileges, and a build folder below a home
# only its owner can enter (0700, /root) is out of their users' reach.
private_server_dir() {
    local dir=$1 real=
    if [[ -L $dir ]]; then
        real=$(readlink -f "$dir")
        [[ -d $real ]] || real=
    fi
    if [[ -z $real ]]; then
        rm -rf "$dir"
        mkdir -p "$(dirname "$dir")"
        real=$(mktemp -d /tmp/cardgames-servers.XXXXXX)
        chmod 755 "$real"
        ln -sfn "$real" "$dir"
    fi
    printf '%s\n' "$real"
}

# remove_server_dir DIR: the folder private_server_dir made, and the link.
remove_server_dir() {
    local dir=$1
    if [[ -L $dir ]]; then
        rm -rf "$(readlink -f "$dir")"
        rm -f "$dir"
    fi
}

# relay_configuration DOCS FIRST OUT: the relay configuration block of
# docs/relay.md that begins with the comment line "# FIRST...", as printed
# there (up to its log-file line), without the page's indentation, to OUT.
# Fails when the page has no such block.
relay_configuration() {
    local docs=$1 first=$2 out=$3
    sed -n "/^    # $first/,/^    log-file=/s/^    //p" "$docs" >"$out"
    grep -q '^lt-cred-mech' "$out"
}
