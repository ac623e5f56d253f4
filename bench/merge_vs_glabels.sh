#!/usr/bin/env bash
# The business-card job in one run beside glabels-3-batch: 1000 cards, ten
# to a US-Letter sheet, each with the name (12 pt bold), the company (10 pt)
# and a QR code of the web address. glabels writes one PDF; vardo merge
# writes 100 documents, and then also the one PDF. Prints records per
# second of each (elapsed and processor time) and the ratios, then vardo's
# peak memory for 1,000 and 10,000 cards and the time of records 1 to 1000
# from a 1,000- and a 100,000-record table; last, records per second of the
# 10,000-card job as 1, 2 and 4 shards run side by side by GNU parallel
# (examples/scale-out/parallel.sh, documents only).
#
#   bench/merge_vs_glabels.sh [BUILD_DIR]
#
# glabels-3-batch comes from Debian's glabels, installed when missing.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../build}"
vardo="$build/bin/vardo"
[ -x "$vardo" ] || { echo "no $vardo: build the vardo target first" >&2; exit 2; }

if ! command -v glabels-3-batch >/dev/null; then
  echo "glabels-3-batch missing: installing Debian's glabels"
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  if ! { $sudo apt-get update -qq && $sudo apt-get install -y -qq glabels >/dev/null; }; then
    echo "glabels cannot be installed here; only vardo's figures follow"
  fi
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/profile"

# Elapsed and processor seconds, and peak resident kilobytes, of a command.
measure() {
  rm -rf "$work/out"
  /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$@" >/dev/null 2>"$work/stderr" ||
    { cat "$work/stderr" >&2; return 1; }
  awk '{printf "%.3f %.3f %d\n", $1, $2 + $3, $4}' "$work/time"
}
# The best of three runs by elapsed time.
best_of_three() {
  local best="" line
  for _ in 1 2 3; do
    line="$(measure "$@")"
    if [ -z "$best" ] || awk -v a="$line" -v b="$best" 'BEGIN{split(a,x," ");split(b,y," ");exit !(x[1]<y[1])}'; then
      best="$line"
    fi
  done
  echo "$best"
}
rate() { awk -v n="$1" -v s="$2" 'BEGIN{printf "%.0f", (s > 0 ? n / s : 0)}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN{printf "%.2f", (b > 0 ? a / b : 0)}'; }

job="$work/job"
mkdir -p "$job"
python3 "$here/make_cards.py" "$job" 1000
# vardo merge of the job's template with a table; the documents go to $work/out.
merge=("$vardo" merge "$job/card.svg")
opts=(--out "$work/out" --quiet --profile "$work/profile")

read -r docs_wall docs_cpu docs_mem <<<"$(best_of_three "${merge[@]}" "$job/cards.csv" "${opts[@]}")"
read -r pdf_wall pdf_cpu _ <<<"$(best_of_three "${merge[@]}" "$job/cards.csv" "${opts[@]}" --pdf "$work/cards.pdf")"
echo "vardo merge, 1000 cards, 100 documents:     ${docs_wall} s elapsed, ${docs_cpu} s processor:" \
     "$(rate 1000 "$docs_wall") records/s ($(rate 1000 "$docs_cpu") by processor time)"
echo "vardo merge, the same and the one PDF:      ${pdf_wall} s elapsed, ${pdf_cpu} s processor:" \
     "$(rate 1000 "$pdf_wall") records/s ($(rate 1000 "$pdf_cpu") by processor time)"

if command -v glabels-3-batch >/dev/null; then
  read -r gl_wall gl_cpu _ <<<"$(measure glabels-3-batch -o "$work/glabels.pdf" "$job/cards.glabels")"
  pages="$(pdfinfo "$work/glabels.pdf" | awk '/^Pages:/{print $2}')"
  echo "glabels-3-batch, 1000 cards, one PDF:       ${gl_wall} s elapsed, ${gl_cpu} s processor:" \
       "$(rate 1000 "$gl_wall") records/s ($(rate 1000 "$gl_cpu") by processor time), $pages pages"
  echo "ratio, documents alone: $(ratio "$gl_wall" "$docs_wall")x elapsed," \
       "$(ratio "$gl_cpu" "$docs_cpu")x processor (goal 5x)"
  echo "ratio, with the PDF:    $(ratio "$gl_wall" "$pdf_wall")x elapsed," \
       "$(ratio "$gl_cpu" "$pdf_cpu")x processor (goal 2x)"
fi

# Memory: 10,000 cards against 1,000.
mkdir -p "$work/big"
python3 "$here/make_cards.py" "$work/big" 10000
read -r _ _ mem10k <<<"$(measure "${merge[@]}" "$work/big/cards.csv" "${opts[@]}")"
echo "peak memory: ${docs_mem} KB for 1,000 cards, ${mem10k} KB for 10,000:" \
     "$(ratio "$mem10k" "$docs_mem")x (goal at most 1.2x)"

# The cost of a document against the size of the table.
mkdir -p "$work/huge"
python3 "$here/make_cards.py" "$work/huge" 100000
read -r small_wall small_cpu _ <<<"$(best_of_three "${merge[@]}" "$job/cards.csv" "${opts[@]}" --to 1000)"
read -r huge_wall huge_cpu _ <<<"$(best_of_three "${merge[@]}" "$work/huge/cards.csv" "${opts[@]}" --to 1000)"
echo "records 1 to 1000: ${small_wall} s (${small_cpu} s processor) of a 1,000-record table," \
     "${huge_wall} s (${huge_cpu} s processor) of a 100,000-record table:" \
     "$(ratio "$huge_wall" "$small_wall")x elapsed, $(ratio "$huge_cpu" "$small_cpu")x processor" \
     "(goal at most 1.3x)"

# Shards side by side on this machine: the same documents, more processes.
for n in 1 2 4; do
  read -r sh_wall sh_cpu _ <<<"$(best_of_three env NO_PDF=1 VARDO="$vardo" \
    "$here/../examples/scale-out/parallel.sh" "$job/card.svg" "$work/big/cards.csv" \
    "$work/out" "$n" \
    --profile "$work/profile")"
  echo "10,000 cards as $n shard(s) side by side: ${sh_wall} s elapsed, ${sh_cpu} s processor:" \
       "$(rate 10000 "$sh_wall") records/s"
done
if [ ! -e "$build/plugins/VardoEngine.aip" ]; then
  echo "(the composition engine was not among the plug-ins: slots were collapsed, not filled)"
fi
