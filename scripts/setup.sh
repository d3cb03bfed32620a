#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages the build needs, when they are missing.
set -euo pipefail

# The same names on Debian 12 and Ubuntu 24.04. dpkg-dev and file serve
# `cpack -G DEB` (dpkg-shlibdeps finds the package's dependencies).
packages=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev qt6-translations-l10n
          zlib1g-dev nlohmann-json3-dev dpkg-dev file)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi
