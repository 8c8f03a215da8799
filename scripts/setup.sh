#!/usr/bin/env bash
# Installs what FenLark needs to build, test and run on Debian 12 (run as root, or with sudo
# available). Packages already installed are left alone, so a second run is quick.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    libgtest-dev libbenchmark-dev
    qt6-base-dev qt6-serialport-dev qt6-multimedia-dev qt6-qpa-plugins libgl-dev
    nlohmann-json3-dev libliquid-dev libsndfile1-dev libsoapysdr-dev pulseaudio pulseaudio-utils
    xvfb xauth xdotool imagemagick poppler-utils socat fonts-dejavu-core fonts-urw-base35
    dpkg-dev file desktop-file-utils appstream lintian
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
