#!/usr/bin/env bash
# Plays the same seeds, levels and rule sets with two builds of the
# simulators and compares their traces byte for byte. Any speed-up of the
# engines must leave every trace as it was.
#
#   bench/compare-traces.sh REFERENCE_BUILD NEW_BUILD [SEEDS]
#
# Both arguments are CMake build folders holding varenta/app/varenta-sim and
# kiv/app/kiv-sim. SEEDS (default 20) seeds per level and rule set.
set -euo pipefail

if (($# < 2)); then
    echo "usage: $0 REFERENCE_BUILD NEW_BUILD [SEEDS]" >&2
    exit 2
fi
ref=$1
new=$2
seeds=${3:-20}
for build in "$ref" "$new"; do
    for exe in varenta/app/varenta-sim kiv/app/kiv-sim; do
        [[ -x $build/$exe ]] || { echo "missing: $build/$exe" >&2; exit 2; }
    done
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

varenta_rules=(
    ""
    "NumberOfCards=2,ThreeBlock=1,BonusCounts=1,DrawExtra=0"
    "VarentaRequired=1,NumberOfVarentas=2,AddToVarenta=0,TopCardCounts=0"
    "InitialBlock=0,InitialBlockForBoth=0,NaturalPair=0,ReuseDiscardPile=0"
)
kiv_rules=(
    ""
    "LayAfterDraw=1,EightOnEight=1"
    "JackAlways=1,AnyOnFirstJack=1,EndOnFirstOut=1"
    "LayAfterDraw=1,EightOnEight=0,JackAlways=1,AnyOnFirstJack=0,EndOnFirstOut=1"
)

runs=0
differ=0
# compare NAME ARGS...: runs both builds' program with ARGS and diffs traces.
compare() {
    local program=$1
    shift
    local exe
    case $program in
    varenta-sim) exe=varenta/app/varenta-sim ;;
    kiv-sim) exe=kiv/app/kiv-sim ;;
    esac
    "$ref/$exe" "$@" --trace "$work/a" >/dev/null
    "$new/$exe" "$@" --trace "$work/b" >/dev/null
    runs=$((runs + 1))
    if ! cmp -s "$work/a" "$work/b"; then
        differ=$((differ + 1))
        echo "DIFFERENT: $program $*"
        diff "$work/a" "$work/b" | head -n 6 || true # diff exits 1 on a difference
    fi
}

for rules in "${varenta_rules[@]}"; do
    for level in beginner advanced expert; do
        for ((seed = 1; seed <= seeds; ++seed)); do
            # Aggression varies with the seed so that every branch of the
            # computer's risk taking is played.
            compare varenta-sim --level "$level" --aggression $(((seed * 37) % 101)) \
                --hands 25 --seed "$seed" ${rules:+--rules "$rules"}
        done
    done
done

# Kiv's generator always starts from the same state: the seats, the cards
# dealt and the game length make the different games.
for rules in "${kiv_rules[@]}"; do
    for seats in 2 3 4; do
        for cards in 3 4 5 6; do
            for points in 100 500; do
                compare kiv-sim --seats "$seats" --cards "$cards" --points "$points" \
                    --games 3 ${rules:+--rules "$rules"}
            done
        done
    done
done

echo "$runs runs, $differ with different traces"
((differ == 0))
