#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build, test and run the program.
# Sourced by the other scripts; does nothing when everything is already there.
set -euo pipefail

zaq_packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libqt6sql6-sqlite libqt6sql6-odbc
  libsqlite3-dev sqlite3
  unixodbc unixodbc-dev tdsodbc libsqliteodbc
  libgtest-dev googletest libbenchmark-dev
  fonts-thai-tlwg
  xvfb xauth
  help2man man-db
  libxlsxwriter-dev python3-openpyxl poppler-utils
  ccache
)
# A script that needs more (scripts/fuzz needs clang) names it before sourcing this.
zaq_packages+=(${zaq_extra_packages[@]+"${zaq_extra_packages[@]}"})

zaq_missing=()
for p in "${zaq_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || zaq_missing+=("$p")
done

if [ ${#zaq_missing[@]} -gt 0 ]; then
  echo "Installing: ${zaq_missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${zaq_missing[@]}"
fi
