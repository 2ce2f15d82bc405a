#!/usr/bin/env bash
# Spreads one hidden-layout analysis over processes with GNU parallel (and
# over machines, with `-S` in the PARALLEL variable) and adds the eleven
# counters of the pieces into the histogram of the whole range.
#
# Usage: parallel-analysis.sh DEALTEXT a-b CONTRACT LEADER [PIECES]
#   DDSOLVER   the program (default: ddsolver on the PATH of every host)
#   PARALLEL   options for GNU parallel, e.g. "-S 2/:,4/host1,4/host2 -j1"
# Each piece runs `ddsolver DEALTEXT a'-b' CONTRACT LEADER`; set
# DDSOLVER_THREADS=1 when the pieces already fill every core.
set -euo pipefail

if [ $# -lt 4 ] || [ $# -gt 5 ]; then
    echo "usage: $0 DEALTEXT a-b CONTRACT LEADER [PIECES]" >&2
    exit 2
fi
deal=$1 range=$2 contract=$3 leader=$4 pieces=${5:-16}
first=${range%%-*}
end=${range#*-}
case "$first$end$pieces" in
    '' | *[!0-9]*)
        echo "the range must be a-b and PIECES a count, in plain digits" >&2
        exit 2
        ;;
esac
ddsolver=${DDSOLVER:-ddsolver}
[ "$pieces" -ge 1 ] || pieces=1
[ "$end" -le 184756 ] || end=184756
step=$(((end - first + pieces - 1) / pieces))
[ "$step" -ge 1 ] || step=1

# One line per piece, each range a-b with b past the end cut back.
for ((a = first; a < end; a += step)); do
    b=$((a + step < end ? a + step : end))
    echo "$a-$b"
done |
    parallel --halt now,fail=1 -q sh -c '"$0" "$@"; echo' "$ddsolver" "$deal" {} "$contract" "$leader" |
    awk '
        NF != 11 { bad = 1 }
        { for (i = 1; i <= 11; i++) total[i] += $i }
        END {
            if (bad) { print "a piece did not print a histogram" > "/dev/stderr"; exit 1 }
            for (i = 1; i <= 11; i++) printf "%s%d", (i > 1 ? " " : ""), total[i]
            print ""
        }'
