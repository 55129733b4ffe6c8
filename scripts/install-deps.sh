#!/usr/bin/env bash
# install-deps.sh linux|all|render|docs - installs, with apt-get as root, what the builds need and is missing.
#   linux:  compiler, CMake and Ninja, GoogleTest, tinygltf and nlohmann-json (cwstool's glTF
#           export), librsvg with cairo, pkg-config (pkgconf) and the Noto CJK fonts (cwstool's PNG
#           preview), gettext (the message catalogues) and libedit (the console's line editing, loaded
#           at run time): enough to build and start the Linux wizard and cwstool
#   all:    also Google Benchmark, clang's sanitizer runtime, the mingw-w64 cross compilers (x86-64 and
#           i686), Wine's 64-bit loader, Xvfb, xdotool, a Japanese locale and fonts (IPA P Gothic has
#           the metrics of the dialog's font), Wine's own fonts, ImageMagick (the Windows builds and
#           their tests); and Wine's 32-bit loader (wine32:i386, with the i386 architecture added to
#           dpkg) only where the kernel executes 32-bit programs (scripts/can-run-i386.sh): elsewhere
#           it cannot run, and its post-install scripts fail. Node.js and npm when there are none, and
#           with them the Khronos glTF Validator (scripts/install-gltf-validator.sh) and the web-ifc
#           IFC reader (scripts/install-ifc-reader.sh); IfcPlusPlus, the second IFC reader of the tests
#           (libifcplusplus-dev, with libboost-dev, whose headers its own include). hyperfine and GNU time
#           (bench/cwstool-throughput.sh); valgrind (bench/check-budgets.sh); help2man (the man pages).
#   render: the linux set, f3d, Xvfb and ImageMagick (scripts/render-gltf-picture.sh, run by hand)
#   docs:   the linux set and Doxygen (the target docs, the scene library's API reference:
#           scripts/build-api-docs.sh, run by hand)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/steps.sh"
what=${1:-linux}

updated=0
# install PACKAGE...: installs those of the packages that are missing.
install() {
  local missing=() p
  for p in "$@"; do
    [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" = "install ok installed" ] || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing packages (${missing[*]}); run as root to install them" >&2
    exit 1
  fi
  # (No "| grep -q" in these tests: under pipefail, grep leaving early can fail the pipeline.)
  if [[ " ${missing[*]} " == *":i386 "* ]] && [[ " $(dpkg --print-foreign-architectures | tr '\n' ' ') " != *" i386 "* ]]; then
    step "dpkg --add-architecture i386" dpkg --add-architecture i386
    updated=0
  fi
  if [ "$updated" = 0 ]; then
    step "apt-get update" apt-get update -qq
    updated=1
  fi
  echo "install-deps: installing ${missing[*]}"
  step "apt-get install" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# binutils first: the 32-bit probe is built with it.
install g++ cmake make ninja-build binutils libgtest-dev libgmock-dev libtinygltf-dev nlohmann-json3-dev \
        librsvg2-dev pkgconf fonts-noto-cjk gettext libedit2
if [ "$what" = docs ]; then
  install doxygen
  exit 0
fi
if [ "$what" = render ]; then
  install f3d xvfb xauth imagemagick
  exit 0
fi
[ "$what" = all ] || exit 0

windows=(libbenchmark-dev clang libclang-rt-14-dev googletest
         g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
         g++-mingw-w64-i686-posix binutils-mingw-w64-i686
         wine wine64 xvfb xdotool x11-utils locales fonts-noto-cjk imagemagick
         fonts-ipafont-gothic fonts-wine hyperfine time valgrind help2man libifcplusplus-dev libboost-dev)
if "$here/can-run-i386.sh" >/dev/null; then
  windows+=(wine32:i386)
fi
# Node.js with npm may come from elsewhere than Debian (the machine's own); Debian's only when none is there.
command -v npm >/dev/null 2>&1 || windows+=(nodejs npm)
install "${windows[@]}"

if ! locale -a 2>/dev/null | grep -i '^ja_JP.utf8$' >/dev/null; then
  sed -i 's/^# *ja_JP.UTF-8/ja_JP.UTF-8/' /etc/locale.gen
  step "locale-gen ja_JP.UTF-8" locale-gen >/dev/null
fi

step "install the glTF validator" "$here/install-gltf-validator.sh"
step "install the IFC reader" "$here/install-ifc-reader.sh"
