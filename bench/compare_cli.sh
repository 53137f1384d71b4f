#!/usr/bin/env bash
# qrnplan against its peers on the same files in the same run: `qrnplan read` against `wc -l`
# and an awk script doing the same conversion (bench/awk/read.awk), `qrnplan write` against
# bench/awk/write.awk; the peak memory of `qrnplan read` on 1,000,000 and 10,000,000 rows and
# of `qrnplan write` per row; the start-up cost on the 8-row sample plan and 1,000 rows (mean of
# 30 runs under hyperfine). Each large run is made RUNS times (3 by default); the fastest counts,
# the peak memory is the highest of the same runs.
# Prints a Markdown table and checks that awk and qrnplan make the same bytes.
#   bench/compare_cli.sh BUILD_DIR DATA_DIR
set -euo pipefail

BUILD=$1
DATA=$2
RUNS=${RUNS:-3}
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
QRNPLAN=$BUILD/out/qrnplan
export LC_ALL=C

mkdir -p "$DATA"
for rows in 1000000 10000000; do
    [ -f "$DATA/plan_$rows.txt" ] || "$BUILD/out/qrn_bench_make_plan" "$DATA" "$rows"
done
[ -f "$DATA/QRN.txt" ] || "$BUILD/out/qrn_bench_make_plan" "$DATA" 1000
PLAN=$DATA/plan_1000000.txt
BIG=$DATA/plan_10000000.txt
ROWS=$DATA/rows_1000000.jsonl
CAT=(--catalogue "$DATA/QRN.txt")
"$QRNPLAN" read "$PLAN" "${CAT[@]}" >"$ROWS"

# measure NAME OUT COMMAND...: the fastest wall time (s) and the peak resident size (KiB) of
# RUNS runs, into seconds[NAME] and kib[NAME]; the command's stdout goes to the file OUT.
declare -A seconds kib
measure() {
    local name=$1 out=$2 best="" peak=0 start end t m
    shift 2
    for ((i = 0; i < RUNS; i++)); do
        start=$EPOCHREALTIME
        /usr/bin/time -f %M -o "$DATA/time.txt" "$@" >"$out"
        end=$EPOCHREALTIME
        t=$(echo "$end - $start" | bc -l)
        m=$(tail -1 "$DATA/time.txt")
        if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
        [ "$m" -gt "$peak" ] && peak=$m
    done
    seconds[$name]=$best
    kib[$name]=$peak
}
measure wc /dev/null wc -l "$PLAN"
measure read "$DATA/read.out" "$QRNPLAN" read "$PLAN" "${CAT[@]}"
measure awk_read "$DATA/awk_read.out" awk -f "$HERE/awk/catalogue.awk" \
    -f "$HERE/awk/read.awk" "$DATA/QRN.txt" "$PLAN"
measure read_big /dev/null "$QRNPLAN" read "$BIG" "${CAT[@]}"
measure write "$DATA/write.out" "$QRNPLAN" write "$ROWS" "${CAT[@]}"
measure awk_write "$DATA/awk_write.out" awk -f "$HERE/awk/catalogue.awk" \
    -f "$HERE/awk/write.awk" "$DATA/QRN.txt" "$ROWS"
# Small files: start-up counts most, which hyperfine measures finely (mean of 30 runs).
[ -f "$DATA/plan_1000.txt" ] || "$BUILD/out/qrn_bench_make_plan" "$DATA" 1000
"$QRNPLAN" read "$DATA/plan_1000.txt" "${CAT[@]}" >"$DATA/rows_1000.jsonl"
hyperfine -N --warmup 3 --runs 30 --export-csv "$DATA/small.csv" \
    "$QRNPLAN read $HERE/../data/samples/exemple.qrn --catalogue $HERE/../data/QRN.txt" \
    "$QRNPLAN read $DATA/plan_1000.txt --catalogue $DATA/QRN.txt" \
    "$QRNPLAN write $DATA/rows_1000.jsonl --catalogue $DATA/QRN.txt" /bin/true >/dev/null
i=0
for name in sample read_1000 write_1000 true_start; do
    i=$((i + 1))
    seconds[$name]=$(awk -F, -v row=$((i + 1)) 'NR == row { print $2 }' "$DATA/small.csv")
done
rm -f "$DATA/rows_1000.jsonl" "$DATA/small.csv"
measure copy /dev/null dd if="$PLAN" of="$DATA/copy.out" bs=1M conv=fdatasync status=none
rm -f "$DATA/copy.out"

cmp -s "$DATA/read.out" "$DATA/awk_read.out" || echo "**read.awk and qrnplan read differ**"
cmp -s "$DATA/write.out" "$DATA/awk_write.out" || echo "**write.awk and qrnplan write differ**"
cmp -s "$DATA/write.out" "$PLAN" || echo "**qrnplan write does not give the plan back**"
rm -f "$DATA/read.out" "$DATA/awk_read.out" "$DATA/write.out" "$DATA/awk_write.out"

# row VERDICT-EXPRESSION TARGET FIGURE PEER RATIO: one table row; met when bc says so.
row() {
    local met
    met=$([ "$(echo "$2" | bc -l)" = 1 ] && echo met || echo "**missed**")
    printf '| %s | %s | %s | %s | %s |\n' "$1" "$3" "$4" "$5" "$met"
}
ms() { printf '%.0f ms' "$(echo "${seconds[$1]} * 1000" | bc -l)"; }
ms1() { printf '%.1f ms' "$(echo "${seconds[$1]} * 1000" | bc -l)"; }
ratio() { printf '%.2f' "$(echo "${seconds[$1]} / ${seconds[$2]}" | bc -l)"; }
mib() { printf '%.1f MiB' "$(echo "${kib[$1]} / 1024" | bc -l)"; }
per_row() { printf '%.0f bytes a row' "$(echo "${kib[$1]} * 1024 / $2" | bc -l)"; }

echo "| Target | qrnplan | Peer | Ratio | |"
echo "|---|---:|---:|---:|---|"
row "read 1,000,000 rows: at least 2 x faster than awk" \
    "${seconds[awk_read]} >= 2 * ${seconds[read]}" "$(ms read)" "awk $(ms awk_read)" \
    "$(ratio awk_read read) x faster"
row "read 1,000,000 rows: within 15 x \`wc -l\`" "${seconds[read]} <= 15 * ${seconds[wc]}" \
    "$(ms read)" "wc -l $(ms wc)" "$(ratio read wc)"
row "read: peak RSS under 32 MiB, 1,000,000 rows" "${kib[read]} < 32768" "$(mib read)" "" ""
row "read: peak RSS under 32 MiB, 10,000,000 rows" "${kib[read_big]} < 32768" \
    "$(mib read_big) ($(ms read_big))" "" ""
row "write 1,000,000 rows: at least 2 x faster than awk" \
    "${seconds[awk_write]} >= 2 * ${seconds[write]}" "$(ms write)" "awk $(ms awk_write)" \
    "$(ratio awk_write write) x faster"
row "write: peak memory under 200 bytes a row" "${kib[write]} * 1024 < 200 * 1000000" \
    "$(per_row write 1000000) ($(mib write))" "" ""
row "(for scale) a copy of the plan file, fdatasync'ed" "1" "" "dd $(ms copy)" \
    "write $(ratio write copy) x"
row "read the 8-row sample, start-up included, under 20 ms" "${seconds[sample]} < 0.020" \
    "$(ms1 sample)" "/bin/true $(ms1 true_start)" ""
row "(for the record) read 1,000 rows, start-up included" "1" "$(ms1 read_1000)" "" ""
row "(for the record) write 1,000 rows, start-up included" "1" "$(ms1 write_1000)" "" ""
