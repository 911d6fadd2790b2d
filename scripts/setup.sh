#!/usr/bin/env bash
# Installs what Keyvane needs from Debian's packages (only when something is missing), then builds it
# into build/. Run as root on Debian 12, or with sudo available.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  # build
  cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev libzxcvbn-dev libsodium-dev
  # run
  libqt6svg6 libqt6dbus6 libsodium23 qt6-qpa-plugins fonts-dejavu-core xdg-utils libzxcvbn0
  # end-to-end tests and looking at it as a user would
  xvfb xauth x11-utils xdotool xclip trayer imagemagick cups poppler-utils
  # packaging checks
  desktop-file-utils appstream dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
