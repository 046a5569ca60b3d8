#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 (or Ubuntu 22.04) packages that building, running,
# testing and packaging Aurivent need. Only packages that are missing are
# installed; apt-get needs root.
#   tools/deps.sh [PACKAGE...]   extra packages a tool needs besides (clang, lcov)
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qtbase5-dev qtbase5-private-dev qttools5-dev qttools5-dev-tools libqt5svg5-dev libqt5charts5-dev
  libhidapi-dev libudev-dev libpulse-dev libkissfft-dev libsensors-dev
  libbenchmark-dev
  umockdev libumockdev-dev gir1.2-umockdev-1.0
  xvfb xauth x11-utils xdotool openbox pulseaudio pulseaudio-utils python3
  dbus python3-dbusmock python3-prometheus-client
  fonts-dejavu-core fonts-liberation2 fonts-noto-cjk fonts-thai-tlwg
  dpkg-dev desktop-file-utils appstream groff-base lintian systemd
  dbus-daemon python3-dbus python3-gi
  "$@"
)

if ! command -v apt-get >/dev/null 2>&1 || ! command -v dpkg-query >/dev/null 2>&1; then
  cat >&2 <<'MSG'
error: this script installs Debian packages with apt-get, which this system lacks.
       Install the same tools and libraries with your own package manager, then
       run the build again:
       Fedora: gcc-c++ cmake ninja-build pkgconf-pkg-config qt5-qtbase-devel qt5-qtbase-private-devel qt5-qttools-devel
               qt5-linguist qt5-qtsvg-devel qt5-qtcharts-devel hidapi-devel systemd-devel pulseaudio-libs-devel
               kissfft-devel lm_sensors-devel google-benchmark-devel xorg-x11-server-Xvfb
               xorg-x11-xauth xorg-x11-utils pulseaudio pulseaudio-utils python3 dbus-daemon python3-dbusmock
               python3-prometheus_client dejavu-sans-fonts liberation-sans-fonts
               google-noto-sans-cjk-fonts thai-scalable-fonts-common desktop-file-utils
               appstream groff-base umockdev-devel
       Arch:   base-devel cmake ninja pkgconf qt5-base qt5-tools qt5-svg qt5-charts hidapi systemd-libs
               libpulse kissfft lm_sensors benchmark xorg-server-xvfb xorg-xauth xorg-xwininfo xorg-xprop pulseaudio dbus
               python-dbusmock python-prometheus_client
               python ttf-dejavu ttf-liberation noto-fonts-cjk fonts-tlwg desktop-file-utils appstream groff umockdev
MSG
  exit 1
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
elif command -v sudo >/dev/null 2>&1; then
  sudo apt-get update -qq
  sudo DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "error: these packages are missing and installing them needs root: ${missing[*]}" >&2
  echo "       run this command as root, or install them with apt-get first." >&2
  exit 1
fi
