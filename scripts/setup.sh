#!/usr/bin/env bash
# Installs what Folvara needs to build, run and be tested on Debian 12; skips what is there.
# Further package names given as arguments are installed the same way.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev qt6-translations-l10n
    libqt6svg6 qt6-qpa-plugins libgl1-mesa-dev
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    fonts-liberation fonts-dejavu-core
    libbenchmark-dev libicu-dev
    clang libclang-rt-14-dev lld
    xvfb xauth xdotool imagemagick poppler-utils dbus-x11 at-spi2-core python3-pyatspi
    libreoffice-calc-nogui libquazip1-qt6-dev libfreexl-dev libxlsxwriter-dev libssl-dev
    libdlib-dev liblapack-dev libblas-dev
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=""
    if [ "$(id -u)" -ne 0 ]; then sudo_cmd="sudo"; fi
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
