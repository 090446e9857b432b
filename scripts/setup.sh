#!/usr/bin/env bash
# Installs the Debian packages the build needs, when they are missing.
# As root it installs them with apt-get; otherwise it names them and stops.
set -euo pipefail

packages=(cmake ninja-build g++ make libgtest-dev libbenchmark-dev nlohmann-json3-dev libcli11-dev
          binutils-mingw-w64-i686 g++-mingw-w64-i686
          libfltk1.3-dev libcairo2-dev pkg-config xvfb xauth xdotool imagemagick
          clang libclang-rt-14-dev)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
  echo "setup: please install these Debian packages first:" >&2
  echo "  sudo apt-get install ${missing[*]}" >&2
  exit 1
fi
