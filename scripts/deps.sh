#!/usr/bin/env bash
# Installs the Debian packages that the build needs and that are not yet present.
#   scripts/deps.sh play   what building and playing needs
#   scripts/deps.sh test   that plus what the tests, cross-checks, fuzzing and benchmarks need
set -euo pipefail

play_pkgs=(cmake ninja-build g++ pkg-config libsdl2-dev libfreetype-dev fonts-dejavu-core libpng-dev libjpeg-dev
           libcairo2-dev)
test_pkgs=(libgtest-dev libbenchmark-dev xvfb xauth ccache clang libclang-rt-14-dev python3
           libpalm-pdb-perl libjpeg-turbo-progs libpixman-1-dev
           libxmp-dev libopenmpt-dev openmpt123 ffmpeg pachi-data gweled gltron njam-data pingus-data)

want=("${play_pkgs[@]}")
[ "${1:-play}" = test ] && want+=("${test_pkgs[@]}")

missing=()
for p in "${want[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
echo "deps.sh: ${#missing[@]} Debian packages are missing: ${missing[*]}"
echo "deps.sh: updating apt's package lists first"
"${sudo_cmd[@]}" apt-get update
# What the install brings (the packages with everything they need) and what
# it downloads (packages not yet in apt's cache), as apt itself plans it.
planned=$(LANG=C apt-get install -s -y --no-install-recommends "${missing[@]}" | grep -c '^Inst ' || true)
bytes=$({ apt-get install -y --no-install-recommends --print-uris -qq "${missing[@]}" || true; } |
        awk '/^\x27/ { sum += $3 } END { print sum + 0 }')
echo "deps.sh: installing $planned packages (with what they need), $(( (bytes + 999999) / 1000000 )) MB to download;"
echo "deps.sh: this takes a few minutes on a fresh machine, apt's progress follows"
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
echo "deps.sh: packages installed"
