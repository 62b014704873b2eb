#!/usr/bin/env bash
# Run by run-bench.sh under xvfb-run, with private XDG folders: prints one
# line per program (bare window, varenta, kiv) as startup-probe prints it,
# "- - - - -" for a program that showed no window.
set -uo pipefail
build=$1
probe() {
    "$build/bench/startup-probe" --runs 5 --settle-ms 2000 -- "$1" || echo "- - - - -"
}
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
probe "$build/bench/bare-window"
probe "$build/varenta/app/varenta"
probe "$build/kiv/app/kiv"
