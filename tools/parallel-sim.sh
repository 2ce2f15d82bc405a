#!/usr/bin/env bash
# Spreads one simulation over processes with GNU parallel (and over
# machines, with `-S` in the PARALLEL variable): each piece runs ddsim on a
# range of deal numbers and writes its JSON report, and `ddsim --merge` adds
# the pieces up into the report of the whole range.
#
# Usage: parallel-sim.sh a-b PIECES [DDSIM OPTIONS...]
#   e.g. parallel-sim.sh 0-100000 20 --deal "N:AKQ2.K32.A52.K32 - J54.AQ5.KQ4.AJ5 -" \
#            --contract 3N-S --format json
#   DDSIM      the program (default: ddsim on the PATH of every host)
#   PARALLEL   options for GNU parallel, e.g. "-S 2/:,4/host1,4/host2 -j1"
# Give the pieces -j 1 among the options when they already fill every core.
# --format, when given, is the merged report's format; the pieces write JSON.
set -euo pipefail

if [ $# -lt 2 ]; then
    echo "usage: $0 a-b PIECES [DDSIM OPTIONS...]" >&2
    exit 2
fi
range=$1 pieces=$2
shift 2
first=${range%%-*}
end=${range#*-}
case "$first$end$pieces" in
    '' | *[!0-9]*)
        echo "the range must be a-b and PIECES a count, in plain digits" >&2
        exit 2
        ;;
esac
ddsim=${DDSIM:-ddsim}

# The options for the pieces (JSON, quiet) and the merged report's format.
format=text
options=()
while [ $# -gt 0 ]; do
    case "$1" in
        --format) format=${2:-text}; shift 2 ;;
        --format=*) format=${1#--format=}; shift ;;
        *) options+=("$1"); shift ;;
    esac
done

[ "$pieces" -ge 1 ] || pieces=1
step=$(((end - first + pieces - 1) / pieces))
[ "$step" -ge 1 ] || step=1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for ((a = first; a < end; a += step)); do
    b=$((a + step < end ? a + step : end))
    echo "$a-$b"
done |
    parallel --halt now,fail=1 -q sh -c 'r=$1; shift; "$0" --range "$r" "$@" >"'"$work"'/piece-$r.json"' \
        "$ddsim" {} --format json --quiet "${options[@]}"
"$ddsim" --merge "$work"/piece-*.json --format "$format"
