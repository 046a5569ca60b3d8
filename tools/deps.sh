#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Aurivent need.
# Only packages that are missing are installed; apt-get needs root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qtbase5-dev qttools5-dev qttools5-dev-tools libqt5svg5-dev
  libhidapi-dev libudev-dev libpulse-dev libkissfft-dev libsensors-dev
  libbenchmark-dev
  xvfb xauth pulseaudio pulseaudio-utils python3
  fonts-dejavu-core fonts-liberation2 fonts-noto-cjk fonts-thai-tlwg
)

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
