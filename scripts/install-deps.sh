#!/usr/bin/env bash
# Installs the Debian 12 packages Trelvix builds and tests with. Safe to run
# again: it asks apt only for what is missing.
set -euo pipefail
packages=(
  g++ cmake ninja-build pkg-config
  libwxgtk3.2-dev libcurl4-openssl-dev libpcre2-dev nlohmann-json3-dev libsqlite3-dev zlib1g-dev
  opencc libopencc-dev
  ieee-data
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool fonts-wqy-microhei
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
