#!/usr/bin/env bash
# Installs the Debian 12 packages that building, packaging and playing need; with --test also
# what only the tests (and the art tool and benchmark they run) need.
# Quiet and quick when everything is already there. Run as root or with sudo at hand.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libsdl2-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri
  libx11-dev  # Xlib's I/O error handler: a lost display still saves the scores
  libfreetype-dev libfontconfig-dev fonts-dejavu-core
  zlib1g-dev   # the snapshot tool, built with the game
  dpkg-dev file  # cpack -G DEB works out the package's dependencies with them
  xfonts-base  # SDL's X11 message boxes draw their text with the X core fonts
  gettext  # msgfmt compiles the translations (po/) and merges them into the desktop files
)
test_packages=(
  libgtest-dev ccache  # ccache: the test builds share their objects (scripts/ccache.sh)
  libcairo2-dev  # the art tool, which the tests hold to the committed images and icons
  fonts-sil-andika  # the art tool's face for the type pictures
  xvfb xdotool x11-utils imagemagick python3 evilwm
  clang libclang-rt-dev llvm  # the score files' fuzz targets (libFuzzer) and their coverage
  desktop-file-utils appstream lintian
  # The Windows build and its checks (scripts/windows.sh): the cross compiler, googletest's
  # sources to build with it, Wine to run it (`wine` runs 64-bit programs with wine64
  # alone; no i386 architecture needed), NSIS for its installer.
  g++-mingw-w64-x86-64-posix googletest wine wine64 nsis
)

case "${1:-}" in
  "") ;;
  --test) packages+=("${test_packages[@]}") ;;
  *) echo "usage: $0 [--test]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
