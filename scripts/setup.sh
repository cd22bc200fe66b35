#!/usr/bin/env bash
# Installs what Vatmark needs to build (Debian packages) and builds it.
# Safe to run again: packages already present are skipped and the build only
# recompiles what changed.  Usage: scripts/setup.sh [build-dir]
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$here/build}

packages=(
  g++ cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libqt6svg6-dev
  libsqlite3-dev libsqlitecpp-dev
  libchm-dev fp-utils
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 xvfb xauth poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# ccache is shared between clones of the project on this machine: paths are
# taken relative to the source folder so a fresh clone hits the same cache.
export CCACHE_BASEDIR="$here" CCACHE_NOHASHDIR=1

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
# Test discovery runs the test programs while building; GUI tests need a
# platform even where there is no display.
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
cmake --build "$build" --parallel "$(nproc)"
