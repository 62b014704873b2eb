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
