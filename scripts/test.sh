#!/usr/bin/env bash
# test.sh -- builds Quillbrook if needed and runs every test: unit tests, then end-to-end tests under Xvfb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cd build
ctest --output-on-failure "$@"
