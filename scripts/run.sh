#!/usr/bin/env bash
# Sets everything up, builds and starts the forecaster. Without a display
# (a terminal session) it prints the forecast of the stored link instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/release/src/app/welvaro "$@"
fi
echo "No display found: printing the forecast of the default link with welvaro-cli." >&2
exec build/release/src/cli/welvaro-cli link "$@"
