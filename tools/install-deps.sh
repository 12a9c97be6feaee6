#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs everything the app, its service, the tests and the benchmarks need on Debian 12.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build git pkg-config clang libclang-rt-14-dev clang-format
  libbenchmark-dev dpkg-dev file python3 openssl ca-certificates
  # Qt 6 and what its desktop plugins need
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n
  libgl-dev libvulkan-dev libxkbcommon-dev
  # the analysis service
  libcpp-httplib-dev libssl-dev
  # fonts for Chinese text and colour emoji
  fonts-noto-cjk fonts-noto-color-emoji
  # a real desktop for the end-to-end tests, the screenshots and the tray benchmark
  xvfb openbox trayer xdotool x11-utils xclip imagemagick dbus dbus-x11
  fcitx5 fcitx5-chinese-addons fcitx5-frontend-qt6
)

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  "${sudo[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
