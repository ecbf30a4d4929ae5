#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine, from
# Debian's own packages. Safe to run again: it only installs what is missing.
set -euo pipefail

need_root() {
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null; then exec sudo -E bash "$0" "$@"; fi
    echo "setup-debian.sh: run as root" >&2; exit 1
  fi
}
need_root "$@"

export DEBIAN_FRONTEND=noninteractive

packages=(
  # cross toolchain (posix thread model: GoogleTest needs std::mutex)
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  libz-mingw-w64-dev
  cmake make pkg-config dpkg-dev bzip2 xz-utils procps
  googletest
  # Wine with 32-bit support, an X server and input for the window tests
  wine wine32:i386 fonts-wine xvfb xdotool x11-utils imagemagick
  fonts-wqy-microhei fonts-arphic-uming locales
  # the asset generators
  python3 python3-pil
)

changed=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  changed=1
fi

# minizip has no Windows package: it is built from the zlib source package.
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    # Only the main archive: the security mirror does not carry every source.
    awk -v RS= -v ORS='\n\n' '!/debian-security/' /etc/apt/sources.list.d/debian.sources \
      | sed -e 's/^Types: deb$/Types: deb-src/' > /etc/apt/sources.list.d/debian-src.sources
  else
    echo "deb-src http://deb.debian.org/debian bookworm main" > /etc/apt/sources.list.d/debian-src.list
  fi
  changed=1
fi

missing=()
for p in "${packages[@]}"; do
  name=${p%%:*}; arch=${p#*:}; [ "$arch" = "$p" ] && arch=
  q=$name; [ -n "$arch" ] && q="$name:$arch"
  if ! dpkg-query -W -f='${Status}' "$q" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ] || [ $changed -eq 1 ]; then
  apt-get update -q
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup-debian.sh: installing ${missing[*]}"
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine's ANSI code page follows the locale: zh_CN.UTF-8 gives code page 936.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen
fi

echo "setup-debian.sh: all dependencies present"
