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
  xvfb xauth xdotool x11-utils fonts-wqy-microhei
  locales libgtk-3-common
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

# The desktop-language test runs the toolkit on a Chinese desktop whose numbers
# use a decimal comma: both locales must exist (GTK's Chinese texts come with
# libgtk-3-common).
locales_missing=()
for l in zh_CN.UTF-8 de_DE.UTF-8; do
  locale -a 2>/dev/null | grep -qix "${l/UTF-8/utf8}" || locales_missing+=("$l")
done
if ((${#locales_missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  for l in "${locales_missing[@]}"; do
    $sudo sed -i "s/^# *\($l UTF-8\)/\1/" /etc/locale.gen
    grep -qx "$l UTF-8" /etc/locale.gen || echo "$l UTF-8" | $sudo tee -a /etc/locale.gen > /dev/null
  done
  $sudo locale-gen > /dev/null
fi
