#!/usr/bin/env bash
# The benchmark behind `./setup.sh bench`: builds Release in build-bench/,
# runs both simulators at every level, times the first window of a bare Qt 6
# main window, of varenta and of kiv under a private X server, reads their
# memory once they have settled (sound loaded), and prints one table.
#
# Simulator rates are the best of five runs (a busy machine only ever makes
# a run slower); start-up times are the median of eleven starts after one
# warm-up start, the three programs taking turns. Each figure comes twice: by the clock, and by the processor
# time the program used, which other work on the machine disturbs far less.
# A goal counts as met when either meets it; the machine's load is printed
# with the table, and clock figures mean little while other work runs. The
# machine is shared and its speed changes over the day, so the table also
# says how long it took for a fixed piece of work (bench/machine_yardstick.cpp).
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCARDGAMES_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc 2>/dev/null || echo 2)" \
    --target varenta-sim kiv-sim varenta kiv bare-window startup-probe machine-yardstick paint-frame

hands=${BENCH_HANDS:-20000}
rounds=${BENCH_ROUNDS:-300000}

# rates FIELD COUNT COMMAND...: the best FIELD of five JSON summaries (the
# clock) and the best COUNT / processor seconds of the same runs, which a
# busy machine disturbs far less.
rates() {
    local field=$1 count=$2 best=0 bestCpu=0 rate cpu out
    shift 2
    for _ in 1 2 3 4 5; do
        out=$({ TIMEFORMAT='%U %S'; time "$@" --json; } 2>&1)
        rate=$(grep -o "\"$field\":[0-9.]*" <<<"$out" | cut -d: -f2)
        cpu=$(tail -n 1 <<<"$out" | awk -v n="$count" '{ s = $1 + $2; print (s > 0 ? n / s : 0) }')
        best=$(awk -v a="$best" -v b="$rate" 'BEGIN { print (b > a ? b : a) }')
        bestCpu=$(awk -v a="$bestCpu" -v b="$cpu" 'BEGIN { print (b > a ? b : a) }')
    done
    echo "$best $bestCpu"
}

# How quick the shared machine is just now (the same work every time).
yardstick=$("$build/bench/machine-yardstick")
echo "Running the simulators ($hands hands per level, $rounds Kiv rounds)..." >&2
declare -A rate cpuRate
for level in beginner advanced expert; do
    read -r "rate[$level]" "cpuRate[$level]" <<<"$(rates hands_per_s "$hands" \
        "$build/varenta/app/varenta-sim" --level "$level" --hands "$hands" --seed 1)"
done
read -r "rate[kiv]" "cpuRate[kiv]" <<<"$(rates rounds_per_s "$rounds" \
    "$build/kiv/app/kiv-sim" --rounds "$rounds")"

echo "Timing the first windows..." >&2
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/config" "$home/data" "$home/runtime"
chmod 700 "$home/runtime"
startup=$(XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
    XDG_RUNTIME_DIR="$home/runtime" SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} \
    xvfb-run -a -s "-screen 0 1280x1024x24" bench/time-startup.sh "$build" 2>/dev/null)
yardstickAfter=$("$build/bench/machine-yardstick")
read -r bare_ms _ _ bare_kb bare_cpu <<<"$(sed -n 1p <<<"$startup")"
read -r varenta_ms _ _ varenta_kb varenta_cpu <<<"$(sed -n 2p <<<"$startup")"
read -r kiv_ms _ _ kiv_kb kiv_cpu <<<"$(sed -n 3p <<<"$startup")"

awk -v date="$(date -u '+%Y-%m-%d %H:%M UTC')" -v load="$(cut -d' ' -f1-3 /proc/loadavg)" \
    -v cpus="$(nproc 2>/dev/null || echo '?')" -v yardstick="$yardstick" \
    -v yardstickAfter="$yardstickAfter" \
    -v beg="${rate[beginner]}" -v adv="${rate[advanced]}" -v expert="${rate[expert]}" \
    -v kiv="${rate[kiv]}" -v begCpu="${cpuRate[beginner]}" -v advCpu="${cpuRate[advanced]}" \
    -v expertCpu="${cpuRate[expert]}" -v kivCpu="${cpuRate[kiv]}" -v bare="$bare_ms" -v barekb="$bare_kb" \
    -v var="$varenta_ms" -v varkb="$varenta_kb" -v kivms="$kiv_ms" -v kivkb="$kiv_kb" \
    -v barecpu="$bare_cpu" -v varcpu="$varenta_cpu" -v kivcpu="$kiv_cpu" '
function row(what, measured, goal, verdict) {
    printf "| %-24s | %-40s | %-21s | %-7s |\n", what, measured, goal, verdict
}
# The goal is judged on the clock when the machine was quiet enough to give
# the run its processor, otherwise on the processor time.
function sim(name, value, cpu, goal, unit) {
    row(name, sprintf("%d %s, cpu %d %s", value, unit, cpu, unit),
        sprintf(">= %d %s", goal, unit), (value >= goal || cpu >= goal) ? "met" : "NOT met")
}
# Wall clock to the first mapped window, its ratio to the bare window, the
# processor time used until then (and its ratio), the memory after settling.
function start(name, ms, cpu, kb, goal) {
    if (ms == "-" || bare == "-") {
        row(name, "no window", goal, "NOT met")
        return
    }
    ok = (ms / bare <= 1.3 || cpu / barecpu <= 1.3) && kb / 1024 < 60
    row(name, sprintf("%.0f ms %.2fx, cpu %.0f ms %.2fx, %.0f MB", ms, ms / bare, cpu,
        cpu / barecpu, kb / 1024), goal, goal == "" ? "" : (ok ? "met" : "NOT met"))
}
BEGIN {
    printf "Benchmark of %s, %s CPUs, load average %s\n", date, cpus, load
    printf "(the fixed work of bench/machine_yardstick.cpp took %s ms of processor time before\n", yardstick
    printf "the simulators and %s ms after the windows; more means a slower machine)\n\n", yardstickAfter
    row("what", "measured", "goal", "")
    printf "|%s|%s|%s|%s|\n", "--------------------------", "------------------------------------------",
        "-----------------------", "---------"
    sim("varenta-sim beginner", beg, begCpu, 10000, "hands/s")
    sim("varenta-sim advanced", adv, advCpu, 10000, "hands/s")
    sim("varenta-sim expert", expert, expertCpu, 10000, "hands/s")
    sim("kiv-sim", kiv, kivCpu, 200000, "rounds/s")
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

# One frame of a card's flight: at the table's own size and scaled to fill a
# 3840 x 2160 screen; the frame repaints only the card's way, so it costs
# about the same at any window size.
echo
"$build/bench/paint-frame" 2>/dev/null

# Network play between the homes of a world of network namespaces: the
# handshake and a move's round trip, directly and through the relay (needs
# root; says so otherwise).
echo
bench/homes-bench.sh "$build"
