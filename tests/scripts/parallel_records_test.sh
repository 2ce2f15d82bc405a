#!/usr/bin/env bash
# The deals of a game file and of bare deal lines, spread over pieces by
# tools/parallel-records.sh, give what one ddtable run over the whole input
# prints (standard output and error) and its exit status; so do the played
# boards of a game file for ddplay. Exit 77 (skipped) without GNU parallel.
set -euo pipefail
ddtable=$1
script=$2
published=$3
ddplay=$4
played=$5
command -v parallel >/dev/null 2>&1 || { echo "GNU parallel is not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# The published deals as games with an auction; the fifth deal lacks a card.
awk -F'\t' 'NR > 1 {
    n++
    deal = n == 5 ? substr($3, 1, length($3) - 1) : $3
    printf "[Board \"%d\"]\n[Dealer \"%s\"]\n[Vulnerable \"%s\"]\n", n, $1, $2
    printf "[Deal \"%s\"]\n[Auction \"%s\"]\nPass Pass Pass Pass\n\n", deal, $1
}' "$published" >games.pbn
awk -F'\t' 'NR > 1 { print $3 }' "$published" >deals.txt

check() {
    local program=$1 input=$2 whole=0 pieces=0
    shift 2
    "$program" -j 2 "$@" <"$input" >whole.out 2>whole.err || whole=$?
    PARALLEL=-j2 "$script" -p "$program" -n 3 "$input" -- "$@" >pieces.out 2>pieces.err ||
        pieces=$?
    if ! cmp -s whole.out pieces.out || ! cmp -s whole.err pieces.err || [ $whole != $pieces ]; then
        echo "$input $*: one run (status $whole) and the pieces (status $pieces) differ"
        diff whole.out pieces.out | head -20
        diff whole.err pieces.err
        exit 1
    fi
    echo "$input $*: $(wc -l <whole.out) lines, status $whole"
}

check "$ddtable" games.pbn --format csv
check "$ddtable" games.pbn --annotate
check "$ddtable" deals.txt --vul None --format json
check "$ddplay" "$played" --format json
