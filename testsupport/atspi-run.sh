#!/usr/bin/env bash
# atspi-run.sh PROGRAM BINARY: starts the window program under a private X
# server with its own D-Bus session and accessibility bus, and reads it with
# atspi_table.py. Everything it starts is stopped when it ends.
set -euo pipefail
program=$1 binary=$2
here=$(cd "$(dirname "$0")" && pwd)
for need in /usr/libexec/at-spi-bus-launcher dbus-run-session Xvfb; do
    command -v "$need" >/dev/null || [[ -x $need ]] || { echo "SKIP: $need missing"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi missing"; exit 77; }

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export SDL_AUDIODRIVER=dummy QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
export QT_QPA_PLATFORM=xcb
# The program is stopped from outside; what it leaves allocated is no finding.
export ASAN_OPTIONS=${ASAN_OPTIONS:-}:detect_leaks=0

exec dbus-run-session -- bash -c '
    set -euo pipefail
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$HOME/display" &
    for _ in $(seq 100); do [[ -s $HOME/display ]] && break; sleep 0.05; done
    export DISPLAY=:$(cat "$HOME/display")
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    "$1" >"$HOME/program.log" 2>&1 &
    status=0
    /usr/bin/python3 "$2/atspi_table.py" "$3" || status=$?
    [[ $status -eq 0 ]] || { echo "--- program output"; cat "$HOME/program.log"; }
    # The X server is waited for: the next test must not find it still
    # shutting down on the display it will be given.
    kill $(jobs -p) 2>/dev/null || true
    wait 2>/dev/null || true
    exit $status
' atspi "$binary" "$here" "$program"
