#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the screenshots need.
# Safe to run more than once.
set -euo pipefail
pkgs=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 libqt6widgets6 libqt6gui6 qt6-qpa-plugins
  qt6-translations-l10n
  libgl-dev libxkbcommon-dev
  libsqlite3-dev sqlite3
  libxlsxwriter-dev
  libgtest-dev googletest
  fonts-noto-cjk fontconfig
  xvfb xauth poppler-utils unzip
)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
