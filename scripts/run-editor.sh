#!/usr/bin/env bash
# Starts the editor from a build folder; until the editor is built, shows the
# command-line tool's help instead. The editor is a desktop program: without a
# display it says so here instead of failing inside Qt.
set -euo pipefail
build="${1:-build}"
if [ -x "$build/gui/tesslor" ]; then
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "tesslor is a desktop program and needs a graphical display, but none is set (DISPLAY is empty)." >&2
    echo "Start it from a desktop session, or on a machine without one under Xvfb:" >&2
    echo "  xvfb-run -a $build/gui/tesslor" >&2
    echo "The command-line tool works without a display: $build/cli/tesslor-cli --help" >&2
    exit 1
  fi
  exec "$build/gui/tesslor"
fi
exec "$build/cli/tesslor-cli" --help
