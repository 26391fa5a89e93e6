#!/usr/bin/env bash
# Installs every Debian package that building, testing and benchmarking Velmora needs.
# Idempotent: it asks apt only for what is missing and says nothing when all is there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libpng-dev libxcb1-dev libxcb-xfixes0-dev libwayland-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang clang-format libclang-rt-14-dev
  netpbm desktop-file-utils appstream dpkg-dev lintian file strace
  xvfb xauth xdotool xclip x11-utils x11-apps imagemagick time openbox python3
  libxcb-xtest0-dev libxcb-damage0-dev
  fonts-dejavu-core fonts-liberation
  weston qt6-wayland wl-clipboard
  e2fsprogs mount
  gir1.2-gnomedesktop-3.0 python3-gi bubblewrap
  x11-session-utils x11-xserver-utils dbus python3-dbusmock gir1.2-gtk-3.0 libglib2.0-bin
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
