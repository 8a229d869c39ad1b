#!/usr/bin/env bash
# setup.sh -- installs what is missing on a Debian machine and builds Quillbrook into build/
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake pkg-config liballegro4-dev libloadpng4-dev libjpgalleg4-dev libx11-dev
          libgtest-dev libbenchmark-dev python3 xvfb xauth xdotool imagemagick x11-utils)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > build.log 2>&1 || { cat build.log; exit 1; }
cmake --build build -j"$(nproc)" >> build.log 2>&1 || { tail -50 build.log; exit 1; }
