#!/usr/bin/env bash
# Installs the Debian packages that the build needs and that are not yet present.
#   scripts/deps.sh play   what building and playing needs
#   scripts/deps.sh test   that plus what the tests, cross-checks, fuzzing and benchmarks need
set -euo pipefail

play_pkgs=(cmake ninja-build g++ pkg-config libsdl2-dev libfreetype-dev fonts-dejavu-core libpng-dev)
test_pkgs=(libgtest-dev libbenchmark-dev xvfb xauth ccache clang libclang-rt-14-dev python3
           libpalm-pdb-perl libjpeg-turbo-progs libjpeg-dev libpixman-1-dev
           libxmp-dev libopenmpt-dev openmpt123 ffmpeg pachi-data gweled gltron)

want=("${play_pkgs[@]}")
[ "${1:-play}" = test ] && want+=("${test_pkgs[@]}")

missing=()
for p in "${want[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
