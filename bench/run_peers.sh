#!/usr/bin/env bash
# Measures every row of docs/performance.md in one run: the sound capture
# against openmpt123, the mixer against libopenmpt and libxmp, the drawing and
# decoding against pixman and libjpeg-turbo, the message queue against a
# locked deque, and the programs idle in a window under Xvfb.
# Needs the Release build of docs/performance.md and the peers' packages
# (scripts/deps.sh test); run it on a quiet machine.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build/rel}
bench=$build/bench
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

section() { echo "== $1"; }
medians() { "$@" --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true 2>&1 | grep median; }

section "start $(date -u '+%F %T') load $(cut -d' ' -f1-3 /proc/loadavg)"

section "capture (user+system CPU, peak RSS)"
cp /usr/share/pachi/music/menu.s3m "$work/menu.s3m"
for _ in 1 2 3 4 5; do
  for seconds in 60 600 6000; do
    /usr/bin/time -f "ours $seconds s: %U+%S s, %M KiB" \
      "$build/tools/soundplay/soundplay" --capture "$work/ours.wav" "$work/menu.s3m" "$seconds" >/dev/null
  done
  /usr/bin/time -f "openmpt123 600 s: %U+%S s, %M KiB" \
    openmpt123 --quiet --render --samplerate 22050 --filter 1 --ramping 0 --no-float --repeat -1 \
    --end-time 600 --force "$work/menu.s3m" >/dev/null
done

section "mixer and player"
medians "$bench/sound/sound_bench" --benchmark_filter='Render|Lib' --benchmark_repetitions=5

section "fills, card blits, DCT"
medians "$bench/graphics/bench_graphics" --benchmark_filter='CardsOpaque|CardsPixmanSrc|Fill|Dct' \
  --benchmark_repetitions=7
section "DCT, the peer without SIMD"
JSIMD_FORCENONE=1 medians "$bench/graphics/bench_graphics" --benchmark_filter=Dct --benchmark_repetitions=5

section "queue and timers"
for _ in 1 2 3; do medians "$bench/wince_queue/bench_wince_queue" --benchmark_repetitions=9; done

# Peak memory, wake-ups (context switches of all threads) and CPU time of a
# program left idle in a window for 20 s, after 6 s to start.
idle() {
  local display=:57 root="$work/root-$1"
  mkdir -p "$root"
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  local xvfb=$!
  sleep 1
  DISPLAY=$display "$build/programs/$1" --root "$root" >/dev/null 2>&1 &
  local pid=$!
  sleep 6
  switches() { cat /proc/"$pid"/task/*/status | awk '/ctxt_switches/ { s += $2 } END { print s }'; }
  cpu_ms() { cat /proc/"$pid"/task/*/schedstat | awk '{ s += $1 } END { printf "%d", s / 1000000 }'; }
  local s1 c1
  s1=$(switches)
  c1=$(cpu_ms)
  sleep 20
  echo "$1: $(grep VmHWM /proc/"$pid"/status | tr -s ' \t' ' '), $(( ($(switches) - s1) / 20 )) wake-ups a second," \
       "$(( $(cpu_ms) - c1 )) ms CPU in 20 s, GL libraries mapped: $(grep -ci 'libGL\|dri' /proc/"$pid"/maps || true)"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  kill "$xvfb"
  wait "$xvfb" 2>/dev/null || true
}
section "idle in the window"
idle pellwyn
idle carrowin-klondike

section "end $(date -u '+%F %T') load $(cut -d' ' -f1-3 /proc/loadavg)"
