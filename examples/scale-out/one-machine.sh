#!/usr/bin/env bash
# The whole merge in one process: the reference the shards add up to.
#
#   one-machine.sh TEMPLATE.svg DATA.csv OUT_DIR
#
# Writes OUT_DIR/*.svg and OUT_DIR/cards.pdf. VARDO names the program
# (default: vardo on the PATH).
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 TEMPLATE.svg DATA.csv OUT_DIR" >&2; exit 2; }
vardo="${VARDO:-vardo}"
"$vardo" merge "$1" "$2" --out "$3" --pdf "$3/cards.pdf" --quiet
