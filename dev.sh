#!/usr/bin/env bash
# Set-up and the two everyday jobs, from a fresh Debian machine:
#   ./dev.sh run    install what is missing, build, run the main job
#   ./dev.sh test   install what is missing, build, run every test
#   ./dev.sh format [--check]   format every source file (or only check)
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ clang libclang-rt-14-dev pkg-config python3
          libgtest-dev libbenchmark-dev libpugixml-dev libzint-dev libcli11-dev
          libfontconfig-dev libfreetype-dev libharfbuzz-dev libicu-dev fonts-ipafont-gothic
          libpng-dev librsvg2-bin libjpeg-turbo-progs librsvg2-dev libcairo2-dev poppler-utils
          time fonts-ocr-b zbar-tools parallel clang-format-14)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "dev.sh: installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
  cmake --preset default >/dev/null
  cmake --build --preset default
}

case "${1:-}" in
  run)
    install_missing
    build
    # The shipped example merged: a document per ten cards in out/ and all
    # of them as the pages of out/cards.pdf.
    build/bin/vardo merge examples/card.svg examples/addresses.csv --pictures examples \
      --out out --pdf out/cards.pdf --clear-unused
    echo "The documents are in out/ (card_001.svg, ...), the sheets in out/cards.pdf."
    ;;
  test)
    install_missing
    build
    ctest --preset default
    ;;
  format)
    install_missing
    # One formatter version for everyone: another version formats some
    # constructs differently, and the check below would fail on them.
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
      mapfile -t sources < <(git ls-files '*.cpp' '*.h' '*.c')
    else  # a copy of the tree without its history
      mapfile -t sources < <(find . -path './build*' -prune -o -path './out' -prune -o \
                               -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print)
    fi
    if [ "${2:-}" = --check ]; then
      clang-format-14 --dry-run --Werror "${sources[@]}"
    else
      clang-format-14 -i "${sources[@]}"
    fi
    ;;
  *)
    echo "usage: ./dev.sh run | ./dev.sh test | ./dev.sh format [--check]" >&2
    exit 2
    ;;
esac
