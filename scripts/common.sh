# Shared by run.sh and test.sh: building, the Wine prefix and the X display.
# Source it; it sets ROOT, BUILD_DIR and WINEPREFIX.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
# Always the build folder's own prefix: the tests that CTest runs use it too,
# whatever WINEPREFIX the calling shell has.
export WINEPREFIX=$BUILD_DIR/wineprefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="winemenubuilder.exe,mscoree,mshtml=d"
# Wine's ANSI code page follows the locale: zh_CN gives code page 936 (GBK).
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8

build_program() {
  cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$BUILD_DIR" -j"$(nproc)" "$@"
}

# Starts Xvfb on a free display unless one is usable already (or forced).
XVFB_PID=
start_display() {
  if [ -n "${DISPLAY:-}" ] && [ -z "${FORCE_XVFB:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return
  fi
  local n
  for n in $(seq 91 120); do
    [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] && continue
    Xvfb :$n -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=:$n
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return; sleep 0.1; done
    kill $XVFB_PID 2>/dev/null; XVFB_PID=
  done
  echo "could not start Xvfb" >&2
  return 1
}

stop_display() {
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  XVFB_PID=
}

# One persistent wineserver for the whole run. Its helper processes must not
# inherit our pipes, or whoever reads them (CTest) waits for ever.
start_wine() {
  mkdir -p "$WINEPREFIX"
  wineserver -p </dev/null >/dev/null 2>&1 || true  # fails when one runs already
  wineboot -i </dev/null >/dev/null 2>&1 || true
  # A 1024 x 768 desktop with frames drawn by Wine, whatever the X screen.
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f </dev/null >/dev/null 2>&1
  # No crash dialog waiting for a click.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
  # Show the face a Chinese Windows has with the installed Chinese font.
  local subst='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
  wine reg add "$subst" /v '微软雅黑' /d 'WenQuanYi Micro Hei' /f </dev/null >/dev/null 2>&1
  wine reg add "$subst" /v 'Microsoft YaHei' /d 'WenQuanYi Micro Hei' /f </dev/null >/dev/null 2>&1
  # The GUI font of a Chinese Windows is the Song face SimSun: a Song face of
  # similar metrics stands in, so that texts wrap and fit as they do there.
  local replace='HKCU\Software\Wine\Fonts\Replacements'
  wine reg add "$replace" /v SimSun /d 'AR PL UMing CN' /f </dev/null >/dev/null 2>&1
  wine reg add "$replace" /v '宋体' /d 'AR PL UMing CN' /f </dev/null >/dev/null 2>&1
  # Wine's own fonts (Marlett draws the title-bar buttons) are not found in
  # Debian's data folder: put them where Wine looks.
  local font
  for font in /usr/share/wine/fonts/*.ttf; do
    [ -e "$font" ] && ln -sf "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
  done
  # Start the desktop once and keep it: otherwise the first window of every
  # process starts it anew (seconds each time), and the desktop process,
  # which outlives the program, holds on to the caller's pipes.
  if ! desktop_running; then
    # A desktop that wineboot started before the settings above is not the
    # virtual one: start the prefix's processes again under the settings.
    wineserver -k </dev/null >/dev/null 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
    wineserver -p </dev/null >/dev/null 2>&1 || true
    setsid wine explorer /desktop=Default,1024x768 </dev/null >/dev/null 2>&1 &
    local i
    for i in $(seq 100); do
      desktop_running && break
      sleep 0.1
    done
    sleep 1
  fi
}

# Whether the desktop process of this prefix runs (other prefixes may have theirs).
desktop_running() {
  local pid
  for pid in $(pgrep -f 'explorer.exe /desktop=Default'); do
    tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}

stop_wine() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
}
