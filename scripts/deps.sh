#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
# Quiet and quick when everything is already there.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libsdl2-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri
  libfreetype-dev libfontconfig-dev fonts-dejavu-core
  libgtest-dev libcairo2-dev zlib1g-dev
  xvfb xdotool x11-utils imagemagick python3 evilwm
  desktop-file-utils appstream dpkg-dev file
  xfonts-base  # SDL's X11 message boxes draw their text with the X core fonts
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
