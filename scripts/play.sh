#!/usr/bin/env bash
# Installs what is missing, builds, and starts a program in a window:
#   scripts/play.sh                     Pellwyn
#   scripts/play.sh klondike|spider|spider-qvga   a Carrowin build
# Further arguments go to the program (see its --help).
# A first argument that is neither a program's name nor an option is refused.
set -euo pipefail
cd "$(dirname "$0")/.."

program=pellwyn
case "${1:-}" in
  klondike|spider|spider-qvga) program="carrowin-$1"; shift ;;
  pellwyn) shift ;;
  ''|-*) ;;
  *)
    echo "play.sh: no program is called '$1'; the programs are:" >&2
    echo "  pellwyn (the default), klondike, spider, spider-qvga" >&2
    exit 2
    ;;
esac
bash scripts/deps.sh play

build=build/play
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLWYN_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target "$program"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display to open a window on. Run it headless instead, driven by a script:"
  echo "  $build/programs/$program --headless --script FILE"
  echo "(see README.md, 'Headless mode')."
  exit 1
fi
exec "$build/programs/$program" "$@"
