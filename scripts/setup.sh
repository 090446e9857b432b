#!/usr/bin/env bash
# Installs the Debian packages the build needs, when they are missing, and wine (32-bit) to run
# the Windows build, when it can be had. As root it installs them with apt-get; otherwise it
# names them and stops (wine is only named).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

packages=(cmake ninja-build g++ make libgtest-dev libbenchmark-dev nlohmann-json3-dev libcli11-dev
          binutils-mingw-w64-i686 g++-mingw-w64-i686
          libfltk1.3-dev libcairo2-dev pkg-config xvfb xauth xdotool imagemagick
          clang libclang-rt-14-dev libsvgpp-dev libxml2-dev libboost-dev)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

# With i386 added, one missing index (the mirror refuses it while it syncs) makes apt-get
# update fail as a whole although every other index is fresh; what is there is still used.
update() {
  apt-get update -qq || echo "setup: apt-get update reported errors; going on with the indexes it has" >&2
}

# Installs the packages named; when i386 is added and its security index is refused, i386 and
# amd64 twins of a library (Multi-Arch pairs, which must match) are offered at different
# versions and apt gives up: then both are taken at the point release's versions, which match.
apt_install() {
  local log=/tmp/easel-setup-apt.log
  apt-get install -y -qq --no-install-recommends "$@" >"$log" 2>&1 && return 0
  dpkg --print-foreign-architectures | grep -qx i386 || { cat "$log" >&2; return 1; }
  echo "setup: the i386 security index is not available; installing from the point release" >&2
  apt-get install -y -qq --no-install-recommends -o Dir::Etc::Preferences="$here/apt-point-release.pref" "$@" \
    >"$log" 2>&1 && return 0
  cat "$log" >&2
  return 1
}

missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: please install these Debian packages first:" >&2
    echo "  sudo apt-get install ${missing[*]}" >&2
    exit 1
  fi
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  update
  apt_install "${missing[@]}"
fi

# wine runs the Windows build's tests; nothing else needs it, so failing to get it is said and
# the setup goes on (those tests then report themselves skipped).
installed wine && installed wine32:i386 && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "setup: wine is not installed, so the Windows tests will be skipped (as root: dpkg --add-architecture i386; apt-get install wine wine32)" >&2
  exit 0
fi
export DEBIAN_FRONTEND=noninteractive
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
echo "setup: installing wine and wine32 (the Windows build's tests run under it)"
update
if apt_install wine wine32; then exit 0; fi
# The mirror may have been syncing: ask once more.
sleep 20
update
if apt_install wine wine32; then exit 0; fi
echo "setup: wine cannot be installed now; the Windows tests will be reported as skipped" >&2
exit 0
