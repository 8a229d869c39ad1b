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
program=""
# The program goes first: it cannot shut down once its X server is gone.
stop() {
    if [ -n "$program" ]; then
        kill "$program" 2> /dev/null
        for _ in $(seq 30); do kill -0 "$program" 2> /dev/null || break; sleep 0.1; done
        kill -9 "$program" 2> /dev/null
    fi
    kill "$xvfb" 2> /dev/null
}
trap stop EXIT
trap 'exit 130' INT TERM
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
DISPLAY=":$n" build/quillbrook &
program=$!
status=0
wait $program || status=$?
program=""
echo "Quillbrook ended with exit status $status."
exit $status
