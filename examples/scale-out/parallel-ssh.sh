#!/usr/bin/env bash
# The merge spread over machines by GNU parallel over ssh. Every machine
# needs vardo installed and sees the template, the CSV file, the pictures
# and OUT_DIR at the same absolute paths (a shared folder: NFS, SMB...);
# nothing else is shared. NODES is a GNU parallel sshlogin file, a line per
# machine such as "2/user@host1" (two shards at a time on host1).
#
#   parallel-ssh.sh NODES TEMPLATE.svg DATA.csv OUT_DIR SHARDS [MERGE OPTION...]
#
# The PDF is made at the end on this machine from the shards' documents.
set -euo pipefail
if [ $# -lt 5 ]; then
  echo "usage: $0 NODES TEMPLATE.svg DATA.csv OUT_DIR SHARDS [OPTION...]" >&2
  exit 2
fi
nodes="$1" shards="$5"
template="$(realpath "$2")" data="$(realpath "$3")"
mkdir -p "$4"
out="$(realpath "$4")"
shift 5
vardo="${VARDO:-vardo}"
parallel --will-cite -q --sshloginfile "$nodes" --retries 3 --halt now,fail=1 \
  "$vardo" merge "$template" "$data" --out "$out" --quiet "$@" --shard "{}/$shards" \
  ::: $(seq "$shards")
"$vardo" pdf "$out/cards.pdf" "$out"/*.svg >/dev/null
