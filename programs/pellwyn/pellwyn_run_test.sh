#!/bin/bash
# Pellwyn as a user meets it: Back quits with the settings database written,
# the next start finds it, a suspend stops the frames until the resume, and a
# second copy started while one runs (in a
# real window under Xvfb) ends at once and leaves the first one running.
set -eu
program=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
cd "$work"
export WINCE_INSTANCE_NAMESPACE="pellwyn-run-$$"

printf 'wait 300\nkey press back\nwait 100\ndump after-back.txt\n' > back.txt
# Back ends the program before the script's last command, which fails the run
# (status 3): that is the point here, so only the files tell.
"$program" --headless --root root --script back.txt 2>/dev/null || [ $? -eq 3 ]
settings="root/My Documents/Pellwyn/Pellwyn-Settings.pdb"
[ -f "$settings" ] || { echo "no settings database after Back"; exit 1; }
[ ! -f after-back.txt ] || { echo "still running after Back"; exit 1; }
before=$(stat -c %Y "$settings")

printf 'wait 500\ndump again.txt\n' > again.txt
"$program" --headless --root root --script again.txt 2>/dev/null
grep -q '^screen=empty' again.txt || { echo "second start did not reach the empty screen"; cat again.txt; exit 1; }
grep -q 'message-box' again.txt && { echo "second start showed an alert"; exit 1; }

# Suspended, the frames stop; resumed, they go on.
printf 'wait 500\nsuspend\nwait 100\ndump s0.txt\nwait 1000\ndump s1.txt\nresume\nwait 500\ndump s2.txt\n' > power.txt
"$program" --headless --root root --script power.txt 2>/dev/null
frames() { grep '^frames=' "$1" | cut -d= -f2; }
[ "$(frames s0.txt)" = "$(frames s1.txt)" ] || { echo "frames ran while suspended"; exit 1; }
[ "$(frames s2.txt)" -gt "$(frames s1.txt)" ] || { echo "frames did not resume"; exit 1; }

if command -v xvfb-run >/dev/null; then
  printf 'wait 3000\ndump first.txt\n' > long.txt
  xvfb-run -a "$program" --root root --script long.txt >/dev/null 2>&1 &
  first=$!
  # The first copy's window needs a moment to come up (real time).
  sleep 1.5
  printf 'wait 100\ndump second.txt\n' > short.txt
  # The second copy ends before its script, which fails its run (status 3).
  "$program" --headless --root root --script short.txt 2>/dev/null || [ $? -eq 3 ]
  [ ! -f second.txt ] || { echo "a second copy ran"; exit 1; }
  wait $first || true  # the desktop libraries under the leak checker may end it non-zero
  grep -q '^screen=' first.txt || { echo "the first copy did not keep running"; exit 1; }
  grep -q 'message-box' first.txt && { echo "the first copy showed an alert"; exit 1; }
fi
echo ok
