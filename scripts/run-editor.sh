#!/usr/bin/env bash
# Starts the editor from a build folder; until the editor is built, shows the
# command-line tool's help instead.
set -euo pipefail
build="${1:-build}"
if [ -x "$build/gui/tesslor" ]; then
  exec "$build/gui/tesslor"
fi
exec "$build/cli/tesslor-cli" --help
