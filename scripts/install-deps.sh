#!/usr/bin/env bash
# Installs the Debian packages Tesslor builds, tests, packages and runs with
# (dpkg-dev and file let cpack's DEB generator work out the library dependencies).
# As root it runs apt-get itself; otherwise it prints the exact sudo line and stops.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libsimpleini-dev libcli11-dev
  clang-14 libclang-rt-14-dev
  qt6-translations-l10n qt6-image-formats-plugins
  fonts-ipafont-gothic fonts-unifont fonts-misaki xvfb xauth
  libgif-dev
  dpkg-dev file
  exfat-fuse exfatprogs fuse3 util-linux strace
)

# `install-deps.sh windows`: also what the Windows cross build and its tests
# under Wine need. `wine` is the package of the `wine` launcher the build's
# test discovery and the test run call; wine64 alone (installed without
# recommends) does not bring it.
if [ "${1:-}" = "windows" ]; then
  # ninja-build and xz-utils build Qt from Debian's source (apt-get source
  # needs dpkg-dev, above); qt6-translations-l10n gives the zip its qtbase_ja.qm.
  PACKAGES+=(g++-mingw-w64-x86-64-posix wine wine64 zip googletest ninja-build xz-utils)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Tesslor needs these Debian packages: ${missing[*]}" >&2
  echo "Install them with:" >&2
  echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${missing[@]}"
