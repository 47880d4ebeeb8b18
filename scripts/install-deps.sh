#!/usr/bin/env bash
# Installs the Debian packages Rastrel needs to build and test, but only the
# ones that are missing, so that a second run costs nothing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite
    qt6-charts-dev qt6-svg-dev qt6-webengine-dev qt6-pdf-dev
    libgl-dev fonts-liberation poppler-utils
    # checking and packaging the installed tree, and the formatting check
    desktop-file-utils appstream man-db dpkg-dev file clang-format
    # the fuzz targets (libFuzzer)
    clang
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "Please install as root: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
