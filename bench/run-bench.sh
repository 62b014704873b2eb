#!/usr/bin/env bash
# The benchmark behind `./setup.sh bench`: builds Release in build-bench/,
# runs both simulators at every level, times the first window of a bare Qt 6
# main window, of varenta and of kiv under a private X server, reads their
# memory once they have settled (sound loaded), and prints one table.
#
# Simulator rates are the best of three runs (a busy machine only ever makes
# a run slower); start-up times are the median of five starts after one
# warm-up start. The machine's load is printed with the table: the figures
# mean little while other work runs.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCARDGAMES_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc 2>/dev/null || echo 2)" \
    --target varenta-sim kiv-sim varenta kiv bare-window startup-probe

hands=${BENCH_HANDS:-20000}
rounds=${BENCH_ROUNDS:-300000}

# best_rate FIELD COMMAND...: the highest FIELD of three JSON summaries.
best_rate() {
    local field=$1 best=0 rate
    shift
    for _ in 1 2 3; do
        rate=$("$@" --json | grep -o "\"$field\":[0-9.]*" | cut -d: -f2)
        best=$(awk -v a="$best" -v b="$rate" 'BEGIN { print (b > a ? b : a) }')
    done
    echo "$best"
}

echo "Running the simulators ($hands hands per level, $rounds Kiv rounds)..." >&2
declare -A rate
for level in beginner advanced expert; do
    rate[$level]=$(best_rate hands_per_s "$build/varenta/app/varenta-sim" \
        --level "$level" --hands "$hands" --seed 1)
done
rate[kiv]=$(best_rate rounds_per_s "$build/kiv/app/kiv-sim" --rounds "$rounds")

echo "Timing the first windows..." >&2
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/config" "$home/data" "$home/runtime"
chmod 700 "$home/runtime"
startup=$(XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
    XDG_RUNTIME_DIR="$home/runtime" SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} \
    xvfb-run -a -s "-screen 0 1280x1024x24" bench/time-startup.sh "$build" 2>/dev/null)
read -r bare_ms _ _ bare_kb bare_cpu <<<"$(sed -n 1p <<<"$startup")"
read -r varenta_ms _ _ varenta_kb varenta_cpu <<<"$(sed -n 2p <<<"$startup")"
read -r kiv_ms _ _ kiv_kb kiv_cpu <<<"$(sed -n 3p <<<"$startup")"

awk -v date="$(date -u '+%Y-%m-%d %H:%M UTC')" -v load="$(cut -d' ' -f1-3 /proc/loadavg)" \
    -v cpus="$(nproc 2>/dev/null || echo '?')" \
    -v beg="${rate[beginner]}" -v adv="${rate[advanced]}" -v expert="${rate[expert]}" \
    -v kiv="${rate[kiv]}" -v bare="$bare_ms" -v barekb="$bare_kb" \
    -v var="$varenta_ms" -v varkb="$varenta_kb" -v kivms="$kiv_ms" -v kivkb="$kiv_kb" \
    -v barecpu="$bare_cpu" -v varcpu="$varenta_cpu" -v kivcpu="$kiv_cpu" '
function row(what, measured, goal, verdict) {
    printf "| %-26s | %-34s | %-22s | %-7s |\n", what, measured, goal, verdict
}
function sim(name, value, goal, unit) {
    row(name, sprintf("%d %s", value, unit), sprintf(">= %d %s", goal, unit),
        value >= goal ? "met" : "NOT met")
}
# Wall clock to the first mapped window, its ratio to the bare window, the
# processor time used until then (and its ratio), the memory after settling.
function start(name, ms, cpu, kb, goal) {
    if (ms == "-" || bare == "-") {
        row(name, "no window", goal, "NOT met")
        return
    }
    ok = ms / bare <= 1.3 && kb / 1024 < 60
    row(name, sprintf("%.0f ms %.2fx, cpu %.0f ms %.2fx, %.0f MB", ms, ms / bare, cpu,
        cpu / barecpu, kb / 1024), goal, goal == "" ? "" : (ok ? "met" : "NOT met"))
}
BEGIN {
    printf "Benchmark of %s, %s CPUs, load average %s\n\n", date, cpus, load
    row("what", "measured", "goal", "")
    printf "|%s|%s|%s|%s|\n", "----------------------------", "------------------------------------",
        "------------------------", "---------"
    sim("varenta-sim beginner", beg, 10000, "hands/s")
    sim("varenta-sim advanced", adv, 10000, "hands/s")
    sim("varenta-sim expert", expert, 10000, "hands/s")
    sim("kiv-sim", kiv, 200000, "rounds/s")
    if (bare == "-") {
        row("bare Qt 6 window", "no window", "", "")
    } else {
        row("bare Qt 6 window", sprintf("%.0f ms, cpu %.0f ms, %.0f MB", bare, barecpu,
            barekb / 1024), "the yardstick", "")
    }
    start("varenta first window", var, varcpu, varkb, "<= 1.3x bare, < 60 MB")
    start("kiv first window", kivms, kivcpu, kivkb, "<= 1.3x bare, < 60 MB")
}
'
