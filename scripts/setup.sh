#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Hearvex needs.
# Does nothing when they are all present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6test6 libqt6opengl6-dev libgl-dev
  qt6-translations-l10n
  libsdl2-dev libsndfile1-dev libfftw3-dev librubberband-dev
  libgtest-dev libgmock-dev
  fonts-noto-cjk fonts-liberation fontconfig
  xvfb xauth xdotool imagemagick
  mpg123 mpv clang-format
  libavformat-dev libavcodec-dev libswresample-dev libavutil-dev ffmpeg
  dpkg-dev appstream desktop-file-utils
  xdg-utils
  libsqlite3-dev sqlite3 qt6-charts-dev
  libespeak-ng-dev espeak-ng-data libuchardet-dev
  qt6-l10n-tools lintian pocketsphinx-testdata
  libpocketsphinx-dev pocketsphinx-en-us libaubio-dev weston qt6-wayland libsamplerate0-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
