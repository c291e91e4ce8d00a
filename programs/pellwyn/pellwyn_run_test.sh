#!/bin/bash
# Pellwyn as a user meets it: --help shows the desktop's keys, Back quits with
# the settings database written, the next start finds those settings, a
# suspend stops the frames until the resume, and a second copy started on the
# same device root while one runs ends at once, saying why (one on another
# root runs beside it), and leaves the
# first one running.
set -eu
program=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
cd "$work"
export WINCE_INSTANCE_NAMESPACE="pellwyn-run-$$"

"$program" --help > help.txt
for key in 'Tab, Shift+Tab' 'Menu key, F10' 'F4, End' 'F9' 'F1, F2' 'Escape, Backspace'; do
  grep -qF -- "$key" help.txt || { echo "--help does not show the key $key"; cat help.txt; exit 1; }
done

printf 'wait 1000\nkey press back\nwait 100\ndump after-back.txt\n' > back.txt
# Back ends the program before the script's last command, which fails the run
# (status 3): that is the point here, so only the files tell.
"$program" --headless --root root --script back.txt 2>/dev/null || [ $? -eq 3 ]
settings="root/My Documents/Pellwyn/Pellwyn-Settings.pdb"
[ -f "$settings" ] || { echo "no settings database after Back"; exit 1; }
[ ! -f after-back.txt ] || { echo "still running after Back"; exit 1; }

# The language the first start took from the system (a little-endian word at
# 194 in the system block, resource type "QZSA") is changed in the file: a
# start that finds its settings keeps it, a first start would set it again.
index=$(grep -obUa 'QZSA' "$settings" | head -1 | cut -d: -f1)
[ -n "$index" ] || { echo "no system block in the settings database"; exit 1; }
block=$(od -An -tu1 -j $((index + 6)) -N4 "$settings" | awk '{ print (($1 * 256 + $2) * 256 + $3) * 256 + $4 }')
language() { od -An -tu2 --endian=little -j $((block + 194)) -N2 "$settings" | tr -d ' '; }
[ "$(language)" = 1033 ] || { echo "unexpected first-start language $(language)"; exit 1; }
printf '\x07\x04' | dd of="$settings" bs=1 seek=$((block + 194)) conv=notrunc status=none

printf 'wait 500\ndump again.txt\n' > again.txt
"$program" --headless --root root --script again.txt 2>/dev/null
grep -q "^screen=forms" again.txt || { echo "second start did not reach its forms"; cat again.txt; exit 1; }
grep -q 'message-box' again.txt && { echo "second start showed an alert"; exit 1; }
[ "$(language)" = 1031 ] || { echo "the second start did not keep the stored settings"; exit 1; }

# Suspended, the frames stop; resumed, they go on.
printf 'wait 500\nsuspend\nwait 100\ndump s0.txt\nwait 1000\ndump s1.txt\nresume\nwait 500\ndump s2.txt\n' > power.txt
"$program" --headless --root root --script power.txt 2>/dev/null
frames() { grep '^frames=' "$1" | cut -d= -f2; }
[ "$(frames s0.txt)" = "$(frames s1.txt)" ] || { echo "frames ran while suspended"; exit 1; }
[ "$(frames s2.txt)" -gt "$(frames s1.txt)" ] || { echo "frames did not resume"; exit 1; }

# Two processes: the first runs in a window (SDL's display-less driver, so the
# waits take real time) and dumps its state every 200 ms for half a minute,
# far longer than the second needs to find it and end before its script; it
# is stopped once the dumps after the second's end are there. Each
# step waits for the file that shows the state it needs (two minutes at most,
# a guard against a hang).
{
  echo 'dump up.txt'
  for n in $(seq 150); do printf 'wait 200\ndump first-%d.txt\n' "$n"; done
} > long.txt
SDL_VIDEODRIVER=dummy "$program" --root root --script long.txt >/dev/null 2>&1 &
first=$!
# Waits until the file exists; false after two minutes (a hang).
await() {
  local give_up=$((SECONDS + 120))
  until [ -f "$1" ]; do
    [ $SECONDS -lt $give_up ] || return 1
    sleep 0.1
  done
}
stop_first() { kill $first 2>/dev/null || true; }
await up.txt || { echo "the first copy did not come up"; stop_first; exit 1; }
printf 'wait 100\ndump second.txt\n' > short.txt
status=0
"$program" --headless --root root --script short.txt 2>second.err || status=$?
[ ! -f second.txt ] || { echo "a second copy ran"; stop_first; exit 1; }
[ "$status" -eq 1 ] || { echo "a refused second copy ended with status $status"; stop_first; exit 1; }
grep -q "not started: it is already running with the device root" second.err ||
  { echo "a refused second copy does not say why"; cat second.err; stop_first; exit 1; }
# The device is its root: a copy on another root runs beside the first.
printf 'wait 100\ndump other.txt\n' > other-script.txt
"$program" --headless --root other-root --script other-script.txt 2>/dev/null ||
  { echo "a copy on another device root was refused"; stop_first; exit 1; }
grep -q '^screen=' other.txt || { echo "a copy on another device root did not run"; stop_first; exit 1; }
# A dump the first copy began after the second had ended, complete once the
# one after it is there.
latest=$(ls first-*.txt 2>/dev/null | sed 's/[^0-9]//g' | sort -n | tail -1)
after=$(( ${latest:-0} + 1 ))
await "first-$((after + 1)).txt" || { echo "the first copy did not keep running"; stop_first; exit 1; }
# That is all the first copy had to show: it is ended now rather than left to
# idle through the rest of its script in real time (killed: the device root's
# lock goes with the process).
kill -KILL $first 2>/dev/null || true
wait $first || true
grep -q '^screen=' "first-$after.txt" || { echo "the first copy did not keep running"; exit 1; }
grep -q 'message-box' "first-$after.txt" && { echo "the first copy showed an alert"; exit 1; }

# No sound card (SDL's ALSA driver on a device that does not exist, or a
# driver SDL does not have): the window opens and plays silently, and one line
# says so in place of the sound libraries' own complaints.
printf 'wait 300\ndump silent.txt\n' > silent-script.txt
for driver in alsa no-such-driver; do
  rm -f silent.txt
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=$driver AUDIODEV=no-such-device ASAN_OPTIONS=detect_leaks=0 \
    "$program" --root root --script silent-script.txt >/dev/null 2>silent-$driver.txt ||
    { echo "no start without sound ($driver)"; cat silent-$driver.txt; exit 1; }
  grep -q '^screen=' silent.txt || { echo "no frames without sound ($driver)"; exit 1; }
  [ "$(wc -l < silent-$driver.txt)" -eq 1 ] && grep -q 'sound' silent-$driver.txt ||
    { echo "without sound ($driver) the program did not say so in one line:"; cat silent-$driver.txt; exit 1; }
done
echo ok
