#!/usr/bin/env bash
# Run by run-bench.sh under xvfb-run, with private XDG folders: prints one
# line per program (bare window, varenta, kiv) as startup-probe prints it,
# "- - - - -" for a program that showed no window. The three take turns.
set -uo pipefail
build=$1
# Kiv's very first start shows a notice before its window; answer it once
# so that the timed starts show the window itself.
"$build/kiv/app/kiv" >/dev/null 2>&1 &
kiv=$!
for _ in $(seq 50); do
    sleep 0.2
    [[ -f $XDG_CONFIG_HOME/kiv/kiv32.ini ]] && break
    xdotool key Return >/dev/null 2>&1
done
kill -KILL "$kiv" 2>/dev/null
wait "$kiv" 2>/dev/null
# Varenta's table and music come after its two-second splash window, so the
# memory is read five seconds after the first window.
lines=$("$build/bench/startup-probe" --runs "${STARTUP_RUNS:-11}" --settle-ms 5000 \
    -- "$build/bench/bare-window" -- "$build/varenta/app/varenta" -- "$build/kiv/app/kiv")
# Without a display the probe measures nothing at all.
if [[ $(grep -c . <<<"$lines") -ne 3 ]]; then
    lines=$(printf -- '- - - - -\n%.0s' 1 2 3)
fi
echo "$lines"
