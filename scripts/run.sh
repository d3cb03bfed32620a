#!/usr/bin/env bash
# Sets everything up, builds and starts the forecaster.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"
exec build/release/src/cli/welvaro-cli link "$@"
