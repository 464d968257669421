#!/usr/bin/env bash
# Installs the Debian packages Brinestead needs to build, test and run.
set -euo pipefail
packages=(cmake g++ ninja-build qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-charts-dev
          libgl-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth fonts-dejavu-core
          clang libclang-rt-14-dev locales fonts-liberation2 poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi
# The number checks also run under a language that writes decimals with a comma.
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
