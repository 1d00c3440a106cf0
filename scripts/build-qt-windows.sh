#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (MinGW-w64) from Debian's own source of the
# host's Qt, once per machine, into a cache folder outside any build folder:
#   ${TESSLOR_CACHE:-$HOME/.cache/tesslor}/qt-<version>-mingw-<key>
# where the key is a digest of the options below and the toolchain file, so
# that a change of options builds afresh and a clean clone reuses what is
# there. Prints the folder.
#
# Shared libraries, not static: the Qt DLLs go beside tesslor.exe, the usual
# way under the LGPL (a user can put in Qt DLLs of their own), and the
# offscreen platform the GUI tests use is a plugin like the windows one.
#
# Debian's moc, rcc and uic of the same Qt version do the host's part. The
# apt source entry this adds (deb-src, named tesslor-deb-src) stays for later runs.
set -euo pipefail
cd "$(dirname "$0")/.."

QT_VERSION="$(dpkg-query -W -f='${Version}' qt6-base-dev | sed 's/+.*//; s/-.*//')"
# Off: what the editor does not use (dynamicgl too: Qt 6.4's windows
# platform does not compile it without OpenGL). Tablet events need the
# Wintab header, which Debian's tarball leaves out.
QT_OPTIONS=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF
  -DFEATURE_tabletevent=OFF -DFEATURE_dynamicgl=OFF
)
KEY="$( (echo "${QT_OPTIONS[*]}"; cat cmake/mingw-w64-qt.cmake) | sha256sum | cut -c1-12)"
CACHE="${TESSLOR_CACHE:-$HOME/.cache/tesslor}"
PREFIX="$CACHE/qt-$QT_VERSION-mingw-$KEY"
JOBS="${JOBS:-2}"

if [ -f "$PREFIX/.complete" ]; then
  echo "$PREFIX"
  exit 0
fi

log() { echo "build-qt-windows: $*" >&2; }

sources=/etc/apt/sources.list.d/tesslor-deb-src.sources
if [ ! -f "$sources" ]; then
  if [ "$(id -u)" -ne 0 ]; then
    log "Debian's Qt source is needed: as root, add $sources (deb-src, bookworm) and run again"
    exit 1
  fi
  cat >"$sources" <<'EOF'
# Added by Tesslor (scripts/build-qt-windows.sh): Debian's source of the
# host's Qt, cross-built for Windows with MinGW-w64.
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  apt-get update >&2
fi

work="$CACHE/qt-work-$KEY"
rm -rf "$work"
mkdir -p "$work"
start=$SECONDS
(cd "$work" && apt-get source --download-only "qt6-base=$(dpkg-query -W -f='${Version}' qt6-base-dev)" >&2)
tarball="$(ls "$work"/qt6-base_*.orig.tar.xz)"
log "unpacking $(basename "$tarball")"
tar -xf "$tarball" -C "$work"
src="$(find "$work" -maxdepth 1 -type d -name 'qtbase-*' | head -n1)"

cmake -G Ninja -S "$src" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-qt.cmake" \
  -DCMAKE_INSTALL_PREFIX="$PREFIX" "${QT_OPTIONS[@]}" >&2
log "configured after $((SECONDS - start)) s"
cmake --build "$work/build" -j"$JOBS" >&2
cmake --install "$work/build" >&2
rm -rf "$work"
touch "$PREFIX/.complete"
log "Qt $QT_VERSION for Windows built in $((SECONDS - start)) s into $PREFIX"
echo "$PREFIX"
