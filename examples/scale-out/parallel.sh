#!/usr/bin/env bash
# The merge as SHARDS processes side by side on this machine, run by GNU
# parallel (Debian's parallel), then the shards' documents joined into one
# PDF. The documents are those one-machine.sh writes, byte for byte.
#
#   parallel.sh TEMPLATE.svg DATA.csv OUT_DIR [SHARDS] [MERGE OPTION...]
#
# SHARDS defaults to the number of processors. Options after it go to every
# shard's vardo merge (--from, --to, --pictures, --profile...). A shard that
# fails is run again (--retries): it writes its own files again and no
# others. VARDO names the program (default: vardo on the PATH); with
# NO_PDF=1 the PDF is left out.
set -euo pipefail
[ $# -ge 3 ] || { echo "usage: $0 TEMPLATE.svg DATA.csv OUT_DIR [SHARDS] [OPTION...]" >&2; exit 2; }
template="$1" data="$2" out="$3"
shards="${4:-$(nproc)}"
shift $(($# >= 4 ? 4 : 3))
vardo="${VARDO:-vardo}"
mkdir -p "$out"
# -q passes every word to the shard as it stands, spaces and all.
parallel --will-cite -q --jobs "$shards" --retries 2 --halt now,fail=1 \
  "$vardo" merge "$template" "$data" --out "$out" --quiet "$@" --shard "{}/$shards" \
  ::: $(seq "$shards")
if [ "${NO_PDF:-0}" != 1 ]; then
  # vardo pdf puts the documents in the order of their numbers.
  "$vardo" pdf "$out/cards.pdf" "$out"/*.svg >/dev/null
fi
