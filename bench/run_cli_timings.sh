#!/usr/bin/env bash
# Whole-process timings of lotto-cli's operations, each run RUNS times, medians printed.
#
#   bench/run_cli_timings.sh [BUILD_DIR] [RUNS]        (defaults: build 5)
#
# Sets up a temporary program directory and web root (bench/make_results_files.py writes the
# operator's results files for the bundled draws), serves the web root with python3's
# http.server on 127.0.0.1, and times:
#   baseline    /bin/true and lotto-cli --version: the cost of any process on this machine
#   update      41 original yearly files (1986..2026) into an empty program directory
#   rebuild     today's results files (3 layouts, 11 files) from 01.01.1986, filling Quoten.csv
#   search, prizes, ticket --pdf, sheet       with 12 computed tips
#   generate    the default run and the two 10,000,000-pick budgets
#   backtest    the Strategie-Test of every draw since 01.01.2000, default options
#   stats KIND  every chart
# Each line: NAME  median  min  max  (milliseconds)  target, and whether it was met.
set -euo pipefail

BUILD=${1:-build}
RUNS=${2:-5}
HERE=$(cd "$(dirname "$0")" && pwd)
CLI=$(cd "$BUILD" && pwd)/lotto-cli
[[ -x $CLI ]] || { echo "no $CLI; build first" >&2; exit 1; }

WORK=$(mktemp -d "${TMPDIR:-/tmp}/lotto-cli-timings.XXXXXX")
SERVER_PID=
cleanup() {
    [[ -n $SERVER_PID ]] && kill "$SERVER_PID" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

python3 "$HERE/make_results_files.py" "$WORK/www" "$HERE/../data/austria-6aus45.csv"
python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$WORK/www" >"$WORK/server.log" 2>&1 &
SERVER_PID=$!
for _ in $(seq 100); do
    grep -q "port " "$WORK/server.log" 2>/dev/null && break
    sleep 0.1
done
PORT=$(sed -n 's/.* port \([0-9]*\).*/\1/p' "$WORK/server.log" | head -1)
[[ -n $PORT ]] || { echo "http.server did not start" >&2; cat "$WORK/server.log" >&2; exit 1; }
BASE=http://127.0.0.1:$PORT

# Microseconds from bash's own clock (no process started to read it).
now_us() { local t=$EPOCHREALTIME; echo $((10#${t/[.,]/})); }

# time_op NAME TARGET_MS PREPARE COMMAND...: PREPARE (a shell function or :) runs before each
# run, untimed; COMMAND's output goes to $WORK/last.out.
time_op() {
    local name=$1 target=$2 prepare=$3
    shift 3
    local samples=() start end
    for ((i = 0; i < RUNS; ++i)); do
        $prepare
        start=$(now_us)
        if ! "$@" >"$WORK/last.out" 2>"$WORK/last.err"; then
            echo "$name failed:" >&2
            cat "$WORK/last.err" >&2
            exit 1
        fi
        end=$(now_us)
        samples+=($((end - start)))
    done
    local sorted
    sorted=($(printf '%s\n' "${samples[@]}" | sort -n))
    local median=${sorted[$((RUNS / 2))]}
    local verdict=""
    if [[ $target != - ]]; then
        if ((median <= target * 1000)); then verdict="met"; else verdict="MISSED"; fi
    fi
    awk -v n="$name" -v med="$median" -v lo="${sorted[0]}" -v hi="${sorted[$((RUNS - 1))]}" \
        -v t="$([[ $target != - ]] && echo "< $target ms" || echo "-")" -v v="$verdict" \
        'BEGIN { printf "%-34s %9.1f %9.1f %9.1f   %s %s\n", n, med / 1000, lo / 1000, hi / 1000, t, v }'
}

EMPTY=$WORK/empty
fresh_empty() { rm -rf "$EMPTY" && mkdir -p "$EMPTY"; }
DATA=$WORK/data
mkdir -p "$DATA"
C=("$CLI" --datadir "$DATA" --no-settings)

echo "lotto-cli: $CLI; $RUNS runs each; server $BASE"
echo "$(nproc) CPUs, load: $(cut -d' ' -f1-3 /proc/loadavg)"
trap 'echo "load at the end: $(cut -d" " -f1-3 /proc/loadavg)"; cleanup' EXIT
printf '%-34s %9s %9s %9s   %s\n' "operation" "median" "min" "max" "target (ms)"

# What every process costs here before lotto-cli does anything: starting a process, and
# loading lotto-cli with its Qt libraries.
time_op "baseline: /bin/true" - : /bin/true
time_op "baseline: lotto-cli --version" - : "$CLI" --version

time_op "update: 41 yearly files, empty" 2000 fresh_empty \
    "$CLI" --datadir "$EMPTY" --no-settings update --source austria --server "$BASE" --from 01.01.1986 \
    --file "$EMPTY/page.html"
draws=$(($(stat -c %s "$EMPTY/ZahlenAT.dat") / 16))
echo "  $(grep -c '^Loading' "$WORK/last.out") downloads, $draws draws stored"
cp "$EMPTY/ZahlenAT.dat" "$DATA/ZahlenAT.dat"

time_op "rebuild: today's files from 1986" 1000 : \
    "${C[@]}" rebuild --source austria-today --server "$BASE" --from 01.01.1986 --file "$WORK/page.csv"
echo "  $(grep -c '^Loading' "$WORK/last.out") downloads, $(($(stat -c %s "$DATA/ZahlenAT.dat") / 16)) draws," \
    "$(wc -l <"$DATA/Quoten.csv") lines in Quoten.csv"

"${C[@]}" generate --seed 4711 --out "$WORK/tips.qtp" >/dev/null
time_op "search: 12 tips, all draws, >= 3" 50 : "${C[@]}" search "$WORK/tips.qtp" --threshold 3 --since 01.01.1986
echo "  $(wc -l <"$WORK/last.out") hits announced"
time_op "search: 12 tips, all draws, = 6" 50 : "${C[@]}" search "$WORK/tips.qtp" --since 01.01.1986
time_op "prizes: 12 tips, all draws" 200 : "${C[@]}" prizes "$WORK/tips.qtp" --since 01.01.1986
echo "  $(tail -1 "$WORK/last.out")"
time_op "ticket --pdf" 300 : "${C[@]}" ticket "$WORK/tips.qtp" --pdf "$WORK/schein.pdf" --days so,mi --joker
time_op "sheet (Tipp.txt)" - : "${C[@]}" sheet "$WORK/tips.qtp"
time_op "show (start-up and evaluation)" - : "${C[@]}" show --date 01.01.2026

time_op "generate: default" - : "${C[@]}" generate --seed 1
time_op "backtest: default, 2000-2026" 5000 : "${C[@]}" backtest --since 01.01.2000
echo "  $(tail -1 "$WORK/last.out")"
time_op "generate: 10M picks, digit sum 279" - : "${C[@]}" generate --seed 1 --set UpDown7=10000 \
    --set UpDown1=279 --set UpDown2=279
echo "  $(tail -1 "$WORK/last.out")"
time_op "generate: 10M picks, archive rule 3" - : "${C[@]}" generate --seed 1 --set UpDown7=10000 --set UpDown6=3
echo "  $(tail -1 "$WORK/last.out")"

for kind in frequency digitsums pairs triples quadruples overdue; do
    time_op "stats $kind" - : "${C[@]}" stats "$kind" --since 01.01.1986
done
time_op "stats tips" - : "${C[@]}" stats tips --tips "$WORK/tips.qtp" --since 01.01.1986
