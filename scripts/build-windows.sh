#!/usr/bin/env bash
# Cross-builds core, tesslor-cli and their tests for 64-bit Windows with
# MinGW-w64 into a build folder (default build-windows), leaves
# tesslor-cli.zip there (the program, statically linked, and its usage) and,
# with --test, runs the tests under Wine. Used by `make windows` and CI.
set -euo pipefail
cd "$(dirname "$0")/.."

DIR="${1:-build-windows}"
JOBS="${JOBS:-2}"
RUN_TESTS=0
[ "${2:-}" = "--test" ] && RUN_TESTS=1

mkdir -p "$DIR"
DIR="$(cd "$DIR" && pwd)"
# The cross compiler does not look in /usr/include: the header-only libraries
# (SimpleIni, CLI11) are copied beside the build.
mkdir -p "$DIR/include"
cp /usr/include/SimpleIni.h "$DIR/include/"
rm -rf "$DIR/include/CLI" && cp -r /usr/include/CLI "$DIR/include/"

cmake -S . -B "$DIR" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DTESSLOR_WITH_QT=OFF -DTESSLOR_WITH_GIF=OFF -DTESSLOR_BUILD_GUI=OFF -DTESSLOR_BUILD_CLI=ON \
  -DTESSLOR_BUILD_BENCH=OFF -DTESSLOR_EXTRA_INCLUDE="$DIR/include" \
  -DTESSLOR_GTEST_SOURCE=/usr/src/googletest
cmake --build "$DIR" -j"$JOBS" --target tesslor-cli tesslor-core-tests tesslor-cli-tests

# The zip: the program (no DLL beyond Windows' own) and how to use it.
stage="$DIR/zip"
rm -rf "$stage" "$DIR/tesslor-cli.zip"
mkdir -p "$stage"
x86_64-w64-mingw32-strip -o "$stage/tesslor-cli.exe" "$DIR/cli/tesslor-cli.exe"
cp cli/USAGE.md "$stage/USAGE.md"
(cd "$stage" && zip -q -9 ../tesslor-cli.zip tesslor-cli.exe USAGE.md)
echo "$DIR/tesslor-cli.zip: $(stat -c %s "$DIR/tesslor-cli.zip") bytes"

if [ "$RUN_TESTS" = 1 ]; then
  # Headless: no display, no Wine chatter, a prefix of the build's own.
  export WINEDEBUG=-all WINEPREFIX="$DIR/wineprefix" DISPLAY=
  # A card that fills up: a 64 KiB file system, when this machine lets us
  # mount one (as root); Wine sees it through drive Z:. Without it the full
  # card's test says it was skipped.
  full="$DIR/fullcard"
  mkdir -p "$full"
  if [ "$(id -u)" -eq 0 ] && mount -t tmpfs -o size=64k tmpfs "$full" 2>/dev/null; then
    trap 'umount "$full" 2>/dev/null || true' EXIT
    export TESSLOR_FULL_FOLDER="Z:${full//\//\\}"
  fi
  wine "$DIR/tests/tesslor-core-tests.exe" --gtest_brief=1
  wine "$DIR/tests/tesslor-cli-tests.exe" --gtest_brief=1
fi
