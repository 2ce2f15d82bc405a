#!/usr/bin/env bash
# A simulation split into pieces by tools/parallel-sim.sh gives the report of
# one run over the whole range. Exit 77 (skipped) without GNU parallel.
set -euo pipefail
ddsim=$1
script=$2
command -v parallel >/dev/null 2>&1 || { echo "GNU parallel is not installed"; exit 77; }

options=(--deal "N:AKQ2.K32.A52.K32 - J54.AQ5.KQ4.AJ5 -" --where "spades(E) >= 4"
    --contract 3N-S --contract 4S-N --seed 11 -j 1)
for format in json text; do
    whole=$("$ddsim" --range 0-30 "${options[@]}" --format "$format" --quiet)
    pieces=$(DDSIM="$ddsim" PARALLEL="-j2" "$script" 0-30 4 "${options[@]}" --format "$format")
    if [ "$whole" != "$pieces" ]; then
        printf 'one run:\n%s\npieces:\n%s\n' "$whole" "$pieces"
        exit 1
    fi
done
echo "$whole"
