#!/bin/bash
# Runs the solver with the command a line file names on its first line
# ("found by gamesolve ARGS: ...") and compares what it prints with the file:
# the solver still finds that line.
#   same_line.sh GAMESOLVE LINE_FILE
set -eu
gamesolve=$1 line=$2
args=$(sed -n '1s/^# deal [0-9]*: .*, found by gamesolve \([^:]*\):.*/\1/p' "$line")
[ -n "$args" ] || { echo "$line: the first line names no gamesolve command"; exit 1; }
# shellcheck disable=SC2086  # the arguments are words
"$gamesolve" $args 2>/dev/null | diff - "$line" || { echo "gamesolve $args no longer finds $line"; exit 1; }
echo ok
