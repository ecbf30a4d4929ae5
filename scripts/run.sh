#!/usr/bin/env bash
# Builds the program and starts it under Wine in a 1024 x 768 desktop, in the
# game folder build/game-root (with cstrike/maps/de_dust2.bsp, so that both
# install buttons work). Uses the current X display, or starts Xvfb when there
# is none. Arguments are ignored.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/setup-debian.sh"
source "$here/common.sh"

build_program --target program
game=$BUILD_DIR/game-root
mkdir -p "$game/cstrike/maps"
[ -e "$game/cstrike/maps/de_dust2.bsp" ] || printf 'BSP' > "$game/cstrike/maps/de_dust2.bsp"
cp "$BUILD_DIR/Brisvane.exe" "$game/"
start_display
trap 'stop_wine; stop_display' EXIT
start_wine
echo "Running $game/Brisvane.exe on display $DISPLAY"
cd "$game"
wine "$game/Brisvane.exe" </dev/null
