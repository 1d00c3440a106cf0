#!/usr/bin/env bash
# Cross-builds the editor, tesslor-cli and their tests for 64-bit Windows with
# MinGW-w64 and Qt built from Debian's source (scripts/build-qt-windows.sh,
# once per machine) into a build folder (default build-windows), and leaves
# build-windows/tesslor-windows.zip there: tesslor.exe and tesslor-cli.exe
# with the Qt and MinGW DLLs, Qt's plugins and Japanese translation, the
# fonts and README.txt. With --test it runs every test program under Wine,
# the GUI tests on Qt's offscreen platform. Used by `make windows` and CI.
set -euo pipefail
cd "$(dirname "$0")/.."

DIR="${1:-build-windows}"
JOBS="${JOBS:-2}"
RUN_TESTS=0
[ "${2:-}" = "--test" ] && RUN_TESTS=1

mkdir -p "$DIR"
DIR="$(cd "$DIR" && pwd)"
CACHE="${TESSLOR_CACHE:-$HOME/.cache/tesslor}"
QT="$(JOBS="$JOBS" bash scripts/build-qt-windows.sh | tail -n1)"

# giflib from Debian's source, patched as Debian ships it (apt-get source
# applies the patches), kept beside the Qt build.
GIF_VERSION="$(apt-cache showsrc giflib | awk '/^Version:/{print $2}' | sort -V | tail -n1)"
GIF_DIR="$CACHE/giflib-$GIF_VERSION"
if [ ! -f "$GIF_DIR/.complete" ]; then
  rm -rf "$GIF_DIR" && mkdir -p "$GIF_DIR"
  (cd "$GIF_DIR" && apt-get source "giflib=$GIF_VERSION" >&2)
  touch "$GIF_DIR/.complete"
fi
GIF_SRC="$(find "$GIF_DIR" -mindepth 1 -maxdepth 1 -type d -name 'giflib-*' | head -n1)"

# The cross compiler does not look in /usr/include: the header-only libraries
# (SimpleIni, CLI11) are copied beside the build.
mkdir -p "$DIR/include"
cp /usr/include/SimpleIni.h "$DIR/include/"
rm -rf "$DIR/include/CLI" && cp -r /usr/include/CLI "$DIR/include/"

# The programs and the tests find the Qt and MinGW DLLs and Qt's plugins
# through these, under Wine, while building (test discovery) and testing.
MINGW_RUNTIME=(/usr/lib/gcc/x86_64-w64-mingw32/*-posix /usr/x86_64-w64-mingw32/lib)
export WINEDEBUG=-all WINEPREFIX="$DIR/wineprefix" DISPLAY=
export WINEPATH="$(winepath -w "$QT/bin" "${MINGW_RUNTIME[@]}" 2>/dev/null | paste -sd ';')"
export QT_PLUGIN_PATH="$(winepath -w "$QT/plugins" 2>/dev/null)" QT_QPA_PLATFORM=offscreen

cmake -S . -B "$DIR" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-qt.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$QT" -DTESSLOR_QT_PREFIX="$QT" -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DTESSLOR_WITH_QT=ON -DTESSLOR_WITH_GIF=ON -DTESSLOR_GIFLIB_SOURCE="$GIF_SRC" \
  -DTESSLOR_BUILD_GUI=ON -DTESSLOR_BUILD_CLI=ON -DTESSLOR_BUILD_BENCH=OFF \
  -DTESSLOR_EXTRA_INCLUDE="$DIR/include" -DTESSLOR_GTEST_SOURCE=/usr/src/googletest
cmake --build "$DIR" -j"$JOBS" --target tesslor tesslor-cli \
  tesslor-core-tests tesslor-cli-tests tesslor-render-tests tesslor-gui-tests

# The zip: everything at its top level, as windeployqt lays a program out.
stage="$DIR/zip"
rm -rf "$stage" "$DIR/tesslor-windows.zip"
mkdir -p "$stage"/{platforms,styles,imageformats,translations,fonts}
for exe in gui/tesslor.exe cli/tesslor-cli.exe; do
  x86_64-w64-mingw32-strip -o "$stage/$(basename "$exe")" "$DIR/$exe"
done
cp "$QT"/bin/Qt6Core.dll "$QT"/bin/Qt6Gui.dll "$QT"/bin/Qt6Widgets.dll "$stage/"
cp "$QT"/plugins/platforms/qwindows.dll "$stage/platforms/"
cp "$QT"/plugins/styles/*.dll "$stage/styles/" 2>/dev/null || true
cp "$QT"/plugins/imageformats/*.dll "$stage/imageformats/" 2>/dev/null || true
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
  cp "$(find "${MINGW_RUNTIME[@]}" -maxdepth 1 -name "$dll" | head -n1)" "$stage/"
done
cp /usr/share/qt6/translations/qtbase_ja.qm "$stage/translations/"
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' >"$stage/qt.conf"
# The fonts the text editor offers and the Japanese face where MS P Gothic
# is missing, each with its licence (all three allow redistribution).
cp /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf \
  /usr/share/fonts/opentype/unifont/unifont.otf /usr/share/fonts/truetype/misaki/misaki_gothic.ttf "$stage/fonts/"
cp /usr/share/doc/fonts-ipafont-gothic/copyright "$stage/fonts/ipafont-COPYRIGHT.txt"
cp /usr/share/doc/fonts-unifont/copyright "$stage/fonts/unifont-COPYRIGHT.txt"
cp /usr/share/doc/fonts-misaki/copyright "$stage/fonts/misaki-COPYRIGHT.txt"
cp packaging/windows/README.txt "$stage/README.txt"
cp cli/USAGE.md "$stage/USAGE.md"
(cd "$stage" && zip -q -9 -r ../tesslor-windows.zip .)
echo "$DIR/tesslor-windows.zip: $(stat -c %s "$DIR/tesslor-windows.zip") bytes"

if [ "$RUN_TESTS" = 1 ]; then
  # A card that fills up: a 64 KiB file system, when this machine lets us
  # mount one (as root); Wine sees it through drive Z:. Without it the full
  # card's test says it was skipped.
  full="$DIR/fullcard"
  mkdir -p "$full"
  if [ "$(id -u)" -eq 0 ] && mount -t tmpfs -o size=64k tmpfs "$full" 2>/dev/null; then
    trap 'umount "$full" 2>/dev/null || true' EXIT
    export TESSLOR_FULL_FOLDER="Z:${full//\//\\}"
  fi
  # The programs under test find the zip's fonts and translation beside them.
  for d in cli gui tests tests/gui; do
    for part in fonts translations; do rm -rf "${DIR:?}/$d/$part" && cp -r "$stage/$part" "$DIR/$d/$part"; done
  done
  for t in tests/tesslor-core-tests tests/tesslor-cli-tests tests/tesslor-render-tests tests/gui/tesslor-gui-tests; do
    echo "== $(basename "$t") under Wine"
    wine "$DIR/$t.exe" --gtest_brief=1
  done
fi
