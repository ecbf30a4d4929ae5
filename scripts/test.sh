#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (unit tests and the
# end-to-end tests of the real program) under Wine and Xvfb.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/setup-debian.sh"
source "$here/common.sh"

build_program
FORCE_XVFB=1 start_display
trap 'stop_wine; stop_display' EXIT
start_wine
cd "$BUILD_DIR"
ctest --output-on-failure "$@"
