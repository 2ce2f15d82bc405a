#!/usr/bin/env bash
# Times whole processes: `ddsolver POSITION` against `dds_position POSITION`
# (the same four-leader job done with the DDS bridge library), one process per
# position, on the 50 published positions of tests/data/bridge_tables10.tsv and
# on the seeded random deals of the bridge benches in all five strains. Checks
# that both print the same numbers and prints the total times and their ratio.
# Exit status 1 on any disagreement.
#
# Usage: bench/whole_process_vs_dds.sh [BUILD_DIR [RANDOM_DEALS]]
#   BUILD_DIR     where ddsolver, dds_position and bridge_vs_dds were built (build)
#   RANDOM_DEALS  number of seeded random deals, each in five strains (10)
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
deals=${2:-10}
for program in ddsolver dds_position bridge_vs_dds; do
    if [ ! -x "$build/$program" ]; then
        echo "missing $build/$program (DDS installed? built with cmake --build?)" >&2
        exit 2
    fi
done

now() { date +%s%N; }

disagreements=0

# Runs both programs once per position read from standard input; prints the
# set's totals.
timeSet() {
    local name=$1 ours=0 theirs=0 count=0 position t0 t1 t2 a b
    while read -r position; do
        t0=$(now)
        a=$("$build/ddsolver" "$position")
        t1=$(now)
        b=$("$build/dds_position" "$position")
        t2=$(now)
        ours=$((ours + t1 - t0))
        theirs=$((theirs + t2 - t1))
        count=$((count + 1))
        if [ "$a" != "$b" ]; then
            echo "DISAGREE $position: ddsolver '$a', DDS '$b'"
            disagreements=$((disagreements + 1))
        fi
    done
    awk -v name="$name" -v n="$count" -v ours="$ours" -v theirs="$theirs" 'BEGIN {
        printf "%-28s %3d processes: ddsolver %8.2f s, dds_position %7.2f s, ratio %.2f\n",
               name, n, ours / 1e9, theirs / 1e9, ours / theirs }'
}

timeSet "published (bridge_tables10)" < <(cut -f1 "$root/tests/data/bridge_tables10.tsv")
timeSet "random ($deals deals x 5)" < <("$build/bridge_vs_dds" --positions --deals "$deals")
echo "disagreements: $disagreements"
[ "$disagreements" -eq 0 ]
