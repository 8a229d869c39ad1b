#!/usr/bin/env bash
# run.sh -- builds Quillbrook if needed and runs it from the repository root
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

if [ -n "${DISPLAY:-}" ] && xdpyinfo > /dev/null 2>&1; then
    exec build/quillbrook
fi

# No X display: run on a virtual one and say how to look at it.
n=99
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
echo "No display was found (DISPLAY is not set or cannot be opened)."
echo "Quillbrook now runs on the virtual display :$n (Xvfb, 640x480)."
echo "To see it:  DISPLAY=:$n import -window root quillbrook.png   (a screenshot)"
echo "To drive it: DISPLAY=:$n xdotool mousemove 480 440 click 1   (or key Escape)"
echo "On a desktop, just run this script from a terminal inside your X session."
Xvfb ":$n" -screen 0 640x480x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
status=0
DISPLAY=":$n" build/quillbrook || status=$?
echo "Quillbrook ended with exit status $status."
exit $status
