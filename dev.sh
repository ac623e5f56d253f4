#!/usr/bin/env bash
# Set-up and the two everyday jobs, from a fresh Debian machine:
#   ./dev.sh run    install what is missing, build, run the main job
#   ./dev.sh test   install what is missing, build, run every test
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ clang libclang-rt-14-dev pkg-config python3
          libgtest-dev libbenchmark-dev libpugixml-dev libzint-dev libcli11-dev
          libfontconfig-dev libfreetype-dev libharfbuzz-dev libicu-dev fonts-ipafont-gothic
          libpng-dev librsvg2-bin libjpeg-turbo-progs fonts-ocr-b zbar-tools)

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
    # The shipped example as the plug-ins read it: the record table, the
    # scripts of the template's frames, then the cards composed from it.
    build/bin/vardo table show examples/addresses.csv
    echo
    build/bin/vardo script list examples/template.svg
    echo
    mkdir -p build/example
    build/bin/vardo compose examples/template.svg examples/addresses.csv -o build/example/cards.svg
    echo "composed: build/example/cards.svg"
    ;;
  test)
    install_missing
    build
    ctest --preset default
    ;;
  *)
    echo "usage: ./dev.sh run | ./dev.sh test" >&2
    exit 2
    ;;
esac
