#!/usr/bin/env bash
# Spreads the deals of PBN game files (or files of bare deal lines) over
# processes with GNU parallel (and over machines, with `-S` in the PARALLEL
# variable) and joins what the pieces print in input order: ddtable's tables,
# CSV (its header once), JSON Lines or annotated game files.
#
# Usage: parallel-records.sh [-p PROGRAM] [-n DEALS] [FILE...] [-- OPTION...]
#   -p PROGRAM  the program of every piece (default: $DDTABLE, else ddtable on
#               the PATH of every host): one that reads PBN on standard input,
#               skips blank lines, prints on standard output and takes -j
#   -n DEALS    deals per piece (default 50)
#   OPTION...   the program's options (e.g. --format csv --vul None), after
#               -j 1: the pieces already fill the cores
#   PARALLEL    options for GNU parallel, e.g. "-S 2/:,4/host1,4/host2 -j1"
# Files are read in turn (none or -: standard input). A piece starts at a game
# (a tag line after a blank line) or a bare deal line, and is handed to the
# program after blank lines standing for the lines before it, so that the
# lines the program reports are those of its file; the file shows as <stdin>.
# A last line without a line end gets one. The exit status is the highest of
# the pieces' (ddtable: 0 all solved, 1 a bad game, 2 a bad option).
set -euo pipefail

usage() {
    echo "usage: $0 [-p PROGRAM] [-n DEALS] [FILE...] [-- OPTION...]" >&2
    exit 2
}
program=${DDTABLE:-ddtable} size=50 files=() options=()
while [ $# -gt 0 ]; do
    case $1 in
        -p) [ $# -ge 2 ] || usage; program=$2; shift 2 ;;
        -n) [ $# -ge 2 ] || usage; size=$2; shift 2 ;;
        --) shift; options=("$@"); break ;;
        -?*) usage ;;
        *) files+=("$1"); shift ;;
    esac
done
case $size in '' | *[!0-9]* | 0) echo "DEALS must be a count of at least 1" >&2; exit 2 ;; esac

status=0
readable=()
for file in "${files[@]+"${files[@]}"}"; do
    if [ "$file" = - ] || [ -r "$file" ]; then
        readable+=("$file")
    else
        echo "$0: $file: cannot be read" >&2
        status=1
    fi
done
[ ${#files[@]} -gt 0 ] && [ ${#readable[@]} -eq 0 ] && exit 1
[ ${#files[@]} -gt 0 ] || readable=(-)

# A bad option is reported once, not by every piece (skipped when the
# program is only on the other hosts).
check=0
"$program" -j 1 "${options[@]+"${options[@]}"}" </dev/null >/dev/null 2>&1 || check=$?
[ "$check" -ne 2 ] || "$program" -j 1 "${options[@]+"${options[@]}"}" </dev/null >/dev/null || exit 2

csv=0
for ((i = 0; i < ${#options[@]}; i++)); do
    case ${options[i]} in
        --format=csv) csv=1 ;;
        --format) [ "${options[i + 1]:-}" != csv ] || csv=1 ;;
    esac
done

# Each piece: the marker line gives its first line, and blank lines stand for
# the lines before it. Blank lines at the head of the output are those lines
# copied (ddtable --annotate copies its input) and are dropped, as is the CSV
# header of every piece after the first.
piece=$(
    cat <<'EOF'
set -o pipefail
seq=$1 csv=$2
shift 2
IFS= read -r mark || exit 0
first=${mark##* }
{ awk -v n="$first" 'BEGIN { while (--n > 0) print "" }'; cat; } | "$@" |
    awk -v pad="$((first - 1))" -v header="$((csv && seq > 1))" '
        !body && pad > 0 && $0 == "" { pad--; next }
        { body = 1 }
        header { header = 0; next }
        { print }'
EOF
)

log=$(mktemp)
trap 'rm -f "$log"' EXIT
# The marker before each piece: every file starts one; a bare deal line may
# start one, and after the first tag line (from then on the file holds games)
# only a tag line after a blank line does.
awk -v size="$size" '
    function mark() { print "%%parallel-records " FNR; deals = 0 }
    FNR == 1 { games = 0; afterBlank = 1; mark() }
    {
        blank = $0 ~ /^[ \t\r]*$/
        tag = $0 ~ /^[ \t]*\[/
        comment = $0 ~ /^[ \t]*%/
        if (FNR > 1 && deals >= size && (games ? tag && afterBlank : !blank && !comment)) mark()
        print
        if (tag) games = 1
        if (games ? $0 ~ /^[ \t]*\[Deal[ \t"]/ : !blank && !comment) deals++
        if (!comment) afterBlank = blank
    }
    END { if (NR == 0) mark() }' "${readable[@]}" |
    parallel --pipe --recstart '%%parallel-records ' --recend '\n' -N1 --keep-order \
        --joblog "$log" -q bash -c "$piece" piece '{#}' "$csv" "$program" -j 1 \
        "${options[@]+"${options[@]}"}" || failed=$?

# The highest exit status of the pieces (1 for one killed by a signal), or
# parallel's own when no piece failed.
highest=$(awk -F'\t' 'NR > 1 { v = $8 != 0 && $7 < 1 ? 1 : $7; if (v > m) m = v }
                      END { print m + 0 }' "$log")
[ "$highest" -gt 0 ] || highest=${failed:-0}
[ "$highest" -le "$status" ] || status=$highest
exit "$status"
