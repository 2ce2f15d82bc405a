#!/usr/bin/env bash
# The analysis split into pieces by tools/parallel-analysis.sh gives the
# histogram of one run over the whole range. Exit 77 (skipped) without GNU parallel.
set -euo pipefail
ddsolver=$1
script=$2
command -v parallel >/dev/null 2>&1 || { echo "GNU parallel is not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

check() {
    local whole pieces
    whole=$("$ddsolver" "$@")
    pieces=$(DDSOLVER="$ddsolver" DDSOLVER_THREADS=1 PARALLEL="-j2" "$script" "$@" 7)
    if [ "$whole" != "$pieces" ]; then
        echo "$*: one run [$whole], pieces [$pieces]"
        exit 1
    fi
    echo "$*: $whole"
}

check 'akqj.akq.a*k*q9.t' 0-3000 4 1
check '97.87*a*k.t987.8k' 90000-92000 5 2
check 'akqj.akq.a9*k*q.#t' 184000-184756 0 0
