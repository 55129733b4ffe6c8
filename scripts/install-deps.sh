#!/usr/bin/env bash
# install-deps.sh linux|all - installs, with apt-get as root, what the builds need and is missing.
#   linux: compiler, CMake, GoogleTest (enough to build and start the Linux wizard)
#   all:   also Google Benchmark, clang's sanitizer runtime, the mingw-w64 cross compiler, Wine,
#          Xvfb, xdotool, a Japanese locale and fonts (IPA P Gothic has the metrics of the dialog's
#          font), Wine's own fonts, ImageMagick (the Windows build and its tests), hyperfine and GNU
#          time (bench/cwstool-throughput.sh)
set -euo pipefail
what=${1:-linux}

packages=(g++ cmake make libgtest-dev libgmock-dev)
if [ "$what" = all ]; then
  packages+=(libbenchmark-dev clang libclang-rt-14-dev
             g++-mingw-w64-i686 binutils-mingw-w64-i686 googletest
             wine wine32:i386 wine64 xvfb xdotool x11-utils locales fonts-noto-cjk imagemagick
             fonts-ipafont-gothic fonts-wine hyperfine time)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing packages (${missing[*]}); run as root to install them" >&2
    exit 1
  fi
  if printf '%s\n' "${missing[@]}" | grep -q ':i386$'; then
    dpkg --add-architecture i386
  fi
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if [ "$what" = all ] && ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  sed -i 's/^# *ja_JP.UTF-8/ja_JP.UTF-8/' /etc/locale.gen
  locale-gen >/dev/null
fi
