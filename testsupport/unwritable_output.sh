#!/bin/sh
# Usage: unwritable_output.sh SIMULATOR RULE STOP-ARGS...
# A simulator's output that cannot be written ends the run with status 1 and
# a message, never as a run that went well; an empty rule list or an empty
# rule item is refused like any other bad argument (status 2).
sim=$1
rule=$2
shift 2
failed=0
errors=$(mktemp)
TRACE_FILE="$errors.trace"
export TRACE_FILE
trap 'rm -f "$errors" "$TRACE_FILE"' EXIT

check() {
    want=$1
    what=$2
    shift 2
    "$@" 2>"$errors"
    got=$?
    if [ "$got" -ne "$want" ]; then
        echo "FAIL: $what: status $got, expected $want"
        failed=1
    elif [ "$want" -ne 0 ] && [ ! -s "$errors" ]; then
        echo "FAIL: $what: status $got without a message"
        failed=1
    fi
}

check 0 "summary written" sh -c 'exec "$@" --json >/dev/null' - "$sim" "$@"
check 0 "rule accepted" sh -c 'exec "$@" --json >/dev/null' - "$sim" "$@" --rules "$rule"
check 1 "summary to a full device" sh -c 'exec "$@" --json >/dev/full' - "$sim" "$@"
check 1 "trace to a full device" sh -c 'exec "$@" --trace - >/dev/full' - "$sim" "$@"
check 1 "trace file on a full device" sh -c 'exec "$@" --trace /dev/full' - "$sim" "$@"
check 1 "trace file in no folder" sh -c 'exec "$@" --trace /no/such/folder/t' - "$sim" "$@"
check 1 "summary with standard output closed" sh -c 'exec "$@" --json >&-' - "$sim" "$@"
check 1 "trace file and summary with standard output closed" \
    sh -c 'exec "$@" --trace "$TRACE_FILE" --json >&-' - "$sim" "$@"
check 2 "empty rule list" "$sim" "$@" --rules ""
check 2 "trailing comma in the rules" "$sim" "$@" --rules "$rule,"
exit $failed
