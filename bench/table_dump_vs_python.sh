#!/usr/bin/env bash
# Times `vardo table dump` against Python's csv module doing the same dump
# (read the file in its encoding, split every record into fields, print them
# all as JSON) of the same generated table, in one run, and prints the ratio.
#
#   bench/table_dump_vs_python.sh [SIZE_MB] [BUILD_DIR]
#
# Each side runs three times; the best of each counts, as elapsed time and
# as processor time (user + system), the fairer figure on a busy machine.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
size="${1:-50}"
build="${2:-$here/../build}"
vardo="$build/bin/vardo"
[ -x "$vardo" ] || { echo "no $vardo: build the vardo target first" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cat > "$work/dump.py" <<'PY'
import csv, json, sys
path, encoding, cls = sys.argv[1], sys.argv[2], int(sys.argv[3])
with open(path, encoding=encoding, newline="") as f:
    rows = [row for row in csv.reader(f) if row]
out = {"loaded": True, "encoding": cls, "count": len(rows), "records": rows}
sys.stdout.write(json.dumps(out, ensure_ascii=False))
sys.stdout.write("\n")
PY

# Best elapsed and processor seconds of three runs of a command.
best_of_three() {
  python3 - "$@" <<'PY'
import os, subprocess, sys, time
best_wall = best_cpu = None
for _ in range(3):
    before = os.times()
    start = time.perf_counter()
    subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, check=True)
    wall = time.perf_counter() - start
    after = os.times()
    cpu = (after.children_user - before.children_user) + (after.children_system - before.children_system)
    best_wall = wall if best_wall is None else min(best_wall, wall)
    best_cpu = cpu if best_cpu is None else min(best_cpu, cpu)
print(f"{best_wall:.3f} {best_cpu:.3f}")
PY
}

for encoding in utf-8 cp932; do
  file="$work/table.$encoding.csv"
  python3 "$here/make_table.py" "$file" "$size" "$encoding"
  cls=5; [ "$encoding" = cp932 ] && cls=4
  # Both sides must agree on what they read before their times mean anything.
  "$vardo" table dump "$file" > "$work/vardo.json"
  python3 "$work/dump.py" "$file" "$encoding" "$cls" > "$work/python.json"
  count_vardo=$(head -c 200 "$work/vardo.json" | sed -n 's/.*"count": \([0-9]*\).*/\1/p')
  count_python=$(head -c 200 "$work/python.json" | sed -n 's/.*"count": \([0-9]*\).*/\1/p')
  rm -f "$work/vardo.json" "$work/python.json"
  read -r vardo_wall vardo_cpu < <(best_of_three "$vardo" table dump "$file")
  read -r python_wall python_cpu < <(best_of_three python3 "$work/dump.py" "$file" "$encoding" "$cls")
  bytes=$(stat -c %s "$file")
  python3 - "$encoding" "$bytes" "$count_vardo" "$count_python" "$vardo_wall" "$vardo_cpu" "$python_wall" "$python_cpu" <<'PY'
import sys
enc, size, cv, cp, vw, vc, pw, pc = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4], *map(float, sys.argv[5:])
print(f"{enc}: {size / 1e6:.1f} MB, records vardo {cv} / python {cp}")
print(f"  vardo table dump : {vw:.3f} s elapsed, {vc:.3f} s processor, {size / 1e6 / vw:.0f} MB/s elapsed")
print(f"  python csv+json  : {pw:.3f} s elapsed, {pc:.3f} s processor")
print(f"  ratio python/vardo: {pw / vw:.1f}x elapsed, {pc / vc:.1f}x processor")
PY
done
